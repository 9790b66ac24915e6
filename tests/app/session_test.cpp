#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "common/messages.h"
#include "modes/gymkhana_controller.h"
#include "sensors/sensor_hub.h"
#include "support/main_window_fixture.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

class SessionTest : public MainWindowTest {
protected:
    void PressAltS() {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
        QApplication::sendEvent(Find<QTableView>("StringGrid1"), &event);
    }
    QPushButton* StartButton() { return Find<QPushButton>("SpeedButton1"); }
};

TEST_F(SessionTest, StartAndStopSetTheControlsAndStatusTexts) {
    OpenWindow();
    PressAltS();
    // The default port 0x378 is not here: the session runs on the keyboard sensors, and says so.
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].kind, PromptCall::kError);
    EXPECT_EQ(prompter.Calls()[0].text, firstShowCalls[0].text);
    prompter.ClearCalls();
    EXPECT_TRUE(window->SessionRunning());
    EXPECT_TRUE(window->State().running);
    EXPECT_EQ(StartButton()->text(), Tr(msg::k117));
    EXPECT_EQ(window->StatusText(0), QStringLiteral("Car #1 計測準備完了"));
    EXPECT_FALSE(Find<QAction>("ToolSetup")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("BitBtn3")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>("ComboBox100")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("BitBtn2")->isEnabled());
    // The tree button works while a session runs.
    EXPECT_TRUE(Find<QPushButton>("SpeedButton200")->isEnabled());
    EXPECT_TRUE(Find<QTimer>("Timer1")->isActive());
    EXPECT_EQ(window->State().sessionStartTick, clock.MsTick());

    PressAltS();
    EXPECT_FALSE(window->SessionRunning());
    EXPECT_FALSE(window->State().running);
    // After a stop the caption has no accelerator.
    EXPECT_EQ(StartButton()->text(), QStringLiteral("開始"));
    EXPECT_EQ(window->StatusText(0), Tr(msg::k121));
    EXPECT_TRUE(Find<QAction>("ToolSetup")->isEnabled());
    EXPECT_TRUE(Find<QComboBox>("ComboBox100")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("BitBtn2")->isEnabled());
    EXPECT_FALSE(Find<QTimer>("Timer1")->isActive());
    EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(SessionTest, SessionClockCountsPastNinetyNineHours) {
    OpenWindow();
    PressAltS();
    clock.Advance(3723000);  // 1 h 2 min 3 s
    window->Timer1Timer();
    EXPECT_EQ(Find<QLineEdit>("Memo301")->text(), QStringLiteral("01:02:03"));
    clock.Advance(100u * 3600000u - 3723000u + 59000u);
    window->Timer1Timer();
    EXPECT_EQ(Find<QLineEdit>("Memo301")->text(), QStringLiteral("100:00:59"));
}

TEST_F(SessionTest, StoppingWithCarsOnCourseAsksAndNoKeepsTiming) {
    OpenWindow();
    PressAltS();
    prompter.ClearCalls();  // the port 0x378 that is not here
    SensorEvent start;      // a car on course, in position "I"
    start.kind = SensorEventKind::kActiveEdge;
    start.input = SensorInput::kStart;
    start.tick = clock.MsTick();
    window->Event().TakeSensorEvent(start);
    prompter.AnswerNo();
    PressAltS();
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].text, Tr(msg::k122));
    EXPECT_EQ(prompter.Calls()[0].caption, Tr(msg::k117));
    EXPECT_TRUE(window->SessionRunning());
    EXPECT_TRUE(window->State().running);

    prompter.AnswerYes();
    PressAltS();
    EXPECT_FALSE(window->SessionRunning());
    EXPECT_FALSE(Find<QTimer>("Timer5")->isActive());
}

