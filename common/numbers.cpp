#include "common/numbers.h"

#include "common/race_mode.h"
#include "common/ui_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace vantrel {

namespace {
int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}
// Skips leading blanks and a sign; returns whether the sign was a minus.
bool SkipBlanksAndSign(std::string_view text, size_t& i) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    return negative;
}
}  // namespace

std::optional<int32_t> LeadingInt(std::string_view text) {
    size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    if (i >= text.size() || text[i] < '0' || text[i] > '9') {
        return std::nullopt;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{INT32_MAX} + 1);
    }
    value = negative ? -value : value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

std::optional<int32_t> StrToInt(std::string_view text) {
    size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > int64_t{INT32_MAX} + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT32_MAX || value < INT32_MIN) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
    return StrToInt(text).value_or(fallback);
}

namespace {
constexpr UiText kNotANumber = VANTREL_TEXT("numbers", "'%1' は数値ではありません");
}  // namespace

ConversionError::ConversionError(std::string text)
    : std::runtime_error(Translated(kNotANumber, {text})), text_(std::move(text)) {}

int32_t StrToIntOrThrow(std::string_view text) {
    const auto value = StrToInt(text);
    if (!value) {
        throw ConversionError(std::string(text));
    }
    return *value;
}

int32_t ParseCarNumber(std::string_view text) {
    const std::optional<int32_t> value = StrToInt(text);
    if (!value) {
        return kNotACarNumber;
    }
    // Out-of-range numbers are replaced, not refused.
    return (*value <= 0 || *value > kMaxCarNumber) ? kMaxCarNumber : *value;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace vantrel
