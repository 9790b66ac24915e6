// The DRAG tab's rules without a window: the car number box, the car of each run, the run's
// texts and its booking, the tree button, aborts and resets, Pro/Stock. The events are the
// ones the light tree sends from the timing thread.

#include "modes/drag_flow.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/ms_clock.h"
#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/entry_table.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/drag_recording.h"
#include "modes/drag_result.h"
#include "modes/drag_tree.h"
#include "sensors/sensor_log.h"

namespace vantrel::test {
namespace {

using Kind = SensorEventKind;

class DragFlowTest : public ::testing::Test {
protected:
    DragFlowTest() {
        entries.SetCell(EntryTable::kName, 5, "Aoki");
        entries.SetCell(EntryTable::kModel, 5, "S800");
        entries.SetCell(EntryTable::kName, 6, "Baba");
        flow.Configure(setup);
        flow.ModeReset();
        session.running = true;
        flow.StartSession(clock.MsTick());
    }

    void Send(Kind kind, int line = 0, uint8_t lampByte = 0xFF) {
        SensorEvent event;
        event.kind = kind;
        event.line = static_cast<uint8_t>(line);
        event.tick = clock.MsTick();
        event.lampByte = lampByte;
        event.drag = run;
        flow.TakeSensorEvent(event);
    }
    // Line `line` active at `ms`, with the event the tree sends for it.
    void Line(int line, int32_t ms) {
        if (line == 0) {
            run.setLines = static_cast<uint8_t>(run.setLines & 0x03);
        }
        run.Set(line, ms);
        switch (line) {
            case 0:
                Send(Kind::kDragNewRun, 0);
                break;
            case 1:
                Send(Kind::kDragStartLine, 1);
                break;
            case 7:
                if (run.IsSet(1)) {
                    Send(Kind::kDragFinish, 7);
                    run.setLines = 0;
                    Send(Kind::kDragRunReset);
                }
                break;
            default:
                if (line != 6 && run.IsSet(1)) {
                    Send(Kind::kDragSplit, line);
                }
                break;
        }
    }
    void TypeCar(const std::string& text) {
        flow.SetCarBoxText(text);
        flow.CommitCarBox();
    }
    std::vector<std::string> Row(int32_t row) const {
        std::vector<std::string> cells;
        for (int32_t c = 0; c < kDragColumns; ++c) {
            cells.push_back(results.Cell(c, row));
        }
        return cells;
    }
    size_t LogLinesEndingWith(const std::string& text) const {
        size_t n = 0;
        for (const std::string& line : log.Lines()) {
            n += line.ends_with("," + text) ? 1 : 0;
        }
        return n;
    }

    SessionState session;
    SetupSettings setup;
    EntryTable entries;
    ResultTable results{RaceMode::kDrag};
    ResultListCommands commands{results, entries, session, nullptr};
    RecordingTickCommands ticks;
    SensorLog log;
    FakeMsClock clock{70000};
    RecordingPrompter prompter;
    RecordingDragView view;
    DragFlow flow{session, entries, commands, ticks, log, clock, prompter, view};
    DragLineTimes run;
};

TEST_F(DragFlowTest, EnterInTheCarBoxKeepsZeroTo198AndTurnsOtherNumbersInto1) {
    EXPECT_EQ(view.nextCar, "1");
    for (const auto& [typed, shown] : std::vector<std::pair<std::string, std::string>>{
             {"250", "1"}, {"-5", "1"}, {"199", "1"}, {"0", "0"}, {"198", "198"}, {"42", "42"}}) {
        TypeCar(typed);
        EXPECT_EQ(view.nextCar, shown) << typed;
        EXPECT_EQ(flow.CarBoxText(), shown) << typed;
        EXPECT_EQ(session.entryRow, std::stoi(shown)) << typed;
        EXPECT_EQ(view.selectedRows.back(), std::stoi(shown)) << typed;
    }
    EXPECT_TRUE(prompter.warnings.empty());
    TypeCar("abc");
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].first, "半角数字を入力して下さい");
    EXPECT_EQ(prompter.warnings[0].second, "入力文字種エラー");
    EXPECT_EQ(view.nextCar, "42") << "the box keeps the number it had";
    EXPECT_EQ(session.entryRow, 42);
    EXPECT_EQ(prompter.otherBoxes, 0);
}

