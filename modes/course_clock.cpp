#include "modes/course_clock.h"

#include "common/time_text.h"

namespace vantrel {

namespace {
constexpr int32_t kLongestLimitMinutes = 60;
constexpr int32_t kMsPerMinute = 60000;
}  // namespace

int32_t TimeoutLimitMs(int32_t timeOutMinutes) {
    if (timeOutMinutes < 1 || timeOutMinutes > kLongestLimitMinutes) {
        return 0;
    }
    return timeOutMinutes * kMsPerMinute;
}

CourseClockTick CourseClock(int32_t elapsedMs, bool positionI, int32_t timeOutMinutes) {
    CourseClockTick tick;
    // The GUI reads the clock after the sampler stamped the start, so a negative elapsed
    // time can only be a clock read racing the stamp; show it as zero.
    const int32_t elapsed = elapsedMs < 0 ? 0 : elapsedMs;
    const int32_t limit = TimeoutLimitMs(timeOutMinutes);
    if (positionI && limit > 0 && elapsed >= limit) {
        tick.timedOut = true;
        return tick;
    }
    tick.text = FormatClock(elapsed);
    tick.nextIntervalMs = 1000 - elapsed % 1000;
    return tick;
}

}  // namespace vantrel
