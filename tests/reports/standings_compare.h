#pragma once
// Every text of both standings pages and the ranking table, for comparing two standings.
// Thread rule: any thread.

#include <array>
#include <string>
#include <vector>

#include "reports/rank_table.h"
#include "reports/standings.h"
#include "reports/text_grid.h"

namespace vantrel {

using GridTexts = std::vector<std::vector<std::string>>;

inline GridTexts Texts(const TextGrid& grid) {
    GridTexts texts(grid.RowCount());
    for (int32_t row = 0; row < grid.RowCount(); ++row) {
        for (int32_t column = 0; column < grid.ColumnCount(); ++column) {
            texts[row].push_back(grid.Cell(column, row));
        }
    }
    return texts;
}

struct StandingsSnapshot {
    GridTexts list;
    GridTexts rank;
    std::array<RankEntry, RankTable::kEntries> table;
    bool operator==(const StandingsSnapshot&) const = default;
};

inline StandingsSnapshot Snapshot(const Standings& standings) {
    StandingsSnapshot s{Texts(standings.List()), Texts(standings.Rank()), {}};
    for (int32_t i = 0; i < RankTable::kEntries; ++i) {
        s.table[i] = standings.Table()[i];
    }
    return s;
}

}  // namespace vantrel
