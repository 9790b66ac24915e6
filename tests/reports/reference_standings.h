#pragma once
// A straightforward model of the standings, one step after the other, with full grids, full
// history shifts and a full refill after every sort. The optimised Standings must produce
// exactly its texts.
// Thread rule: any thread (one owner).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "lists/entry_table.h"
#include "reports/rank_table.h"
#include "reports/time_style.h"

namespace vantrel::test {

using ReferenceTable = std::array<RankEntry, 200>;

// The two insertion passes, without shortcuts.
void ReferenceSortByLaps(ReferenceTable& table);
void ReferenceSortByBestTime(ReferenceTable& table);

class ReferenceStandings {
public:
    explicit ReferenceStandings(const EntryTable& entries);

    void ClearRecord();
    void AddResult(int32_t car, int32_t time, int32_t count, const TimeStyle& style);
    void AddCommonStartLap(int32_t car, int32_t lastLap, int32_t total, int32_t laps,
                           const TimeStyle& style);

    std::vector<std::vector<std::string>> list;  // [row][column], row 0 headings
    std::vector<std::vector<std::string>> rank;
    ReferenceTable table{};

private:
    void ShiftHistory(int32_t car);
    RankEntry& EntryFor(int32_t car);
    void Refill(bool byLaps, const TimeStyle& style);

    const EntryTable& entries_;
};

}  // namespace vantrel::test
