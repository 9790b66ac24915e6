#pragma once
// Which booked results look implausible and are marked for the timekeeper to review: a circuit
// lap much shorter than the car's recent laps, or a gymkhana or drag time outside the event's
// plausible window. A mark never stops a booking. It is kept with its row as a short text
// ("?L5/62300/60"), which the result file writes after the row's columns, where readers that
// know no marks do not look.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

enum class FlagKind : uint8_t { kShortLap, kBelowWindow, kAboveWindow };

struct ResultFlag {
    FlagKind kind = FlagKind::kShortLap;
    int32_t laps = 0;         // short lap: how many earlier laps it was judged against
    int32_t referenceMs = 0;  // short lap: their median; window: the limit crossed
    int32_t percent = 0;      // short lap: the share of the median a lap must reach
    bool operator==(const ResultFlag&) const = default;
};

// What is judged; 0 switches a check off.
struct FlagRule {
    int32_t shortLapPercent = 60;
    int32_t windowMinMs = 0;
    int32_t windowMaxMs = 0;
    bool operator==(const FlagRule&) const = default;
};

// A lap is judged against at most this many of the car's latest earlier laps, and only when
// there are at least kLapsToJudge of them: two laps say too little about a car's pace.
inline constexpr int32_t kRecentLaps = 5;
inline constexpr int32_t kLapsToJudge = 3;

// The median of `lapsMs`; with an even count the mean of the middle two (rounded down).
int32_t MedianMs(std::span<const int32_t> lapsMs);

// A lap shorter than `percent` % of the median of the last kRecentLaps of `earlierMs` (oldest
// first); none when fewer than kLapsToJudge are given or `percent` is 0.
std::optional<ResultFlag> JudgeLap(int32_t lapMs, std::span<const int32_t> earlierMs,
                                   int32_t percent);
// A run or drag time below the window's minimum or above its maximum.
std::optional<ResultFlag> JudgeTime(int32_t timeMs, const FlagRule& rule);

// The mark's text, and the mark a text holds (none for any other text).
std::string FlagText(const ResultFlag& flag);
std::optional<ResultFlag> ParseFlagText(std::string_view text);

}  // namespace vantrel
