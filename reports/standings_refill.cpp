// Refill of the Rank page after a sort. A row is rewritten only when its car or that car's
// List row changed since it was last filled, and "Behind" only when the row or what the gaps
// are measured from changed: the texts are exactly those of a full refill, at a cost that
// follows what moved instead of the number of ranked cars.

#include <algorithm>

#include "common/numbers.h"
#include "reports/standings.h"

namespace vantrel {

void Standings::FillRow(int32_t row, int32_t car) {
    rank_.SetCell(RankPage::kCar, row, std::to_string(car));
    rank_.SetCell(RankPage::kName, row, list_.Cell(ListPage::kName, car));
    rank_.SetCell(RankPage::kModel, row, list_.Cell(ListPage::kModel, car));
    rank_.SetCell(RankPage::kBestLap, row, list_.Cell(ListPage::kBestLap, car));
    rank_.SetCell(RankPage::kLap, row, list_.Cell(ListPage::kLap, car));
    rank_.SetCell(RankPage::kTotal, row, list_.Cell(ListPage::kTotal, car));
}

std::string RankBehind(RankOrder order, const RankPage& page, int32_t row, int32_t leaderBest,
                       const TimeStyle& style) {
    if (order == RankOrder::kByBestTime) {
        const int32_t best = ParseTimeText(page.Cell(RankPage::kBestLap, row));
        return "+" + TimeText(SaturatedDifference(best, leaderBest), style);
    }
    const std::string& laps = page.Cell(RankPage::kLap, row);
    const std::string& leaderLaps = page.Cell(RankPage::kLap, 1);
    if (laps == leaderLaps) {
        const int32_t total = ParseTimeText(page.Cell(RankPage::kTotal, row));
        const int32_t leaderTotal = ParseTimeText(page.Cell(RankPage::kTotal, 1));
        return "+" + TimeText(SaturatedDifference(total, leaderTotal), style);
    }
    const int32_t down = SaturatedDifference(StrToIntOrThrow(leaderLaps), StrToIntOrThrow(laps));
    return std::to_string(down) + "Lap";
}

std::string Standings::Behind(Order order, int32_t row, const TimeStyle& style) const {
    return RankBehind(order, rank_, row, table_[0].Key, style);
}

void Standings::RefreshRow(int32_t index, Order order, const TimeStyle& style, bool basisChanged) {
    const int32_t row = index + 1;
    const int32_t car = table_[index].Car;
    const uint64_t stamp = list_.Stamp(car);
    const bool rowChanged = shown_[row].car != car || shown_[row].stamp != stamp;
    if (rowChanged) {
        shown_[row] = Shown{};
        FillRow(row, car);
    }
    // Row 1's "Behind" is never written.
    if (row >= 2 && (rowChanged || basisChanged)) {
        rank_.SetCell(RankPage::kBehind, row, Behind(order, row, style));
    }
    shown_[row] = Shown{car, stamp};
}

void Standings::Refill(Order order, const TimeStyle& style) {
    shownOrder_ = order;
    shownStyle_ = style;
    Basis basis{order, style, 0, 0, 0};
    if (order == Order::kByLaps) {
        basis.leaderCar = table_[0].Car;
        basis.leaderStamp = list_.Stamp(basis.leaderCar);
    } else {
        basis.bestKey = table_[0].Key;
    }
    const bool basisChanged = !(basis == shownBasis_);
    // Should a gap fail to read back, the next refill must visit every row.
    shownBasis_ = Basis{};
    const auto [first, last] = table_.TakeMovedRange();
    if (basisChanged) {
        for (int32_t k = 0; k < table_.UsedCount(); ++k) {
            RefreshRow(k, order, style, true);
        }
    } else {
        // Elsewhere the rows show the same car as before; only a changed List row matters.
        for (int32_t k = std::max(first, 0); k <= last && k < table_.UsedCount(); ++k) {
            RefreshRow(k, order, style, false);
        }
        for (const int32_t car : changedCars_) {
            const int32_t k = table_.IndexOf(car);
            if (k >= 0) {
                RefreshRow(k, order, style, false);
            }
        }
    }
    for (const int32_t car : changedCars_) {
        changed_[car] = false;
    }
    changedCars_.clear();
    shownBasis_ = basis;
}

}  // namespace vantrel
