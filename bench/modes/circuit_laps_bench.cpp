// A 199-car race of 20 000 laps in the core, lap by lap as ProcessPassings books them: the lap
// step, the entry list's "Lap" cell, the lap's booking, the result row and the standings, in
// both counting methods. Each case times 1 000 laps after the race has reached its first
// argument, so the cost at the start and at the end of the race can be compared.
#include <benchmark/benchmark.h>

#include <memory>

#include "circuit_race_data.h"
#include "common/session_state.h"
#include "lists/result_list_commands.h"
#include "modes/circuit_laps.h"
#include "modes/receiver_codes.h"
#include "reports/standings.h"

namespace vantrel {
namespace {

constexpr int32_t kRaceLaps = 20'000;
constexpr int32_t kTimedLaps = 1'000;
constexpr uint32_t kSessionStart = 1'000'000;
constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};

// The standings part of the record window's sink, which needs no window.
class StandingsOnly final : public ResultSink {
public:
    explicit StandingsOnly(Standings& standings) : standings_(standings) {}
    void ResultBooked(const BookedResult& result, int32_t /*row*/) override {
        if (result.totalMs) {
            standings_.AddCommonStartLap(result.car, result.timeMs, *result.totalMs, result.count,
                                         kMinutes);
        } else {
            standings_.AddResult(result.car, result.timeMs, result.count, kMinutes);
        }
    }

private:
    Standings& standings_;
};

struct Race {
    EntryTable entries;
    ResultTable results{RaceMode::kCircuit};
    SessionState session;
    ResultListCommands commands{results, entries, session, nullptr};
    Standings standings{entries};
    StandingsOnly sink{standings};
    std::vector<bench::RacePassing> passings;
    size_t next = 0;
    int32_t laps = 0;

    explicit Race(int32_t countingMethod) {
        for (int32_t car = 1; car <= bench::kRaceCars; ++car) {
            entries.SetCell(EntryTable::kName, car, "山田 太郎" + std::to_string(car));
            entries.SetCell(EntryTable::kModel, car, "ｼﾋﾞｯｸ EK9");
        }
        session.currentMode = RaceMode::kCircuit;
        session.countingMethod = countingMethod;
        session.ClearCarCounters();
        PrepareCircuitSession(session, kSessionStart);
        commands.AddSink(sink);
        passings = bench::RacePassings(kRaceLaps + bench::kRaceCars + kTimedLaps);
    }

    // Runs passings until `upTo` laps are booked.
    void RunTo(int32_t upTo) {
        const bool commonStart = session.countingMethod == SessionState::kCommonStart;
        while (laps < upTo) {
            const bench::RacePassing& p = passings[next++];
            const CircuitPassing passing =
                LapStep(p.car, kSessionStart + p.atMs, session.maskTimeS, session);
            ShowPassingInEntryList(passing, entries);
            if (passing.kind == PassingKind::kLap) {
                commands.AddResult(
                    BookCircuitLap(passing, entries, TimeFormat::kMinutesSeconds, commonStart));
                ++laps;
            }
        }
    }
};

// Args: counting method (0 lap timing, 1 common start), laps booked before the timed ones.
void BM_CircuitLaps(benchmark::State& state) {
    const auto method = static_cast<int32_t>(state.range(0));
    const auto from = static_cast<int32_t>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        auto race = std::make_unique<Race>(method);
        race->RunTo(from);
        state.ResumeTiming();
        race->RunTo(from + kTimedLaps);
        benchmark::DoNotOptimize(race->results.DataRowCount());
        state.PauseTiming();
        race.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kTimedLaps);
    state.SetLabel(method == SessionState::kCommonStart ? "common start" : "lap timing");
}
BENCHMARK(BM_CircuitLaps)
    ->ArgsProduct({{0, 1}, {0, kRaceLaps - kTimedLaps}})
    ->ArgNames({"method", "from"})
    ->Unit(benchmark::kMillisecond);

// One full receiver block decoded: invalid bytes marked, every code shown and handed on.
void BM_DecodeReceiverBlock(benchmark::State& state) {
    std::vector<uint8_t> block(1024);
    for (size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<uint8_t>(i % 7 == 0 ? 0x05 : 0x31 + i % 199);
    }
    SessionState session;
    for (auto _ : state) {
        std::vector<uint8_t> bytes = block;
        benchmark::DoNotOptimize(DecodePassings(bytes.data(), bytes.size(), session));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(block.size()));
}
BENCHMARK(BM_DecodeReceiverBlock)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantrel
