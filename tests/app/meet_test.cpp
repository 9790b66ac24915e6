// The event object's own rules: where each input goes, what the session steps reset, and the
// order in which every booked result reaches its outputs.

#include "app/meet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ms_clock.h"
#include "journal/list_journal.h"
#include "lists/list_recorder.h"
#include "lists/list_undo.h"
#include "modes/receiver_codes.h"
#include "sensors/sensor_log.h"
#include "support/quiet_outputs.h"

namespace vantrel::test {
namespace {

struct NamedSink final : ResultSink {
    NamedSink(std::string name, std::vector<std::string>& heard)
        : name(std::move(name)), heard(heard) {}
    void ResultBooked(const BookedResult&, int32_t) override { heard.push_back(name); }
    std::string name;
    std::vector<std::string>& heard;
};

SensorEvent Event(SensorEventKind kind, SensorInput input, uint32_t tick) {
    SensorEvent event;
    event.kind = kind;
    event.input = input;
    event.tick = tick;
    return event;
}

class MeetTest : public ::testing::Test {
protected:
    MeetTest() {
        meet.OnInputTaken([this] { ++inputsTaken; });
    }

    void StartSession(RaceMode mode) {
        meet.EnterMode(mode);
        meet.ModeReset();
        meet.StartSession(clock.MsTick());
    }

