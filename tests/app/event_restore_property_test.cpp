// Random afternoons of every mode through the event object and its journal: runs, laps, drag
// runs, penalties, edits, loads, saves, clears, undos, redos, mode changes, session starts and
// stops, review marks booked and accepted. The journal is cut at random records and restored onto a
// fresh event, which must equal the event as it was at the cut in everything a timekeeper would
// call its state, its undo history included; undoing on the restored event is journalled too, so
// that a second crash brings back the undone state.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/meet.h"
#include "app/meet_journal.h"
#include "common/car_code.h"
#include "common/ms_clock.h"
#include "journal/journal_content.h"
#include "journal/journal_record.h"
#include "sensors/sensor_log.h"
#include "support/quiet_outputs.h"
#include "support/temp_dir.h"

namespace vantrel::test {
namespace {

// Everything compared between the event at a cut and the event restored from it.
struct EventState {
    std::vector<std::string> entryCells;
    RaceMode resultMode = RaceMode::kGymkhana;
    TableRows resultRows;
    ListFiles files;
    std::vector<int64_t> counters;
    RaceMode mode = RaceMode::kGymkhana;
    int32_t countingMethod = 0;
    bool running = false;
    uint32_t startTick = 0;
    std::vector<CarOnCourse> course;
    std::string proposal;
    std::array<int32_t, 4> queue{};
    std::string dragNext;  // the car number box, or the car whose run a crash broke off
    std::vector<ListStep> done;
    std::vector<ListStep> undone;
    bool operator==(const EventState&) const = default;
};

std::vector<ListStep> StepsOf(const std::deque<std::shared_ptr<const ListStep>>& steps) {
    std::vector<ListStep> out;
    for (const auto& step : steps) {
        out.push_back(*step);
    }
    return out;
}

// What differs, for the failure message.
std::string Difference(const EventState& a, const EventState& b) {
    std::ostringstream out;
    auto check = [&out](bool same, const char* what) {
        if (!same) {
            out << what << " ";
        }
    };
    check(a.entryCells == b.entryCells, "entries");
    check(a.resultMode == b.resultMode && a.resultRows == b.resultRows, "results");
    check(a.files == b.files, "files");
    if (a.files != b.files) {
        out << "(" << a.files.entry.name << a.files.entryModified << " " << a.files.result.name
            << a.files.resultModified << " / " << b.files.entry.name << b.files.entryModified << " "
            << b.files.result.name << b.files.resultModified << ") ";
    }
    check(a.counters == b.counters, "counters");
    check(a.mode == b.mode, "mode");
    if (a.mode != b.mode) {
        out << "(" << static_cast<int>(a.mode) << " / " << static_cast<int>(b.mode) << ", results "
            << static_cast<int>(a.resultMode) << " / " << static_cast<int>(b.resultMode) << ") ";
    }
    check(a.countingMethod == b.countingMethod, "counting method");
    check(a.running == b.running && a.startTick == b.startTick, "session");
    check(a.course == b.course, "course");
    if (a.course != b.course) {
        out << "(";
        for (const auto* course : {&a.course, &b.course}) {
            for (const CarOnCourse& car : *course) {
                out << "[" << car.position << " car " << car.car << " @" << car.startTick << " p"
                    << car.penalty << " s" << car.split1Ms << "]";
            }
            out << " / ";
        }
        out << "running " << a.running << " mode " << static_cast<int>(a.mode) << ") ";
    }
    check(a.proposal == b.proposal && a.queue == b.queue, "starters");
    if (a.proposal != b.proposal || a.queue != b.queue) {
        out << "(next " << a.proposal << " / " << b.proposal << ", queue";
        for (size_t i = 0; i < a.queue.size(); ++i) {
            out << " " << a.queue[i] << "/" << b.queue[i];
        }
        out << ", running " << a.running << ", mode " << static_cast<int>(a.mode) << ") ";
    }
    check(a.dragNext == b.dragNext, "drag");
    check(a.done == b.done, "undo history");
    check(a.undone == b.undone, "redo history");
    return out.str();
}

// One event with its journal, on a clock of its own.
class LiveEvent {
public:
    explicit LiveEvent(const std::filesystem::path& folder)
        : clock_(0xFFFFFFFFu - 600000u),
          meet_({&clock_, &ticks_, &log_, &prompter_, &tones_}),
          journal_(meet_),
          folder_(folder) {
        ResultSinks sinks;
        sinks.journal = &journal_.Journal();
        meet_.ConnectSinks(sinks);
    }

    void Begin() { EXPECT_TRUE(journal_.Journal().Begin(folder_)); }

