// Timing accuracy harness (run on demand, not a test): a source whose sensor edges happen at
// known monotonic times is sampled by the real timing thread at 1 ms and 3 ms. It prints the
// stamp error (sample tick minus true edge) and the tick-interval distribution, idle and
// while a GUI-like consumer freezes for 1 s every 3 s and a disk writer runs; the same load
// is also run against a hand-over that waits for the consumer after every tick with events.
// The drag scenario measures how late the light tree's lamps are written under the same load
// (`--drag-runs N`, default 10 000 runs; `--drag-only` skips the others).

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "drag_lamp_latency.h"
#include "sensors/sampler.h"
#include "sensors/timing_loop.h"
#include "timing_support.h"
#include "voice/alsa_audio_out.h"
#include "voice/announcer.h"
#include "voice/builtin_samples.h"

namespace vantrel::bench {
namespace {

// The four inputs take turns: each fires every 160 ms, beyond its 100 ms OFF delay.
constexpr int64_t kEdgeSpacingNs = 40'000'000;
constexpr int64_t kPulseNs = 40'000'000;  // a car breaks the beam for 40 ms
constexpr int kRunSeconds = 8;
constexpr std::array<uint8_t, 4> kMasks = {0x10, 0x40, 0x20, 0x08};  // pins 13, 10, 12, 15

// Pulses on Start, Finish, Split 1, Split 2 in turn at known times, with sub-millisecond phases
// spread by a fixed pseudo-random sequence. Also records the time of every read.
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
    ReadRule Rule() const override { return ReadRule::kLevels; }
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
                out.statusByte &= static_cast<uint8_t>(~kMasks[i % kMasks.size()]);
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
                if (e.kind == SensorEventKind::kActiveEdge) {
                    edges.push_back(e);
                }
            }
            drainedSeq.store(seen);
            drainedSeq.notify_all();
            if (stop.load()) {
                break;  // checked after reading `seen`: a later stop changes wakeSeq
            }
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

struct Result {
    Percentiles interval;  // ms between reads
    Percentiles stamp;     // ms, sample tick minus true edge
    int seen = 0;
    int total = 0;
    uint64_t lost = 0;
    bool realtime = false;
};

// The announcer speaking without pause through ALSA's "null" device while the sampler runs:
// a time is queued every 100 ms, so the ring never runs dry.
class Speaking {
public:
    Speaking() : sound_(audio_, samples_) {
        sound_.SetDelayMs(0);
        sound_.SetVoiceOn(true);
        sound_.StartThread();
        sound_.Resume();
        feeder_ = std::thread([this] {
            for (int32_t ms = 0; !stop_; ms += 1234) {
                sound_.AnnounceTime(ms, CSound::RingRule::kDropWhenFull);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        });
    }
    ~Speaking() {
        stop_ = true;
        feeder_.join();
        sound_.Pause();
    }

private:
    AlsaAudioOut audio_{"null"};
    BuiltInSamples samples_;
    CSound sound_;
    std::atomic<bool> stop_{false};
    std::thread feeder_;
};

Result RunOnce(int periodMs, bool load, bool blocking, bool speaking = false) {
    std::optional<Speaking> announcer;
    if (speaking) {
        announcer.emplace();
    }
    std::atomic<bool> running{false};
    MonotonicMsClock clock;
    SensorEventQueue queue;
    // Edges from 0.2 s after the start to 0.3 s before the end of the run.
    const int edgeCount =
        static_cast<int>((kRunSeconds * 1'000'000'000LL - 500'000'000) / kEdgeSpacingNs);
    EdgeSource source(NowNs() + 200'000'000, edgeCount);
    SamplerConfig config;
    config.pollPeriodMs = periodMs;
    config.offDelayMs = 100;
    config.startMask = kMasks[0];
    config.finishMask = kMasks[1];
    config.split1Mask = kMasks[2];
    config.split2Mask = kMasks[3];
    config.source = &source;
    Sampler sampler(clock, queue);
    sampler.Configure(config);
    sampler.Prime();

    Consumer consumer{queue, load, {}, {}, {}, {}};
    BenchWaker waker(consumer, blocking);
    TimingLoop loop(sampler, clock, running, &waker);
    std::atomic<bool> stopWriter{false};
    const auto file = std::filesystem::temp_directory_path() / "vantrel_bench_disk.tmp";
    std::thread writer;
    if (load) {
        writer = std::thread(DiskWriter, std::cref(stopWriter), file, false);
    }
    std::thread gui([&] { consumer.Run(); });
    running = true;
    loop.Arm();
    std::this_thread::sleep_for(std::chrono::seconds(kRunSeconds));
    running = false;
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
    r.interval = Of(GapsMs(source.readNs, source.readNs.size()));
    std::vector<double> errors;
    for (const SensorEvent& e : consumer.edges) {
        // The pulse of this input that was active at the stamp: its latest start not after
        // the tick's millisecond.
        const int64_t tickEndNs = (static_cast<int64_t>(e.tick) + 1) * 1'000'000;
        const auto input = static_cast<size_t>(e.input);
        auto it = std::upper_bound(source.starts.begin(), source.starts.end(), tickEndNs);
        size_t i = static_cast<size_t>(it - source.starts.begin());
        while (i > 0 && (i - 1) % kMasks.size() != input) {
            --i;
        }
        if (i == 0) {
            continue;
        }
        const int64_t startNs = source.starts[i - 1];
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
    std::printf(
        "%2d ms  %-22s %7.3f %7.3f %8.3f %8.1f | %7.3f %7.3f %8.3f %8.3f | %4d/%-4d %4llu\n",
        periodMs, name, r.interval.p50, r.interval.p99, r.interval.p999, r.interval.max,
        r.stamp.p50, r.stamp.p99, r.stamp.p999, r.stamp.max, r.seen, r.total,
        static_cast<unsigned long long>(r.lost));
    std::fflush(stdout);
}

}  // namespace
}  // namespace vantrel::bench

namespace {

constexpr int kDragPeriodMs = 3;  // the default resolution
constexpr int kDefaultDragRuns = 10'000;

void PrintDrag(const char* name, const vantrel::bench::Percentiles& interval,
               const vantrel::bench::Percentiles& lamp, int inTick, int lamps, uint64_t lost) {
    std::printf(
        "%2d ms  %-22s %7.3f %7.3f %8.3f %8.1f | %7.3f %7.3f %8.3f %8.3f | %4d/%-4d %4llu\n",
        kDragPeriodMs, name, interval.p50, interval.p99, interval.p999, interval.max, lamp.p50,
        lamp.p99, lamp.p999, lamp.max, inTick, lamps, static_cast<unsigned long long>(lost));
}

bool RunDrag(int runs) {
    using namespace vantrel::bench;
    std::printf(
        "period scenario              tick interval ms (p50 p99 p99.9 max) | "
        "lamp latency ms (p50 p99 p99.9 max) | in its tick/lamps, lost\n");
    std::fflush(stdout);
    const DragLatencyResult r = RunDragLatency(kDragPeriodMs, runs);
    PrintDrag("drag green, load", r.interval, r.green, r.greenInDueTick, r.greenRuns, r.lost);
    PrintDrag("drag red, load", r.interval, r.red, r.redInSameTick, r.redRuns, r.lost);
    std::printf(
        "drag: %d runs in %.0f s, %d without their lamp; green from its due moment (tree start "
        "tick + 400 ms), red from the read first showing the start line\n",
        runs, r.seconds, r.missed);
    return r.realtime;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vantrel::bench;
    int dragRuns = kDefaultDragRuns;
    bool dragOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--drag-runs" && i + 1 < argc) {
            dragRuns = std::atoi(argv[++i]);
        } else if (arg == "--drag-only") {
            dragOnly = true;
        } else {
            dragRuns = 0;
            break;
        }
    }
    if (dragRuns <= 0) {
        std::fprintf(stderr, "usage: timing_accuracy [--drag-runs N] [--drag-only]\n");
        return 2;
    }
    bool realtime = false;
    if (!dragOnly) {
        std::printf(
            "period scenario              tick interval ms (p50 p99 p99.9 max) | "
            "stamp error ms (p50 p99 p99.9 max) | edges seen/total, lost\n");
        for (int period : {1, 3}) {
            Result idle = RunOnce(period, false, false);
            realtime = idle.realtime;
            Print(period, "idle, queue", idle);
            Print(period, "load, queue", RunOnce(period, true, false));
            Print(period, "load, blocking", RunOnce(period, true, true));
            Print(period, "idle, queue, speaking", RunOnce(period, false, false, true));
        }
    }
    realtime = RunDrag(dragRuns);
    std::printf("real-time class (SCHED_FIFO): %s\n",
                realtime ? "granted" : "refused (normal class; see docs/hardware.md)");
    return 0;
}
