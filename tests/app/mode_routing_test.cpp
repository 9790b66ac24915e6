// Sensor events reach the controller of the mode in force, and no other.
#include <QLineEdit>
#include <QTabWidget>

#include "modes/gymkhana_controller.h"
#include "support/manual_timing_fixture.h"
#include "widgets/line_list.h"

namespace vantrel::test {
namespace {

class ModeRoutingTest : public ManualTimingTest {
protected:
    void ChangeModeTo(RaceMode mode) {
        Find<QTabWidget>("PageControl1")->setCurrentIndex(static_cast<int>(mode));
        ASSERT_EQ(window->State().currentMode, mode);
    }
    int CarsOnCourse() { return window->Gymkhana().Flow().Course().CarsOnCourse(); }
    // Every circuit passing shows its car in the received list.
    int CircuitPasses() { return Find<LineList>("Memo300")->LineCount(); }
};

TEST_F(ModeRoutingTest, EachModeTakesTheStartPassesOfItsOwnSessions) {
    Open("IoAddress=None\r\nDelay=100\r\n");

    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);
    EXPECT_EQ(CarsOnCourse(), 1);  // GYMKHANA: the course starts a car
    prompter.AnswerYes();          // stop with the car on course
    PressAltS();

    ChangeModeTo(RaceMode::kDrag);
    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);
    EXPECT_EQ(CarsOnCourse(), 1);  // the gymkhana car stays where it was; DRAG starts none
    EXPECT_EQ(CircuitPasses(), 0);
    Pass(Qt::Key_1);  // the tree start: the drag controller takes the run's car
    EXPECT_FALSE(Find<QLineEdit>("Memo210")->text().isEmpty());
    PressAltS();

    ChangeModeTo(RaceMode::kCircuit);
    window->State().circuitInput = SessionState::kPrinterPort;
    PressAltS();
    Run(30);
    const uint32_t down = Pass(Qt::Key_F11);
    ASSERT_EQ(CircuitPasses(), 1);
    EXPECT_NEAR(window->State().lastPassTime[window->State().entryRow], down, 3u);
    EXPECT_EQ(CarsOnCourse(), 1);
    PressAltS();
}

}  // namespace
}  // namespace vantrel::test
