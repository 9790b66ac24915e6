// WakeSignal: wakes from another thread reach the GUI thread's drain, coalesced, and none is
// lost, however the wakes fall against the drain (a lost one leaves the first test waiting).

#include "sensors/wake_signal.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

#include <atomic>
#include <memory>
#include <random>
#include <thread>

#include "sensors/spsc_queue.h"

namespace vantrel {
namespace {

TEST(WakeSignalTest, EveryItemPutBeforeAWakeIsDrainedOverRandomPacing) {
    constexpr int kItems = 20000;
    // Room for every item: the producer never waits, so a wake that got lost would leave the
    // last items undrained and the loop below waiting for an event that never comes.
    auto queue = std::make_unique<SpscQueue<int, 32768>>();
    std::vector<int> drained;
    int drains = 0;
    std::mt19937 pace(5);
    WakeSignal wake([&] {
        ++drains;
        int item = 0;
        while (queue->TryPop(item)) {
            drained.push_back(item);
            if (pace() % 16 == 0) {
                std::this_thread::yield();  // wakes also fall while the drain runs
            }
        }
    });
    std::thread producer([&] {
        std::mt19937 random(9);
        for (int i = 0; i < kItems; ++i) {
            EXPECT_TRUE(queue->TryPush(i));
            wake.Wake();
            if (random() % 32 == 0) {
                std::this_thread::sleep_for(std::chrono::microseconds(random() % 200));
            }
        }
    });
    // Only the event loop drains.
    while (drained.size() < static_cast<size_t>(kItems)) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    producer.join();
    ASSERT_EQ(drained.size(), static_cast<size_t>(kItems));
    for (int i = 0; i < kItems; ++i) {
        ASSERT_EQ(drained[i], i);
    }
    EXPECT_GE(drains, 1);
}

TEST(WakeSignalTest, WakesBeforeADrainRunItOnceAndAWakeDuringItRunsItAgain) {
    int drains = 0;
    bool wakeDuringDrain = false;
    WakeSignal wake([&] {
        ++drains;
        if (wakeDuringDrain) {
            wakeDuringDrain = false;
            // Another thread wakes after this drain has taken everything, before it returns.
            std::thread([&wake] { wake.Wake(); }).join();
        }
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(drains, 0) << "no drain without a wake";
    wake.Wake();
    wake.Wake();
    wake.Wake();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(drains, 1);

    wakeDuringDrain = true;
    wake.Wake();
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(drains, 3);
}

}  // namespace
}  // namespace vantrel
