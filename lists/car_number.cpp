#include "lists/car_number.h"

#include "app/race_mode.h"
#include "common/numbers.h"

namespace vantrel {

std::optional<int32_t> ParseCarNumber(std::string_view text) {
    const std::optional<int32_t> value = StrToInt(text);
    if (!value) {
        return std::nullopt;
    }
    if (*value <= 0 || *value > kMaxCarNumber) {
        return kMaxCarNumber;
    }
    return *value;
}

}  // namespace vantrel
