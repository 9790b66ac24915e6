#pragma once
// RebuildRanking: empties the standings and replays the result list under the rule of the
// tab (and circuit counting method) in force.
// Thread rule: GUI thread only.

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/race_mode.h"
#include "lists/result_table.h"
#include "reports/standings.h"
#include "reports/time_style.h"

namespace vantrel {

// How result rows are read back into the standings.
enum class ReplayRule : int32_t {
    kGymkhana,            // "Pen", "Time", "Comment", run count in "Lap" (column 8)
    kDrag,                // "E.T" (column 4) and "Try" (column 12), as the live path records
    kCircuitLapTiming,    // "ﾗｯﾌﾟ計測": "Lap time" and "Lap"
    kCircuitCommonStart,  // "同時ｽﾀｰﾄ": "Lap", "Lap time", "Total"
};

// The rule for the active tab; `commonStart` is the CIRCUIT tab's counting method.
ReplayRule ReplayRuleFor(RaceMode activeTab, bool commonStart);

struct RebuildOutcome {
    bool ok = true;
    int32_t failedRow = 0;  // result-list row that stopped the rebuild
    // "'<text>' は数値ではありません" in the chosen language (at most the start of a long text)
    std::string error;
};

// Replays rows 1, 2, ... up to the first row with an empty "Car" cell. A cell that must be a
// number and is not one stops the replay there; the rows replayed before it stay recorded.
// Rows of cars outside 1-199 are left out.
RebuildOutcome RebuildRanking(Standings& standings, const ResultTable& results, ReplayRule rule,
                              const TimeStyle& style);

// The error of a rebuild right after `file` was loaded, naming the file and the line (row i
// of the list is line i of the file).
std::string RebuildErrorInFile(const RebuildOutcome& outcome, const std::filesystem::path& file);

}  // namespace vantrel
