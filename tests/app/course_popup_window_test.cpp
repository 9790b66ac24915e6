// The course popup in the real window: a car that finishes while the popup is open takes its
// popup's items with it, and the car that moves up into its box is not touched.
#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QtTest/QTest>

#include "modes/gymkhana_controller.h"
#include "modes/gymkhana_texts.h"
#include "support/manual_timing_fixture.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

class CoursePopupTest : public ManualTimingTest {
protected:
    // Two cars on course: car 1 in "I", car 2 in "II".
    void StartTwoCars() {
        Open("IoAddress=None\r\nDelay=100\r\n");
        PressAltS();
        Run(30);
        Pass(Qt::Key_F11);
        Run(1000);
        Pass(Qt::Key_F11);
        Run(1000);
    }
    // A right click as the operator makes it: the press selects the box, the menu opens.
    QMenu* OpenPopup(const char* boxName) {
        auto* box = Find<QLineEdit>(boxName);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), box->mapToGlobal(QPointF(3, 3)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(3, 3),
                               box->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(box, &menu);
        auto* popup = Find<QMenu>("AttackPopup");
        EXPECT_TRUE(popup->isVisible());
        return popup;
    }
    void Click(QMenu* popup, const char* actionName) {
        QAction* action = Find<QAction>(actionName);
        ASSERT_TRUE(action->isEnabled()) << actionName;
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
    }
    const CourseState& Course() { return window->Gymkhana().Flow().Course().State(); }
    std::vector<PromptCall> Warnings() const { return prompter.CallsOf(PromptCall::kWarn); }
};

TEST_F(CoursePopupTest, ACarFinishingWhileItsPopupIsOpenTakesTheItemsWithIt) {
    StartTwoCars();
    QMenu* popup = OpenPopup("Memo120");  // car 1
    Pass(Qt::Key_F12);                    // car 1 finishes; car 2 moves up into "I"
    ASSERT_EQ(Course().courseCar[kOldestPosition], 2);
    Click(popup, "Pilontouch11");

    ASSERT_EQ(Warnings().size(), 1u);
    EXPECT_EQ(Warnings()[0].text, Tr(kMsgCarLeftPosition).arg(1));
    EXPECT_EQ(Warnings()[0].caption, Tr(kEditCancelledCaption));
    EXPECT_EQ(Course().courseTimes[kOldestPosition][kPenaltyWord], 0);
    EXPECT_EQ(Find<QLineEdit>("Memo120")->toolTip(), QString());

    // "削除" on the finished car's popup leaves car 2 on course.
    prompter.ClearCalls();
    popup = OpenPopup("Memo107");  // car 2's old box, empty now
    EXPECT_FALSE(Find<QAction>("Clear1")->isEnabled());
    popup->hide();
    popup = OpenPopup("Memo120");  // car 2
    Pass(Qt::Key_F11);             // car 3 starts behind it: car 2 stays in "I"
    Click(popup, "Misscourse1");
    EXPECT_EQ(Find<QLineEdit>("Memo120")->toolTip(), QStringLiteral("MC"));
    popup = OpenPopup("Memo120");
    Pass(Qt::Key_F12);  // car 2 finishes with its miss course; car 3 moves up
    Click(popup, "Clear1");
    EXPECT_EQ(Warnings().size(), 1u);
    EXPECT_EQ(Course().courseCar[kOldestPosition], 3);
    EXPECT_EQ(window->Results().Cell(ResultTable::kCar, 2), "2");
    EXPECT_EQ(window->Results().Cell(ResultTable::kGymkhanaPen, 2), "MC");
}

}  // namespace
}  // namespace vantrel::test
