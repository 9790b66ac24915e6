// What a restore after a crash costs late in a long circuit race: the journal of a 199-car race
// of 20 000 laps, written by the event as it books them (each lap a booking record), read back,
// inspected for the question, replayed onto a fresh event with its session resumed, and the
// new journal begun with its checkpoint durable. Each restore runs in a process of its own, so
// that its peak memory is its own and no allocator cache of an earlier run helps it. The files
// go to a folder under the current one, so run it from a folder on the disk to be measured.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "app/meet.h"
#include "app/meet_journal.h"
#include "common/car_code.h"
#include "common/ms_clock.h"
#include "journal/journal_place.h"
#include "journal/journal_record.h"
#include "modes/circuit_race_data.h"
#include "sensors/sensor_log.h"
#include "support/quiet_outputs.h"

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int32_t kRaceLaps = 20'000;
constexpr uint32_t kSessionStart = 1'000'000;
const char kBoot[] = "bench";

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long MaxRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The event with its journal, as the window builds them, on a clock of its own.
struct Event {
    FakeMsClock clock{kSessionStart};
    test::QuietTicks ticks;
    SensorLog log;
    test::QuietPrompter prompter;
    test::CountingTones tones;
    Meet meet{{&clock, &ticks, &log, &prompter, &tones}};
    MeetJournal journal{meet};

    Event() {
        ResultSinks sinks;
        sinks.journal = &journal.Journal();
        meet.ConnectSinks(sinks);
    }
    void StartSession() {
        meet.ModeReset();
        meet.StartSession(clock.MsTick());
        journal.SessionStarted(kBoot);
    }
};

// A folder for the journals, removed afterwards.
class BenchFolder {
public:
    BenchFolder()
        : path_(std::filesystem::current_path() /
                ("journal_restore_bench." + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_ / "race");
    }
    ~BenchFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The race, lap by lap through the receiver path, with the window's journal poll after each
// passing; the program is then killed (no end record), once everything is on disk.
[[noreturn]] void RunRaceAndDie(const std::filesystem::path& folder) {
    Event event;
    for (int32_t car = 1; car <= bench::kRaceCars; ++car) {
        event.meet.Entries().SetCell(EntryTable::kName, car, "山田 太郎" + std::to_string(car));
        event.meet.Entries().SetCell(EntryTable::kModel, car, "ｼﾋﾞｯｸ EK9");
    }
    event.meet.EnterMode(RaceMode::kCircuit);
    if (!event.journal.Journal().Begin(folder)) {
        _exit(2);
    }
    event.StartSession();
    for (const bench::RacePassing& passing : bench::RacePassings(kRaceLaps + bench::kRaceCars)) {
        event.clock.Set(kSessionStart + passing.atMs);
        uint8_t code = CodeOfCar(passing.car);
        event.meet.TakeReceivedBlock(RaceMode::kCircuit, &code, 1, event.clock.MsTick());
        event.journal.Journal().Poll();
    }
    JournalWriter& writer = event.journal.Journal().Writer();
    const bool durable = writer.WaitDurable(writer.NextSeq() - 1, 120s);
    _exit(durable && event.meet.Results().DataRowCount() == kRaceLaps ? 0 : 3);
}

// The journal the race left, made once per run of the benchmark.
const std::filesystem::path& RaceJournal(const BenchFolder& folder) {
    static const std::filesystem::path path = [&folder] {
        const pid_t child = fork();
        if (child == 0) {
            RunRaceAndDie(folder.Path() / "race");
        }
        int status = 0;
        waitpid(child, &status, 0);
        const std::optional<FoundJournal> found = FindJournalToOffer(folder.Path() / "race");
        const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && found;
        return ok ? found->path : std::filesystem::path();
    }();
    return path;
}

struct RestoreFigures {
    double readMs = 0;
    double inspectMs = 0;
    double replayMs = 0;
    double beginMs = 0;  // the new journal's checkpoint written and durable
    long peakKb = 0;     // growth of the resident set over the whole restore
    int32_t rows = 0;    // the laps restored; -1 when a record was damaged or not applied
};

// The restore as the window makes it after a crash in the same boot, answered "yes".
RestoreFigures Restore(const std::filesystem::path& path, const std::filesystem::path& folder) {
    RestoreFigures figures;
    const long rssBefore = MaxRssKb();
    auto start = Clock::now();
    const JournalReadResult read = ReadJournalFile(path);
    figures.readMs = MsSince(start);
    start = Clock::now();
    const JournalReplay seen = InspectJournal(read.records);
    figures.inspectMs = MsSince(start);
    Event event;
    MeetJournal::RestoreSteps steps;
    steps.enterMode = [&event](RaceMode mode) { event.meet.EnterMode(mode); };
    steps.startSession = [&event] {
        event.StartSession();
        return true;
    };
    steps.restartSession = true;
    steps.bootId = kBoot;
    start = Clock::now();
    event.journal.Restore(read.records, seen, steps);
    figures.replayMs = MsSince(start);
    std::filesystem::create_directories(folder);
    start = Clock::now();
    ListJournal& journal = event.journal.Journal();
    const bool begun = static_cast<bool>(journal.Begin(folder));
    figures.beginMs = begun && journal.Writer().WaitDurable(journal.Writer().NextSeq() - 1, 60s)
                          ? MsSince(start)
                          : -1;
    figures.peakKb = MaxRssKb() - rssBefore;
    const bool whole = read.damage == JournalDamage::kNone && seen.unapplied.empty();
    figures.rows = whole ? event.meet.Results().DataRowCount() : -1;
    return figures;
}

// One restore in a child process; false when it failed.
bool RestoreInChild(const std::filesystem::path& path, const std::filesystem::path& folder,
                    RestoreFigures& figures) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        const RestoreFigures made = Restore(path, folder);
        const bool sent = write(pipeFds[1], &made, sizeof made) == sizeof made;
        _exit(sent ? 0 : 1);
    }
    close(pipeFds[1]);
    const bool received = read(pipeFds[0], &figures, sizeof figures) == sizeof figures;
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return received && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_JournalRestore20000Laps(benchmark::State& state) {
    static const BenchFolder folder;
    const std::filesystem::path& path = RaceJournal(folder);
    if (path.empty()) {
        state.SkipWithError("the race did not leave a whole journal");
        return;
    }
    int run = 0;
    for (auto _ : state) {
        const std::filesystem::path restored = folder.Path() / ("restored" + std::to_string(run++));
        RestoreFigures figures;
        if (!RestoreInChild(path, restored, figures) || figures.rows != kRaceLaps ||
            figures.beginMs < 0) {
            state.SkipWithError("the restore failed or lost laps");
            return;
        }
        std::filesystem::remove_all(restored);
        state.SetIterationTime(
            (figures.readMs + figures.inspectMs + figures.replayMs + figures.beginMs) / 1000);
        state.counters["read_ms"] = figures.readMs;
        state.counters["inspect_ms"] = figures.inspectMs;
        state.counters["replay_ms"] = figures.replayMs;
        state.counters["begin_ms"] = figures.beginMs;
        state.counters["peak_MB"] = static_cast<double>(figures.peakKb) / 1024;
    }
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024 * 1024);
}
BENCHMARK(BM_JournalRestore20000Laps)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel
