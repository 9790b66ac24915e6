#include "lists/result_buttons.h"

#include <limits>

#include "common/numbers.h"
#include "lists/list_texts.h"

namespace vantrel {

std::string ToggleMissCourse(std::string_view pen) {
    return pen == kPenMissCourse ? std::string() : std::string(kPenMissCourse);
}

std::string PenaltyPlusOne(std::string_view pen) {
    const int32_t value = StrToIntDef(pen, 0);
    if (value == std::numeric_limits<int32_t>::max()) {
        return std::to_string(value);
    }
    return std::to_string(value + 1);
}

std::string PenaltyMinusOne(std::string_view pen) {
    const int32_t value = StrToIntDef(pen, 0);
    // A count of one or less has nothing left to take away: the cell empties (also "MC").
    if (value <= 1) {
        return std::string();
    }
    return std::to_string(value - 1);
}

std::string ToggleLectureMarker(std::string_view comment) {
    const size_t at = comment.rfind(kLectureMarker);
    std::string result(comment);
    if (at == std::string_view::npos) {
        result += kLectureMarker;
    } else {
        result.erase(at, kLectureMarker.size());
    }
    return result;
}

ResultButtonOutcome ApplyResultButton(ResultTable& table, int32_t row, ResultButton button) {
    if (table.Mode() != RaceMode::kGymkhana || row < 1 || row >= table.RowCount() ||
        table.IsEmpty()) {
        return {};
    }
    const int32_t pen = ResultTable::kGymkhanaPen;
    const int32_t comment = ResultTable::kGymkhanaComment;
    switch (button) {
        case ResultButton::kMissCourse:
            table.SetCell(pen, row, ToggleMissCourse(table.Cell(pen, row)));
            break;
        case ResultButton::kPenaltyPlus:
            table.SetCell(pen, row, PenaltyPlusOne(table.Cell(pen, row)));
            break;
        case ResultButton::kPenaltyMinus:
            table.SetCell(pen, row, PenaltyMinusOne(table.Cell(pen, row)));
            break;
        case ResultButton::kLecture:
            table.SetCell(comment, row, ToggleLectureMarker(table.Cell(comment, row)));
            break;
    }
    return {true, true};
}

}  // namespace vantrel
