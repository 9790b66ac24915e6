#include "modes/gymkhana_flow.h"

#include <gtest/gtest.h>

#include "common/ms_clock.h"
#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/entry_table.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/recording_view.h"

namespace vantrel {
namespace {

class GymkhanaFlowTest : public ::testing::Test {
protected:
    GymkhanaFlowTest() {
        flow.Configure(setup, 0, 0);
        flow.ModeReset();
        session.running = true;
        flow.StartSession();
    }
    int32_t Car(int32_t position) const { return flow.Course().State().courseCar[position]; }

    SessionState session;
    SetupSettings setup;
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
    ResultListCommands commands{results, entries, session, nullptr};
    RecordingView view;
    GymkhanaFlow flow{session, entries, commands, view};
    FakeMsClock clock{50000};
};

TEST_F(GymkhanaFlowTest, SessionStartShowsTheWaitingCar) {
    EXPECT_EQ(session.waitingNumber, 1);
    EXPECT_EQ(flow.Course().State().waitingCar, 1);
    EXPECT_EQ(view.statusTexts.back(), "Car #1 計測準備完了");
    flow.StopSession();
    session.running = false;
    flow.StopSession();
    EXPECT_EQ(view.statusTexts.back(), "開始ﾎﾞﾀﾝを押せば計測をｽﾀｰﾄ出来ます");
}

TEST_F(GymkhanaFlowTest, PickedProposalStartsAndAdvances) {
    flow.PickEntryRow(12);
    EXPECT_EQ(session.waitingNumber, 12);
    flow.OnStartEdge(clock.MsTick());
    EXPECT_EQ(Car(4), 12);
    EXPECT_EQ(flow.Starters().ProposalText(), "13");
    EXPECT_EQ(session.entryRow, 13);
    EXPECT_EQ(view.selectedRows.back(), 13);
    EXPECT_EQ(session.waitingNumber, 13);
    EXPECT_EQ(flow.Course().State().waitingCar, 13);
}

TEST_F(GymkhanaFlowTest, Proposal199StartsThenProposes1) {
    flow.PickEntryRow(199);
    flow.OnStartEdge(1000);
    EXPECT_EQ(Car(4), 199);
    EXPECT_EQ(flow.Starters().ProposalText(), "1");
    EXPECT_EQ(session.waitingNumber, 1);
}

TEST_F(GymkhanaFlowTest, Adding199QueuesItAndProposes2) {
    flow.PickEntryRow(199);
    ASSERT_TRUE(flow.AddCar());
    EXPECT_EQ(flow.Starters().Place(1), 199);
    EXPECT_EQ(flow.Starters().ProposalText(), "2");
    EXPECT_EQ(session.entryRow, 2);
    EXPECT_EQ(session.waitingNumber, 199);
    flow.OnStartEdge(1000);
    EXPECT_EQ(Car(4), 199);
    EXPECT_EQ(flow.Starters().Place(1), 0);
    EXPECT_EQ(flow.Starters().ProposalText(), "2");  // the queued car left the proposal alone
    EXPECT_EQ(session.waitingNumber, 2);
}

TEST_F(GymkhanaFlowTest, AddingDoesNothingOutsideASession) {
    session.running = false;
    flow.PickEntryRow(7);
    EXPECT_TRUE(flow.AddCar());
    EXPECT_EQ(flow.Starters().Place(1), 0);
    EXPECT_EQ(flow.Starters().ProposalText(), "7");
}

TEST_F(GymkhanaFlowTest, RefusedQueueEntryKeepsItsNumber) {
    ASSERT_EQ(flow.CommitStartPlace(flow.BeginStartPlaceEdit(1), "40"), EditCommit::kAccepted);
    EXPECT_EQ(flow.CommitStartPlace(flow.BeginStartPlaceEdit(1), "4O"), EditCommit::kNotANumber);
    EXPECT_EQ(flow.Starters().Place(1), 40);
    EXPECT_EQ(session.waitingNumber, 40);
    flow.ClearStartPlace(1);
    EXPECT_EQ(session.waitingNumber, 1);
}

TEST_F(GymkhanaFlowTest, FifthCarShowsCourseFull) {
    for (uint32_t start = 1; start <= 5; ++start) {
        flow.OnStartEdge(start * 1000);
    }
    EXPECT_EQ(view.statusTexts.back(), "すでにコース上に４台いますので計測を開始出来ませんでした");
    EXPECT_EQ(session.waitingNumber, 5);
    EXPECT_EQ(flow.Course().State().waitingCar, 5);
}

TEST_F(GymkhanaFlowTest, PenaltyItemsActOnTheSelectedPosition) {
    flow.OnStartEdge(1000);  // car 1 in "I"
    flow.OnStartEdge(2000);  // car 2 in "II"
    EXPECT_TRUE(flow.PopupEnabled(2));
    EXPECT_FALSE(flow.PopupEnabled(3));
    EXPECT_FALSE(flow.PopupEnabled(0));
    flow.AddPylonTouch(2);
    flow.AddPylonTouch(2);
    flow.AddPylonTouch(2);
    flow.RemovePylonTouch(2);
    EXPECT_EQ(flow.Course().PenaltyHintAt(3), "PT2");
    EXPECT_EQ(flow.Course().PenaltyHintAt(4), "");
    flow.OnFinishEdge(5000);
    EXPECT_EQ(flow.Course().PenaltyHintAt(4), "PT2");  // the hint moved with car 2
    flow.OnFinishEdge(6000);
    ASSERT_EQ(view.results.size(), 2u);
    EXPECT_EQ(view.results[1].result.cells[kResultPen], "2");
    EXPECT_TRUE(view.results[1].result.rebuildStandings);
    EXPECT_FALSE(view.results[0].result.rebuildStandings);
}

TEST_F(GymkhanaFlowTest, MissCourseThenTouchStaysMissCourseAndClearEmpties) {
    flow.OnStartEdge(1000);
    EXPECT_TRUE(flow.MissCourse(1));
    EXPECT_FALSE(flow.AddPylonTouch(1));
    EXPECT_EQ(flow.Course().PenaltyHintAt(4), "MC");
    flow.OnFinishEdge(2000);
    EXPECT_EQ(view.results.back().result.cells[kResultPen], "MC");
    flow.OnStartEdge(3000);
    flow.MissCourse(1);
    flow.ClearPenalty(1);
    flow.OnFinishEdge(4000);
    EXPECT_EQ(view.results.back().result.cells[kResultPen], "");
}

TEST_F(GymkhanaFlowTest, CourseBoxCorrection) {
    flow.OnStartEdge(1000);
    EXPECT_EQ(flow.CommitCourseCar(flow.BeginCourseEdit(4), "0"), EditCommit::kAccepted);
    EXPECT_EQ(Car(4), 199);
    EXPECT_EQ(flow.CommitCourseCar(flow.BeginCourseEdit(4), "x1"), EditCommit::kNotANumber);
    EXPECT_EQ(Car(4), 199);
    EXPECT_EQ(flow.CommitCourseCar(flow.BeginCourseEdit(4), "33"), EditCommit::kAccepted);
    flow.OnFinishEdge(2000);
    EXPECT_EQ(view.results.back().result.car, 33);
}

// The operator types slowly; the course and the queue go on meanwhile. A correction must go to
// the car it was begun on, or nowhere.
TEST_F(GymkhanaFlowTest, CorrectionsStayWithTheCarTheyBeganOn) {
    flow.OnStartEdge(1000);  // car 1 in "I"
    flow.OnStartEdge(2000);  // car 2 behind it
    const CourseEdit onCar1 = flow.BeginCourseEdit(4);
    const CourseEdit onCar2 = flow.BeginCourseEdit(3);
    flow.OnFinishEdge(5000);  // car 1 leaves, car 2 moves up to "I"
    EXPECT_EQ(flow.CommitCourseCar(onCar1, "21"), EditCommit::kMoved);
    EXPECT_EQ(Car(4), 2);
    EXPECT_EQ(flow.CommitCourseCar(onCar2, "22"), EditCommit::kMoved);
    EXPECT_EQ(Car(4), 2);

    // A younger car starting does not move "I": that correction holds.
    const CourseEdit stays = flow.BeginCourseEdit(4);
    flow.OnStartEdge(6000);
    EXPECT_EQ(flow.CommitCourseCar(stays, "22"), EditCommit::kAccepted);
    EXPECT_EQ(Car(4), 22);

    // The same car number started again is another run, not the one the edit began on.
    flow.OnFinishEdge(7000);
    flow.OnFinishEdge(8000);
    flow.PickEntryRow(22);
    flow.OnStartEdge(9000);
    EXPECT_EQ(flow.CommitCourseCar(stays, "40"), EditCommit::kMoved);
    EXPECT_EQ(Car(4), 22);

    // The queue: place 1 starts while its box is being edited.
    flow.CommitStartPlace(flow.BeginStartPlaceEdit(1), "9");
    flow.CommitStartPlace(flow.BeginStartPlaceEdit(2), "11");
    const PlaceEdit onNine = flow.BeginStartPlaceEdit(1);
    flow.OnStartEdge(10000);  // car 9 starts, car 11 moves to place 1
    EXPECT_EQ(flow.CommitStartPlace(onNine, "15"), EditCommit::kMoved);
    EXPECT_EQ(flow.Starters().Place(1), 11);
    EXPECT_EQ(session.waitingNumber, 11);
}

TEST_F(GymkhanaFlowTest, NoTimeOutOutsideASession) {
    setup.timeOut = 5;
    flow.Configure(setup, 0, 0);
    flow.OnStartEdge(1000);
    session.running = false;
    flow.StopSession();
    const CourseClockTick tick = flow.OnClockTimer(4, 1000 + 6 * 60000);
    EXPECT_FALSE(tick.timedOut);
    EXPECT_TRUE(view.results.empty());
    EXPECT_EQ(Car(4), 1);
}

TEST_F(GymkhanaFlowTest, SplitsAreShownWithTheCarAndTime) {
    flow.OnStartEdge(1000);
    flow.OnSplit1Edge(13345);
    EXPECT_EQ(view.splitTexts, (std::vector<std::string>{"1 00:12.345"}));
}

// Runs the position clocks as their timers would fire, up to `until`.
void RunClocks(GymkhanaFlow& flow, FakeMsClock& clock, uint32_t until) {
    while (clock.MsTick() < until) {
        const CourseClockTick tick = flow.OnClockTimer(kOldestPosition, clock.MsTick());
        if (tick.timedOut || !flow.Course().HoldsCar(kOldestPosition)) {
            return;
        }
        clock.Advance(static_cast<uint32_t>(tick.nextIntervalMs));
    }
}

TEST_F(GymkhanaFlowTest, TimeoutAtFiveMinutes) {
    setup.timeOut = 5;
    setup.timeFormat = TimeFormat::kMilliseconds;
    flow.Configure(setup, 0, 1);  // the car would still owe an intermediate finish pass
    flow.StartSession();
    const uint32_t start = clock.MsTick() + 123;
    flow.OnStartEdge(start);
    flow.PickEntryRow(2);
    clock.Set(start + 400);
    RunClocks(flow, clock, start + 10 * 60000);
    ASSERT_EQ(view.results.size(), 1u);
    EXPECT_EQ(clock.MsTick(), start + 300000);
    const BookedResult& result = view.results[0].result;
    EXPECT_EQ(result.car, 1);
    EXPECT_EQ(result.cells[kResultPen], "MC");
    EXPECT_EQ(result.cells[kResultTime], "300000");
    EXPECT_EQ(result.cells[kResultComment], "(Timeout)");
    EXPECT_EQ(results.Cell(kResultComment, 1), "(Timeout)");
    EXPECT_FALSE(flow.Course().HoldsCar(kOldestPosition));
}

TEST_F(GymkhanaFlowTest, Settings61To65NeverTimeOut) {
    for (int32_t minutes = 61; minutes <= 65; ++minutes) {
        setup.timeOut = minutes;
        flow.Configure(setup, 0, 0);
        flow.ModeReset();
        flow.StartSession();
        const uint32_t start = clock.MsTick();
        flow.OnStartEdge(start);
        RunClocks(flow, clock, start + 70 * 60000);
        EXPECT_TRUE(view.results.empty()) << minutes;
        EXPECT_TRUE(flow.Course().HoldsCar(kOldestPosition));
    }
}

TEST_F(GymkhanaFlowTest, ClockShowsTheRunningTime) {
    flow.OnStartEdge(10000);
    const CourseClockTick tick = flow.OnClockTimer(4, 10000 + 65300);
    EXPECT_EQ(tick.text, "01:05");
    EXPECT_EQ(tick.nextIntervalMs, 700);
    EXPECT_EQ(flow.OnClockTimer(3, 20000).text, "");  // empty position
}

TEST_F(GymkhanaFlowTest, RemovingACarWritesNoResult) {
    flow.OnStartEdge(1000);
    flow.OnStartEdge(2000);
    flow.OnStartEdge(3000);
    ASSERT_TRUE(flow.RemoveCar(2));
    EXPECT_EQ(Car(4), 1);
    EXPECT_EQ(Car(3), 3);
    EXPECT_EQ(Car(2), 0);
    EXPECT_TRUE(view.results.empty());
    EXPECT_FALSE(flow.RemoveCar(3));
}

TEST_F(GymkhanaFlowTest, ModeResetEmptiesTheCourseAndTheQueue) {
    flow.CommitStartPlace(flow.BeginStartPlaceEdit(1), "9");
    flow.OnStartEdge(1000);
    flow.PickEntryRow(50);
    flow.ModeReset();
    EXPECT_EQ(flow.Course().CarsOnCourse(), 0);
    EXPECT_EQ(flow.Starters().ProposalText(), "1");
    EXPECT_EQ(session.entryRow, 1);
}

TEST(SplitDisplayTest, VisibleWithASplitSensorOrExtraFinishPasses) {
    EXPECT_FALSE(SplitDisplayVisible(true, false, false, 0));
    EXPECT_TRUE(SplitDisplayVisible(true, true, false, 0));
    EXPECT_TRUE(SplitDisplayVisible(true, false, true, 0));
    EXPECT_TRUE(SplitDisplayVisible(true, false, false, 1));
    EXPECT_FALSE(SplitDisplayVisible(false, true, true, 1));
}

struct RecordingTones : ToneSink {
    bool busy = false;
    std::vector<Tone> tones;
    bool Busy() const override { return busy; }
    void RequestTone(Tone tone) override { tones.push_back(tone); }
};

SensorEvent LampEvent(SensorEventKind kind, SensorInput input) {
    SensorEvent event;
    event.kind = kind;
    event.input = input;
    return event;
}

// The tone of a start or finish sounds once per pass that turns its label red, never while its
// label is still red from the last pass or while something waits to be spoken; the stop
// leaves every label normal, so the next pass sounds again.
TEST_F(GymkhanaFlowTest, TonesFollowTheLabelsAndTheAnnouncer) {
    RecordingTones tones;
    flow.Link({nullptr, nullptr, &tones});
    const auto pass = [this](SensorInput input) {
        flow.TakeLampEvent(LampEvent(SensorEventKind::kLampOn, input));
        flow.TakeLampEvent(LampEvent(SensorEventKind::kLabelRed, input));
        flow.TakeLampEvent(LampEvent(SensorEventKind::kLampOff, input));
    };
    pass(SensorInput::kStart);
    EXPECT_TRUE(flow.LabelRed(SensorInput::kStart));
    pass(SensorInput::kStart);  // inside the OFF delay: no second tone
    pass(SensorInput::kSplit1);
    tones.busy = true;
    pass(SensorInput::kFinish);
    EXPECT_EQ(tones.tones, std::vector<Tone>{Tone::kHigh});
    tones.busy = false;
    flow.TakeLampEvent(LampEvent(SensorEventKind::kOffDelayOver, SensorInput::kFinish));
    pass(SensorInput::kFinish);
    EXPECT_EQ(tones.tones, (std::vector<Tone>{Tone::kHigh, Tone::kLow}));
    flow.ClearLamps();
    for (const SensorInput input :
         {SensorInput::kStart, SensorInput::kFinish, SensorInput::kSplit1, SensorInput::kSplit2}) {
        EXPECT_FALSE(flow.LabelRed(input));
    }
    pass(SensorInput::kStart);
    EXPECT_EQ(tones.tones.back(), Tone::kHigh);
    EXPECT_EQ(tones.tones.size(), 3u);
}

// Whether a box is being edited is the flow's state: an edit is committed once, to the run
// it began on, and a slot outside 1..4 is never editing.
TEST_F(GymkhanaFlowTest, EditsAreKeptByTheFlowAndCommittedOnce) {
    EXPECT_FALSE(flow.PlaceEditing(0));
    EXPECT_FALSE(flow.PlaceEditing(5));
    flow.BeginPlaceEditing(5);
    EXPECT_FALSE(flow.PlaceEditing(5));
    flow.BeginPlaceEditing(1);
    EXPECT_TRUE(flow.PlaceEditing(1));
    EXPECT_EQ(flow.CommitPlaceEditing(1, "7"), EditCommit::kAccepted);
    EXPECT_FALSE(flow.PlaceEditing(1));
    EXPECT_EQ(flow.Starters().Place(1), 7);
    EXPECT_EQ(flow.CommitPlaceEditing(1, "8"), EditCommit::kMoved);
    EXPECT_EQ(flow.Starters().Place(1), 7);

    flow.OnStartEdge(1000);  // the queued car starts
    flow.BeginCourseEditing(4);
    EXPECT_TRUE(flow.CourseEditing(4));
    EXPECT_EQ(flow.CourseEditCar(4), 7);
    flow.OnFinishEdge(61000);  // the car leaves while its box is being edited
    EXPECT_EQ(flow.CommitCourseEditing(4, "9"), EditCommit::kMoved);
    EXPECT_FALSE(flow.CourseEditing(4));
    EXPECT_EQ(results.Cell(ResultTable::kCar, 1), "7");
}

// The pass counts are the event's state: the options' Configure uses the ones chosen, and a
// mode reset shows them again.
TEST_F(GymkhanaFlowTest, PassCountsLiveInTheSession) {
    flow.SetPassCounts(2, 1);
    EXPECT_EQ(session.startPassIndex, 2);
    EXPECT_EQ(session.finishPassIndex, 1);
    flow.Configure(setup);
    EXPECT_EQ(flow.Course().Config().startPassIndex, 2);
    EXPECT_EQ(flow.Course().Config().finishPassIndex, 1);
    flow.ModeReset();
    EXPECT_EQ(flow.Course().Config().finishPassIndex, 1);
}

}  // namespace
}  // namespace vantrel
