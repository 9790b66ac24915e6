#pragma once
// The result buttons under the result grid (GYMKHANA): miss course, penalty +1, penalty -1
// and the lecture marker, each acting on one row.
// Thread rule: GUI thread only for the table function; the text functions are pure.

#include <cstdint>
#include <string>
#include <string_view>

#include "lists/result_table.h"

namespace vantrel {

enum class ResultButton : int32_t {
    kMissCourse,    // BitBtn4 "ﾐｽｺｰｽ"
    kPenaltyPlus,   // BitBtn5
    kPenaltyMinus,  // BitBtn6
    kLecture,       // BitBtn7 "ﾚｸﾁｬｰ"
};

// "Pen" texts: "MC" and empty toggle; any other text becomes "MC".
std::string ToggleMissCourse(std::string_view pen);
// The number in "Pen" plus one; empty, "MC" and other non-numbers count as 0.
std::string PenaltyPlusOne(std::string_view pen);
// The number in "Pen" minus one; 1 or less (or a non-number, "MC" included) becomes empty.
std::string PenaltyMinusOne(std::string_view pen);
// Removes the lecture marker when the comment holds it (its last occurrence), else appends it.
std::string ToggleLectureMarker(std::string_view comment);

struct ResultButtonOutcome {
    bool changed = false;         // the row was changed (so the list is modified)
    bool rebuildRanking = false;  // the standings must be rebuilt
};

// Applies a button to data row `row`. Nothing happens outside the GYMKHANA layout, outside
// the data rows, or on the empty list (there is no result to mark).
ResultButtonOutcome ApplyResultButton(ResultTable& table, int32_t row, ResultButton button);

}  // namespace vantrel
