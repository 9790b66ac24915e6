#include "sensors/timing_probe.h"

#include <time.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <utility>

#include "common/ms_clock.h"
#include "sensors/sampler.h"
#include "sensors/sensor_event_queue.h"
#include "sensors/timing_loop.h"

namespace vantrel {

namespace {

// The OFF delay is shorter than any real setting, since the stamps do not depend on it.
constexpr int32_t kOffDelayMs = 20;
constexpr std::array<uint8_t, 4> kMasks = {0x10, 0x40, 0x20, 0x08};  // pins 13, 10, 12, 15
constexpr int64_t kFreezeEveryNs = 3'000'000'000;

using Span = std::pair<int64_t, int64_t>;

// The window's stand-in: takes the events, and with `freezes` stops now and then for 1 s.
struct Consumer {
    SensorEventQueue& queue;
    bool freezes;
    std::atomic<uint32_t> wakeSeq{0};
    std::atomic<uint32_t> drainedSeq{0};
    std::atomic<bool> stop{false};
    std::vector<SensorEvent> edges;
    std::vector<Span> frozen;

    void Run() {
        int64_t nextFreeze = MonotonicNowNs() + 1'000'000'000;
        while (!stop.load()) {
            if (freezes && MonotonicNowNs() >= nextFreeze) {
                const int64_t from = MonotonicNowNs();
                std::this_thread::sleep_for(std::chrono::seconds(1));
                frozen.emplace_back(from, MonotonicNowNs());
                nextFreeze += kFreezeEveryNs;
            }
            const uint32_t seen = wakeSeq.load();
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

    void End() {
        stop = true;
        wakeSeq.fetch_add(1);
        wakeSeq.notify_all();
        drainedSeq.fetch_add(1);
        drainedSeq.notify_all();
    }
};

// The queue design wakes without waiting; the blocking one also waits until the consumer has
// taken everything, as a synchronised call would.
class ProbeWaker final : public EventWaker {
public:
    ProbeWaker(Consumer& consumer, bool blocking) : consumer_(consumer), blocking_(blocking) {}
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

bool WhileFrozen(const std::vector<Span>& frozen, int64_t ns) {
    return std::any_of(frozen.begin(), frozen.end(),
                       [ns](const Span& span) { return ns >= span.first && ns < span.second; });
}

// The true start of the pulse that `e` stamped: the latest start of its input not after the
// end of the tick's millisecond; -1 when there is none.
int64_t PulseStartOf(const SensorEvent& e, const std::vector<int64_t>& starts) {
    const int64_t tickEndNs = (static_cast<int64_t>(e.tick) + 1) * 1'000'000;
    const auto input = static_cast<size_t>(e.input);
    auto it = std::upper_bound(starts.begin(), starts.end(), tickEndNs);
    size_t i = static_cast<size_t>(it - starts.begin());
    while (i > 0 && (i - 1) % kMasks.size() != input) {
        --i;
    }
    return i == 0 ? -1 : starts[i - 1];
}

void AddStampErrors(const Consumer& consumer, const ProbeSource& source, ProbeResult& r) {
    std::vector<double> errors;
    std::vector<double> frozenErrors;
    for (const SensorEvent& e : consumer.edges) {
        const int64_t startNs = PulseStartOf(e, source.Starts());
        if (startNs < 0) {
            continue;
        }
        // Compared in the same 32-bit millisecond scale as the tick.
        const double startMs = static_cast<double>(static_cast<uint32_t>(startNs / 1'000'000)) +
                               static_cast<double>(startNs % 1'000'000) / 1e6;
        errors.push_back(static_cast<double>(e.tick) - startMs);
        if (WhileFrozen(consumer.frozen, startNs)) {
            frozenErrors.push_back(errors.back());
        }
    }
    r.seen = static_cast<int32_t>(consumer.edges.size());
    r.frozenSeen = static_cast<int32_t>(frozenErrors.size());
    r.stamp = PercentilesOf(std::move(errors));
    r.frozenStamp = PercentilesOf(std::move(frozenErrors));
}

SamplerConfig ProbeConfig(int32_t periodMs, InputSource* source) {
    SamplerConfig config;
    config.pollPeriodMs = periodMs;
    config.offDelayMs = kOffDelayMs;
    config.startMask = kMasks[0];
    config.finishMask = kMasks[1];
    config.split1Mask = kMasks[2];
    config.split2Mask = kMasks[3];
    config.source = source;
    return config;
}

}  // namespace

int64_t MonotonicNowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

TimingPercentiles PercentilesOf(std::vector<double> values) {
    if (values.empty()) {
        return {};
    }
    std::sort(values.begin(), values.end());
    auto at = [&](double q) {
        return values[std::min(values.size() - 1, static_cast<size_t>(q * values.size()))];
    };
    return {at(0.50), at(0.99), at(0.999), values.back()};
}

std::vector<double> GapsMs(const std::vector<int64_t>& ns, size_t count) {
    std::vector<double> gaps;
    for (size_t i = 1; i < std::min(count, ns.size()); ++i) {
        gaps.push_back(static_cast<double>(ns[i] - ns[i - 1]) / 1e6);
    }
    return gaps;
}

int32_t ProbeEdgesFor(double seconds) {
    const double edges = (seconds * 1e9 - 2.0 * kProbeLeadNs) / kProbeEdgeSpacingNs;
    return std::max(4, static_cast<int32_t>(edges));
}

ProbeSource::ProbeSource(int64_t firstEdgeNs, int32_t count, InputSource* port) : port_(port) {
    uint32_t seed = 12345;
    for (int32_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        starts_.push_back(firstEdgeNs + i * kProbeEdgeSpacingNs + (seed >> 8) % 1'000'000);
    }
    // At most one read a ms over the run, the stretches before and after the edges included;
    // reserved now so that the timing thread never allocates.
    const auto reads =
        static_cast<size_t>((count * kProbeEdgeSpacingNs + 3 * kProbeLeadNs) / 1'000'000);
    readNs_.reserve(reads);
    readCostMs_.reserve(port != nullptr ? reads : 0);
}

bool ProbeSource::Read(uint32_t now, RawSample& out) {
    if (port_ != nullptr) {
        const int64_t before = MonotonicNowNs();
        RawSample ignored;
        if (!port_->Read(now, ignored)) {
            ++portFailures_;
        }
        if (readCostMs_.size() < readCostMs_.capacity()) {
            readCostMs_.push_back(static_cast<double>(MonotonicNowNs() - before) / 1e6);
        }
    }
    const int64_t at = MonotonicNowNs();
    if (readNs_.size() < readNs_.capacity()) {
        readNs_.push_back(at);
    }
    out = RawSample{};
    auto it = std::upper_bound(starts_.begin(), starts_.end(), at);
    if (it != starts_.begin()) {
        const size_t i = static_cast<size_t>(it - starts_.begin()) - 1;
        if (at - starts_[i] < kProbePulseNs) {
            out.statusByte &= static_cast<uint8_t>(~kMasks[i % kMasks.size()]);
        }
    }
    return true;
}

TimingProbe::TimingProbe(ProbeOptions options) : options_(options) {}

TimingProbe::~TimingProbe() {
    Cancel();
    if (thread_.joinable()) {
        thread_.join();
    }
}

int64_t TimingProbe::PlannedNs() const {
    return 2 * kProbeLeadNs + options_.edgeCount * kProbeEdgeSpacingNs;
}

void TimingProbe::Start() {
    if (thread_.joinable()) {
        return;
    }
    beganNs_ = MonotonicNowNs();
    thread_ = std::thread([this] { Measure(); });
}

void TimingProbe::Cancel() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        cancel_ = true;
    }
    cancelled_.notify_all();
}

double TimingProbe::Progress() const {
    if (finished_.load()) {
        return 1.0;
    }
    const int64_t began = beganNs_.load();
    if (began == 0) {
        return 0.0;
    }
    return std::clamp(static_cast<double>(MonotonicNowNs() - began) / PlannedNs(), 0.0, 1.0);
}

const ProbeResult& TimingProbe::Result() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return result_;
}

ProbeResult TimingProbe::Run() {
    Start();
    return Result();
}

bool TimingProbe::WaitRun(int64_t untilNs) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto wait = std::chrono::nanoseconds(std::max<int64_t>(0, untilNs - MonotonicNowNs()));
    return !cancelled_.wait_for(lock, wait, [this] { return cancel_; });
}

