#pragma once
// A car between start and finish as the journal keeps it and a restart after a crash puts it
// back: its course position, its start tick and what it has done so far.
// Thread rule: any thread (a plain value).

#include <cstdint>

namespace vantrel {

struct CarOnCourse {
    int32_t position = 0;  // 1 is the newest on course
    int32_t car = 0;
    int32_t startTick = 0;
    int32_t split1Ms = 0;
    int32_t split2Ms = 0;
    int32_t penalty = 0;
    bool operator==(const CarOnCourse&) const = default;
};

}  // namespace vantrel
