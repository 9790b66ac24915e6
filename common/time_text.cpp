#include "common/time_text.h"

#include <charconv>
#include <climits>
#include <iterator>

#include "common/numbers.h"

namespace vantrel {

namespace {
// Appends the decimal text of `value`, left-padded with "0" to `width` characters only when
// shorter. The texts are built in place: a circuit race formats two times per lap.
void AppendPadded(std::string& text, int64_t value, size_t width) {
    char digits[24];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    const auto length = static_cast<size_t>(end - digits);
    if (length < width) {
        text.append(width - length, '0');
    }
    text.append(digits, length);
}

std::string Padded(int64_t value, size_t width) {
    std::string text;
    AppendPadded(text, value, width);
    return text;
}
}  // namespace

std::string FormatRaceTime(int32_t ms, TimeFormat format, bool dragActive) {
    if (format == TimeFormat::kMilliseconds) {
        return std::to_string(ms);
    }
    // C++ division truncates toward zero and the remainder keeps the dividend's sign.
    std::string text;
    if (dragActive) {
        AppendPadded(text, ms / 1000, 2);
    } else {
        AppendPadded(text, ms / 60000, 2);
        text += ':';
        AppendPadded(text, (ms % 60000) / 1000, 2);
    }
    text += '.';
    AppendPadded(text, ms % 1000, 3);
    return text;
}

std::string FormatClock(int32_t ms) {
    return Padded(ms / 60000, 2) + ":" + Padded((ms % 60000) / 1000, 2);
}

int32_t ParseTimeText(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon != std::string_view::npos) {
        const int64_t minutes = StrToIntOrThrow(text.substr(0, colon));
        const int64_t seconds = StrToIntOrThrow(text.substr(colon + 1, 2));
        const std::string_view msText =
            colon + 4 <= text.size() ? text.substr(colon + 4, 3) : std::string_view();
        const int64_t millis = StrToIntOrThrow(msText);
        return static_cast<int32_t>(minutes * 60000 + seconds * 1000 + millis);
    }
    const size_t point = text.find('.');
    if (point != std::string_view::npos) {
        const int64_t seconds = StrToIntOrThrow(text.substr(0, point));
        const int64_t millis = StrToIntOrThrow(text.substr(point + 1, 3));
        return static_cast<int32_t>(seconds * 1000 + millis);
    }
    return StrToInt(text).value_or(INT32_MAX);
}

std::string FormatSessionClock(uint32_t elapsedMs) {
    const uint32_t hours = elapsedMs / 3600000;
    const uint32_t minutes = (elapsedMs / 1000) % 3600 / 60;
    const uint32_t seconds = (elapsedMs / 1000) % 60;
    return Padded(hours, 2) + ":" + Padded(minutes, 2) + ":" + Padded(seconds, 2);
}

}  // namespace vantrel
