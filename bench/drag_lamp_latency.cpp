#include "drag_lamp_latency.h"

#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/ms_clock.h"
#include "modes/drag_tree.h"
#include "sensors/sampler.h"
#include "sensors/timing_loop.h"

namespace vantrel::bench {
namespace {

constexpr uint8_t kControlXor = 4;
// Much shorter than any real setting, so that a run takes little more than its lamps; the
// lamp timing does not depend on it.
constexpr int32_t kOffDelayMs = 20;
constexpr int64_t kLampTimeoutNs = 2'000'000'000;
constexpr uint8_t kResetLamps = 0xFF & ~kProLampBit;  // a run reset with the Pro tree chosen

struct LampWrite {
    int64_t ns = 0;               // when WriteLamp was called
    int64_t readNs = 0;           // the read of the same tick
    int64_t startLineReadNs = 0;  // the read that first showed the start line active
    uint32_t sampleTime = 0;      // the tick's sample time
    uint32_t prevSampleTime = 0;  // the previous tick's
    uint8_t byte = 0xFF;          // as written, lamp byte XOR mask
};

// The parallel port as the tick sees it: the data lines the operator thread sets, and a
// control register that reads back what was written. Everything the timing thread records
// goes into arrays sized before the thread starts.
class PortStandIn final : public InputSource {
public:
    PortStandIn(const Sampler& sampler, size_t maxReads, size_t maxWrites)
        : sampler_(sampler), reads_(maxReads), writes_(maxWrites) {}

    ReadRule Rule() const override { return ReadRule::kParallelPort; }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(uint32_t, RawSample& out) override {
        const int64_t now = NowNs();
        out.dataByte = data_.load(std::memory_order_acquire);
        out.statusByte = 0x7F;  // idle once the port rule has flipped BUSY
        out.controlByte = control_;
        const bool startLine = (out.dataByte & 0x02) == 0;
        if (startLine && !startLineBefore_) {
            startLineReadNs_ = now;
        }
        startLineBefore_ = startLine;
        readNs_ = now;
        // The tick stamps its own sample time after this read: the state still holds the
        // previous tick's.
        prevSampleTime_ = sampler_.State().sampleTime;
        if (readCount_ < reads_.size()) {
            reads_[readCount_++] = now;
        }
        return true;
    }
    void WriteLamp(uint8_t byte) override {
        const int64_t now = NowNs();
        control_ = byte;
        if (writeCount_ < writes_.size()) {
            writes_[writeCount_++] = {
                now, readNs_, startLineReadNs_, sampler_.State().sampleTime, prevSampleTime_, byte};
        }
        lamps_.store(static_cast<uint8_t>(byte ^ kControlXor), std::memory_order_release);
    }
    void Close() override {}
    std::string LastError() const override { return {}; }

    // Operator thread: the lines active from the next read on (bit k: line k).
    void SetActiveLines(uint8_t lines) {
        data_.store(static_cast<uint8_t>(~lines), std::memory_order_release);
    }
    // The lamp byte last written (a cleared bit is a lit lamp).
    uint8_t Lamps() const { return lamps_.load(std::memory_order_acquire); }