TEST_F(DragFlowTest, RandomTextsInTheCarBoxFollowTheEnterRules) {
    std::mt19937 random(2024);
    const std::vector<std::string> junk = {"", "abc", "1a", "+", "--3", "4.5", " ", "0x", "$"};
    for (int i = 0; i < 2000; ++i) {
        const int32_t before = session.entryRow;
        const bool number = random() % 3 != 0;
        const int32_t n = static_cast<int32_t>(random() % 700) - 200;
        const std::string text = number ? std::to_string(n) : junk[random() % junk.size()];
        const size_t warningsBefore = prompter.warnings.size();
        TypeCar(text);
        const int32_t want = !number ? before : (n >= 0 && n <= 198 ? n : 1);
        ASSERT_EQ(session.entryRow, want) << text;
        ASSERT_EQ(view.nextCar, std::to_string(want)) << text;
        ASSERT_EQ(flow.CarBoxText(), view.nextCar);
        ASSERT_EQ(prompter.warnings.size(), warningsBefore + (number ? 0 : 1)) << text;
    }
}

TEST_F(DragFlowTest, EachRunTakesTheBoxesCarAndProposesTheNext) {
    TypeCar("5");
    Line(0, 1000);
    EXPECT_EQ(flow.RunCar(), 5);
    EXPECT_EQ(view.runCar, "5");
    EXPECT_EQ(view.nextCar, "6");
    EXPECT_EQ(session.entryRow, 6);
    EXPECT_EQ(view.selectedRows.back(), 6);
    // The start line of the same run takes no other car.
    Line(1, 1600);
    EXPECT_EQ(view.runCar, "5");
    EXPECT_EQ(view.nextCar, "6");
    Send(Kind::kDragRunReset);
    EXPECT_EQ(flow.RunCar(), -1);
    EXPECT_EQ(view.runCar, "");

    // 198 proposes 199, which races as itself; after it the list wraps to 1.
    TypeCar("198");
    Line(0, 2000);
    EXPECT_EQ(view.nextCar, "199");
    Line(0, 3000);
    EXPECT_EQ(flow.RunCar(), 199);
    EXPECT_EQ(view.nextCar, "1");
    EXPECT_EQ(session.entryRow, 1);
    // Text typed without Enter: out of range it follows the box's rules, no number keeps the
    // car proposed last, and 0 races as car 0.
    flow.SetCarBoxText("777");
    Line(0, 4000);
    EXPECT_EQ(flow.RunCar(), 1);
    flow.SetCarBoxText("x7");
    Line(0, 5000);
    EXPECT_EQ(flow.RunCar(), 2);
    flow.SetCarBoxText("0");
    Line(0, 6000);
    EXPECT_EQ(flow.RunCar(), 0);
    EXPECT_EQ(view.nextCar, "1");
    EXPECT_TRUE(prompter.warnings.empty()) << "only Enter reports a text that is no number";

    // A run begun at the start line alone takes its car there, and has no R/T.
    Send(Kind::kDragRunReset);
    run = DragLineTimes{};
    TypeCar("6");
    Line(1, 7000);
    EXPECT_EQ(flow.RunCar(), 6);
    EXPECT_EQ(view.nextCar, "7");
    EXPECT_EQ(view.reaction, "");
    Line(7, 10000);
    EXPECT_EQ(Row(1), (std::vector<std::string>{"6", "Baba", "", "", "03.000", "", "", "", "", "",
                                                "", "", "1"}));

    // An entry row picked in the list proposes that car and leaves entryRow alone.
    flow.PickEntryRow(77);
    EXPECT_EQ(view.nextCar, "77");
    EXPECT_EQ(session.entryRow, 7);
    Line(0, 20000);
    EXPECT_EQ(flow.RunCar(), 77);
}

TEST_F(DragFlowTest, RunTextsAndTheBookedRow) {
    TypeCar("5");
    flow.TreeButton(true);
    Line(0, 1000);
    // Stock, start line 480 ms after the tree start: a false start.
    Line(1, 1480);
    EXPECT_EQ(view.reaction, "00.480");
    Line(2, 2480);
    EXPECT_EQ(view.splits[0], "01.000");
    Line(3, 4480);
    Line(4, 5980);
    Line(5, 6980);
    EXPECT_EQ(view.splits, (std::array<std::string, 4>{"01.000", "03.000", "04.500", "05.500"}));
    Line(6, 7980);
    const size_t stopsBefore = LogLinesEndingWith("Drag stop");
    Line(7, 9230);
    EXPECT_EQ(Row(1),
              (std::vector<std::string>{"5", "Aoki", "S800", "Fly", "07.750", "00.480", "08.230",
                                        "01.000", "03.000", "04.500", "05.500", "57.600", "1"}));
    EXPECT_EQ(view.lastResult, (std::array<std::string, 4>{"5", "Aoki", "07.750", "57.600"}));
    EXPECT_EQ(session.runCount[5], 1);
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 5), "1");
    EXPECT_TRUE(session.resultModified);
    // The finish releases the tree: the log line, the button, the displays.
    EXPECT_EQ(LogLinesEndingWith("Drag stop"), stopsBefore + 1);
    EXPECT_FALSE(flow.TreeButtonDown());
    EXPECT_FALSE(view.treeButtonDown);
    EXPECT_EQ(ticks.treeButton.back(), false);
    EXPECT_EQ(view.reaction, "");
    EXPECT_EQ(view.splits, (std::array<std::string, 4>{}));
    EXPECT_EQ(view.runCar, "");

    // The next car, a clean start and a trap of 1234 ms; then car 5 again without a trap.
    Line(0, 20000);
    EXPECT_EQ(view.reaction, "");
    Line(1, 20600);
    Line(2, 21800);
    Line(3, 23900);
    Line(4, 25600);
    Line(5, 27000);
    Line(6, 27900);
    Line(7, 29134);
    EXPECT_EQ(Row(2),
              (std::vector<std::string>{"6", "Baba", "", "", "08.534", "00.600", "09.134", "01.200",
                                        "03.300", "05.000", "06.400", "58.347", "1"}));
    TypeCar("5");
    Line(0, 40000);
    Line(1, 40600);
    Line(7, 43600);
    EXPECT_EQ(Row(3), (std::vector<std::string>{"5", "Aoki", "S800", "", "03.000", "00.600",
                                                "03.600", "", "", "", "", "", "2"}));
    EXPECT_EQ(view.lastResult[3], "");
    EXPECT_EQ(results.DataRowCount(), 3);
}

TEST_F(DragFlowTest, AFalseStartIsMarkedAgainstItsOwnRunsGreenDelay) {
    setup.timeFormat = TimeFormat::kMilliseconds;
    flow.Configure(setup);
    flow.SetProStart(true);
    EXPECT_TRUE(session.proStart);
    EXPECT_EQ(ticks.proTree, (std::vector<bool>{true}));
    // Pro: 399 ms is early, 400 ms is not.
    for (const auto& [reaction, fly] :
         std::vector<std::pair<int32_t, bool>>{{399, true}, {400, false}, {450, false}}) {
        run.greenDelayMs = kProGreenDelayMs;
        Line(0, 1000);
        Line(1, 1000 + reaction);
        Line(7, 5000);
        const int32_t row = results.DataRowCount();
        EXPECT_EQ(results.Cell(kDragFly, row), fly ? "Fly" : "") << reaction;
        EXPECT_EQ(results.Cell(kDragRt, row), std::to_string(reaction));
        EXPECT_EQ(results.Cell(kDragEt, row), std::to_string(4000 - reaction));
    }
    flow.SetProStart(false);
    EXPECT_FALSE(session.proStart);
    EXPECT_EQ(ticks.proTree.back(), false);
    // Stock: the same 450 ms is a false start, 500 ms is clean.
    for (const auto& [reaction, fly] :
         std::vector<std::pair<int32_t, bool>>{{450, true}, {499, true}, {500, false}}) {
        run.greenDelayMs = kStockGreenDelayMs;
        Line(0, 1000);
        Line(1, 1000 + reaction);
        Line(7, 5000);
        EXPECT_EQ(results.Cell(kDragFly, results.DataRowCount()), fly ? "Fly" : "") << reaction;
    }
    EXPECT_EQ(results.DataRowCount(), 6);
}

TEST_F(DragFlowTest, TreeButtonLogsArmsAndReleases) {
    clock.Set(123456);
    flow.TreeButton(true);
    EXPECT_EQ(log.Lines().back(), "123456,Drag start");
    EXPECT_TRUE(flow.TreeButtonDown());
    EXPECT_TRUE(view.treeButtonDown);
    EXPECT_TRUE(view.amber && !view.green && !view.red);
    EXPECT_EQ(ticks.treeButton, (std::vector<bool>{true}));
    clock.Set(123999);
    flow.TreeButton(false);
    EXPECT_EQ(log.Lines().back(), "123999,Drag stop");
    EXPECT_FALSE(view.treeButtonDown);
    EXPECT_FALSE(view.amber || view.green || view.red);
    EXPECT_EQ(ticks.treeButton, (std::vector<bool>{true, false}));
    EXPECT_EQ(ticks.runResets, 0) << "the tick resets the tree on the button's own edge";

    // The lamps and line indicators follow the tree's events.
    Send(Kind::kDragLamps, 0, static_cast<uint8_t>(0xFF & ~kAmberLampBit & ~kGreenLampBit));
    EXPECT_TRUE(view.amber && view.green && !view.red);
    Send(Kind::kDragLamps, 0, static_cast<uint8_t>(0xFF & ~kRedLampBit));
    EXPECT_TRUE(!view.amber && !view.green && view.red);
    Send(Kind::kDragLineOn, 3);
    EXPECT_TRUE(view.lineActive[3] && view.lineRed[3]);
    Send(Kind::kDragLineOff, 3);
    EXPECT_FALSE(view.lineActive[3]);
    EXPECT_TRUE(view.lineRed[3]) << "the label stays red through the OFF delay";
    Send(Kind::kDragLabelNormal, 3);
    EXPECT_FALSE(view.lineRed[3]);

    // The digits 1 to 8 are the lines 0 to 7; other digits are no drag input.
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(flow.TakeDigitKey(digit), digit >= 1 && digit <= 8) << digit;
    }
    EXPECT_EQ(ticks.dragLineKeys,
              (std::vector<uint8_t>{0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}));
}

