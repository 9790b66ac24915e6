// The timing thread's hand-over: order, full ring, counted losses.

#include "sensors/sensor_event_queue.h"

#include <gtest/gtest.h>

#include <thread>

#include "sensors/spsc_queue.h"

namespace vantrel {
namespace {

SensorEvent EdgeAt(uint32_t tick) {
    SensorEvent e;
    e.kind = SensorEventKind::kActiveEdge;
    e.tick = tick;
    return e;
}

TEST(SpscQueueTest, KeepsOrderAndRefusesWhenFull) {
    SpscQueue<int, 4> ring;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(ring.TryPush(i));
    }
    EXPECT_FALSE(ring.TryPush(99));
    int value = -1;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(ring.TryPop(value));
        EXPECT_EQ(value, i);
    }
    EXPECT_FALSE(ring.TryPop(value));
}

TEST(SensorEventQueueTest, FullQueueCountsEveryDroppedEventAndMarksThePlace) {
    SensorEventQueue queue;
    const uint32_t capacity = SensorEventQueue::kCapacity;
    for (uint32_t i = 0; i < capacity; ++i) {
        ASSERT_TRUE(queue.Push(EdgeAt(i)));
    }
    EXPECT_FALSE(queue.Push(EdgeAt(capacity)));
    EXPECT_FALSE(queue.Push(EdgeAt(capacity + 1)));
    EXPECT_EQ(queue.LostTotal(), 2u);

    SensorEvent e;
    ASSERT_TRUE(queue.Pop(e));  // room for the marker only: the next event is lost too
    EXPECT_FALSE(queue.Push(EdgeAt(capacity + 2)));
    EXPECT_EQ(queue.LostTotal(), 3u);
    ASSERT_TRUE(queue.Pop(e));
    ASSERT_TRUE(queue.Pop(e));
    ASSERT_TRUE(queue.Push(EdgeAt(capacity + 3)));  // marker and event both fit
    EXPECT_EQ(queue.LostTotal(), 3u);

    std::vector<SensorEvent> rest;
    while (queue.Pop(e)) {
        rest.push_back(e);
    }
    ASSERT_EQ(rest.size(), capacity);
    for (uint32_t i = 0; i + 3 < capacity; ++i) {
        EXPECT_EQ(rest[i].kind, SensorEventKind::kActiveEdge);
        EXPECT_EQ(rest[i].tick, i + 3);
    }
    EXPECT_EQ(rest[capacity - 3].kind, SensorEventKind::kEventsLost);
    EXPECT_EQ(rest[capacity - 3].count, 2u);
    EXPECT_EQ(rest[capacity - 2].kind, SensorEventKind::kEventsLost);
    EXPECT_EQ(rest[capacity - 2].count, 1u);
    EXPECT_EQ(rest.back().tick, capacity + 3);
}

TEST(SpscQueueTest, TwoThreadsSeeEveryItemInOrder) {
    SpscQueue<uint32_t, 64> ring;  // small, so the producer often finds it full
    constexpr uint32_t kCount = 20000;
    std::thread producer([&] {
        for (uint32_t i = 0; i < kCount;) {
            if (ring.TryPush(i)) {
                ++i;
            } else {
                std::this_thread::yield();
            }
        }
    });
    uint32_t next = 0;
    uint32_t value = 0;
    while (next < kCount) {
        if (ring.TryPop(value)) {
            ASSERT_EQ(value, next);
            ++next;
        } else {
            std::this_thread::yield();
        }
    }
    producer.join();
    EXPECT_TRUE(ring.Empty());
}

}  // namespace
}  // namespace vantrel
