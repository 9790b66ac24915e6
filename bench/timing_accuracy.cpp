// Timing accuracy harness (run on demand, not a test): the timing probe (the same measurement
// as the program's timing self-test) samples sensor edges at known monotonic times with the
// real timing thread at 1 ms and 3 ms. It prints the
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
#include "sensors/timing_probe.h"
#include "timing_session_cpu.h"
#include "timing_support.h"
#include "voice/alsa_audio_out.h"
#include "voice/announcer.h"
#include "voice/builtin_samples.h"

namespace vantrel::bench {
namespace {

using Result = ProbeResult;

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

// The probe's run under the chosen load: the consumer freezing 1 s every 3 s and a disk
// writer, a blocking hand-over, the announcer speaking.
Result RunOnce(int periodMs, int edgeCount, bool load, bool blocking, bool speaking = false) {
    std::optional<Speaking> announcer;
    if (speaking) {
        announcer.emplace();
    }
    std::atomic<bool> stopWriter{false};
    const auto file = std::filesystem::temp_directory_path() / "vantrel_bench_disk.tmp";
    std::thread writer;
    if (load) {
        writer = std::thread(DiskWriter, std::cref(stopWriter), file, false);
    }
    ProbeOptions options;
    options.periodMs = periodMs;
    options.edgeCount = edgeCount;
    options.consumerFreezes = load;
    options.blockingHandOver = blocking;
    const Result r = TimingProbe(options).Run();
    stopWriter = true;
    if (writer.joinable()) {
        writer.join();
    }
    std::filesystem::remove(file);
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
