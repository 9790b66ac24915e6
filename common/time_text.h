#pragma once
// Time texts of results, splits, clocks and standings.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The options' time-output choice ("タイム出力形式").
enum class TimeFormat : int32_t {
    kMinutesSeconds = 0,  // "時間 (mm:ss.000)"
    kMilliseconds = 1,    // "ミリ秒 (ms.)"
};

// The one time-text formatter: plain milliseconds ("83456") when `format` is Milliseconds;
// else "SS.mmm" while the DRAG tab is active; else "MM:SS.mmm". Parts are padded with "0"
// to 2 (MM, SS) or 3 (mmm) characters only when shorter; longer parts stay whole.
// Division truncates toward zero, the remainder keeps the dividend's sign.
std::string FormatRaceTime(int32_t ms, TimeFormat format, bool dragActive);

// "MM:SS" for the on-course clocks; ignores the time-output choice.
std::string FormatClock(int32_t ms);

// Reads every shape FormatRaceTime produces back to milliseconds. A text without ":" or "."
// that is no integer (the empty text included) gives 2147483647; a non-number inside the
// "MM:SS.mmm" or "SS.mmm" shapes throws ConversionError.
int32_t ParseTimeText(std::string_view text);

// "HH:MM:SS" of the session clock; hours above 99 take as many digits as needed.
std::string FormatSessionClock(uint32_t elapsedMs);

}  // namespace vantrel
