#pragma once
// Shared by the timing harness's scenarios: the monotonic clock in ns and percentiles (the
// product's timing probe keeps them), and the disk writer that loads the machine while the
// timing thread runs.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "sensors/timing_probe.h"

namespace vantrel::bench {

// CLOCK_MONOTONIC in ns: the steady clock, and the clock the millisecond tick counts.
inline int64_t NowNs() {
    return MonotonicNowNs();
}

using Percentiles = TimingPercentiles;

inline Percentiles Of(std::vector<double> v) {
    return PercentilesOf(std::move(v));
}

using vantrel::GapsMs;

// Rewrites 1 MiB blocks of a 16 MiB file in a cycle, each pushed to the disk (fsync with
// `fullSync`, else fdatasync) until `stop` is set.
void DiskWriter(const std::atomic<bool>& stop, const std::filesystem::path& file, bool fullSync);

}  // namespace vantrel::bench
