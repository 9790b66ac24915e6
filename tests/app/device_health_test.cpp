// The health tracker over random readings: a row's change time is the time of the latest
// reading that differed from the one before it, whatever the other rows do.
#include <gtest/gtest.h>

#include <random>

#include "app/device_health.h"

namespace vantrel {
namespace {

TEST(DeviceHealth, ChangeTimesFollowEachRowsOwnChanges) {
    std::mt19937 random(11);
    DeviceHealth health;
    HealthReadings now{};
    std::array<int64_t, kHealthDeviceCount> expected{};
    for (int step = 0; step < 2000; ++step) {
        const int64_t wallMs = 1'700'000'000'000 + step * 500;
        int changes = 0;
        for (int i = 0; i < kHealthDeviceCount; ++i) {
            HealthReading& r = now[i];
            switch (random() % 8) {
                case 0:
                    ++r.events;
                    break;
                case 1:
                    r.bytes += 1 + random() % 100;
                    break;
                case 2:
                    ++r.lost;
                    break;
                case 3:
                    r.state = random() % 2 ? "使用中" : "停止";
                    break;
                case 4:
                    r.fault = !r.fault;
                    break;
                default:
                    break;  // unchanged
            }
            const bool changed = step == 0 || !(health.Row(HealthDevice(i)).reading == r);
            if (changed) {
                expected[i] = wallMs;
                ++changes;
            }
        }
        ASSERT_EQ(health.Update(now, wallMs), changes) << "step " << step;
        bool anyFault = false;
        for (int i = 0; i < kHealthDeviceCount; ++i) {
            ASSERT_EQ(health.Row(HealthDevice(i)).changedMs, expected[i]);
            ASSERT_EQ(health.Row(HealthDevice(i)).reading, now[i]);
            anyFault = anyFault || now[i].fault;
        }
        ASSERT_EQ(health.AnyFault(), anyFault);
    }
    EXPECT_EQ(LocalClockText(health.Row(HealthDevice::kWeb).changedMs).size(), 8u);
}

}  // namespace
}  // namespace vantrel