    // Once the timing thread has ended.
    const std::vector<int64_t>& Reads() const { return reads_; }
    size_t ReadCount() const { return readCount_; }
    const std::vector<LampWrite>& Writes() const { return writes_; }
    size_t WriteCount() const { return writeCount_; }

private:
    const Sampler& sampler_;
    std::atomic<uint8_t> data_{0xFF};
    std::atomic<uint8_t> lamps_{0xFF};
    uint8_t control_ = 0xFF ^ kControlXor;  // every lamp dark
    bool startLineBefore_ = false;
    int64_t startLineReadNs_ = 0;
    int64_t readNs_ = 0;
    uint32_t prevSampleTime_ = 0;
    std::vector<int64_t> reads_;
    size_t readCount_ = 0;
    std::vector<LampWrite> writes_;
    size_t writeCount_ = 0;
};

// Any of `bits` lit.
bool Lit(uint8_t lamps, uint8_t bits) {
    return (lamps & bits) != bits;
}

// Waits until the lamps written satisfy `done`; false after the timeout.
template <typename Done>
bool WaitForLamps(const PortStandIn& port, Done done) {
    const int64_t deadline = NowNs() + kLampTimeoutNs;
    while (!done(port.Lamps())) {
        if (NowNs() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// The starter and the cars: the only sender on the command ring.
struct Operator {
    PortStandIn& port;
    SamplerCommandRing& commands;
    int runs;
    int periodMs;
    std::atomic<bool> done{false};
    int missed = 0;

    void ResetRun() {
        commands.SendRequest(SamplerCommandKind::kRunReset);
        WaitForLamps(port, [](uint8_t lamps) { return lamps == kResetLamps; });
    }

    void Run() {
        commands.SendProTree(true);
        ResetRun();
        const auto settle = std::chrono::milliseconds(kOffDelayMs + 2 * periodMs + 10);
        uint32_t seed = 2024;
        for (int i = 0; i < runs; ++i) {
            seed = seed * 1103515245u + 12345u;
            bool ok = true;
            port.SetActiveLines(0x01);
            if (i % 10 == 9) {
                ok = WaitForLamps(port, [](uint8_t l) { return Lit(l, kAmberLampBit); });
                port.SetActiveLines(0);
            } else {
                // A false start 4 to 12 ms after the tree start, at a spread sub-ms phase.
                std::this_thread::sleep_for(std::chrono::microseconds(4000 + (seed >> 8) % 8000));
                port.SetActiveLines(0x03);
            }
            const bool lit =
                WaitForLamps(port, [](uint8_t l) { return Lit(l, kGreenLampBit | kRedLampBit); });
            port.SetActiveLines(0);
            missed += ok && lit ? 0 : 1;
            // The release must be sampled and its OFF delay run out before the next tree start.
            std::this_thread::sleep_for(settle);
            ResetRun();
        }
        done = true;
    }
};

// The tick's 32-bit millisecond `tick` as the monotonic ns of its start, near `nearNs`.
int64_t TickStartNs(uint32_t tick, int64_t nearNs) {
    const int64_t nearMs = nearNs / 1'000'000;
    const auto offset = static_cast<int32_t>(tick - static_cast<uint32_t>(nearMs));
    return (nearMs + offset) * 1'000'000;
}

void Analyse(const PortStandIn& port, DragLatencyResult& r) {
    std::vector<double> green;
    std::vector<double> red;
    uint8_t before = 0xFF;
    bool inRun = false;
    uint32_t treeStart = 0;
    for (size_t i = 0; i < port.WriteCount(); ++i) {
        const LampWrite& w = port.Writes()[i];
        const auto lamps = static_cast<uint8_t>(w.byte ^ kControlXor);
        const auto nowLit = static_cast<uint8_t>(before & ~lamps);
        if ((nowLit & kAmberLampBit) != 0) {
            inRun = true;
            treeStart = w.sampleTime;
        }
        if ((nowLit & kGreenLampBit) != 0 && inRun) {
            const uint32_t due = treeStart + kProGreenDelayMs;
            ++r.greenRuns;
            if (static_cast<int32_t>(w.prevSampleTime - due) < 0 &&
                static_cast<int32_t>(w.sampleTime - due) >= 0) {
                ++r.greenInDueTick;
            }
            green.push_back((w.ns - TickStartNs(due, w.ns)) / 1e6);
        }
        if ((nowLit & kRedLampBit) != 0) {
            ++r.redRuns;
            r.redInSameTick += w.readNs == w.startLineReadNs ? 1 : 0;
            red.push_back((w.ns - w.startLineReadNs) / 1e6);
        }
        if ((lamps & kAmberLampBit) != 0) {
            inRun = false;  // reset: the run is over
        }
        before = lamps;
    }
    r.green = Of(green);
    r.red = Of(red);
    r.interval = Of(GapsMs(port.Reads(), port.ReadCount()));
}

// Empty when none could be made: the disk writer then writes nothing.
std::filesystem::path MakeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrel_drag_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

}  // namespace

DragLatencyResult RunDragLatency(int periodMs, int runs) {
    MonotonicMsClock clock;
    SensorEventQueue queue;
    Sampler sampler(clock, queue);
    // Generous: a false start takes about 50 ms, a green run about 450 ms.
    const double seconds = runs * 0.1 + runs / 10 * 0.5 + 10;
    PortStandIn port(sampler, static_cast<size_t>(seconds * 1000 / periodMs),
                     static_cast<size_t>(runs) * 4 + 16);
    DragTree tree;
    SamplerConfig config;
    config.ioAddress = 0x378;
    config.pollPeriodMs = periodMs;
    config.offDelayMs = kOffDelayMs;
    config.controlXor = kControlXor;
    config.source = &port;
    config.dragHook = &tree;
    sampler.Configure(config);
    sampler.SetActiveMode(RaceMode::kDrag);
    sampler.Prime();

    std::atomic<bool> running{true};
    TimingLoop loop(sampler, clock, running, nullptr);
    std::atomic<bool> stopWriter{false};
    const std::filesystem::path folder = MakeTempFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "drag: no temporary folder, so no disk load\n");
    }
    std::thread writer(DiskWriter, std::cref(stopWriter),
                       folder.empty() ? folder : folder / "disk.tmp", true);
    Operator starter{port, sampler.Commands(), runs, periodMs};
    const int64_t begin = NowNs();
    loop.Arm();
    std::thread operatorThread([&starter] { starter.Run(); });
    // This thread is the GUI: it drains the queue, then is busy for a second (a modal box, a
    // rebuild) while the events pile up.
    while (!starter.done.load()) {
        SensorEvent event;
        while (queue.Pop(event)) {
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    operatorThread.join();
    running = false;
    loop.Join();
    DragLatencyResult r;
    r.seconds = (NowNs() - begin) / 1e9;
    stopWriter = true;
    writer.join();
    if (!folder.empty()) {
        std::filesystem::remove_all(folder);
    }

    r.realtime = loop.RealtimeGranted();
    r.lost = queue.LostTotal();
    r.missed = starter.missed;
    Analyse(port, r);
    return r;
}

}  // namespace vantrel::bench
