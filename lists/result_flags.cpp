#include "lists/result_flags.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace vantrel {
namespace {

constexpr char kMark = '?';
constexpr char kShortTag = 'L';
constexpr char kBelowTag = 'B';
constexpr char kAboveTag = 'A';

// A decimal number without sign that fills `text` whole.
std::optional<int32_t> WholeNumber(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

int32_t MedianMs(std::span<const int32_t> lapsMs) {
    if (lapsMs.empty()) {
        return 0;
    }
    std::vector<int32_t> sorted(lapsMs.begin(), lapsMs.end());
    std::sort(sorted.begin(), sorted.end());
    const size_t middle = sorted.size() / 2;
    if (sorted.size() % 2 == 1) {
        return sorted[middle];
    }
    return static_cast<int32_t>((int64_t{sorted[middle - 1]} + sorted[middle]) / 2);
}

std::optional<ResultFlag> JudgeLap(int32_t lapMs, std::span<const int32_t> earlierMs,
                                   int32_t percent) {
    if (percent <= 0 || earlierMs.size() < static_cast<size_t>(kLapsToJudge)) {
        return std::nullopt;
    }
    const size_t count = std::min(earlierMs.size(), static_cast<size_t>(kRecentLaps));
    const auto recent = earlierMs.last(count);
    const int32_t median = MedianMs(recent);
    if (int64_t{lapMs} * 100 >= int64_t{median} * percent) {
        return std::nullopt;
    }
    return ResultFlag{FlagKind::kShortLap, static_cast<int32_t>(count), median, percent};
}

std::optional<ResultFlag> JudgeTime(int32_t timeMs, const FlagRule& rule) {
    if (rule.windowMinMs > 0 && timeMs < rule.windowMinMs) {
        return ResultFlag{FlagKind::kBelowWindow, 0, rule.windowMinMs, 0};
    }
    if (rule.windowMaxMs > 0 && timeMs > rule.windowMaxMs) {
        return ResultFlag{FlagKind::kAboveWindow, 0, rule.windowMaxMs, 0};
    }
    return std::nullopt;
}

std::string FlagText(const ResultFlag& flag) {
    std::string text(1, kMark);
    switch (flag.kind) {
        case FlagKind::kShortLap:
            return text + kShortTag + std::to_string(flag.laps) + "/" +
                   std::to_string(flag.referenceMs) + "/" + std::to_string(flag.percent);
        case FlagKind::kBelowWindow:
            return text + kBelowTag + std::to_string(flag.referenceMs);
        case FlagKind::kAboveWindow:
            break;
    }
    return text + kAboveTag + std::to_string(flag.referenceMs);
}

std::optional<ResultFlag> ParseFlagText(std::string_view text) {
    if (text.size() < 3 || text[0] != kMark) {
        return std::nullopt;
    }
    const char tag = text[1];
    text.remove_prefix(2);
    if (tag == kBelowTag || tag == kAboveTag) {
        const std::optional<int32_t> limit = WholeNumber(text);
        if (!limit) {
            return std::nullopt;
        }
        return ResultFlag{tag == kBelowTag ? FlagKind::kBelowWindow : FlagKind::kAboveWindow, 0,
                          *limit, 0};
    }
    if (tag != kShortTag) {
        return std::nullopt;
    }
    const size_t first = text.find('/');
    const size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto laps = WholeNumber(text.substr(0, first));
    const auto median = WholeNumber(text.substr(first + 1, second - first - 1));
    const auto percent = WholeNumber(text.substr(second + 1));
    if (!laps || !median || !percent) {
        return std::nullopt;
    }
    return ResultFlag{FlagKind::kShortLap, *laps, *median, *percent};
}

}  // namespace vantrel
