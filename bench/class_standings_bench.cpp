// Standings of a 20 000-lap circuit race of 199 cars in 20 classes: the overall rebuild
// alone, and the rebuild followed by the Rank and List pages of every class. The second
// should cost no more than twice the first.

#include <benchmark/benchmark.h>

#include "modes/circuit_race_data.h"
#include "reports/class_standings.h"
#include "reports/standings_rebuild.h"

namespace vantrel {
namespace {

constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};
constexpr int32_t kLaps = 20'000;
constexpr int32_t kClasses = 20;

// The race's laps as the result list holds them: car, name, model, lap, lap time, total.
ResultTable RaceResults() {
    std::vector<uint32_t> last(bench::kRaceCars + 1, 0);
    std::vector<int32_t> count(bench::kRaceCars + 1, 0);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(kLaps);
    for (const bench::RacePassing& p : bench::RacePassings(kLaps)) {
        const auto lap = static_cast<int32_t>(p.atMs - last[p.car]);
        last[p.car] = p.atMs;
        rows.push_back({std::to_string(p.car), "Driver", "Model", std::to_string(++count[p.car]),
                        TimeText(lap, kMinutes), TimeText(static_cast<int32_t>(p.atMs), kMinutes)});
    }
    ResultTable table(RaceMode::kCircuit);
    table.SetRows(std::move(rows));
    return table;
}

const ResultTable& Race() {
    static const ResultTable results = RaceResults();
    return results;
}

// Cars spread over the classes in blocks, as an entry list sorted by class would be.
void GiveClasses(EntryTable& entries) {
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        entries.SetCell(EntryTable::kClass, car, "C" + std::to_string((car - 1) * kClasses / 199));
    }
}

void Run(benchmark::State& state, ReplayRule rule, bool classPages) {
    EntryTable entries;
    GiveClasses(entries);
    Standings standings(entries);
    RankPage rank;
    ListPage list;
    const std::vector<std::string> classes = ClassesOf(entries);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RebuildRanking(standings, Race(), rule, kMinutes).ok);
        if (classPages) {
            for (const std::string& cls : classes) {
                FillClassRank(standings, entries, cls, rank);
                FillClassList(standings, entries, cls, list);
                benchmark::DoNotOptimize(&rank);
                benchmark::DoNotOptimize(&list);
            }
        }
    }
    state.counters["classes"] = static_cast<double>(classes.size());
    state.counters["columns"] = standings.List().ColumnCount();
}

void BM_OverallCommonStart(benchmark::State& state) {
    Run(state, ReplayRule::kCircuitCommonStart, false);
}
BENCHMARK(BM_OverallCommonStart)->Unit(benchmark::kMillisecond);

void BM_OverallAndClassesCommonStart(benchmark::State& state) {
    Run(state, ReplayRule::kCircuitCommonStart, true);
}
BENCHMARK(BM_OverallAndClassesCommonStart)->Unit(benchmark::kMillisecond);

void BM_OverallLapTiming(benchmark::State& state) {
    Run(state, ReplayRule::kCircuitLapTiming, false);
}
BENCHMARK(BM_OverallLapTiming)->Unit(benchmark::kMillisecond);

void BM_OverallAndClassesLapTiming(benchmark::State& state) {
    Run(state, ReplayRule::kCircuitLapTiming, true);
}
BENCHMARK(BM_OverallAndClassesLapTiming)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel
