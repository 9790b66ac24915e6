#pragma once
// Car numbers typed by the timekeeper (result "Car" cells, course corrections).
// Thread rule: any thread (pure function).

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

// The car number in `text`: a value <= 0 or >= 200 becomes 199 (typed numbers out of range
// are taken as the last car rather than refused). Text that is not a number gives nullopt;
// the caller then shows the input-error box (kInputErrorText, kInputErrorCaption).
std::optional<int32_t> ParseCarNumber(std::string_view text);

}  // namespace vantrel
