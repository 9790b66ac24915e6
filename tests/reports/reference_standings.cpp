#include "reports/reference_standings.h"

#include <utility>

#include "common/numbers.h"

namespace vantrel::test {

ReferenceStandings::ReferenceStandings(const EntryTable& entries) : entries_(entries) {
    list.assign(200, std::vector<std::string>(9));
    list[0] = {"Car", "Name", "Model", "Total", "Lap", "BestLap", "Last", "-1", "-2"};
    rank.assign(200, std::vector<std::string>(8));
    rank[0] = {"Rank", "Car", "Name", "Model", "BestLap", "Lap", "Total", "Behind"};
    ClearRecord();
}

void ReferenceStandings::ClearRecord() {
    for (int32_t r = 1; r < 200; ++r) {
        for (auto& cell : list[r])
            cell.clear();
        for (auto& cell : rank[r])
            cell.clear();
        list[r][0] = rank[r][0] = std::to_string(r);
    }
    table.fill(RankEntry{});
}

void ReferenceStandings::ShiftHistory(int32_t car) {
    const size_t last = list[0].size() - 1;
    if (!list[car][last].empty()) {
        for (auto& row : list)
            row.emplace_back();
        list[0].back() = std::to_string(7 - static_cast<int32_t>(list[0].size()));
    }
    for (size_t c = list[0].size() - 1; c >= 7; --c)
        list[car][c] = list[car][c - 1];
}

RankEntry& ReferenceStandings::EntryFor(int32_t car) {
    for (auto& e : table) {
        if (e.Car == car)
            return e;
    }
    for (auto& e : table) {
        if (e.Car == 0)
            return e;
    }
    return table[199];
}

void ReferenceSortByLaps(ReferenceTable& table) {
    for (int n = 1; n <= 199; ++n) {
        if (table[n].Key == 0)
            continue;
        for (int i = n; i >= 1 && table[i - 1].Key <= table[i].Key; --i) {
            if (table[i - 1].Key < table[i].Key || table[i - 1].Total > table[i].Total) {
                std::swap(table[i - 1], table[i]);
            }
        }
    }
}

void ReferenceSortByBestTime(ReferenceTable& table) {
    for (int n = 1; n <= 199; ++n) {
        if (table[n].Key == 0)
            continue;
        for (int i = n; i >= 1 && table[i - 1].Key > table[i].Key; --i) {
            std::swap(table[i - 1].Car, table[i].Car);
            std::swap(table[i - 1].Key, table[i].Key);
        }
    }
}

void ReferenceStandings::Refill(bool byLaps, const TimeStyle& style) {
    for (int k = 0; k < 200 && table[k].Car != 0; ++k) {
        auto& row = rank[k + 1];
        const auto& source = list[table[k].Car];
        row[1] = std::to_string(table[k].Car);
        row[2] = source[1];
        row[3] = source[2];
        row[4] = source[5];
        row[5] = source[4];
        row[6] = source[3];
        if (k == 0)
            continue;
        if (!byLaps) {
            row[7] =
                "+" + TimeText(SaturatedDifference(ParseTimeText(row[4]), table[0].Key), style);
        } else if (row[5] == rank[1][5]) {
            const int32_t gap =
                SaturatedDifference(ParseTimeText(row[6]), ParseTimeText(rank[1][6]));
            row[7] = "+" + TimeText(gap, style);
        } else {
            const int32_t down =
                SaturatedDifference(StrToIntOrThrow(rank[1][5]), StrToIntOrThrow(row[5]));
            row[7] = std::to_string(down) + "Lap";
        }
    }
}

void ReferenceStandings::AddResult(int32_t car, int32_t time, int32_t count,
                                   const TimeStyle& style) {
    list[car][1] = entries_.Name(car);
    list[car][2] = entries_.Model(car);
    ShiftHistory(car);
    if (time == -1) {
        list[car][6] = "MC";
        return;
    }
    list[car][6] = TimeText(time, style);
    if (time >= ParseTimeText(list[car][5]))
        return;
    list[car][4] = std::to_string(count);
    list[car][5] = list[car][6];
    RankEntry& entry = EntryFor(car);
    entry.Car = car;
    entry.Key = time;
    ReferenceSortByBestTime(table);
    Refill(false, style);
}

void ReferenceStandings::AddCommonStartLap(int32_t car, int32_t lastLap, int32_t total,
                                           int32_t laps, const TimeStyle& style) {
    list[car][1] = entries_.Name(car);
    list[car][2] = entries_.Model(car);
    list[car][3] = TimeText(total, style);
    list[car][4] = std::to_string(laps);
    ShiftHistory(car);
    list[car][6] = TimeText(lastLap, style);
    if (lastLap < ParseTimeText(list[car][5]))
        list[car][5] = list[car][6];
    RankEntry& entry = EntryFor(car);
    entry = RankEntry{car, laps, total};
    ReferenceSortByLaps(table);
    Refill(true, style);
}

}  // namespace vantrel::test
