#include "reports/class_standings.h"

#include <algorithm>
#include <charconv>

namespace vantrel {

namespace {

// The car a Rank row shows, 0 for an empty row.
int32_t CarOfRow(const RankPage& rank, int32_t row) {
    const std::string& text = rank.Cell(RankPage::kCar, row);
    int32_t car = 0;
    std::from_chars(text.data(), text.data() + text.size(), car);
    return car;
}

void CopyRankRow(const RankPage& from, int32_t fromRow, RankPage& to, int32_t toRow) {
    for (int32_t column = RankPage::kCar; column <= RankPage::kTotal; ++column) {
        const auto c = static_cast<RankPage::Column>(column);
        to.SetCell(c, toRow, from.Cell(c, fromRow));
    }
}

// The leader's best time as the ranking table holds it, which is what the overall page
// measures its gaps from.
int32_t BestKeyOf(const Standings& standings, int32_t car) {
    const RankTable& table = standings.Table();
    const int32_t index = table.IndexOf(car);
    return index >= 0 ? table[index].Key : 0;
}

}  // namespace

std::vector<std::string> ClassesOf(const EntryTable& entries) {
    std::vector<std::string> classes;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        const std::string& cls = entries.Class(car);
        if (!cls.empty() && std::find(classes.begin(), classes.end(), cls) == classes.end()) {
            classes.push_back(cls);
        }
    }
    return classes;
}

void FillClassRank(const Standings& standings, const EntryTable& entries, std::string_view cls,
                   RankPage& page) {
    const RankPage& overall = standings.Rank();
    page.WriteHeadings();
    page.ClearRows();
    if (cls.empty()) {
        for (int32_t row = 1; row < RankPage::kRows; ++row) {
            CopyRankRow(overall, row, page, row);
            page.SetCell(RankPage::kBehind, row, overall.Cell(RankPage::kBehind, row));
        }
        return;
    }
    int32_t filled = 0;
    int32_t leaderCar = 0;
    // The ranked rows form a prefix; the first row without a car ends it.
    for (int32_t row = 1; row < RankPage::kRows; ++row) {
        const int32_t car = CarOfRow(overall, row);
        if (car == 0) {
            break;
        }
        if (entries.Class(car) != cls) {
            continue;
        }
        CopyRankRow(overall, row, page, ++filled);
        if (filled == 1) {
            leaderCar = car;
        }
    }
    const int32_t leaderBest = BestKeyOf(standings, leaderCar);
    for (int32_t row = 2; row <= filled; ++row) {
        page.SetCell(
            RankPage::kBehind, row,
            RankBehind(standings.ShownOrder(), page, row, leaderBest, standings.ShownStyle()));
    }
}

void FillClassList(const Standings& standings, const EntryTable& entries, std::string_view cls,
                   ListPage& page) {
    const ListPage& overall = standings.List();
    page.StartSubsetOf(overall);
    int32_t filled = 0;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        if (cls.empty() || entries.Class(car) == cls) {
            page.CopyRow(++filled, overall, car);
        }
    }
}

}  // namespace vantrel