    Meet& Event() { return meet_; }
    MeetJournal& Journal() { return journal_; }
    FakeMsClock& Clock() { return clock_; }

    void StartSession() {
        meet_.ModeReset();
        meet_.StartSession(clock_.MsTick());
        journal_.SessionStarted("boot");
    }
    void StopSession() {
        meet_.Session().running = false;
        meet_.StopSession();
        journal_.SessionStopped();
    }

    // The restore as the window makes it after a crash in the same boot.
    void RestoreFrom(const std::vector<JournalRecord>& records) {
        MeetJournal::RestoreSteps steps;
        steps.enterMode = [this](RaceMode mode) { meet_.EnterMode(mode); };
        steps.startSession = [this] {
            StartSession();
            return true;
        };
        steps.restartSession = true;
        steps.bootId = "boot";
        journal_.Restore(records, InspectJournal(records), steps);
    }

    EventState State() const {
        EventState state;
        const EntryTable& entries = const_cast<Meet&>(meet_).Entries();
        for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
            for (int32_t column = 0; column < EntryTable::kColumns; ++column) {
                state.entryCells.push_back(entries.Cell(column, car));
            }
        }
        const ResultTable& results = meet_.Results();
        state.resultMode = results.Mode();
        for (int32_t row = 1; row < results.RowCount(); ++row) {
            state.resultRows.push_back(results.StoredRow(row));  // with its review mark
        }
        state.files = meet_.Files();
        const SessionState& session = meet_.Session();
        for (int32_t car = 0; car < kCarSlots; ++car) {
            state.counters.push_back(session.runCount[car]);
            state.counters.push_back(session.firstPassTime[car]);
            state.counters.push_back(session.lastPassTime[car]);
        }
        state.mode = session.currentMode;
        state.countingMethod = session.countingMethod;
        state.running = session.running.load();
        state.startTick = state.running ? session.sessionStartTick : 0;
        // Cars left on course by a stop are no runs any more: the next start clears them.
        if (state.running) {
            state.course = meet_.CarsOnCourseNow();
        }
        state.proposal = meet_.Gymkhana().Starters().ProposalText();
        state.queue = meet_.Gymkhana().Starters().Queue();
        Meet& meet = const_cast<Meet&>(meet_);
        const int32_t runCar = meet.Drag().RunCar();
        state.dragNext = runCar >= 0 ? std::to_string(runCar) : meet.Drag().CarBoxText();
        state.done = StepsOf(const_cast<MeetJournal&>(journal_).History().DoneSteps());
        state.undone = StepsOf(const_cast<MeetJournal&>(journal_).History().UndoneSteps());
        return state;
    }

private:
    FakeMsClock clock_;
    QuietTicks ticks_;
    SensorLog log_;
    QuietPrompter prompter_;
    CountingTones tones_;
    Meet meet_;
    MeetJournal journal_;
    std::filesystem::path folder_;
};

// Drives one event through random commands and keeps its state at every journal record.
class RandomAfternoon {
public:
    RandomAfternoon(uint32_t seed, const std::filesystem::path& folder,
                    const std::filesystem::path& files)
        : random_(seed), live_(folder), files_(files) {
        // A window narrow enough that gymkhana and drag runs get marks too.
        SetupSettings setup;
        setup.plausibleMinMs = 10000;
        setup.plausibleMaxMs = 11000;
        live_.Event().Configure(setup);
        live_.Begin();
    }

    // The state after the last command whose records end at each (journal, seq).
    using Cuts = std::map<std::pair<std::filesystem::path, uint64_t>, EventState>;

    void Run(int commands) {
        for (int i = 0; i < commands; ++i) {
            live_.Clock().Advance(Pick(50, 4000));
            Command();
            ListJournal& journal = live_.Journal().Journal();
            journal.Poll();
            cuts_[{journal.Path(), journal.Writer().NextSeq() - 1}] = live_.State();
            const ResultTable& results = live_.Event().Results();
            for (int32_t row = 1; row < results.RowCount(); ++row) {
                marked_ += results.Flag(row).empty() ? 0 : 1;
            }
        }
        ListJournal& journal = live_.Journal().Journal();
        ASSERT_TRUE(
            journal.Writer().WaitDurable(journal.Writer().NextSeq() - 1, std::chrono::seconds(30)));
    }
    const Cuts& States() const { return cuts_; }
    // Marked rows summed over every state, and marks accepted.
    int Marked() const { return marked_; }
    int Accepted() const { return accepted_; }
    std::mt19937& Random() { return random_; }

private:
    uint32_t Pick(uint32_t low, uint32_t high) {
        return std::uniform_int_distribution<uint32_t>(low, high)(random_);
    }
    int32_t Car() { return static_cast<int32_t>(Pick(1, 12)); }

