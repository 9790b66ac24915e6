// Timing accuracy harness (run on demand, not a test): a source whose sensor edges happen at
// known monotonic times is sampled by the real timing thread at 1 ms and 3 ms. It prints the
// stamp error (sample tick minus true edge) and the tick-interval distribution, idle and
// while a GUI-like consumer freezes for 1 s every 3 s and a disk writer runs; the same load
// is also run against a hand-over that waits for the consumer after every tick with events.

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "sensors/sampler.h"
#include "sensors/timing_loop.h"

namespace vantrel::bench {
namespace {

constexpr int64_t kEdgeSpacingNs = 150'000'000;  // inputs alternate: each every 300 ms
constexpr int64_t kPulseNs = 60'000'000;         // a car breaks the beam for 60 ms
constexpr int kRunSeconds = 8;
constexpr uint8_t kStartMask = 0x10;
constexpr uint8_t kFinishMask = 0x40;

int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Pulses on Start (even) and Finish (odd) at known times, with sub-millisecond phases spread
// by a fixed pseudo-random sequence. Also records the time of every read.
class EdgeSource final : public InputSource {
public:
    EdgeSource(int64_t firstNs, int count) {
        uint32_t seed = 12345;
        for (int i = 0; i < count; ++i) {
            seed = seed * 1103515245u + 12345u;
            starts.push_back(firstNs + i * kEdgeSpacingNs + (seed >> 8) % 1'000'000);
        }
        readNs.reserve(kRunSeconds * 1100 + 1000);
    }
    ReadRule Rule() const override { return ReadRule::Levels; }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(uint32_t, RawSample& out) override {
        const int64_t now = NowNs();
        if (readNs.size() < readNs.capacity()) {
            readNs.push_back(now);
        }
        out = RawSample{};
        auto it = std::upper_bound(starts.begin(), starts.end(), now);
        if (it != starts.begin()) {
            const size_t i = static_cast<size_t>(it - starts.begin()) - 1;
            if (now - starts[i] < kPulseNs) {
                out.statusByte &= static_cast<uint8_t>(~(i % 2 == 0 ? kStartMask : kFinishMask));
            }
        }
        return true;
    }
    void WriteLamp(uint8_t) override {}
    void Close() override {}
    std::string LastError() const override { return {}; }

    std::vector<int64_t> starts;
    std::vector<int64_t> readNs;
};

// The consumer's side: the GUI thread stand-in.
struct Consumer {
    SensorEventQueue& queue;
    bool freezes;
    std::atomic<uint32_t> wakeSeq{0};
    std::atomic<uint32_t> drainedSeq{0};
    std::atomic<bool> stop{false};
    std::vector<SensorEvent> edges;

    void Run() {
        int64_t nextFreeze = NowNs() + 1'000'000'000;
        uint32_t seen = 0;
        while (!stop.load()) {
            if (freezes && NowNs() >= nextFreeze) {
                std::this_thread::sleep_for(std::chrono::seconds(1));  // a modal box, a rebuild
                nextFreeze += 3'000'000'000;
            }
            seen = wakeSeq.load();
            SensorEvent e;
            while (queue.Pop(e)) {
                if (e.kind == SensorEventKind::ActiveEdge) {
                    edges.push_back(e);
                }
            }
            drainedSeq.store(seen);
            drainedSeq.notify_all();
            wakeSeq.wait(seen);
        }
    }
};

// The queue design: a lock-free, coalesced wake. The blocking design also waits until the
// consumer has taken everything, as a synchronised call would.
class BenchWaker final : public EventWaker {
public:
    BenchWaker(Consumer& consumer, bool blocking) : consumer_(consumer), blocking_(blocking) {}
    void Wake() override {
        const uint32_t mine = consumer_.wakeSeq.fetch_add(1) + 1;
        consumer_.wakeSeq.notify_all();
        if (!blocking_) {
            return;
        }
        for (uint32_t d = consumer_.drainedSeq.load(); static_cast<int32_t>(d - mine) < 0;
             d = consumer_.drainedSeq.load()) {
            consumer_.drainedSeq.wait(d);
            if (consumer_.stop.load()) {
                return;
            }
        }
    }

private:
    Consumer& consumer_;
    bool blocking_;
};

void DiskWriter(const std::atomic<bool>& stop, const std::filesystem::path& file) {
    const std::string block(4 << 20, 'x');
    while (!stop.load()) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        out.close();
        sync();
    }
}

struct Percentiles {
    double p50, p99, p999, max;
};

Percentiles Of(std::vector<double> v) {
    if (v.empty()) {
        return {0, 0, 0, 0};
    }
    std::sort(v.begin(), v.end());
    auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<size_t>(q * v.size()))]; };
    return {at(0.50), at(0.99), at(0.999), v.back()};
}

