#pragma once
// Takes a LiveSnapshot from the program's own state: the Rank page as it stands (and each
// class's, when cars have classes), the latest rows of the result list, the gymkhana course and
// the result booked last, each row and time with the reason of its review mark, read from the
// result list as it is now (so an accepted or undone result loses it at the next snapshot).
// Thread rule: GUI thread only (reads what the GUI changes).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/race_mode.h"
#include "lists/booked_result.h"
#include "web/live_snapshot.h"

namespace vantrel {

class EntryTable;
class GymkhanaCourse;
class ResultTable;
class Scoreboard;
class Standings;

// The snapshot keeps this many of the latest result rows.
inline constexpr int32_t kLiveResultRows = 100;

struct SnapshotSources {
    const Standings* standings = nullptr;
    const ResultTable* results = nullptr;
    const EntryTable* entries = nullptr;
    const GymkhanaCourse* course = nullptr;  // only in the gymkhana mode
    const Scoreboard* board = nullptr;
    RaceMode mode = RaceMode::kGymkhana;
    bool running = false;
    // The words for a review mark ("" for none); unset: the mark's own text.
    std::function<std::string(const std::string& flag)> flagReason;
};

LiveSnapshot TakeSnapshot(const SnapshotSources& sources, uint64_t sequence,
                          const std::optional<LiveResult>& last);

// "#rrggbb" of a colour stored as 0x00BBGGRR.
std::string CssColor(int32_t bgr);

// The last result as a booking shows it.
LiveResult LiveResultOf(const BookedResult& booked);

}  // namespace vantrel
