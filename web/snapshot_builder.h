#pragma once
// Takes a LiveSnapshot from the program's own state: the Rank page as it stands (and each
// class's, when cars have classes), the latest rows of the result list, the gymkhana course and
// the result booked last.
// Thread rule: GUI thread only (reads what the GUI changes).

#include <cstdint>
#include <optional>

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
};

LiveSnapshot TakeSnapshot(const SnapshotSources& sources, uint64_t sequence,
                          const std::optional<LiveResult>& last);

// "#rrggbb" of a colour stored as 0x00BBGGRR.
std::string CssColor(int32_t bgr);

// The last result as a booking shows it.
LiveResult LiveResultOf(const BookedResult& booked);

}  // namespace vantrel
