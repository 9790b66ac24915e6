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
#include "journal/list_journal.h"
#include "modes/gymkhana_controller.h"
#include "support/manual_timing_fixture.h"

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
    EXPECT_EQ(prompter.Calls()[0].text, QString::fromUtf8(msg::kUndoBookingQuestion).arg("1"));
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
    EXPECT_EQ(firstShowCalls[0].caption, QString::fromUtf8(msg::kRestoreCaption));
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

TEST_F(JournalWindowTest, ADeclinedRestoreKeepsTheJournalAsideAndAsksNoMore) {
    Open("IoAddress=None\r\n");
    PressAltS();
    Run(30);
    RunOnce(5000);
    QApplication::processEvents();
    const std::filesystem::path crashed = window->Journal().Path();
    ASSERT_TRUE(window->Journal().Writer().WaitDurable(window->Journal().Writer().NextSeq() - 1,
                                                       std::chrono::seconds(5)));
    window->State().running = false;
    window.reset();

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

}  // namespace
}  // namespace vantrel::test