    void Edge(SensorInput input) {
        SensorEvent event;
        event.kind = SensorEventKind::kActiveEdge;
        event.input = input;
        event.tick = live_.Clock().MsTick();
        live_.Event().TakeSensorEvent(event);
    }
    void Drag(SensorEventKind kind) {
        SensorEvent event;
        event.kind = kind;
        event.tick = live_.Clock().MsTick();
        event.drag.Set(0, 0);
        event.drag.Set(1, static_cast<int32_t>(Pick(400, 900)));
        event.drag.Set(7, static_cast<int32_t>(Pick(9000, 14000)));
        live_.Event().TakeSensorEvent(event);
    }
    void Lap() {
        uint8_t code = CodeOfCar(Car());
        live_.Event().TakeReceivedBlock(live_.Event().Session().currentMode, &code, 1,
                                        live_.Clock().MsTick());
    }

    void Command() {
        Meet& meet = live_.Event();
        const bool running = meet.Session().running.load();
        const RaceMode mode = meet.Session().currentMode;
        switch (Pick(0, 18)) {
            case 0:
            case 1:
                if (mode == RaceMode::kGymkhana) {
                    Edge(Pick(0, 1) == 0 ? SensorInput::kStart : SensorInput::kFinish);
                } else if (mode == RaceMode::kCircuit) {
                    Lap();
                } else {
                    Drag(Pick(0, 1) == 0 ? SensorEventKind::kDragNewRun
                                         : SensorEventKind::kDragFinish);
                }
                break;
            case 2:
                meet.Gymkhana().SetProposalText(std::to_string(Car()));
                meet.Gymkhana().AddCar();
                break;
            case 3: {
                const auto position = static_cast<int32_t>(Pick(1, 4));
                switch (Pick(0, 3)) {
                    case 0:
                        meet.Gymkhana().AddPylonTouch(position);
                        break;
                    case 1:
                        meet.Gymkhana().MissCourse(position);
                        break;
                    case 2:
                        meet.Gymkhana().ClearPenalty(position);
                        break;
                    default:
                        meet.Gymkhana().RemoveCar(position);
                }
                break;
            }
            case 4:
                // A cell edit as the grids make it: the list is marked modified as it begins.
                if (Pick(0, 1) == 0) {
                    meet.EntryList().BeginEdit();
                    meet.Entries().SetCell(EntryTable::kName, Car(),
                                           "Driver " + std::to_string(Pick(1, 99)));
                    meet.EntryList().EndEdit();
                } else if (meet.Results().Cell(0, 1) != "") {
                    const auto row = static_cast<int32_t>(Pick(1, meet.Results().DataRowCount()));
                    meet.ResultList().BeginEdit();
                    meet.Results().SetCell(0, row, std::to_string(Car()));
                    meet.ResultList().EndEdit(row);
                }
                break;
            case 5:
                if (meet.Results().DataRowCount() > 0 && meet.Results().Cell(0, 1) != "") {
                    const auto row = static_cast<int32_t>(Pick(1, meet.Results().DataRowCount()));
                    if (Pick(0, 1) == 0) {
                        meet.ResultList().PressButton(ResultButton::kPenaltyPlus, row);
                    } else {
                        meet.ResultList().DeleteRow(row);
                    }
                }
                break;
            case 6:
                Save();
                break;
            case 7:
                Load();
                break;
            case 8:
                if (Pick(0, 3) == 0) {
                    meet.ResultList().Clear();
                }
                break;
            case 9:
            case 10:
                live_.Journal().Undo();
                break;
            case 11:
                live_.Journal().Redo();
                break;
            case 12:
                if (!running) {
                    meet.EnterMode(static_cast<RaceMode>(Pick(0, 2)));
                    meet.ModeReset();
                }
                break;
            case 13:
                if (!running && mode == RaceMode::kCircuit) {
                    meet.Circuit().SetCountingMethod(static_cast<int32_t>(Pick(0, 1)));
                }
                break;
            case 14:
                if (running) {
                    live_.StopSession();
                } else {
                    live_.StartSession();
                }
                break;
            case 15:
                meet.Drag().SetCarBoxText(std::to_string(Car()));
                meet.Drag().CommitCarBox();
                break;
            case 16:
                meet.TakeDigitKey(static_cast<int>(Pick(0, 9)));
                break;
            case 17:
                AcceptAMark();
                break;
            default:
                if (mode == RaceMode::kGymkhana && running) {
                    Edge(SensorInput::kSplit1);
                }
        }
    }

