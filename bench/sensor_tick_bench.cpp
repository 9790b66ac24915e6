// The timing thread's hand-over costs: one event through the ring, a burst of events, and a
// sampler tick with and without events.

#include <benchmark/benchmark.h>

#include "common/ms_clock.h"
#include "sensors/sampler.h"
#include "sensors/sensor_event_queue.h"

namespace vantrel {
namespace {

// A source whose start line toggles on every read, so every tick has events.
class ToggleSource final : public InputSource {
public:
    explicit ToggleSource(bool toggles) : toggles_(toggles) {}
    ReadRule Rule() const override { return ReadRule::kLevels; }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(uint32_t, RawSample& out) override {
        out = RawSample{};
        if (toggles_ && (++reads_ & 1) != 0) {
            out.statusByte = static_cast<uint8_t>(~0x10);
        }
        return true;
    }
    void WriteLamp(uint8_t) override {}
    void Close() override {}
    std::string LastError() const override { return {}; }

private:
    bool toggles_;
    uint32_t reads_ = 0;
};

void BM_QueuePushPop(benchmark::State& state) {
    auto queue = std::make_unique<SensorEventQueue>();
    SensorEvent in;
    in.kind = SensorEventKind::kActiveEdge;
    SensorEvent out;
    for (auto _ : state) {
        ++in.tick;
        queue->Push(in);
        queue->Pop(out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_QueuePushPop);

void BM_QueueBurst64(benchmark::State& state) {
    auto queue = std::make_unique<SensorEventQueue>();
    SensorEvent in;
    SensorEvent out;
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i) {
            ++in.tick;
            queue->Push(in);
        }
        while (queue->Pop(out)) {
            benchmark::DoNotOptimize(out);
        }
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_QueueBurst64);

void TickBench(benchmark::State& state, bool toggles) {
    FakeMsClock clock(1000);
    auto queue = std::make_unique<SensorEventQueue>();
    ToggleSource source(toggles);
    SamplerConfig config;
    config.offDelayMs = 0;
    config.source = &source;
    Sampler sampler(clock, *queue);
    sampler.Configure(config);
    sampler.Prime();
    SensorEvent out;
    for (auto _ : state) {
        clock.Advance(1);
        benchmark::DoNotOptimize(sampler.Tick());
        while (queue->Pop(out)) {
        }
    }
}

void BM_SamplerTickIdle(benchmark::State& state) {
    TickBench(state, false);
}
BENCHMARK(BM_SamplerTickIdle);

void BM_SamplerTickWithEvents(benchmark::State& state) {
    TickBench(state, true);
}
BENCHMARK(BM_SamplerTickWithEvents);

}  // namespace
}  // namespace vantrel
