#pragma once
// Random changes of the entry list, the result list and the per-car counters, the way the
// program's commands and bookings make them, and a snapshot of all three to compare.

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/session_state.h"
#include "lists/entry_table.h"
#include "lists/list_recorder.h"
#include "lists/list_undo.h"
#include "lists/result_table.h"

namespace vantrel::test {

struct ListsSnapshot {
    std::vector<std::string> entryCells;
    RaceMode mode = RaceMode::kGymkhana;
    std::vector<std::vector<std::string>> resultRows;
    std::array<int32_t, kCarSlots> runCount{};
    std::array<uint32_t, kCarSlots> firstPass{};
    std::array<uint32_t, kCarSlots> lastPass{};
    bool operator==(const ListsSnapshot&) const = default;
};

inline ListsSnapshot SnapshotOf(const EntryTable& entries, const ResultTable& results,
                                const SessionState& state) {
    ListsSnapshot snapshot;
    for (int32_t row = 0; row < EntryTable::kRows; ++row) {
        for (int32_t column = 0; column < EntryTable::kColumns; ++column) {
            snapshot.entryCells.push_back(entries.Cell(column, row));
        }
    }
    snapshot.mode = results.Mode();
    for (int32_t row = 1; row < results.RowCount(); ++row) {
        snapshot.resultRows.push_back(results.Row(row));
    }
    snapshot.runCount = state.runCount;
    snapshot.firstPass = state.firstPassTime;
    snapshot.lastPass = state.lastPassTime;
    return snapshot;
}

// Both lists and the counters, watched by a recorder, with their undo history.
struct ListsUnderTest {
    EntryTable entries;
    ResultTable results;
    SessionState state;
    ListRecorder recorder{entries, results, state};
    ListUndo undo{{entries, results, state}, recorder};

    ListTarget Target() { return {entries, results, state}; }
    ListsSnapshot Snapshot() const { return SnapshotOf(entries, results, state); }
};

// One random command per call, drawn from everything that changes the lists.
class RandomListCommands {
public:
    RandomListCommands(EntryTable& entries, ResultTable& results, SessionState& state,
                       uint32_t seed)
        : entries_(entries), results_(results), state_(state), random_(seed) {}

    void RunOne() {
        switch (Pick(0, 11)) {
            case 0:
            case 1:
            case 2:
                return BookRun();
            case 3:
                return entries_.SetCell(Pick(1, 4), Pick(1, 199), Text());
            case 4:
                return results_.SetCell(Pick(0, results_.ColumnCount() - 1),
                                        Pick(1, results_.DataRowCount()), Text());
            case 5:
                return results_.DeleteRow(Pick(1, results_.DataRowCount()));
            case 6:
                return Pick(0, 1) == 0 ? entries_.InsertRow(Pick(1, 199))
                                       : entries_.DeleteRow(Pick(1, 199));
            case 7:
                return Pick(0, 3) == 0 ? results_.Reset(Mode()) : results_.SetRows(Rows());
            case 8:
                entries_.ClearLaps();
                return state_.ClearCarCounters();
            case 9:
                return entries_.SetNamesAndModels({{Text(), Text(), Text()}, {Text(), Text()}});
            default:
                return BookRun();
        }
    }

private:
    int32_t Pick(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random_);
    }
    std::string Text() {
        static const std::array<std::string, 6> kTexts = {"",    "12",       "山田 太郎",
                                                          "a,b", "1:02.345", "x\"y"};
        return kTexts[static_cast<std::size_t>(Pick(0, 5))];
    }
    RaceMode Mode() { return static_cast<RaceMode>(Pick(0, 2)); }
    std::vector<std::vector<std::string>> Rows() {
        std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(Pick(1, 6)));
        for (auto& row : rows) {
            row = {std::to_string(Pick(1, 199)), Text(), Text(), Text()};
        }
        return rows;
    }
    void BookRun() {
        const int32_t car = Pick(1, 199);
        const int32_t count = ++state_.runCount[car];
        state_.lastPassTime[car] = static_cast<uint32_t>(random_());
        if (count == 1) {
            state_.firstPassTime[car] = state_.lastPassTime[car];
        }
        entries_.SetCell(EntryTable::kLap, car, std::to_string(count));
        const int32_t row = results_.RowForNewResult();
        results_.SetRow(
            row, {std::to_string(car), entries_.Name(car), "", Text(), std::to_string(count)});
    }

    EntryTable& entries_;
    ResultTable& results_;
    SessionState& state_;
    std::mt19937 random_;
};

}  // namespace vantrel::test
