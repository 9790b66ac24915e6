#include "lists/result_flag_check.h"

#include <algorithm>
#include <limits>

#include "common/numbers.h"
#include "common/time_text.h"

namespace vantrel {
namespace {

// The lap time of a row, or none when its text is no time.
std::optional<int32_t> LapTimeOf(const std::string& text) {
    try {
        const int32_t ms = ParseTimeText(text);
        if (ms <= 0 || ms == std::numeric_limits<int32_t>::max()) {
            return std::nullopt;
        }
        return ms;
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

}  // namespace

std::vector<int32_t> RecentLapsOf(const ResultTable& results, int32_t car) {
    std::vector<int32_t> laps;
    if (results.Mode() != RaceMode::kCircuit) {
        return laps;
    }
    const std::string carText = std::to_string(car);
    const int32_t stop = std::max(1, results.RowCount() - kLapScanRows);
    for (int32_t row = results.RowCount() - 1;
         row >= stop && laps.size() < static_cast<size_t>(kRecentLaps); --row) {
        if (results.Cell(ResultTable::kCar, row) != carText || !results.Flag(row).empty()) {
            continue;
        }
        if (const auto ms = LapTimeOf(results.Cell(ResultTable::kCircuitLapTime, row))) {
            laps.push_back(*ms);
        }
    }
    std::reverse(laps.begin(), laps.end());
    return laps;
}

std::string FlagForBooking(const ResultTable& results, const BookedResult& booked,
                           const FlagRule& rule) {
    std::optional<ResultFlag> flag;
    if (results.Mode() == RaceMode::kCircuit) {
        const std::vector<int32_t> earlier = RecentLapsOf(results, booked.car);
        flag = JudgeLap(booked.timeMs, earlier, rule.shortLapPercent);
    } else if (!booked.timedOut) {
        flag = JudgeTime(booked.timeMs, rule);
    }
    return flag ? FlagText(*flag) : std::string();
}

bool StepBooksRow(const ListStep& step, int32_t row) {
    if (step.kind != StepKind::kBooking) {
        return false;
    }
    for (const ListChange& change : step.changes) {
        if (const auto* rows = std::get_if<RowsChange>(&change)) {
            const auto count = static_cast<int32_t>(rows->rows.size());
            if (rows->inserted && row >= rows->firstRow && row < rows->firstRow + count) {
                return true;
            }
        } else if (const auto* cell = std::get_if<CellChange>(&change)) {
            if (cell->list == ListKind::kResult && cell->row == row) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace vantrel
