// Timing accuracy harness (run on demand, not a test): a source whose sensor edges happen at
// known monotonic times is sampled by the real timing thread at 1 ms and 3 ms. It prints the
// stamp error (sample tick minus true edge) and the tick-interval distribution, idle and
// while a GUI-like consumer freezes for 1 s every 3 s and a disk writer runs (and over the
// edges sampled while it was frozen alone); the same load is also run against a hand-over
// that waits for the consumer after every tick with events. `--edges N` edges per scenario
// (default 10 000, 50 edges a second: about 200 s a scenario).
// The drag scenario measures how late the light tree's lamps are written under the same load
// (`--drag-runs N`, default 10 000 runs). The CPU scenario measures the process's CPU during
// a 1 ms session of the real main window, and the timing thread's port requests per tick
// (`--cpu-seconds S`, default 20). `--only edges|drag|cpu` runs one part.

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

#include <QApplication>

#include "drag_lamp_latency.h"
#include "sensors/sampler.h"
#include "sensors/timing_loop.h"
#include "timing_session_cpu.h"
#include "timing_support.h"
#include "voice/alsa_audio_out.h"
#include "voice/announcer.h"
#include "voice/builtin_samples.h"

namespace vantrel::bench {
namespace {

// The four inputs take turns: each fires every 80 ms. A pulse outlasts the longest stalls of
// the timing thread seen under load, so that no edge is missed; the OFF delay is shorter than
// any real setting, since the stamps do not depend on it.
constexpr int64_t kEdgeSpacingNs = 20'000'000;
constexpr int64_t kPulseNs = 30'000'000;  // a car breaks the beam for 30 ms
constexpr int32_t kOffDelayMs = 20;
constexpr int64_t kLeadNs = 200'000'000;  // before the first edge, and after the last
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
        // At most one read a ms over the run, the stretch before the first edge and after the
        // last included.
        readNs.reserve(static_cast<size_t>((count * kEdgeSpacingNs + 3 * kLeadNs) / 1'000'000));
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
    std::vector<std::pair<int64_t, int64_t>> frozen;  // ns, from and to

