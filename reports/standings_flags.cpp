#include "reports/standings_flags.h"

#include <array>

#include "common/numbers.h"

namespace vantrel {

namespace {

int32_t CarOfCell(const std::string& text) {
    const int32_t car = StrToIntDef(text, 0);
    return car >= 1 && car < ListPage::kRows ? car : 0;
}

// The oldest marked row of each car, 0 for none.
std::array<int32_t, ListPage::kRows> FirstMarkedRows(const ResultTable& results) {
    std::array<int32_t, ListPage::kRows> rows{};
    for (int32_t row = 1; row < results.RowCount(); ++row) {
        if (results.Flag(row).empty()) {
            continue;
        }
        const int32_t car = CarOfCell(results.Cell(ResultTable::kCar, row));
        if (car != 0 && rows[car] == 0) {
            rows[car] = row;
        }
    }
    return rows;
}

// The mark of the row that gave `car` its best time; a row that no longer holds the car (the
// list changed without a rebuild) gives none.
const std::string& BestTimeMark(const Standings& standings, const ResultTable& results,
                                int32_t car) {
    static const std::string kNone;
    const int32_t row = standings.BestRow(car);
    if (row < 1 || CarOfCell(results.Cell(ResultTable::kCar, row)) != car) {
        return kNone;
    }
    return results.Flag(row);
}

}  // namespace

int32_t ResultCountColumn(RaceMode mode) {
    switch (mode) {
        case RaceMode::kDrag:
            return 12;  // "Try"
        case RaceMode::kCircuit:
            return 3;  // "Lap"
        case RaceMode::kGymkhana:
            break;
    }
    return 8;  // "Lap", the run number
}

int32_t FindResultRow(const ResultTable& results, int32_t car, std::string_view count,
                      int32_t hint) {
    const std::string carText = std::to_string(car);
    const int32_t column = ResultCountColumn(results.Mode());
    const auto holds = [&](int32_t row) {
        return results.Cell(ResultTable::kCar, row) == carText &&
               results.Cell(column, row) == count;
    };
    if (hint >= 1 && hint < results.RowCount() && holds(hint)) {
        return hint;
    }
    for (int32_t row = results.RowCount() - 1; row >= 1; --row) {
        if (holds(row)) {
            return row;
        }
    }
    return 0;
}

std::vector<std::string> RankRowMarks(const Standings& standings, const RankPage& page,
                                      const ResultTable& results) {
    std::vector<std::string> marks;
    const bool byLaps = standings.ShownOrder() == RankOrder::kByLaps;
    std::array<int32_t, ListPage::kRows> firstMarked{};
    if (byLaps) {
        firstMarked = FirstMarkedRows(results);
    }
    for (int32_t row = 1; row < RankPage::kRows; ++row) {
        const std::string& carText = page.Cell(RankPage::kCar, row);
        if (carText.empty()) {
            break;
        }
        const int32_t car = CarOfCell(carText);
        if (car == 0) {
            marks.emplace_back();
        } else if (byLaps) {
            marks.push_back(firstMarked[car] != 0 ? results.Flag(firstMarked[car]) : "");
        } else {
            marks.push_back(BestTimeMark(standings, results, car));
        }
    }
    return marks;
}

}  // namespace vantrel
