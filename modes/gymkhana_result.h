#pragma once
// What a finished gymkhana run becomes: the result row, the result and record-window display
// texts, the spoken time and whether the standings must be rebuilt; and its booking.
// Thread rule: GUI thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/time_text.h"
#include "lists/booked_result.h"
#include "modes/gymkhana_course.h"

namespace vantrel {

class EntryTable;
struct SessionState;

// Columns of the GYMKHANA result layout.
enum GymkhanaColumn : int32_t {
    kResultCar = 0,
    kResultName = 1,
    kResultModel = 2,
    kResultPen = 3,
    kResultTime = 4,
    kResultComment = 5,
    kResultSplit1 = 6,
    kResultSplit2 = 7,
    kResultLap = 8,
    kGymkhanaColumns = 9,
};

// The settings a result is written with.
struct ResultSettings {
    TimeFormat timeFormat = TimeFormat::kMinutesSeconds;
    int32_t distanceM = 4;  // 0 = no speed
    int32_t timeOut = 65;   // minutes; the limit written for a timed-out run
};

// The run time as the announcer speaks it.
struct Announcement {
    int32_t minutes = 0;
    int32_t seconds = 0;
    int32_t milliseconds = 0;
};

struct GymkhanaResult {
    int32_t car = 0;
    int32_t runMs = 0;
    int32_t runCount = 0;          // the car's finished runs including this one
    std::string carText;           // Memo103
    std::string name;              // Memo110
    std::string timeText;          // Memo104; also written to the serial port, followed by CR
    std::vector<std::string> row;  // kGymkhanaColumns cells
    RecordDisplay record;
    bool rebuildRanking = false;  // "Pen" is not empty
    Announcement announcement;
};

// Builds the result of `run`; `runCount` already counts this run.
GymkhanaResult BuildGymkhanaResult(const FinishedRun& run, const ResultSettings& settings,
                                   const EntryTable& entries, int32_t runCount);

// The "Pen" text of a penalty word: "MC", the touch count, or empty.
std::string PenaltyText(int32_t penaltyWord);
// distanceM * 3600 / runMs in 32-bit floating point, three decimals, then "km/h";
// empty when there is no distance or no run time.
std::string SpeedText(int32_t distanceM, int32_t runMs);
Announcement AnnouncementOf(int32_t runMs);

// The booking of a built result: its row, display texts, spoken time and rebuild flag.
BookedResult BookingOf(const GymkhanaResult& result);

// A finished run to book: counts it in runCount and the entry grid's "Lap" cell and returns
// its booking, which the result list then writes (ResultBooking::AddResult).
BookedResult BookGymkhanaResult(const FinishedRun& run, const ResultSettings& settings,
                                EntryTable& entries, SessionState& session);

}  // namespace vantrel