void TimingProbe::Measure() {
    std::atomic<bool> running{false};
    MonotonicMsClock clock;
    SensorEventQueue queue;
    ProbeSource source(MonotonicNowNs() + kProbeLeadNs, options_.edgeCount, options_.port);
    const int64_t endNs = beganNs_.load() + PlannedNs();
    Sampler sampler(clock, queue);
    sampler.Configure(ProbeConfig(options_.periodMs, &source));
    sampler.Prime();

    Consumer consumer{queue, options_.consumerFreezes, {}, {}, {}, {}, {}};
    ProbeWaker waker(consumer, options_.blockingHandOver);
    TimingLoop loop(sampler, clock, running, &waker);
    std::thread gui([&] { consumer.Run(); });
    running = true;
    loop.Arm();
    const bool completed = WaitRun(endNs);
    running = false;
    consumer.End();
    loop.Join();
    gui.join();

    ProbeResult& r = result_;
    r.periodMs = options_.periodMs;
    r.cancelled = !completed;
    r.realtime = loop.RealtimeGranted();
    r.lost = queue.LostTotal();
    r.total = options_.edgeCount;
    r.hadPort = options_.port != nullptr;
    r.portFailures = source.PortFailures();
    r.reads = source.ReadTimes().size();
    r.interval = PercentilesOf(GapsMs(source.ReadTimes(), source.ReadTimes().size()));
    r.readCost = PercentilesOf(source.ReadCostsMs());
    AddStampErrors(consumer, source, r);
    finished_ = true;
}

}  // namespace vantrel
