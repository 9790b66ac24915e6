// Runs that finish while the operator is busy elsewhere: a question is open, a box is being
// corrected, or the session has stopped. None may be lost, misbooked or invented.
#include <QAction>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTimer>

#include "common/messages.h"
#include "modes/gymkhana_controller.h"
#include "reports/standings.h"
#include "support/manual_timing_fixture.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

class LeavingTest : public ManualTimingTest {
protected:
    void StartWithCarOnCourse(const std::string& setup = "IoAddress=None\r\nDelay=100\r\n") {
        Open(setup);
        PressAltS();
        Run(30);
        Pass(Qt::Key_F11);
        Run(2000);
    }
    std::vector<QString> Questions() const {
        std::vector<QString> texts;
        for (const PromptCall& call : prompter.CallsOf(PromptCall::kAskYesNo)) {
            texts.push_back(call.text);
        }
        return texts;
    }
    void RightPress(QWidget* box) {
        QMouseEvent right(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(box, &right);
    }
    void Enter(QWidget* box) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
    }
};

TEST_F(LeavingTest, RunFinishingDuringTheModeChangeQuestionIsAskedAboutAndRankedAsGymkhana) {
    StartWithCarOnCourse();
    prompter.WhileNextQuestionOpen([this] { Pass(Qt::Key_F12); });
    prompter.AnswerYes();  // stop the session
    prompter.AnswerNo();   // keep the run that came in meanwhile
    Find<QTabWidget>("PageControl1")->setCurrentIndex(1);

    EXPECT_EQ(Questions(), (std::vector<QString>{Tr(msg::k113), Tr(msg::k118)}));
    EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), 0);
    EXPECT_EQ(window->State().currentMode, RaceMode::kGymkhana);
    EXPECT_FALSE(window->SessionRunning());
    EXPECT_EQ(window->Results().Cell(0, 1), "1");
    EXPECT_TRUE(window->State().resultModified);
    // Booked while the DRAG tab was shown, but in the gymkhana's minutes-and-seconds.
    EXPECT_EQ(window->RaceStandings().List().Cell(ListPage::kBestLap, 1).substr(0, 3), "00:");
}

TEST_F(LeavingTest, RunBookedByTheStopAtCloseIsAskedAbout) {
    StartWithCarOnCourse();
    prompter.WhileNextQuestionOpen([this] { Pass(Qt::Key_F12); });
    prompter.AnswerYes();  // 122: stop although a car is on course
    prompter.AnswerNo();   // 107: do not throw the new run away
    EXPECT_FALSE(window->close());

    EXPECT_EQ(Questions(), (std::vector<QString>{Tr(msg::k122), Tr(msg::k107)}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->SessionRunning());
    EXPECT_EQ(window->Results().Cell(0, 1), "1");

    // Asked once and accepted, the results are not asked about twice.
    prompter.ClearCalls();
    prompter.AnswerYes();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(Questions(), (std::vector<QString>{Tr(msg::k107)}));
}

TEST_F(LeavingTest, CorrectionOfACarThatFinishedMeanwhileIsRefused) {
    StartWithCarOnCourse();
    Pass(Qt::Key_F11);  // car 2 behind car 1
    Run(200);
    auto* positionI = Find<QLineEdit>("Memo120");
    Enter(positionI);  // begin correcting car 1
    ASSERT_FALSE(positionI->isReadOnly());
    Pass(Qt::Key_F12);  // car 1 finishes; car 2 moves up to "I"
    positionI->setText(QStringLiteral("21"));
    Enter(positionI);

    const std::vector<PromptCall> warnings = prompter.CallsOf(PromptCall::kWarn);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].text.contains(QStringLiteral("車両 1 ")));
    EXPECT_EQ(positionI->text(), QStringLiteral("2"));
    EXPECT_EQ(window->Gymkhana().Flow().Course().State().courseCar[4], 2);
    EXPECT_EQ(window->Results().Cell(0, 1), "1");
}

TEST_F(LeavingTest, NoClockRunsAndNoTimeOutIsBookedAfterTheStop) {
    StartWithCarOnCourse("IoAddress=None\r\nDelay=100\r\nTimeOut=5\r\n");
    prompter.AnswerYes();  // 122: stop with the car on course
    PressAltS();
    ASSERT_FALSE(window->SessionRunning());
    const QString frozen = Find<QLineEdit>("Memo121")->text();

    // A penalty and a removal after the stop redraw the course; no clock may start again.
    RightPress(Find<QLineEdit>("Memo120"));
    Find<QAction>("Pilontouch11")->trigger();
    EXPECT_EQ(Find<QLineEdit>("Memo120")->toolTip(), QStringLiteral("PT1"));
    clock.Advance(6 * 60000);
    QApplication::processEvents();
    for (const char* name : {"Timer2", "Timer3", "Timer4", "Timer5"}) {
        EXPECT_FALSE(Find<QTimer>(name)->isActive()) << name;
    }
    EXPECT_EQ(Find<QLineEdit>("Memo121")->text(), frozen);
    EXPECT_TRUE(window->Results().IsEmpty());
    EXPECT_EQ(window->StatusText(0), Tr(msg::k121));
}

}  // namespace
}  // namespace vantrel::test
