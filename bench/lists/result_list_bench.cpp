// Loading a 20 000-row result file and appending 1 000 results, without a window.
#include <benchmark/benchmark.h>

#include "common/session_state.h"
#include "lists/result_file.h"
#include "lists/result_list_commands.h"
#include "result_list_data.h"

namespace vantrel {
namespace {

constexpr int kFileRows = 20000;
constexpr int kAppended = 1000;

void BM_LoadResultFile(benchmark::State& state) {
    const auto path = bench::WriteResultFile(kFileRows);
    for (auto _ : state) {
        ResultTable table(RaceMode::kGymkhana);
        if (!LoadResultFile(path, table)) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(table.DataRowCount());
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kFileRows);
}
BENCHMARK(BM_LoadResultFile)->Unit(benchmark::kMillisecond);

void BM_AppendResults(benchmark::State& state) {
    const auto path = bench::WriteResultFile(kFileRows);
    ResultTable loaded(RaceMode::kGymkhana);
    LoadResultFile(path, loaded);
    std::filesystem::remove(path);
    for (auto _ : state) {
        state.PauseTiming();
        ResultTable table = loaded;
        EntryTable entries;
        SessionState session;
        ResultListCommands commands(table, entries, session, nullptr);
        state.ResumeTiming();
        for (int i = 0; i < kAppended; ++i) {
            commands.AddResult(BookingOfRow(bench::ResultCells(kFileRows + i)));
        }
        benchmark::DoNotOptimize(table.DataRowCount());
    }
    state.SetItemsProcessed(state.iterations() * kAppended);
}
BENCHMARK(BM_AppendResults)->Unit(benchmark::kMillisecond);

void BM_SaveResultFile(benchmark::State& state) {
    const auto path = bench::WriteResultFile(kFileRows);
    ResultTable table(RaceMode::kGymkhana);
    LoadResultFile(path, table);
    for (auto _ : state) {
        if (!SaveResultFile(path, table)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kFileRows);
}
BENCHMARK(BM_SaveResultFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel
