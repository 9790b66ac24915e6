#pragma once
// Shared by the timing harness's scenarios: the monotonic clock in ns, percentiles, and the
// disk writer that loads the machine while the timing thread runs.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace vantrel::bench {

// CLOCK_MONOTONIC in ns: the steady clock, and the clock the millisecond tick counts.
int64_t NowNs();

struct Percentiles {
    double p50, p99, p999, max;
};

Percentiles Of(std::vector<double> v);

// The gaps between successive times, in ms.
std::vector<double> GapsMs(const std::vector<int64_t>& ns, size_t count);

// Rewrites 1 MiB blocks of a 16 MiB file in a cycle, each pushed to the disk (fsync with
// `fullSync`, else fdatasync) until `stop` is set.
void DiskWriter(const std::atomic<bool>& stop, const std::filesystem::path& file, bool fullSync);

}  // namespace vantrel::bench
