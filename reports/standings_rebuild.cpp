#include "reports/standings_rebuild.h"

#include "common/numbers.h"
#include "common/text_file.h"
#include "common/ui_text.h"
#include "lists/list_texts.h"

namespace vantrel {

namespace {

constexpr int32_t kPenaltyMs = 5000;
constexpr UiText kNotANumber = VANTREL_TEXT("reports", "'%1' は数値ではありません");

// The cells of one result row; columns the layout lacks read as "".
struct Cells {
    const ResultTable& results;
    int32_t row;
    const std::string& operator[](int32_t column) const { return results.Cell(column, row); }
};

void ReplayGymkhana(Standings& standings, int32_t car, const Cells& row, const TimeStyle& style) {
    if (row[5].find(kLectureMarker) != std::string::npos) {
        return;
    }
    const std::string& penalty = row[3];
    if (penalty.empty()) {
        const int32_t time = ParseTimeText(row[4]);
        standings.AddResult(car, time, StrToIntOrThrow(row[8]), style, row.row);
    } else if (penalty == kPenMissCourse) {
        standings.AddResult(car, -1, StrToIntOrThrow(row[8]), style, row.row);
    } else {
        const int32_t time = ParseTimeText(row[4]);
        const int64_t penaltyMs = int64_t{kPenaltyMs} * StrToIntOrThrow(penalty);
        standings.AddResult(car, SaturatedSum(time, penaltyMs), StrToIntOrThrow(row[8]), style,
                            row.row);
    }
}

void ReplayRow(Standings& standings, ReplayRule rule, int32_t car, const Cells& row,
               const TimeStyle& style) {
    switch (rule) {
        case ReplayRule::kGymkhana:
            ReplayGymkhana(standings, car, row, style);
            return;
        case ReplayRule::kDrag: {
            // "Fly" runs count, exactly as the finish routine passed them on.
            const int32_t elapsed = ParseTimeText(row[4]);
            standings.AddResult(car, elapsed, StrToIntOrThrow(row[12]), style, row.row);
            return;
        }
        case ReplayRule::kCircuitLapTiming: {
            const int32_t lap = ParseTimeText(row[4]);
            standings.AddResult(car, lap, StrToIntOrThrow(row[3]), style, row.row);
            return;
        }
        case ReplayRule::kCircuitCommonStart: {
            const int32_t lap = ParseTimeText(row[4]);
            const int32_t total = ParseTimeText(row[5]);
            // A lap count is an integer: a stray text must not read as 2147483647 laps.
            const int32_t laps = StrToIntOrThrow(row[3]);
            standings.AddCommonStartLap(car, lap, total, laps, style);
            return;
        }
    }
}

}  // namespace

ReplayRule ReplayRuleFor(RaceMode activeTab, bool commonStart) {
    switch (activeTab) {
        case RaceMode::kDrag:
            return ReplayRule::kDrag;
        case RaceMode::kCircuit:
            return commonStart ? ReplayRule::kCircuitCommonStart : ReplayRule::kCircuitLapTiming;
        case RaceMode::kGymkhana:
            break;
    }
    return ReplayRule::kGymkhana;
}

RebuildOutcome RebuildRanking(Standings& standings, const ResultTable& results, ReplayRule rule,
                              const TimeStyle& style) {
    standings.ClearRecord();
    for (int32_t i = 1; i < results.RowCount() && !results.Cell(0, i).empty(); ++i) {
        try {
            const int32_t car = StrToIntOrThrow(results.Cell(0, i));
            ReplayRow(standings, rule, car, Cells{results, i}, style);
        } catch (const ConversionError& error) {
            // Only the start of the text goes into the message: a cell may be a whole file.
            return RebuildOutcome{false, i,
                                  Translated(kNotANumber, {QuoteForMessage(error.Text())})};
        }
    }
    return RebuildOutcome{};
}

std::string RebuildErrorInFile(const RebuildOutcome& outcome, const std::filesystem::path& file) {
    return FileLinePlace(file, outcome.failedRow) + ": " + outcome.error;
}

}  // namespace vantrel