TEST_F(SessionTest, ModeChangeAsksAndSwitchesBack) {
    OpenWindow();
    auto* tabs = Find<QTabWidget>("PageControl1");
    window->State().resultModified = true;
    prompter.AnswerNo();
    tabs->setCurrentIndex(1);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].text, Tr(msg::k118));
    EXPECT_EQ(prompter.Calls()[0].caption, Tr(msg::k114));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(window->State().currentMode, RaceMode::kGymkhana);

    // Running: "Yes" to clearing, "No" to stopping keeps the mode.
    PressAltS();
    prompter.ClearCalls();
    prompter.AnswerYes();
    prompter.AnswerNo();
    tabs->setCurrentIndex(2);
    ASSERT_EQ(prompter.Calls().size(), 2u);
    EXPECT_EQ(prompter.Calls()[1].text, Tr(msg::k113));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(window->SessionRunning());

    // "Yes" twice: the session stops and DRAG is in force with its layout.
    prompter.AnswerYes();
    prompter.AnswerYes();
    tabs->setCurrentIndex(1);
    EXPECT_FALSE(window->SessionRunning());
    EXPECT_EQ(window->State().currentMode, RaceMode::kDrag);
    EXPECT_FALSE(window->State().resultModified);
    auto* grid = Find<QTableView>("StringGrid2");
    ASSERT_EQ(grid->model()->columnCount(), 13);
    EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Fly"));
    EXPECT_EQ(grid->model()->headerData(12, Qt::Horizontal).toString(), QStringLiteral("Try"));
    EXPECT_FALSE(Find<QPushButton>("BitBtn4")->isEnabled());
    EXPECT_FALSE(Find<QWidget>("CheckBox2")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>("Memo303")->isVisibleTo(window.get()));

    // No questions without changes; the CIRCUIT layout.
    prompter.ClearCalls();
    tabs->setCurrentIndex(2);
    EXPECT_TRUE(prompter.Calls().empty());
    EXPECT_EQ(grid->model()->columnCount(), 6);
    EXPECT_EQ(grid->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Lap time"));
    tabs->setCurrentIndex(0);
    EXPECT_EQ(grid->model()->columnCount(), 9);
    EXPECT_TRUE(Find<QPushButton>("BitBtn4")->isEnabled());
}

TEST_F(SessionTest, ModeResetClearsCountersAndDisplays) {
    OpenWindow();
    window->State().runCount[5] = 3;
    window->State().lastPassTime[5] = 1234;
    window->Entries().SetCell(3, 5, "3");
    PressAltS();
    // A queue entry typed into place 2 moves up to place 1.
    auto* place2 = Find<QLineEdit>("Memo111");
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(place2, &dbl);
    EXPECT_FALSE(place2->isReadOnly());
    place2->setText(QStringLiteral("5"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(place2, &enter);
    EXPECT_TRUE(place2->isReadOnly());
    EXPECT_EQ(Find<QLineEdit>("Memo100")->text(), QStringLiteral("5"));
    EXPECT_EQ(place2->text(), QStringLiteral("0"));
    EXPECT_EQ(window->State().waitingNumber, 5);
    EXPECT_EQ(window->StatusText(0), QStringLiteral("Car #5 計測準備完了"));

    PressAltS();
    PressAltS();  // the next session starts with a mode reset
    EXPECT_EQ(window->State().runCount[5], 0);
    EXPECT_EQ(window->State().lastPassTime[5], 0u);
    EXPECT_EQ(window->Entries().Cell(3, 5), "");
    EXPECT_EQ(Find<QLineEdit>("Memo100")->text(), QStringLiteral("0"));
    EXPECT_EQ(Find<QLineEdit>("Memo120")->text(), QStringLiteral("0"));
    EXPECT_EQ(Find<QLineEdit>("Memo121")->text(), QStringLiteral("--:--"));
    EXPECT_EQ(window->State().entryRow, 1);
}

TEST_F(SessionTest, NextCarNumberOutOfRangeBecomes199) {
    OpenWindow();
    auto* next = Find<QLineEdit>("Memo114");
    for (const char* text : {"0", "250"}) {
        next->setText(QString::fromLatin1(text));
        emit next->textEdited(next->text());
        window->RefreshWaitingCar();
        EXPECT_EQ(next->text(), QStringLiteral("199")) << text;
        EXPECT_EQ(window->State().waitingNumber, 199);
    }
}

TEST_F(SessionTest, DigitKeysDriveDragLinesOnlyDuringASession) {
    OpenWindow();
    Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    QWidget* target = Find<QTableView>("StringGrid1");
    QKeyEvent three(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier);
    QApplication::sendEvent(target, &three);
    EXPECT_EQ(window->Sensors().Keys().keyDragLines, 0);
    PressAltS();
    QApplication::sendEvent(target, &three);
    EXPECT_EQ(window->Sensors().Keys().keyDragLines, 1 << 2);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    EXPECT_EQ(window->Sensors().Keys().keyDragLines, 0);
}

}  // namespace
}  // namespace vantrel::test
