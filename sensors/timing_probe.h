#pragma once
// Measures how well this machine keeps time: the real timing thread samples a probe source
// whose sensor edges happen at known monotonic times, optionally reading the port in use on
// every tick (so that the port's cost is in the figures), while a consumer thread stands in
// for the window. The result holds the tick-interval, stamp-error and read-cost
// distributions. The timing self-test and the timing harness both run it.
// Thread rule: a TimingProbe is started, cancelled and read from one thread (its owner);
// Progress, Finished and Cancel may be called while it runs; its own threads touch nothing
// else. The free functions are for any thread.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "sensors/input_source.h"

namespace vantrel {

// CLOCK_MONOTONIC in ns: the clock the millisecond tick counts.
int64_t MonotonicNowNs();

struct TimingPercentiles {
    double p50 = 0;
    double p99 = 0;
    double p999 = 0;
    double max = 0;
};

TimingPercentiles PercentilesOf(std::vector<double> values);
// The gaps between successive times (ns) among the first `count`, in ms.
std::vector<double> GapsMs(const std::vector<int64_t>& ns, size_t count);

// The four inputs take turns: one edge every 20 ms, each pulse 30 ms long.
constexpr int64_t kProbeEdgeSpacingNs = 20'000'000;
constexpr int64_t kProbePulseNs = 30'000'000;
constexpr int64_t kProbeLeadNs = 200'000'000;  // before the first edge, and after the last
// The edges of a probe that runs about `seconds` in all.
int32_t ProbeEdgesFor(double seconds);

// Pulses on Start, Finish, Split 1 and Split 2 in turn at known times (sub-millisecond phases
// from a fixed pseudo-random sequence). Reads `port` first on every read when one is given,
// timing the read, and records the time of every read.
class ProbeSource final : public InputSource {
public:
    ProbeSource(int64_t firstEdgeNs, int32_t count, InputSource* port);

    ReadRule Rule() const override { return ReadRule::kLevels; }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(uint32_t now, RawSample& out) override;
    void WriteLamp(uint8_t) override {}
    void Close() override {}
    std::string LastError() const override { return {}; }

    const std::vector<int64_t>& Starts() const { return starts_; }
    // Timing thread while it runs; afterwards any thread.
    const std::vector<int64_t>& ReadTimes() const { return readNs_; }
    const std::vector<double>& ReadCostsMs() const { return readCostMs_; }
    uint64_t PortFailures() const { return portFailures_; }

private:
    std::vector<int64_t> starts_;
    std::vector<int64_t> readNs_;
    std::vector<double> readCostMs_;
    InputSource* port_;
    uint64_t portFailures_ = 0;
};

struct ProbeOptions {
    int32_t periodMs = 3;
    int32_t edgeCount = 480;
    InputSource* port = nullptr;    // open, read on every tick; not owned
    bool consumerFreezes = false;   // the consumer stops for 1 s every 3 s (a modal box)
    bool blockingHandOver = false;  // each wake waits until the consumer has taken all
};

struct ProbeResult {
    TimingPercentiles interval;     // ms between reads
    TimingPercentiles stamp;        // ms, sample tick minus true edge
    TimingPercentiles frozenStamp;  // the same over edges that came while the consumer froze
    TimingPercentiles readCost;     // ms a read of the port took (zero without a port)
    int32_t seen = 0;
    int32_t total = 0;
    int32_t frozenSeen = 0;
    uint64_t lost = 0;          // events the queue dropped
    uint64_t portFailures = 0;  // port reads that failed
    uint64_t reads = 0;
    bool realtime = false;
    bool hadPort = false;
    bool cancelled = false;
    int32_t periodMs = 0;
};

class TimingProbe {
public:
    explicit TimingProbe(ProbeOptions options);
    // Cancels a run still going and waits for it.
    ~TimingProbe();
    TimingProbe(const TimingProbe&) = delete;
    TimingProbe& operator=(const TimingProbe&) = delete;

    // Starts the measurement on threads of its own; returns at once.
    void Start();
    // Ends the run early; Result then says cancelled.
    void Cancel();
    bool Finished() const { return finished_.load(); }
    // 0..1 of the run's planned length.
    double Progress() const;
    // Once Finished (joins the measuring thread).
    const ProbeResult& Result();
    // Start, wait to the end, Result.
    ProbeResult Run();

    int64_t PlannedNs() const;

private:
    void Measure();
    // Waits the run's length or until cancelled; false when cancelled.
    bool WaitRun(int64_t untilNs);

    ProbeOptions options_;
    ProbeResult result_;
    std::thread thread_;
    std::atomic<bool> finished_{false};
    std::atomic<int64_t> beganNs_{0};
    std::mutex mutex_;
    std::condition_variable cancelled_;
    bool cancel_ = false;
};

}  // namespace vantrel
