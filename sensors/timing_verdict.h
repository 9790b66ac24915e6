#pragma once
// Whether the figures of a timing probe show that this machine keeps the chosen resolution,
// with the reasons a timekeeper can check, and the report saved for the event's records.
// Thread rule: any thread.

#include <cstdint>
#include <string>
#include <vector>

#include "sensors/timing_probe.h"

namespace vantrel {

// A stamp may be late by one period plus the millisecond the tick is counted in.
constexpr double kStampSlackMs = 1.0;
// A tick interval may stretch to this many periods before edges start to be stamped late.
constexpr double kIntervalPeriods = 2.0;
// A port read may take this share of the period.
constexpr double kReadShare = 0.5;

struct TimingVerdict {
    bool keeps = false;
    // Why, one figure a line: the failed limits for "no", the limits kept for "yes".
    std::vector<std::string> reasons;
};

TimingVerdict JudgeTiming(const ProbeResult& result, int32_t resolutionMs);
// "このPCは 3 ms の計時を保てます: はい、理由: ..." on one line.
std::string VerdictLine(const TimingVerdict& verdict, int32_t resolutionMs);
// The figures as text lines: the source, the distributions, the priority, the verdict.
std::vector<std::string> TimingReportLines(const ProbeResult& result, const TimingVerdict& verdict,
                                           const std::string& sourceText, int32_t resolutionMs);

}  // namespace vantrel
