// The result grid over a 20 000-row list: loading into a shown table view, appending 1 000
// results one by one as a session does, and scrolling through the whole list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <cstdlib>

#include "common/session_state.h"
#include "lists/result_file.h"
#include "lists/result_list_commands.h"
#include "lists/result_table_model.h"
#include "result_list_data.h"

namespace vantrel {
namespace {

constexpr int kFileRows = 20000;
constexpr int kAppended = 1000;

// A result grid as the main window sets it up: fixed 15-pixel rows.
struct Grid {
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
    SessionState session;
    ResultListCommands commands{results, entries, session, nullptr};
    ResultTableModel model{results, commands.EditState()};
    QTableView view;

    Grid() {
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.verticalHeader()->setDefaultSectionSize(15);
        view.setModel(&model);
        view.resize(640, 300);
        view.show();
        QApplication::processEvents();
    }
};

void BM_GridLoadResultFile(benchmark::State& state) {
    const auto path = bench::WriteResultFile(kFileRows);
    for (auto _ : state) {
        state.PauseTiming();
        Grid grid;
        state.ResumeTiming();
        grid.commands.Load(path);
        grid.view.viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(grid.model.rowCount());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_GridLoadResultFile)->Unit(benchmark::kMillisecond);

void BM_GridAppendResults(benchmark::State& state) {
    const auto path = bench::WriteResultFile(kFileRows);
    for (auto _ : state) {
        state.PauseTiming();
        Grid grid;
        grid.commands.Load(path);
        QApplication::processEvents();
        state.ResumeTiming();
        for (int i = 0; i < kAppended; ++i) {
            grid.commands.AddResult(BookingOfRow(bench::ResultCells(kFileRows + i)));
            grid.view.scrollToBottom();
            QApplication::processEvents();
        }
        benchmark::DoNotOptimize(grid.model.rowCount());
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kAppended);
}
BENCHMARK(BM_GridAppendResults)->Unit(benchmark::kMillisecond);

// The same appends without painting in between: what the model and view bookkeeping costs.
void BM_GridAppendResultsUnpainted(benchmark::State& state) {
    const auto path = bench::WriteResultFile(kFileRows);
    for (auto _ : state) {
        state.PauseTiming();
        Grid grid;
        grid.commands.Load(path);
        QApplication::processEvents();
        state.ResumeTiming();
        for (int i = 0; i < kAppended; ++i) {
            grid.commands.AddResult(BookingOfRow(bench::ResultCells(kFileRows + i)));
        }
        QApplication::processEvents();
        benchmark::DoNotOptimize(grid.model.rowCount());
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kAppended);
}
BENCHMARK(BM_GridAppendResultsUnpainted)->Unit(benchmark::kMillisecond);

// One repaint of the visible rows: the floor under every append that the operator sees.
void BM_GridRepaintPage(benchmark::State& state) {
    const auto path = bench::WriteResultFile(kFileRows);
    Grid grid;
    grid.commands.Load(path);
    QApplication::processEvents();
    for (auto _ : state) {
        grid.view.viewport()->repaint();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_GridRepaintPage)->Unit(benchmark::kMicrosecond);

void BM_GridScrollThrough(benchmark::State& state) {
    const auto path = bench::WriteResultFile(kFileRows);
    Grid grid;
    grid.commands.Load(path);
    QApplication::processEvents();
    QScrollBar* bar = grid.view.verticalScrollBar();
    for (auto _ : state) {
        // One repaint per page, top to bottom.
        int pages = 0;
        for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
            bar->setValue(value);
            grid.view.viewport()->repaint();
            ++pages;
        }
        state.counters["pages"] = pages;
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_GridScrollThrough)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
