#pragma once
// The time-text style in force when a standings operation runs: the options' time-output
// choice and whether the DRAG tab is the active page.
// Thread rule: any thread (plain value).

#include <cstdint>
#include <string>

#include "common/time_text.h"

namespace vantrel {

struct TimeStyle {
    TimeFormat format = TimeFormat::kMinutesSeconds;
    bool dragActive = false;

    bool operator==(const TimeStyle&) const = default;
};

inline std::string TimeText(int32_t ms, const TimeStyle& style) {
    return FormatRaceTime(ms, style.format, style.dragActive);
}

// a - b without overflow, held to the int32 range (hand-edited lists can hold any number).
int32_t SaturatedDifference(int32_t a, int32_t b);

// a + b without overflow, held to the int32 range.
int32_t SaturatedSum(int64_t a, int64_t b);

}  // namespace vantrel
