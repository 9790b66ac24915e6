// The journal in the real window: undo and redo of the lists, and what a crash left unsaved
// restored at the next start, with a car that was on course finishing on its first start tick.
#include <QAction>
#include <QPushButton>
#include <QTableView>
#include <QtTest/QTest>

#include "app/journal_messages.h"
#include "app/sensor_warning_panel.h"
#include "common/time_text.h"
#include "journal/journal_content.h"
#include "journal/journal_place.h"
#include "journal/journal_replay.h"
#include "journal/journal_texts.h"
#include "journal/list_journal.h"
#include "modes/gymkhana_controller.h"
#include "support/file_size_limit.h"
#include "support/manual_timing_fixture.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

class JournalWindowTest : public ManualTimingTest {
protected:
    void SetUp() override {
        journalFolder = dir / "journal";
        manualTicks = true;
    }
    void Shortcut(int key) {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
    }
    std::string Cell(int column, int row) { return window->Results().Cell(column, row); }
    // A whole gymkhana run of the waiting car: start, `runMs`, finish.
    void RunOnce(uint32_t runMs) {
        Pass(Qt::Key_F11);
        Run(runMs);
        Pass(Qt::Key_F12);
    }
    // A session with one run, on disk, then the window gone as in a crash; the journal's path,
    // empty when the run did not reach the disk.
    std::filesystem::path CrashAfterOneRun() {
        Open("IoAddress=None\r\n");
        PressAltS();
        Run(30);
        RunOnce(5000);
        QApplication::processEvents();
        const std::filesystem::path crashed = window->Journal().Path();
        JournalWriter& writer = window->Journal().Writer();
        const bool durable = writer.WaitDurable(writer.NextSeq() - 1, std::chrono::seconds(5));
        window->State().running = false;
        window.reset();
        return durable ? crashed : std::filesystem::path();
    }
};

TEST_F(JournalWindowTest, UndoAndRedoFollowTheListsAndAskBeforeDroppingARun) {
    Open("IoAddress=None\r\n");
    PressAltS();
    Run(30);
    RunOnce(6000);
    ASSERT_EQ(Cell(ResultTable::kCar, 1), "1");
    EXPECT_EQ(window->State().runCount[1], 1);
    Find<QTableView>("StringGrid2")->setFocus();
    Find<QPushButton>("BitBtn5")->click();  // +1 pylon
    ASSERT_EQ(Cell(ResultTable::kGymkhanaPen, 1), "1");
    QApplication::processEvents();

    Shortcut(Qt::Key_Z);  // the penalty goes, without a question
    EXPECT_EQ(Cell(ResultTable::kGymkhanaPen, 1), "");
    EXPECT_TRUE(prompter.Calls().empty());
    prompter.AnswerNo();
    Shortcut(Qt::Key_Z);  // the run: asked, and kept
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].text, Tr(msg::kUndoBookingQuestion).arg("1"));
    EXPECT_EQ(Cell(ResultTable::kCar, 1), "1");
    prompter.AnswerYes();
    Shortcut(Qt::Key_Z);
    EXPECT_TRUE(window->Results().IsEmpty());
    EXPECT_EQ(window->State().runCount[1], 0);
    EXPECT_EQ(window->Entries().Cell(EntryTable::kLap, 1), "");
    EXPECT_EQ(window->RaceStandings().Table().UsedCount(), 0);

    Shortcut(Qt::Key_Y);
    EXPECT_EQ(Cell(ResultTable::kCar, 1), "1");
    EXPECT_EQ(window->State().runCount[1], 1);
    EXPECT_EQ(window->RaceStandings().Table().UsedCount(), 1);
    Find<QAction>("Grid2Redo")->trigger();
    EXPECT_EQ(Cell(ResultTable::kGymkhanaPen, 1), "1");
    Find<QAction>("Grid2Undo")->trigger();
    EXPECT_EQ(Cell(ResultTable::kGymkhanaPen, 1), "");
    EXPECT_FALSE(prompter.HasUnusedAnswers());
}

TEST_F(JournalWindowTest, ACrashedSessionComesBackAndItsCarOnCourseFinishesOnItsStart) {
    Open("IoAddress=None\r\n");
    PressAltS();
    Run(30);
    RunOnce(6000);
    const std::string firstTime = Cell(4, 1);
    Run(6000);
    const uint32_t start = Pass(Qt::Key_F11);  // car 2 on course when the program dies
    Run(2000);
    ASSERT_EQ(window->Gymkhana().Flow().CarsOnCourseNow().size(), 1u);
    QApplication::processEvents();
    ListJournal& journal = window->Journal();
    ASSERT_TRUE(
        journal.Writer().WaitDurable(journal.Writer().NextSeq() - 1, std::chrono::seconds(5)));
    const std::filesystem::path crashed = journal.Path();
    window->State().running = false;
    window.reset();  // no clean end is written: as after a crash
    ASSERT_TRUE(std::filesystem::exists(crashed));

    prompter.AnswerYes();
    OpenWindow();
    ASSERT_EQ(firstShowCalls.size(), 1u);
    EXPECT_EQ(firstShowCalls[0].caption, Tr(msg::kRestoreCaption));
    EXPECT_TRUE(firstShowCalls[0].text.contains(QStringLiteral("1 件")));
    EXPECT_EQ(Cell(ResultTable::kCar, 1), "1");
    EXPECT_EQ(Cell(4, 1), firstTime);
    EXPECT_TRUE(window->State().resultModified);
    EXPECT_TRUE(window->SessionRunning());
    ASSERT_EQ(window->Gymkhana().Flow().CarsOnCourseNow().size(), 1u);
    EXPECT_EQ(window->Gymkhana().Flow().CarsOnCourseNow()[0].car, 2);
    EXPECT_TRUE(std::filesystem::exists(crashed.string() + ".restored"));

    Run(3000);
    const uint32_t finish = Pass(Qt::Key_F12);
    ASSERT_EQ(Cell(ResultTable::kCar, 2), "2");
    EXPECT_NEAR(ParseTimeText(Cell(4, 2)), static_cast<double>(finish - start), 3.0);
    EXPECT_EQ(window->State().runCount[2], 1);
    EXPECT_EQ(window->Entries().Cell(EntryTable::kLap, 1), "1");
}

// The next car and the start queue come back with the restarted session: the next start is
// the queued car, then the car the next-car box proposed, not car 1.
TEST_F(JournalWindowTest, ARestoredSessionKeepsTheStartQueueAndTheNextCar) {
    Open("IoAddress=None\r\n");
    PressAltS();
    Run(30);
    RunOnce(6000);
    RunOnce(6000);  // cars 1 and 2 ran: car 3 is proposed
    GymkhanaFlow& flow = window->Gymkhana().Flow();
    flow.BeginPlaceEditing(1);
    ASSERT_EQ(flow.CommitPlaceEditing(1, "57"), EditCommit::kAccepted);
    ASSERT_EQ(window->State().waitingNumber, 57);
    ListJournal& journal = window->Journal();
    journal.Note();
    ASSERT_TRUE(
        journal.Writer().WaitDurable(journal.Writer().NextSeq() - 1, std::chrono::seconds(5)));
    window->State().running = false;
    window.reset();

    prompter.AnswerYes();
    OpenWindow();
    ASSERT_TRUE(window->SessionRunning());
    EXPECT_EQ(window->Gymkhana().Flow().Starters().Place(1), 57);
    EXPECT_EQ(window->Gymkhana().Flow().Starters().ProposalText(), "3");
    EXPECT_EQ(window->State().waitingNumber, 57);
    RunOnce(5000);
    RunOnce(5000);
    EXPECT_EQ(Cell(ResultTable::kCar, 3), "57");
    EXPECT_EQ(Cell(ResultTable::kCar, 4), "3");
}

TEST_F(JournalWindowTest, ADeclinedRestoreKeepsTheJournalAsideAndAsksNoMore) {
    const std::filesystem::path crashed = CrashAfterOneRun();
    ASSERT_FALSE(crashed.empty());

    prompter.AnswerNo();
    OpenWindow();
    ASSERT_EQ(firstShowCalls.size(), 1u);
    EXPECT_TRUE(window->Results().IsEmpty());
    EXPECT_TRUE(std::filesystem::exists(crashed.string() + ".declined"));
    window->State().running = false;
    window.reset();
    OpenWindow();
    EXPECT_TRUE(firstShowCalls.empty());  // the new journal held nothing unsaved
}

TEST_F(JournalWindowTest, AJournalThatCannotBeMadeIsReportedAndUndoStillWorks) {
    WriteBytes(dir / "not-a-folder", "x");
    journalFolder = dir / "not-a-folder";
    Open("IoAddress=None\r\n");
    EXPECT_TRUE(Find<SensorWarningPanel>("SensorWarning")->isVisible());
    EXPECT_FALSE(window->Journal().IsOpen());
    window->Entries().SetCell(EntryTable::kName, 3, "山田");
    QApplication::processEvents();
    Shortcut(Qt::Key_Z);
    EXPECT_EQ(window->Entries().Name(3), "");
}

// What a start after a kill at this moment would offer: the runs of the journal it finds.
int32_t RunsOfferedAfterAKill(const std::filesystem::path& folder) {
    // A copy holds no lock, as the files of a killed program hold none.
    const std::filesystem::path copy = folder.parent_path() / "after-kill";
    std::filesystem::remove_all(copy);
    std::filesystem::copy(folder, copy);
    const std::optional<FoundJournal> found = FindJournalToOffer(copy);
    if (!found) {
        return -1;
    }
    const JournalReplay seen = InspectJournal(found->read.records);
    return seen.HoldsUnsavedWork() ? seen.bookings : 0;
}

TEST_F(JournalWindowTest, AKillWhileTheDamageBoxIsOpenStillFindsTheRestoredRuns) {
    Open("IoAddress=None\r\n");
    PressAltS();
    Run(30);
    RunOnce(5000);
    RunOnce(6000);
    QApplication::processEvents();
    const std::filesystem::path crashed = window->Journal().Path();
    ASSERT_TRUE(window->Journal().Writer().WaitDurable(window->Journal().Writer().NextSeq() - 1,
                                                       std::chrono::seconds(5)));
    window->State().running = false;
    window.reset();
    WriteBytes(crashed, ReadBytes(crashed) + "torn");  // a record cut short by the kill

    prompter.AnswerYes();
    int32_t offeredMeanwhile = -2;
    prompter.WhileNextWarningOpen(
        [&] { offeredMeanwhile = RunsOfferedAfterAKill(*journalFolder); });
    OpenWindow();
    ASSERT_EQ(firstShowCalls.size(), 2u);
    EXPECT_EQ(firstShowCalls[0].kind, PromptCall::kAskYesNo);
    EXPECT_EQ(firstShowCalls[1].kind, PromptCall::kWarn);
    EXPECT_EQ(offeredMeanwhile, 2);
    const std::string aside = crashed.string() + ".damaged";
    EXPECT_TRUE(std::filesystem::exists(aside));
    EXPECT_TRUE(firstShowCalls[1].text.contains(QString::fromStdString(aside)));
    EXPECT_EQ(Cell(ResultTable::kCar, 2), "2");
}

TEST_F(JournalWindowTest, AFullDiskAtTheStartLeavesTheCrashedRunsToOfferAgain) {
    const std::filesystem::path crashed = CrashAfterOneRun();
    ASSERT_FALSE(crashed.empty());
    {
        // The new journal's header fits on the disk, its first checkpoint does not.
        FileSizeLimit full(kJournalHeaderSize + 100);
        prompter.AnswerYes();
        OpenWindow();
        ASSERT_EQ(firstShowCalls.size(), 1u);
        EXPECT_EQ(Cell(ResultTable::kCar, 1), "1");
        EXPECT_TRUE(std::filesystem::exists(crashed));
        window->State().running = false;
        window.reset();  // killed before the disk had room
    }
    prompter.AnswerYes();
    OpenWindow();
    ASSERT_EQ(firstShowCalls.size(), 1u);
    EXPECT_EQ(firstShowCalls[0].caption, Tr(msg::kRestoreCaption));
    EXPECT_TRUE(firstShowCalls[0].text.contains(QStringLiteral("1 件")));
    EXPECT_EQ(Cell(ResultTable::kCar, 1), "1");
    EXPECT_TRUE(std::filesystem::exists(crashed.string() + ".restored"));
}

TEST_F(JournalWindowTest, TheRestoreQuestionNamesTheRecordsThatCannotBeApplied) {
    const std::filesystem::path crashed = CrashAfterOneRun();
    ASSERT_FALSE(crashed.empty());
    // Two records no restore can apply: a redo with nothing undone, a booking unreadable.
    const JournalReadResult read = ReadJournalFile(crashed);
    ASSERT_EQ(read.damage, JournalDamage::kNone);
    const uint64_t last = read.records.back().seq;
    const std::string text = ReadBytes(crashed);
    std::vector<uint8_t> bytes(text.begin(), text.end());
    AppendEncodedRecord(bytes, {last + 1, static_cast<uint16_t>(JournalType::kRedo), 0, {}});
    AppendEncodedRecord(bytes, {last + 2, static_cast<uint16_t>(JournalType::kBooking), 0, {9}});
    WriteBytes(crashed, std::string(bytes.begin(), bytes.end()));

    prompter.AnswerYes();
    OpenWindow();
    ASSERT_EQ(firstShowCalls.size(), 1u);
    const QString& question = firstShowCalls[0].text;
    EXPECT_TRUE(question.contains(QStringLiteral("復元できない記録が 2 件あります")))
        << question.toStdString();
    EXPECT_TRUE(question.contains(
        QStringLiteral("記録 %1（やり直し）: やり直す変更がありません").arg(last + 1)))
        << question.toStdString();
    EXPECT_TRUE(
        question.contains(QStringLiteral("記録 %1（走行・周回）: 内容が読めません").arg(last + 2)));
    EXPECT_EQ(Cell(ResultTable::kCar, 1), "1");
}

TEST_F(JournalWindowTest, AResultListTooLargeForTheJournalIsRefusedBeforeAnyRowChanges) {
    Open("IoAddress=None\r\n");
    PressAltS();
    Run(30);
    RunOnce(5000);
    QApplication::processEvents();
    // Twenty rows of 3.5 MB each: more than one journal record holds.
    std::string file;
    const std::string longName(3500000, 'x');
    for (int car = 1; car <= 20; ++car) {
        file += std::to_string(car) + "," + longName + ",,,01:00.000\r\n";
    }
    WriteBytes(dir / "large.csv", file);
    file.clear();
    prompter.AnswerYes();  // load over the unsaved results
    prompter.AnswerFile(QString::fromStdString((dir / "large.csv").string()));
    Find<QAction>("FileLoadResult")->trigger();
    QApplication::processEvents();
    const std::vector<PromptCall> errors = prompter.CallsOf(PromptCall::kError);
    ASSERT_EQ(errors.size(), 1u);
    std::string reason = msg::kJournalLoadTooLarge.source;
    reason.replace(reason.find("%1"), 2, "64");
    EXPECT_TRUE(errors[0].text.contains(QString::fromStdString(reason)))
        << errors[0].text.toStdString();
    EXPECT_EQ(window->Results().DataRowCount(), 1);
    EXPECT_EQ(Cell(ResultTable::kCar, 1), "1");
    EXPECT_TRUE(window->Journal().IsOpen());
    Run(6000);
    RunOnce(4000);  // timing and its journal go on
    EXPECT_EQ(Cell(ResultTable::kCar, 2), "2");
}

}  // namespace
}  // namespace vantrel::test
