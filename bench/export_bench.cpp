// The spreadsheet export of a 20 000-row GYMKHANA result list: the sheet's content, the
// tab-separated text and the whole .xlsx workbook written to the temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "lists/result_list_data.h"
#include "lists/result_table.h"
#include "reports/result_sheet.h"
#include "reports/xlsx_workbook.h"

namespace vantrel::bench {
namespace {

ResultTable BigList(int rows) {
    std::vector<std::vector<std::string>> cells;
    cells.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        cells.push_back(ResultCells(row));
    }
    ResultTable table(RaceMode::kGymkhana);
    table.SetRows(std::move(cells));
    return table;
}

void BM_SheetContent(benchmark::State& state) {
    const ResultTable table = BigList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildResultSheet(table, RaceMode::kGymkhana));
        benchmark::DoNotOptimize(ResultSheetText(table));
    }
}
BENCHMARK(BM_SheetContent)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_WriteWorkbook(benchmark::State& state) {
    const ResultTable table = BigList(static_cast<int>(state.range(0)));
    const auto path = std::filesystem::temp_directory_path() / "vantrel-bench-export.xlsx";
    for (auto _ : state) {
        std::filesystem::remove(path);
        const WorkbookOutcome out =
            WriteResultWorkbook(BuildResultSheet(table, RaceMode::kGymkhana), path);
        if (!out.ok) {
            state.SkipWithError(out.detail.c_str());
            break;
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteWorkbook)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel::bench
