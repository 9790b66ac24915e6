// Rebuilding the standings from large result lists: 20 000 circuit laps of 199 cars (the List
// page grows to about 100 history columns) and 2 000 gymkhana runs. The "Reference" cases run
// the step-by-step model of the tests on the same rows, for comparison.

#include <benchmark/benchmark.h>

#include <random>

#include "common/numbers.h"
#include "lists/list_texts.h"
#include "reports/reference_standings.h"
#include "reports/standings_rebuild.h"

namespace vantrel {
namespace {

constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};
constexpr int32_t kCars = 199;

// Laps of 199 cars in the order they are counted: each car has its own pace and every lap
// varies around it, so the order changes as a real race does.
ResultTable CircuitLaps(int32_t laps) {
    std::mt19937 random(7);
    std::vector<int64_t> clock(kCars + 1, 0);
    std::vector<int32_t> pace(kCars + 1), count(kCars + 1, 0);
    for (int32_t car = 1; car <= kCars; ++car) {
        pace[car] = 55'000 + static_cast<int32_t>(random() % 10'000);
    }
    std::vector<std::vector<std::string>> rows;
    rows.reserve(laps);
    while (static_cast<int32_t>(rows.size()) < laps) {
        int32_t next = 1;  // the car that passes the line next
        for (int32_t car = 2; car <= kCars; ++car) {
            if (clock[car] < clock[next]) {
                next = car;
            }
        }
        const int32_t lap = pace[next] + static_cast<int32_t>(random() % 4'000) - 2'000;
        clock[next] += lap;
        ++count[next];
        rows.push_back({std::to_string(next), "Driver", "Model", std::to_string(count[next]),
                        TimeText(lap, kMinutes),
                        TimeText(static_cast<int32_t>(clock[next]), kMinutes)});
    }
    ResultTable table(RaceMode::kCircuit);
    table.SetRows(std::move(rows));
    return table;
}

ResultTable GymkhanaRuns(int32_t runs) {
    std::mt19937 random(11);
    std::vector<int32_t> count(kCars + 1, 0);
    std::vector<std::vector<std::string>> rows;
    for (int32_t i = 0; i < runs; ++i) {
        const int32_t car = 1 + static_cast<int32_t>(random() % kCars);
        ++count[car];
        const uint32_t kind = random() % 20;
        const std::string pen = kind == 0 ? kPenMissCourse : kind < 4 ? std::to_string(kind) : "";
        const std::string comment = kind == 19 ? "(ﾚｸﾁｬｰ)" : "";
        const int32_t time = 60'000 + static_cast<int32_t>(random() % 20'000);
        rows.push_back({std::to_string(car), "Driver", "Model", pen, TimeText(time, kMinutes),
                        comment, "", "", std::to_string(count[car])});
    }
    ResultTable table(RaceMode::kGymkhana);
    table.SetRows(std::move(rows));
    return table;
}

void Rebuild(benchmark::State& state, const ResultTable& results, ReplayRule rule) {
    EntryTable entries;
    Standings standings(entries);
    for (auto _ : state) {
        const RebuildOutcome outcome = RebuildRanking(standings, results, rule, kMinutes);
        benchmark::DoNotOptimize(outcome.ok);
    }
    state.counters["columns"] = standings.List().ColumnCount();
    state.counters["ranked"] = standings.Table().UsedCount();
}

void BM_RebuildCircuitCommonStart(benchmark::State& state) {
    static const ResultTable results = CircuitLaps(20'000);
    Rebuild(state, results, ReplayRule::kCircuitCommonStart);
}
BENCHMARK(BM_RebuildCircuitCommonStart)->Unit(benchmark::kMillisecond);

void BM_RebuildCircuitLapTiming(benchmark::State& state) {
    static const ResultTable results = CircuitLaps(20'000);
    Rebuild(state, results, ReplayRule::kCircuitLapTiming);
}
BENCHMARK(BM_RebuildCircuitLapTiming)->Unit(benchmark::kMillisecond);

void BM_RebuildGymkhana(benchmark::State& state) {
    static const ResultTable results = GymkhanaRuns(2'000);
    Rebuild(state, results, ReplayRule::kGymkhana);
}
BENCHMARK(BM_RebuildGymkhana)->Unit(benchmark::kMillisecond);

// The same common-start replay through the step-by-step model.
void BM_ReferenceCircuitCommonStart(benchmark::State& state) {
    static const ResultTable results = CircuitLaps(20'000);
    EntryTable entries;
    for (auto _ : state) {
        test::ReferenceStandings reference(entries);
        for (int32_t i = 1; i < results.RowCount(); ++i) {
            reference.AddCommonStartLap(
                StrToIntOrThrow(results.Cell(0, i)), ParseTimeText(results.Cell(4, i)),
                ParseTimeText(results.Cell(5, i)), StrToIntOrThrow(results.Cell(3, i)), kMinutes);
        }
        benchmark::DoNotOptimize(reference.rank.data());
    }
}
BENCHMARK(BM_ReferenceCircuitCommonStart)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vantrel