    FakeMsClock clock{100000};
    QuietTicks ticks;
    SensorLog log;
    QuietPrompter prompter;
    CountingTones tones;
    Meet meet{{&clock, &ticks, &log, &prompter, &tones}};
    int inputsTaken = 0;
};

TEST_F(MeetTest, EveryResultReachesTheSinksOnceInTheStatedOrder) {
    std::vector<std::string> heard;
    std::vector<NamedSink> named;
    const std::vector<std::string> names = {"journal", "standings", "log",    "results",
                                            "entries", "announcer", "serial", "web"};
    named.reserve(names.size());
    for (const std::string& name : names) {
        named.emplace_back(name, heard);
    }
    ResultSinks sinks;
    // Given in another order than they must be told.
    sinks.web = &named[7];
    sinks.serialOutput = &named[6];
    sinks.announcer = &named[5];
    sinks.entryGrid = &named[4];
    sinks.resultGrid = &named[3];
    sinks.sensorLog = &named[2];
    sinks.standings = &named[1];
    sinks.journal = &named[0];
    meet.ConnectSinks(sinks);
    meet.ConnectSinks(sinks);  // a second call adds nothing

    StartSession(RaceMode::kGymkhana);
    meet.TakeSensorEvent(Event(SensorEventKind::kActiveEdge, SensorInput::kStart, 100000));
    meet.TakeSensorEvent(Event(SensorEventKind::kActiveEdge, SensorInput::kFinish, 161234));
    EXPECT_EQ(heard, names);
    EXPECT_EQ(meet.Results().Cell(ResultTable::kCar, 1), "1");
}

TEST_F(MeetTest, InputGoesToTheModeInForceAndLampsToTheGymkhanaTab) {
    meet.EnterMode(RaceMode::kCircuit);
    meet.Circuit().SetInputPort(SessionState::kPrinterPort);
    StartSession(RaceMode::kCircuit);
    // The sensors' labels are shown on the gymkhana tab whatever the mode.
    meet.TakeSensorEvent(Event(SensorEventKind::kLabelRed, SensorInput::kFinish, 100000));
    EXPECT_TRUE(meet.Gymkhana().LabelRed(SensorInput::kFinish));
    EXPECT_EQ(inputsTaken, 0);
    // A start pass is no gymkhana start in CIRCUIT: it credits the selected car's passing.
    meet.TakeSensorEvent(Event(SensorEventKind::kActiveEdge, SensorInput::kStart, 100000));
    EXPECT_EQ(inputsTaken, 1);
    EXPECT_FALSE(meet.CarsRunning());
    EXPECT_EQ(meet.Gymkhana().Course().CarsOnCourse(), 0);
    clock.Advance(45000);
    EXPECT_TRUE(meet.TakeDigitKey(1));  // car 1's second passing: a lap
    EXPECT_EQ(inputsTaken, 2);
    EXPECT_EQ(meet.Results().DataRowCount(), 1);
    EXPECT_EQ(meet.Results().Cell(ResultTable::kCar, 1), "1");

    // A receiver block goes to the tab shown: on GYMKHANA a long run of one code picks a car.
    std::vector<uint8_t> codes(102, CodeOfCar(7));
    meet.TakeReceivedBlock(RaceMode::kGymkhana, codes.data(), static_cast<uint16_t>(codes.size()),
                           clock.MsTick());
    EXPECT_EQ(meet.Session().entryRow, 7);
    EXPECT_EQ(meet.Results().DataRowCount(), 1);

    meet.Session().running = false;
    meet.StopSession();
    EXPECT_FALSE(meet.Gymkhana().LabelRed(SensorInput::kFinish));
}

TEST_F(MeetTest, ModeChangeAndResetActOnTheWholeEvent) {
    StartSession(RaceMode::kGymkhana);
    EXPECT_EQ(ticks.offDelayResets, 1);
    meet.TakeSensorEvent(Event(SensorEventKind::kActiveEdge, SensorInput::kStart, 100000));
    ASSERT_TRUE(meet.CarsRunning());
    ASSERT_EQ(meet.CarsOnCourseNow().size(), 1u);
    meet.Session().runCount[3] = 2;
    meet.Entries().SetCell(EntryTable::kLap, 3, "2");
    meet.Session().lastCarCode = CodeOfCar(3);

    meet.Session().running = false;
    meet.StopSession();
    meet.EnterMode(RaceMode::kDrag);
    EXPECT_EQ(meet.Results().Mode(), RaceMode::kDrag);
    EXPECT_TRUE(meet.CurrentTimeStyle().dragActive);
    EXPECT_FALSE(meet.ShowsSplits(RaceMode::kDrag));
    meet.ModeReset();
    EXPECT_EQ(meet.Session().runCount[3], 0);
    EXPECT_EQ(meet.Entries().Cell(EntryTable::kLap, 3), "");
    EXPECT_EQ(meet.Session().lastCarCode, 0);
    EXPECT_FALSE(meet.CarsRunning());  // DRAG times no car on course
    EXPECT_EQ(meet.LiveSources().course, nullptr);
    EXPECT_EQ(meet.LiveSources().mode, RaceMode::kDrag);
}

// A phantom finish undone: the real car goes back on course at its own start, ahead of the car
// that started after it, so the next finishes go to the right cars with their own times. Redo
// takes it off again; with the course full it cannot go back, and the event says so.
TEST_F(MeetTest, UndoingAFinishPutsTheRunBackOnCourseAtItsOwnStart) {
    ListRecorder recorder(meet.Entries(), meet.Results(), meet.Session());
    ListTarget target{meet.Entries(), meet.Results(), meet.Session()};
    ListUndo undo(target, recorder);
    ListJournal journal(target, recorder, undo, {});  // not begun: undo works without a file
    undo.OnFinishedRun(
        [this](const CarOnCourse& run, bool undone) { meet.TakeBackFinish(run, undone); });
    ResultSinks sinks;
    sinks.journal = &journal;
    meet.ConnectSinks(sinks);
    StartSession(RaceMode::kGymkhana);
    const auto pass = [this](SensorInput input, uint32_t tick) {
        meet.TakeSensorEvent(Event(SensorEventKind::kActiveEdge, input, tick));
    };
    pass(SensorInput::kStart, 100000);   // car 1
    pass(SensorInput::kStart, 103000);   // car 2
    pass(SensorInput::kFinish, 105000);  // a phantom: car 1 in 5 s
    ASSERT_EQ(meet.Results().Cell(ResultTable::kCar, 1), "1");
    const ListStep* phantom = undo.NextUndo();
    ASSERT_NE(phantom, nullptr);
    ASSERT_TRUE(phantom->finishedRun.has_value());
    EXPECT_TRUE(meet.CanTakeBackFinish(*phantom->finishedRun));

    ASSERT_TRUE(journal.Undo());
    const CourseState& course = meet.Gymkhana().Course().State();
    EXPECT_EQ(course.courseCar[kOldestPosition], 1);
    EXPECT_EQ(course.courseTimes[kOldestPosition][kStartWord], 100000);
    EXPECT_EQ(course.courseCar[kOldestPosition - 1], 2);
    ASSERT_TRUE(journal.Redo());
    EXPECT_EQ(meet.Gymkhana().Course().CarsOnCourse(), 1);
    EXPECT_EQ(course.courseCar[kOldestPosition], 2);
    ASSERT_TRUE(journal.Undo());

    pass(SensorInput::kFinish, 170000);
    pass(SensorInput::kFinish, 175000);
    const ResultTable& results = meet.Results();
    ASSERT_EQ(results.DataRowCount(), 2);
    EXPECT_EQ(results.Cell(ResultTable::kCar, 1), "1");
    EXPECT_EQ(results.Cell(4, 1), "01:10.000");
    EXPECT_EQ(results.Cell(ResultTable::kCar, 2), "2");
    EXPECT_EQ(results.Cell(4, 2), "01:12.000");

    // Four cars on course: a finish undone has nowhere to go.
    for (uint32_t start = 180000; start < 184000; start += 1000) {
        pass(SensorInput::kStart, start);
    }
    pass(SensorInput::kFinish, 190000);
    pass(SensorInput::kStart, 191000);
    ASSERT_EQ(meet.Gymkhana().Course().CarsOnCourse(), 4);
    ASSERT_TRUE(undo.NextUndo()->finishedRun.has_value());
    EXPECT_FALSE(meet.CanTakeBackFinish(*undo.NextUndo()->finishedRun));
}

}  // namespace
}  // namespace vantrel::test