    void AcceptAMark() {
        const ResultTable& results = live_.Event().Results();
        std::vector<int32_t> marked;
        for (int32_t row = 1; row < results.RowCount(); ++row) {
            if (!results.Flag(row).empty()) {
                marked.push_back(row);
            }
        }
        if (!marked.empty()) {
            const int32_t row = marked[Pick(0, static_cast<uint32_t>(marked.size() - 1))];
            accepted_ += live_.Event().ResultList().AcceptFlag(row) ? 1 : 0;
        }
    }

    void Save() {
        const std::string name = std::to_string(Pick(0, 2)) + ".csv";
        if (Pick(0, 1) == 0) {
            live_.Event().ResultList().Save(files_ / ("r" + name));
        } else {
            live_.Event().EntryList().Save(files_ / ("e" + name));
        }
    }
    void Load() {
        const std::string name = std::to_string(Pick(0, 2)) + ".csv";
        const bool result = Pick(0, 1) == 0;
        const std::filesystem::path path = files_ / ((result ? "r" : "e") + name);
        if (!std::filesystem::exists(path) || live_.Event().Session().running.load()) {
            return;
        }
        if (result) {
            live_.Event().ResultList().Load(path);
        } else {
            live_.Event().EntryList().Load(path);
        }
    }

    std::mt19937 random_;
    LiveEvent live_;
    std::filesystem::path files_;
    Cuts cuts_;
    int marked_ = 0;
    int accepted_ = 0;
};

std::vector<JournalRecord> RecordsUpTo(const std::filesystem::path& path, uint64_t seq) {
    std::vector<JournalRecord> records = ReadJournalFile(path).records;
    std::erase_if(records, [seq](const JournalRecord& record) { return record.seq > seq; });
    return records;
}

std::string LastRecords(const std::vector<JournalRecord>& records) {
    std::string text = "\nthe journal's last records:";
    for (size_t i = records.size() > 8 ? records.size() - 8 : 0; i < records.size(); ++i) {
        text += "\n  " + std::to_string(records[i].seq) + " " + DescribeRecord(records[i]);
    }
    return text;
}

TEST(EventRestorePropertyTest, ARestoreAtAnyRecordBringsBackTheWholeEventAndItsHistory) {
    int marked = 0;
    int accepted = 0;
    for (const uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TempDir dir;
        std::filesystem::create_directories(dir.Path() / "journal");
        RandomAfternoon afternoon(seed, dir.Path() / "journal", dir.Path());
        afternoon.Run(250);
        marked += afternoon.Marked();
        accepted += afternoon.Accepted();
        std::vector<std::pair<RandomAfternoon::Cuts::key_type, EventState>> cuts(
            afternoon.States().begin(), afternoon.States().end());
        std::shuffle(cuts.begin(), cuts.end(), afternoon.Random());
        cuts.resize(std::min<size_t>(cuts.size(), 25));
        int restoresWithSession = 0;
        for (const auto& [where, expected] : cuts) {
            SCOPED_TRACE("cut at record " + std::to_string(where.second));
            const std::filesystem::path folder =
                dir.Path() / ("restored" + std::to_string(where.second));
            std::filesystem::create_directories(folder);
            LiveEvent restored(folder);
            const std::vector<JournalRecord> records = RecordsUpTo(where.first, where.second);
            restored.RestoreFrom(records);
            restored.Begin();
            const EventState got = restored.State();
            ASSERT_TRUE(got == expected) << Difference(got, expected) << LastRecords(records);
            restoresWithSession += got.running ? 1 : 0;

            // Undo walks back through the steps before the crash, and a second crash keeps
            // what the undos did.
            for (int undo = 0; undo < 3 && restored.Journal().Undo(); ++undo) {
            }
            restored.Journal().Redo();
            ListJournal& journal = restored.Journal().Journal();
            journal.Poll();
            ASSERT_TRUE(journal.Writer().WaitDurable(journal.Writer().NextSeq() - 1,
                                                     std::chrono::seconds(30)));
            const EventState beforeSecondCrash = restored.State();
            LiveEvent again(dir.Path() / "journal");
            again.RestoreFrom(ReadJournalFile(journal.Path()).records);
            const EventState second = again.State();
            ASSERT_TRUE(second == beforeSecondCrash) << Difference(second, beforeSecondCrash);
        }
        EXPECT_GT(restoresWithSession, 0) << "no cut fell in a running session";
    }
    EXPECT_GT(marked, 0) << "no result was marked";
    EXPECT_GT(accepted, 0) << "no mark was accepted";
}

}  // namespace
}  // namespace vantrel::test
