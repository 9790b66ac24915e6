// The DRAG tab driven as a timekeeper would: the tree button, the digit keys as the eight
// lines, the car number box; the sampler ticked by hand on the fake clock. These prove the
// tab's binding to DragFlow; the rules themselves are tested on the flow.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "lists/entry_table.h"
#include "modes/drag_result.h"
#include "reports/record_window.h"
#include "support/manual_timing_fixture.h"
#include "widgets/lamp_images.h"

namespace vantrel::test {
namespace {

class DragWindowTest : public ManualTimingTest {
protected:
    void OpenDrag() {
        Open("IoAddress=None\r\nDelay=100\r\nResolution=1\r\n");
        window->Entries().SetCell(EntryTable::kName, 5, "Aoki");
        Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
        ASSERT_EQ(window->State().currentMode, RaceMode::kDrag);
        PressAltS();
        Run(30);
    }
    // Line `line` active from the next tick (1 ms on) for 1 ms; then `msToNext` ms pass from
    // that tick on.
    void Line(int line, uint32_t msToNext) {
        Key(Qt::Key_1 + line, true);
        Run(1, 1);
        Key(Qt::Key_1 + line, false);
        Run(msToNext - 1, 1);
    }
    void TypeCar(const QString& text) {
        auto* box = Find<QLineEdit>("Memo204");
        box->setText(text);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
    }
    QString Text(const char* box) { return Find<QLineEdit>(box)->text(); }
    bool Shows(const char* signal, Lamp lamp) {
        return Find<QLabel>(signal)->pixmap().toImage() == LampPixmap(lamp, 18).toImage();
    }
    std::vector<std::string> Row(int row) {
        std::vector<std::string> cells;
        for (int c = 0; c < kDragColumns; ++c) {
            cells.push_back(window->Results().Cell(c, row));
        }
        return cells;
    }
};

TEST_F(DragWindowTest, RunsWriteTheirTimesAsTheKeyIntervalsGiveThem) {
    OpenDrag();
    TypeCar("5");
    auto* tree = Find<QPushButton>("SpeedButton200");
    tree->click();
    EXPECT_EQ(tree->text(), QStringLiteral("Abort"));
    Run(9);
    EXPECT_TRUE(Shows("SignalAmber", Lamp::kAmberOn));

    // Stock, start line 480 ms after the tree start: red and "Fly".
    Line(0, 480);
    EXPECT_EQ(Text("Memo210"), QStringLiteral("5"));
    EXPECT_EQ(Text("Memo204"), QStringLiteral("6"));
    Line(1, 1000);
    EXPECT_TRUE(Shows("SignalRed", Lamp::kRedOn));
    EXPECT_FALSE(Shows("SignalGreen", Lamp::kGreenOn));
    EXPECT_EQ(Text("Memo205"), QStringLiteral("00.480"));
    Line(2, 2000);
    EXPECT_EQ(Text("Memo206"), QStringLiteral("01.000"));
    Line(3, 1500);
    Line(4, 1000);
    Line(5, 1000);
    Line(6, 1250);
    Line(7, 100);
    EXPECT_EQ(Row(1),
              (std::vector<std::string>{"5", "Aoki", "", "Fly", "07.750", "00.480", "08.230",
                                        "01.000", "03.000", "04.500", "05.500", "57.600", "1"}));
    EXPECT_EQ(Text("Memo200"), QStringLiteral("5"));
    EXPECT_EQ(Text("Memo201"), QStringLiteral("Aoki"));
    EXPECT_EQ(Text("Memo202"), QStringLiteral("07.750"));
    EXPECT_EQ(Text("Memo203"), QStringLiteral("57.600"));
    EXPECT_TRUE(Text("Memo205").isEmpty());
    EXPECT_TRUE(Text("Memo210").isEmpty());
    EXPECT_FALSE(tree->isChecked());
    EXPECT_EQ(tree->text(), QStringLiteral("Amber ON"));
    EXPECT_TRUE(Shows("SignalRed", Lamp::kRedOff));
    EXPECT_EQ(window->Entries().Cell(EntryTable::kLap, 5), "1");
    EXPECT_TRUE(window->State().resultModified);
    const auto& log = window->Sensors().Log().Lines();
    EXPECT_TRUE(log[log.size() - 2].ends_with(",Drag start") || log.back().ends_with(",Drag stop"));
    EXPECT_TRUE(log.back().ends_with(",Drag stop"));

    // A clean run of the next car (the box moved on to 6), started by the tree alone.
    window->Entries().SetCell(EntryTable::kName, 6, "Baba");
    Line(0, 600);
    EXPECT_TRUE(Shows("SignalGreen", Lamp::kGreenOn));
    Line(1, 1200);
    Line(2, 2100);
    Line(3, 1700);
    Line(4, 1400);
    Line(5, 900);
    Line(6, 1234);
    Line(7, 100);
    EXPECT_EQ(Row(2),
              (std::vector<std::string>{"6", "Baba", "", "", "08.534", "00.600", "09.134", "01.200",
                                        "03.300", "05.000", "06.400", "58.347", "1"}));
    // The same car again: its second try, without a speed-trap time.
    TypeCar("5");
    Line(0, 600);
    Line(1, 3000);
    Line(7, 100);
    EXPECT_EQ(Row(3), (std::vector<std::string>{"5", "Aoki", "", "", "03.000", "00.600", "03.600",
                                                "", "", "", "", "", "2"}));
}

TEST_F(DragWindowTest, AbortMidRunWritesNothing) {
    OpenDrag();
    auto* tree = Find<QPushButton>("SpeedButton200");
    tree->click();
    Run(9);
    Line(0, 500);
    Line(1, 1000);
    tree->click();  // "Abort"
    EXPECT_EQ(tree->text(), QStringLiteral("Amber ON"));
    EXPECT_TRUE(Text("Memo205").isEmpty());
    Run(9);
    EXPECT_TRUE(Shows("SignalGreen", Lamp::kGreenOff));
    Line(7, 100);
    EXPECT_TRUE(window->Results().IsEmpty());
    // The next "Amber ON" starts clean; so does a session stop in the middle of a run.
    tree->click();
    Run(9);
    Line(0, 500);
    Line(1, 500);
    PressAltS();
    EXPECT_FALSE(tree->isEnabled());
    EXPECT_FALSE(tree->isChecked());
    EXPECT_TRUE(Text("Memo210").isEmpty());
    PressAltS();
    Run(9);
    Line(7, 100);
    EXPECT_TRUE(window->Results().IsEmpty());
}

TEST_F(DragWindowTest, CarNumberBoxRules) {
    OpenDrag();
    TypeCar("250");
    EXPECT_EQ(Text("Memo204"), QStringLiteral("1"));
    TypeCar("0");
    EXPECT_EQ(Text("Memo204"), QStringLiteral("0"));
    TypeCar("42");
    EXPECT_EQ(window->State().entryRow, 42);
    TypeCar("abc");
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].text, QStringLiteral("半角数字を入力して下さい"));
    EXPECT_EQ(prompter.Calls()[0].caption, QStringLiteral("入力文字種エラー"));
    EXPECT_EQ(Text("Memo204"), QStringLiteral("42"));
    // Digits typed into the box are a car number, not drag lines.
    auto* box = Find<QLineEdit>("Memo204");
    window->activateWindow();
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());
    QKeyEvent one(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    QApplication::sendEvent(box, &one);
    Run(600, 1);
    EXPECT_TRUE(Text("Memo210").isEmpty());
    EXPECT_EQ(window->Sensors().Keys().keyDragLines, 0);
    box->clearFocus();

    // The advance from 198 proposes 199, which races as itself; after it the list wraps to 1.
    TypeCar("198");
    Line(0, 600);
    EXPECT_EQ(Text("Memo204"), QStringLiteral("199"));
    Line(0, 600);
    EXPECT_EQ(Text("Memo210"), QStringLiteral("199"));
    EXPECT_EQ(Text("Memo204"), QStringLiteral("1"));
    // A number typed without Enter and out of range still follows the box's rules.
    Find<QLineEdit>("Memo204")->setText(QStringLiteral("777"));
    Line(0, 600);
    EXPECT_EQ(Text("Memo210"), QStringLiteral("1"));
}

}  // namespace
}  // namespace vantrel::test
