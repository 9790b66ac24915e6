#include "sensors/timing_verdict.h"

#include <cstdio>
#include <initializer_list>

#include "common/messages.h"

namespace vantrel {

namespace {

// The report's own words; the verdict's texts are with the program's messages.
constexpr UiText kTickInterval = VANTREL_TEXT("timing report", "ティック間隔");
constexpr UiText kStampError = VANTREL_TEXT("timing report", "刻時誤差");
constexpr UiText kPortRead = VANTREL_TEXT("timing report", "ポート読み取り");
constexpr UiText kMaximum = VANTREL_TEXT("timing report", "最大");
constexpr UiText kReasonSeparator = VANTREL_TEXT("timing report", "、");
// %1 passings seen of %2, %3 port reads, %4 events lost.
constexpr UiText kCounts =
    VANTREL_TEXT("timing report", "通過 %1/%2, 読み取り %3 回, 取りこぼし %4");

// `text` with %1, %2 ... replaced by `args` in order.
std::string Fill(const UiText& text, std::initializer_list<std::string> args) {
    std::string out = Translated(text);
    int n = 1;
    for (const std::string& arg : args) {
        const std::string mark = "%" + std::to_string(n++);
        const size_t at = out.find(mark);
        if (at != std::string::npos) {
            out.replace(at, mark.size(), arg);
        }
    }
    return out;
}

std::string Ms(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ms);
    return text;
}

std::string Figures(const UiText& name, const TimingPercentiles& p) {
    char text[160];
    std::snprintf(text, sizeof text, " (ms): 50%% %.3f / 99%% %.3f / 99.9%% %.3f / %s %.3f", p.p50,
                  p.p99, p.p999, Translated(kMaximum).c_str(), p.max);
    return Translated(name) + text;
}

void Check(bool ok, const UiText& okText, const UiText& failText,
           std::initializer_list<std::string> args, TimingVerdict& verdict,
           std::vector<std::string>& kept) {
    if (ok) {
        kept.push_back(Fill(okText, args));
    } else {
        verdict.keeps = false;
        verdict.reasons.push_back(Fill(failText, args));
    }
}

}  // namespace

TimingVerdict JudgeTiming(const ProbeResult& r, int32_t resolutionMs) {
    TimingVerdict verdict;
    verdict.keeps = true;
    std::vector<std::string> kept;
    const double period = resolutionMs;
    if (r.seen >= r.total) {
        kept.push_back(Fill(msg::kReasonAllSeen, {std::to_string(r.total)}));
    } else {
        verdict.keeps = false;
        verdict.reasons.push_back(Fill(
            msg::kReasonEdgesMissed, {std::to_string(r.total - r.seen), std::to_string(r.total)}));
    }
    if (r.lost > 0) {
        verdict.keeps = false;
        verdict.reasons.push_back(Fill(msg::kReasonEventsLost, {std::to_string(r.lost)}));
    }
    Check(r.stamp.p999 <= period + kStampSlackMs, msg::kReasonStampOk, msg::kReasonStampLate,
          {Ms(r.stamp.p999), Ms(period + kStampSlackMs)}, verdict, kept);
    Check(r.interval.p999 <= period * kIntervalPeriods, msg::kReasonIntervalOk,
          msg::kReasonIntervalLong, {Ms(r.interval.p999), Ms(period * kIntervalPeriods)}, verdict,
          kept);
    if (r.hadPort) {
        Check(r.readCost.p99 <= period * kReadShare, msg::kReasonReadOk, msg::kReasonReadSlow,
              {Ms(r.readCost.p99), Ms(period * kReadShare)}, verdict, kept);
        if (r.portFailures > 0) {
            verdict.keeps = false;
            verdict.reasons.push_back(
                Fill(msg::kReasonPortFailed, {std::to_string(r.portFailures)}));
        }
    }
    if (verdict.keeps) {
        verdict.reasons = std::move(kept);
    }
    return verdict;
}

std::string VerdictLine(const TimingVerdict& verdict, int32_t resolutionMs) {
    std::string reasons;
    for (const std::string& reason : verdict.reasons) {
        reasons += (reasons.empty() ? "" : Translated(kReasonSeparator)) + reason;
    }
    return Fill(verdict.keeps ? msg::kVerdictYes : msg::kVerdictNo,
                {std::to_string(resolutionMs), reasons});
}

std::vector<std::string> TimingReportLines(const ProbeResult& r, const TimingVerdict& verdict,
                                           const std::string& sourceText, int32_t resolutionMs) {
    std::vector<std::string> lines;
    lines.push_back(Translated(msg::kSelfTestCaption) + ": " + sourceText + ", " +
                    std::to_string(resolutionMs) + " ms");
    lines.push_back(Figures(kTickInterval, r.interval));
    lines.push_back(Figures(kStampError, r.stamp));
    if (r.hadPort) {
        lines.push_back(Figures(kPortRead, r.readCost));
    }
    lines.push_back(Translated(kCounts, {std::to_string(r.seen), std::to_string(r.total),
                                         std::to_string(r.reads), std::to_string(r.lost)}));
    lines.push_back(Translated(r.realtime ? msg::kRealtimeGranted : msg::kRealtimeRefused));
    lines.push_back(r.cancelled ? Translated(msg::kVerdictCancelled)
                                : VerdictLine(verdict, resolutionMs));
    return lines;
}

}  // namespace vantrel
