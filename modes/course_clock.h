#pragma once
// The on-course clocks: the "MM:SS" text of a running car, the interval to the next whole
// second of its run, and the time limit of the car in position "I".
// Thread rule: GUI thread only.

#include <cstdint>
#include <string>

namespace vantrel {

struct CourseClockTick {
    // Position "I" is at or over the time limit: the text and interval are left as they
    // were and the window finishes the car (GymkhanaCourse::OnTimeout).
    bool timedOut = false;
    std::string text;            // FormatClock of the elapsed time
    int32_t nextIntervalMs = 0;  // 1000 - elapsed mod 1000
};

// One tick of a position's clock. `positionI` is true for the oldest position, the only one
// the limit applies to; `timeOutMinutes` above 60 switches the limit off.
CourseClockTick CourseClock(int32_t elapsedMs, bool positionI, int32_t timeOutMinutes);

// The limit in ms for a time-out setting in minutes; 0 when the setting switches it off.
int32_t TimeoutLimitMs(int32_t timeOutMinutes);

}  // namespace vantrel
