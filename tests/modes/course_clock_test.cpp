#include "modes/course_clock.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(CourseClockTest, ShowsMinutesAndSecondsAndAimsAtTheNextWholeSecond) {
    const CourseClockTick tick = CourseClock(187250, false, 65);
    EXPECT_FALSE(tick.timedOut);
    EXPECT_EQ(tick.text, "03:07");
    EXPECT_EQ(tick.nextIntervalMs, 750);
    EXPECT_EQ(CourseClock(0, true, 65).nextIntervalMs, 1000);
    EXPECT_EQ(CourseClock(0, true, 65).text, "00:00");
}

TEST(CourseClockTest, PositionITimesOutAtTheLimit) {
    EXPECT_FALSE(CourseClock(299999, true, 5).timedOut);
    const CourseClockTick tick = CourseClock(300000, true, 5);
    EXPECT_TRUE(tick.timedOut);
    EXPECT_TRUE(tick.text.empty());
}

TEST(CourseClockTest, OtherPositionsNeverTimeOut) {
    EXPECT_FALSE(CourseClock(3600000, false, 5).timedOut);
    EXPECT_EQ(CourseClock(3600000, false, 5).text, "60:00");
}

TEST(CourseClockTest, Settings61To65NeverTimeOut) {
    for (int32_t minutes = 61; minutes <= 65; ++minutes) {
        EXPECT_FALSE(CourseClock(100 * 60000, true, minutes).timedOut) << minutes;
        EXPECT_EQ(TimeoutLimitMs(minutes), 0);
    }
    EXPECT_TRUE(CourseClock(60 * 60000, true, 60).timedOut);
}

TEST(CourseClockTest, LimitInMilliseconds) {
    EXPECT_EQ(TimeoutLimitMs(5), 300000);
    EXPECT_EQ(TimeoutLimitMs(1), 60000);
    EXPECT_EQ(TimeoutLimitMs(60), 3600000);
}

}  // namespace
}  // namespace vantrel
