#include "common/ms_clock.h"

#include <gtest/gtest.h>

#include "common/time_text.h"

namespace vantrel {
namespace {

TEST(FakeMsClock, ElapsedTimeSurvivesTheCounterWrap) {
    FakeMsClock clock(0xFFFFFF00u);
    const uint32_t start = clock.MsTick();
    clock.Advance(3723000);  // wraps past 2^32
    EXPECT_LT(clock.MsTick(), start);
    EXPECT_EQ(FormatSessionClock(clock.MsTick() - start), "01:02:03");
    EXPECT_EQ(TickAsSigned(0xFFFFFFFFu), -1);
    clock.Set(5);
    EXPECT_EQ(clock.MsTick(), 5u);
}

}  // namespace
}  // namespace vantrel
