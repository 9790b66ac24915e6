// The timer callback rule, driven directly with a fake clock, and the thread's life.

#include "sensors/timing_loop.h"

#include <gtest/gtest.h>

#include "sensors/fake_sources.h"

namespace vantrel {
namespace {

class CountingWaker : public EventWaker {
public:
    void Wake() override { ++wakes; }
    int wakes = 0;
};

class TimingLoopTest : public ::testing::Test {
protected:
    TimingLoopTest() : source(ReadRule::kLevels) {
        config.pollPeriodMs = 3;
        config.source = &source;
        sampler.Configure(config);
    }

    std::atomic<bool> running{false};
    FakeMsClock clock{5000};
    SensorEventQueue queue;
    test::FixedSource source;
    SamplerConfig config;
    Sampler sampler{clock, queue};
    CountingWaker waker;
    TimingLoop loop{sampler, clock, running, &waker};
};

TEST_F(TimingLoopTest, FirstCallbackAlwaysTicks) {
    EXPECT_TRUE(loop.Callback());
    EXPECT_EQ(source.reads, 1);
}

TEST_F(TimingLoopTest, EarlyCallbackIsSkippedButCountsAsPrevious) {
    loop.Callback();
    clock.Advance(2);
    EXPECT_FALSE(loop.Callback());
    EXPECT_EQ(loop.LastTickInterval(), 2);
    clock.Advance(2);  // 4 ms after the first, but only 2 after the skipped one
    EXPECT_FALSE(loop.Callback());
    clock.Advance(3);
    EXPECT_TRUE(loop.Callback());
    EXPECT_EQ(loop.LastTickInterval(), 3);
    clock.Advance(20);
    EXPECT_TRUE(loop.Callback());
    EXPECT_EQ(loop.LastTickInterval(), 20);
    EXPECT_EQ(source.reads, 3);
}

TEST_F(TimingLoopTest, WakesOnlyAfterTicksThatQueuedEvents) {
    loop.Callback();
    EXPECT_EQ(waker.wakes, 0);
    KeyLevels keys;
    keys.keyStart = true;
    sampler.SendKeys(keys);
    clock.Advance(3);
    loop.Callback();
    EXPECT_EQ(waker.wakes, 1);
    clock.Advance(3);
    loop.Callback();  // still held: nothing new
    EXPECT_EQ(waker.wakes, 1);
}

TEST(TimingThreadTest, RunsUntilRunningIsClearedAndCanBeArmedAgain) {
    std::atomic<bool> running{false};
    MonotonicMsClock clock;
    SensorEventQueue queue;
    test::FixedSource source(ReadRule::kLevels);
    SamplerConfig config;
    config.pollPeriodMs = 1;
    config.source = &source;
    Sampler sampler(clock, queue);
    sampler.Configure(config);
    TimingLoop loop(sampler, clock, running, nullptr);

    for (int session_run = 0; session_run < 2; ++session_run) {
        running = true;
        loop.Arm();
        EXPECT_FALSE(loop.IsIdle());
        const int before = source.reads;
        while (source.reads < before + 5) {
            std::this_thread::yield();
        }
        running = false;
        loop.Join();
        EXPECT_TRUE(loop.IsIdle());
    }
}

}  // namespace
}  // namespace vantrel
