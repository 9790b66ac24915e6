#pragma once
// A finished run or lap as a race mode books it: the result row and what every output of the
// booking (standings and record window, sensor log, announcer, ...) takes from it.
// Thread rule: GUI thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/car_on_course.h"

namespace vantrel {

// The record window's display boxes. A gymkhana run sets both split boxes (empty where it has
// no such time); runs of the other modes leave them as they are.
struct RecordDisplay {
    std::string memo1;                 // car
    std::string memo2;                 // name
    std::optional<std::string> memo3;  // split 1
    std::optional<std::string> memo4;  // split 2 or speed
    std::optional<std::string> memo5;  // time (not after a time-out); unset keeps the box
    bool keepSplits = false;           // memo3 and memo4 keep what they show
};

// The booking mode's own result display (GYMKHANA: Memo103, Memo110, Memo104).
struct ResultDisplay {
    std::string car;
    std::string name;
    std::string time;  // also what the serial output sends
};

// The time the announcer speaks, when it speaks one.
struct ResultAnnouncement {
    bool announce = false;
    int32_t timeMs = 0;
    // With the ring full: false drops the time (gymkhana runs); true leaves it in the free slot
    // for the next one to overwrite (circuit laps).
    bool overwriteWhenFull = false;
};

struct BookedResult {
    int32_t car = 0;
    int32_t timeMs = 0;
    int32_t count = 0;  // the car's run or lap number, this one included
    // Common start: the car's total since the session start, which ranks its laps.
    std::optional<int32_t> totalMs;
    std::vector<std::string> cells;  // the row, in the layout of the mode in force
    ResultDisplay display;
    std::optional<RecordDisplay> record;  // none: the record window's boxes stay as they are
    ResultAnnouncement announcement;
    bool rebuildStandings = false;  // the row carries a penalty
    bool timedOut = false;          // a time-out: its time is the limit, not a run to judge
    // A gymkhana run as it was on course before its finish: undoing the booking puts it back.
    std::optional<CarOnCourse> run;
};

// A booking that carries only its row, with nothing to show or say.
inline BookedResult BookingOfRow(std::vector<std::string> cells) {
    BookedResult booked;
    booked.cells = std::move(cells);
    return booked;
}

}  // namespace vantrel