TEST_F(DragFlowTest, AbortAndSessionStopMidRunBookNothing) {
    TypeCar("5");
    flow.TreeButton(true);
    Line(0, 1000);
    Line(1, 1500);
    flow.TreeButton(false);  // "Abort"
    EXPECT_EQ(view.reaction, "");
    EXPECT_EQ(view.runCar, "");
    Send(Kind::kDragRunReset);
    run = DragLineTimes{};
    EXPECT_EQ(flow.RunCar(), -1);
    Line(7, 3000);  // no start line in this run: the tree sends nothing
    EXPECT_TRUE(results.IsEmpty());
    // The next "Amber ON" starts clean with the next car.
    flow.TreeButton(true);
    Line(0, 5000);
    EXPECT_EQ(flow.RunCar(), 6);
    Line(1, 5500);
    Line(2, 6000);

    // A session stop in the middle of a run: the tree is reset, the lines go dark, no row.
    const size_t logLines = log.Lines().size();
    Send(Kind::kDragLineOn, 4);
    session.running = false;
    flow.StopSession();
    EXPECT_FALSE(flow.TreeButtonDown());
    EXPECT_FALSE(view.treeButtonDown);
    EXPECT_EQ(flow.RunCar(), -1);
    EXPECT_EQ(view.runCar, "");
    EXPECT_EQ(view.reaction, "");
    EXPECT_EQ(view.splits, (std::array<std::string, 4>{}));
    EXPECT_EQ(ticks.treeButton.back(), false);
    EXPECT_EQ(ticks.runResets, 1);
    EXPECT_EQ(view.lineActive, (std::array<bool, kDragLineCount>{}));
    EXPECT_EQ(view.lineRed, (std::array<bool, kDragLineCount>{}));
    EXPECT_EQ(log.Lines().size(), logLines) << "a session stop is no tree button release";
    EXPECT_TRUE(results.IsEmpty());
}

TEST_F(DragFlowTest, AFinishSampledBeforeAnAbortStillBooksTheCarThatRan) {
    TypeCar("5");
    Line(0, 1000);
    Line(1, 1600);
    flow.TreeButton(true);
    flow.TreeButton(false);  // armed, then "Abort" before the finish below reaches the flow
    EXPECT_EQ(flow.RunCar(), 5);
    run.Set(7, 4600);
    Send(Kind::kDragFinish, 7);
    ASSERT_EQ(results.DataRowCount(), 1);
    EXPECT_EQ(results.Cell(kDragCar, 1), "5");
    EXPECT_EQ(results.Cell(kDragEt, 1), "03.000");
    // The abort's reset comes after it and ends the car; a finish with no car takes the box's.
    Send(Kind::kDragRunReset);
    EXPECT_EQ(flow.RunCar(), -1);
    Send(Kind::kDragFinish, 7);
    ASSERT_EQ(results.DataRowCount(), 2);
    EXPECT_EQ(results.Cell(kDragCar, 2), "6");
    EXPECT_EQ(view.nextCar, "7");
}

TEST_F(DragFlowTest, ModeResetShowsTheEntryRowAndEmptiesTheResultAndTheReceivedList) {
    TypeCar("5");
    Line(0, 1000);
    Line(1, 1600);
    Line(7, 4600);
    ASSERT_EQ(view.lastResult[0], "5");
    session.entryRow = 31;
    flow.ModeReset();
    EXPECT_EQ(view.lastResult, (std::array<std::string, 4>{}));
    EXPECT_EQ(view.reaction, "");
    EXPECT_EQ(view.nextCar, "31");
    EXPECT_EQ(flow.CarBoxText(), "31");
    EXPECT_EQ(view.receivedListClears, 2);
    EXPECT_FALSE(flow.CarsRunning());
    EXPECT_FALSE(flow.UsesResultButtons());
    EXPECT_TRUE(flow.ReadsSensors());
    EXPECT_FALSE(flow.OpensUsbAdapter());
    EXPECT_EQ(flow.Mode(), RaceMode::kDrag);
}

}  // namespace
}  // namespace vantrel::test
