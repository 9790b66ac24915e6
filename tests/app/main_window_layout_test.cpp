// The main window as a timekeeper sees it, on each tab at the minimum size and at 1280 x 1024:
// no control on top of another, none cut by its parent, every text readable. The boxes and
// grids hold the widest texts they show in use. With VANTREL_SCREENSHOT_DIR set the window
// is also saved there as main-<tab>-<width>x<height>.png.
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <cstdlib>

#include "app/ui_language.h"
#include "lists/result_table.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"
#include "support/temp_dir.h"
#include "widgets/line_list.h"

namespace vantrel::test {
namespace {

const char* const kTabNames[] = {"gymkhana", "drag", "circuit"};

class MainWindowLayoutTest : public MainWindowTest {
protected:
    void SetText(const char* name, const char* text) {
        Find<QLineEdit>(name)->setText(QString::fromUtf8(text));
    }
    // The widest texts the boxes of the tabs and the clock panel show while timing.
    void FillBoxes() {
        for (const char* car :
             {"Memo114", "Memo100", "Memo111", "Memo112", "Memo113", "Memo120", "Memo107",
              "Memo102", "Memo101", "Memo103", "Memo304", "Memo204", "Memo210", "Memo200"}) {
            SetText(car, "199");
        }
        for (const char* clock : {"Memo121", "Memo108", "Memo106", "Memo105"}) {
            SetText(clock, "59:59");
        }
        SetText("Memo115", "8");
        SetText("Memo116", "8");
        SetText("Memo104", "59:59.999");
        SetText("Memo110", "山田 太郎");
        SetText("Memo303", "59:59.999");
        SetText("Memo301", "23:59:59");
        for (const char* time :
             {"Memo205", "Memo206", "Memo207", "Memo208", "Memo209", "Memo202"}) {
            SetText(time, "88.888");
        }
        SetText("Memo201", "山田 太郎");
        SetText("Memo203", "888.888");
        SetText("Memo302", "60");
        Find<LineList>("Memo300")->AppendLines({"7", "12", "199", "188", "7"});
    }
    // A result row of the mode in force with its widest texts and a long name.
    void FillResultRow() {
        ResultTable& results = window->Results();
        std::vector<std::string> cells;
        for (const std::string& heading : ResultHeaders(window->State().currentMode)) {
            if (heading == "Name" || heading == "Model" || heading == "Comment") {
                cells.push_back("とても長い名前のドライバーと車種");
            } else if (heading == "Car" || heading == "Lap" || heading == "Try" ||
                       heading == "Pen") {
                cells.push_back("199");
            } else if (heading == "Fly") {
                cells.push_back("Fly");
            } else if (window->State().currentMode == RaceMode::kDrag) {
                cells.push_back(heading == "Speed" ? "888.888" : "88.888");
            } else if (window->State().currentMode == RaceMode::kCircuit) {
                cells.push_back("100:00.000");
            } else {
                cells.push_back("59:59.999");
            }
        }
        results.SetRow(1, cells);
        window->State().resultModified = false;
    }
};

TEST_F(MainWindowLayoutTest, EveryTabFitsAtTheMinimumAndAtALargeSize) {
    // Both splits connected and several passes per car: every control of the tab is shown.
    WriteBytes(IniPath(),
               "[Setup]\r\nIoAddress=None\r\nSplitPin1=2\r\nSplitPin2=4\r\n"
               "[SensorCount]\r\nStart=2\r\nFinish=2\r\n");
    SubstituteJapaneseFonts();  // the grids' font as the program shows it
    OpenWindow();
    window->Entries().SetCell(1, 1, "とても長い名前のドライバー");
    window->Entries().SetCell(2, 1, "とても長い車種の名前");
    auto* tabs = Find<QTabWidget>("PageControl1");
    const char* out = std::getenv("VANTREL_SCREENSHOT_DIR");
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        window->resize(size);
        QApplication::processEvents();
        ASSERT_EQ(window->size(), size);
        for (int tab = 0; tab < 3; ++tab) {
            tabs->setCurrentIndex(tab);
            ASSERT_EQ(static_cast<int>(window->State().currentMode), tab);
            FillBoxes();
            FillResultRow();
            QApplication::processEvents();
            const QStringList faults = LayoutFaults(window.get());
            EXPECT_TRUE(faults.isEmpty())
                << kTabNames[tab] << " at " << size.width() << "x" << size.height() << ":\n"
                << faults.join(QLatin1Char('\n')).toStdString();
            if (out != nullptr) {
                window->grab().save(
                    QStringLiteral("%1/main-%2-%3x%4.png")
                        .arg(QString::fromLocal8Bit(out), QString::fromLatin1(kTabNames[tab]))
                        .arg(size.width())
                        .arg(size.height()));
            }
        }
    }
}

}  // namespace
}  // namespace vantrel::test