struct Result {
    Percentiles interval;  // ms between reads
    Percentiles stamp;     // ms, sample tick minus true edge
    int seen = 0;
    int total = 0;
    uint64_t lost = 0;
    bool realtime = false;
};

Result RunOnce(int periodMs, bool load, bool blocking) {
    SessionState session;
    MonotonicMsClock clock;
    SensorEventQueue queue;
    const int edgeCount = static_cast<int>(kRunSeconds * 1'000'000'000LL / kEdgeSpacingNs) - 2;
    EdgeSource source(NowNs() + 200'000'000, edgeCount);
    SamplerConfig config;
    config.pollPeriodMs = periodMs;
    config.offDelayMs = 100;
    config.startMask = kStartMask;
    config.finishMask = kFinishMask;
    config.source = &source;
    Sampler sampler(session, clock, queue);
    sampler.Configure(config);
    sampler.Prime();

    Consumer consumer{queue, load, {}, {}, {}, {}};
    BenchWaker waker(consumer, blocking);
    TimingLoop loop(sampler, clock, session.running, &waker);
    std::atomic<bool> stopWriter{false};
    const auto file = std::filesystem::temp_directory_path() / "vantrel_bench_disk.tmp";
    std::thread writer;
    if (load) {
        writer = std::thread(DiskWriter, std::cref(stopWriter), file);
    }
    std::thread gui([&] { consumer.Run(); });
    session.running = true;
    loop.Arm();
    std::this_thread::sleep_for(std::chrono::seconds(kRunSeconds));
    session.running = false;
    consumer.stop = true;
    consumer.wakeSeq.fetch_add(1);
    consumer.wakeSeq.notify_all();
    consumer.drainedSeq.fetch_add(1);
    consumer.drainedSeq.notify_all();
    loop.Join();
    gui.join();
    stopWriter = true;
    if (writer.joinable()) {
        writer.join();
    }
    std::filesystem::remove(file);

    Result r;
    r.realtime = loop.RealtimeGranted();
    r.lost = queue.LostTotal();
    r.total = edgeCount;
    std::vector<double> intervals;
    for (size_t i = 1; i < source.readNs.size(); ++i) {
        intervals.push_back((source.readNs[i] - source.readNs[i - 1]) / 1e6);
    }
    r.interval = Of(intervals);
    std::vector<double> errors;
    for (const SensorEvent& e : consumer.edges) {
        // The pulse that was active at the stamp: the latest start not after the tick's ms.
        const int64_t tickEndNs = (static_cast<int64_t>(e.tick) + 1) * 1'000'000;
        auto it = std::upper_bound(source.starts.begin(), source.starts.end(), tickEndNs);
        if (it == source.starts.begin()) {
            continue;
        }
        const int64_t startNs = *(it - 1);
        // Compare in the same 32-bit millisecond scale as the tick.
        const double startMs = static_cast<double>(static_cast<uint32_t>(startNs / 1'000'000)) +
                               (startNs % 1'000'000) / 1e6;
        errors.push_back(static_cast<double>(e.tick) - startMs);
    }
    r.seen = static_cast<int>(consumer.edges.size());
    r.stamp = Of(errors);
    return r;
}

void Print(int periodMs, const char* name, const Result& r) {
    std::printf("%2d ms  %-22s %7.3f %7.3f %8.3f %8.1f | %7.3f %7.3f %8.3f %8.3f | %4d/%-4d %4llu\n",
                periodMs, name, r.interval.p50, r.interval.p99, r.interval.p999, r.interval.max,
                r.stamp.p50, r.stamp.p99, r.stamp.p999, r.stamp.max, r.seen, r.total,
                static_cast<unsigned long long>(r.lost));
    std::fflush(stdout);
}

}  // namespace
}  // namespace vantrel::bench

int main() {
    using namespace vantrel::bench;
    std::printf("period scenario              tick interval ms (p50 p99 p99.9 max) | "
                "stamp error ms (p50 p99 p99.9 max) | edges seen/total, lost\n");
    bool realtime = false;
    for (int period : {1, 3}) {
        Result idle = RunOnce(period, false, false);
        realtime = idle.realtime;
        Print(period, "idle, queue", idle);
        Print(period, "load, queue", RunOnce(period, true, false));
        Print(period, "load, blocking", RunOnce(period, true, true));
    }
    std::printf("real-time class (SCHED_FIFO): %s\n",
                realtime ? "granted" : "refused (normal class; see docs/hardware.md)");
    return 0;
}
