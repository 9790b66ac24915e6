// Figures for the journal: what Append costs its caller (the writer thread does the disk work),
// how many records per second the writer makes durable with fdatasync on this disk, and how
// long a record waits between Append and being durable. The files go to a folder under the
// current one, so run it from a folder on the disk to be measured.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "journal/journal_writer.h"
#include "journal/list_journal.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A folder for one benchmark's journal, removed afterwards.
class BenchFolder {
public:
    BenchFolder()
        : path_(std::filesystem::current_path() / ("journal_bench." + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~BenchFolder() { std::filesystem::remove_all(path_); }
    std::filesystem::path Next() { return path_ / ("j" + std::to_string(count_++) + ".vtj"); }

private:
    std::filesystem::path path_;
    int count_ = 0;
};

// About the size of a finished run: car number, name, lap and section times.
std::vector<uint8_t> RunPayload() {
    return std::vector<uint8_t>(96, 0x5A);
}

// The caller's side only: the writer syncs in the background meanwhile.
void BM_JournalAppendCaller(benchmark::State& state) {
    BenchFolder folder;
    vantrel::JournalWriter writer;
    if (!writer.Open(folder.Next(), 1)) {
        state.SkipWithError("cannot open the journal");
        return;
    }
    const auto payload = RunPayload();
    uint64_t seq = 0;
    for (auto _ : state) {
        seq = writer.Append(3, payload);
    }
    writer.WaitDurable(seq, 60s);
    writer.Close();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JournalAppendCaller);

// Records made durable per second: a burst of appends, timed until the last one is on disk.
void BM_JournalDurableThroughput(benchmark::State& state) {
    BenchFolder folder;
    const auto payload = RunPayload();
    const int burst = static_cast<int>(state.range(0));
    for (auto _ : state) {
        vantrel::JournalWriter writer;
        state.PauseTiming();
        writer.Open(folder.Next(), 1);
        state.ResumeTiming();
        uint64_t seq = 0;
        for (int i = 0; i < burst; ++i) {
            seq = writer.Append(3, payload);
        }
        writer.WaitDurable(seq, 60s);
        state.PauseTiming();
        writer.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * burst);
}
BENCHMARK(BM_JournalDurableThroughput)
    ->Arg(1000)
    ->Arg(20000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// One record at a time, each waiting for its own fdatasync: the rate without batching.
void BM_JournalSteadyRate(benchmark::State& state) {
    BenchFolder folder;
    vantrel::JournalWriter writer;
    writer.Open(folder.Next(), 1);
    const auto payload = RunPayload();
    uint64_t appended = 0;
    for (auto _ : state) {
        appended = writer.Append(3, payload);
        writer.WaitDurable(appended, 60s);
    }
    writer.Close();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JournalSteadyRate)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Append to durable, one record every 2 ms (a busy event is far slower): p50 and p99.
void BM_JournalAppendToDurable(benchmark::State& state) {
    BenchFolder folder;
    const auto payload = RunPayload();
    std::vector<double> waits;
    for (auto _ : state) {
        vantrel::JournalWriter writer;
        writer.Open(folder.Next(), 1);
        waits.clear();
        for (int i = 0; i < 300; ++i) {
            const auto start = Clock::now();
            const uint64_t seq = writer.Append(3, payload);
            while (writer.DurableSeq() < seq) {
                std::this_thread::sleep_for(20us);
            }
            waits.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            std::this_thread::sleep_until(start + 2ms);
        }
        writer.Close();
    }
    std::sort(waits.begin(), waits.end());
    state.counters["p50_ms"] = waits[waits.size() / 2];
    state.counters["p99_ms"] = waits[waits.size() * 99 / 100];
    state.counters["max_ms"] = waits.back();
}
BENCHMARK(BM_JournalAppendToDurable)->Iterations(1)->Unit(benchmark::kMillisecond);

// What journalling a booked lap costs the window, late in a long circuit race: the step taken
// from the recorder (the changed row, the "Lap" cell, the counters), encoded, handed to the
// writer and put in the undo history.
void BM_JournalBookedLap(benchmark::State& state) {
    BenchFolder folder;
    vantrel::EntryTable entries;
    vantrel::ResultTable results(vantrel::RaceMode::kCircuit);
    vantrel::SessionState session;
    std::vector<std::vector<std::string>> rows(
        20000, {"12", "山田 太郎", "シビック", "57", "1:23.456", "1:19:02.345"});
    results.SetRows(rows);
    vantrel::ListRecorder recorder(entries, results, session);
    vantrel::ListUndo undo({entries, results, session}, recorder);
    vantrel::ListJournal journal({entries, results, session}, recorder, undo, {});
    if (!journal.Begin(folder.Next().parent_path())) {
        state.SkipWithError("cannot open the journal");
        return;
    }
    int32_t lap = 0;
    for (auto _ : state) {
        const int32_t car = 1 + lap % 60;
        ++session.runCount[car];
        session.lastPassTime[car] = static_cast<uint32_t>(lap * 1000);
        entries.SetCell(vantrel::EntryTable::kLap, car, std::to_string(session.runCount[car]));
        results.SetRow(results.RowForNewResult(),
                       {std::to_string(car), "", "", std::to_string(session.runCount[car]),
                        "1:23.456", "1:19:02.345"});
        journal.ResultBooked({}, results.RowCount() - 1);
        ++lap;
    }
    journal.End();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JournalBookedLap)->Unit(benchmark::kMicrosecond);

}  // namespace