    void Run() {
        int64_t nextFreeze = NowNs() + 1'000'000'000;
        uint32_t seen = 0;
        while (!stop.load()) {
            if (freezes && NowNs() >= nextFreeze) {
                const int64_t from = NowNs();
                std::this_thread::sleep_for(std::chrono::seconds(1));  // a modal box, a rebuild
                frozen.emplace_back(from, NowNs());
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
    Percentiles interval;     // ms between reads
    Percentiles stamp;        // ms, sample tick minus true edge
    Percentiles frozenStamp;  // the same over the edges that happened while the window froze
    int seen = 0;
    int total = 0;
    int frozenSeen = 0;
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

// Whether `ns` falls into one of the consumer's freezes.
bool WhileFrozen(const std::vector<std::pair<int64_t, int64_t>>& frozen, int64_t ns) {
    return std::any_of(frozen.begin(), frozen.end(),
                       [ns](const auto& span) { return ns >= span.first && ns < span.second; });
}

Result RunOnce(int periodMs, int edgeCount, bool load, bool blocking, bool speaking = false) {
    std::optional<Speaking> announcer;
    if (speaking) {
        announcer.emplace();
    }
    std::atomic<bool> running{false};
    MonotonicMsClock clock;
    SensorEventQueue queue;
    EdgeSource source(NowNs() + kLeadNs, edgeCount);
    const int64_t runNs = kLeadNs + edgeCount * kEdgeSpacingNs + kLeadNs;
    SamplerConfig config;
    config.pollPeriodMs = periodMs;
    config.offDelayMs = kOffDelayMs;
    config.startMask = kMasks[0];
    config.finishMask = kMasks[1];
    config.split1Mask = kMasks[2];
    config.split2Mask = kMasks[3];
    config.source = &source;
    Sampler sampler(clock, queue);
    sampler.Configure(config);
    sampler.Prime();

    Consumer consumer{queue, load, {}, {}, {}, {}, {}};
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
    std::this_thread::sleep_for(std::chrono::nanoseconds(runNs));
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
    std::vector<double> frozenErrors;
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
        if (WhileFrozen(consumer.frozen, startNs)) {
            frozenErrors.push_back(errors.back());
        }
    }
    r.seen = static_cast<int>(consumer.edges.size());
    r.frozenSeen = static_cast<int>(frozenErrors.size());
    r.stamp = Of(errors);
    r.frozenStamp = Of(std::move(frozenErrors));
    return r;
}

void Print(int periodMs, const char* name, const Result& r) {
    std::printf(
        "%2d ms  %-22s %7.3f %7.3f %8.3f %8.1f | %7.3f %7.3f %8.3f %8.3f | %5d/%-5d %4llu\n",
        periodMs, name, r.interval.p50, r.interval.p99, r.interval.p999, r.interval.max,
        r.stamp.p50, r.stamp.p99, r.stamp.p999, r.stamp.max, r.seen, r.total,
        static_cast<unsigned long long>(r.lost));
    if (r.frozenSeen > 0) {
        std::printf("%2d ms  %-22s %36s | %7.3f %7.3f %8.3f %8.3f | %5d edges\n", periodMs,
                    "  while frozen", "", r.frozenStamp.p50, r.frozenStamp.p99, r.frozenStamp.p999,
                    r.frozenStamp.max, r.frozenSeen);
    }
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

struct Options {
    int edges = 10'000;
    int dragRuns = kDefaultDragRuns;
    double cpuSeconds = 20;
    std::string only;  // "", "edges", "drag" or "cpu"
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool value = i + 1 < argc;
        if (arg == "--edges" && value) {
            options.edges = std::atoi(argv[++i]);
        } else if (arg == "--drag-runs" && value) {
            options.dragRuns = std::atoi(argv[++i]);
        } else if (arg == "--cpu-seconds" && value) {
            options.cpuSeconds = std::atof(argv[++i]);
        } else if (arg == "--only" && value) {
            options.only = argv[++i];
        } else if (arg == "--drag-only") {
            options.only = "drag";
        } else {
            return std::nullopt;
        }
    }
    const bool known = options.only.empty() || options.only == "edges" || options.only == "drag" ||
                       options.only == "cpu";
    if (options.edges <= 0 || options.dragRuns <= 0 || options.cpuSeconds <= 0 || !known) {
        return std::nullopt;
    }
    return options;
}

bool RunEdges(int edges) {
    using namespace vantrel::bench;
    std::printf(
        "period scenario              tick interval ms (p50 p99 p99.9 max) | "
        "stamp error ms (p50 p99 p99.9 max) | edges seen/total, lost\n");
    bool realtime = false;
    for (int period : {1, 3}) {
        Result idle = RunOnce(period, edges, false, false);
        realtime = idle.realtime;
        Print(period, "idle, queue", idle);
        Print(period, "load, queue", RunOnce(period, edges, true, false));
        Print(period, "load, blocking", RunOnce(period, edges, true, true));
        Print(period, "idle, queue, speaking", RunOnce(period, edges, false, false, true));
    }
    return realtime;
}

void RunCpu(int argc, char** argv, double seconds) {
    using namespace vantrel::bench;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    for (const bool drag : {true, false}) {
        const SessionCpuResult r = RunWindowSessionCpu(1, seconds, drag);
        std::printf(
            "cpu: 1 ms %s session, main window (offscreen), port None: %.2f %% of a core "
            "over %.0f s, %ld context switches/s; threads:",
            drag ? "DRAG" : "GYMKHANA", r.processPercent, r.seconds, r.voluntarySwitches);
        for (size_t i = 0; i < r.threads.size() && i < 4; ++i) {
            std::printf(" %s %.2f %%", r.threads[i].name.c_str(), r.threads[i].percent);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    const PortCpuResult port = RunPortSessionCpu(1, seconds);
    std::printf(
        "cpu: 1 ms DRAG session, timing thread alone on ppdev (stand-in port): %.2f %% of "
        "a core; per tick %.2f register reads, %.4f control writes (%ld ticks)\n",
        port.processPercent, port.readsPerTick, port.writesPerTick, port.ticks);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: timing_accuracy [--edges N] [--drag-runs N] [--cpu-seconds S] "
                     "[--only edges|drag|cpu]\n");
        return 2;
    }
    bool realtime = false;
    if (options->only.empty() || options->only == "edges") {
        realtime = RunEdges(options->edges);
    }
    if (options->only.empty() || options->only == "drag") {
        realtime = RunDrag(options->dragRuns);
    }
    if (options->only.empty() || options->only == "cpu") {
        RunCpu(argc, argv, options->cpuSeconds);
    }
    std::printf("real-time class (SCHED_FIFO): %s\n",
                realtime ? "granted" : "refused (normal class; see docs/hardware.md)");
    return 0;
}
