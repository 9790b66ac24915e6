// Whole sessions driven as a timekeeper would: timing keys, menus and file dialogs, on the
// simulated clock with the sampler ticked by hand.
#include <QAction>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <QTimer>

#include "common/cp932.h"
#include "common/text_file.h"
#include "common/time_text.h"
#include "modes/gymkhana_controller.h"
#include "modes/gymkhana_result.h"
#include "reports/record_window.h"
#include "sensors/sensor_hub.h"
#include "support/manual_timing_fixture.h"

namespace vantrel::test {
namespace {

using TimingRunTest = WorkingFolderTest;

TEST_F(TimingRunTest, SensorLogHoldsTheSessionInOrder) {
    Open("IoAddress=None\r\nLogfile=1\r\nDelay=100\r\n");
    Key(Qt::Key_S, true, Qt::AltModifier);
    Run(30);
    Pass(Qt::Key_F11);
    Run(4000);
    Pass(Qt::Key_F12);
    Key(Qt::Key_S, true, Qt::AltModifier);
    prompter.AnswerYes();  // quit with the unsaved result
    ASSERT_TRUE(window->close());

    std::vector<std::string> lines;
    ASSERT_TRUE(ReadCp932Lines(dir / "SensorLog.txt", lines));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_NE(lines[0].find(",Vantrel.exe has started up at "), std::string::npos);
    EXPECT_NE(lines[1].find(",Session start"), std::string::npos);
    ASSERT_NE(lines[2].find(",S"), std::string::npos);
    ASSERT_NE(lines[3].find(",G"), std::string::npos);
    EXPECT_NE(lines[4].find(",Session stop"), std::string::npos);
    EXPECT_NE(lines[5].find(",Exit Vantrel.exe"), std::string::npos);
    const long startTick = std::stol(lines[2]);
    const long finishTick = std::stol(lines[3]);
    // Held 60 ms + 30 ms of release + 4000 ms later, stamped to the 3 ms tick.
    EXPECT_NEAR(finishTick - startTick, 4090, 3);
    const std::string bytes = ReadBytes(dir / "SensorLog.txt");
    EXPECT_NE(bytes.find(",Exit Vantrel.exe\r\n"), std::string::npos);
}

TEST_F(TimingRunTest, TwoGymkhanaRunsWithPenaltiesAreSaved) {
    Open("IoAddress=None\r\nLogfile=1\r\n");
    std::string entries = Utf8ToCp932("山田 太郎,シビック\r\n鈴木 花子,ロードスター\r\n");
    WriteBytes(dir / "entries.txt", entries);
    prompter.AnswerFile(QString::fromStdString((dir / "entries.txt").string()));
    Find<QAction>("FileLoadEntry")->trigger();

    Key(Qt::Key_S, true, Qt::AltModifier);
    Run(30);
    const uint32_t start1 = Pass(Qt::Key_F11);
    Run(6000);  // past the OFF delay of the start sensor
    const uint32_t start2 = Pass(Qt::Key_F11);
    EXPECT_EQ(Find<QLineEdit>("Memo120")->text(), QStringLiteral("1"));
    EXPECT_EQ(Find<QLineEdit>("Memo107")->text(), QStringLiteral("2"));
    Run(30000);
    const uint32_t finish1 = Pass(Qt::Key_F12);
    EXPECT_TRUE(std::filesystem::exists(dir / "SensorLog.txt"));  // saved after the finish
    Run(6000);
    const uint32_t finish2 = Pass(Qt::Key_F12);
    EXPECT_EQ(Find<QLineEdit>("Memo103")->text(), QStringLiteral("2"));
    Key(Qt::Key_X, true, Qt::AltModifier);
    Key(Qt::Key_X, true, Qt::AltModifier);

    const std::string saved = (dir / "results.csv").string();
    prompter.AnswerFile(QString::fromStdString(saved));
    Find<QAction>("FileSaveResult")->trigger();
    std::vector<std::string> rows;
    ASSERT_TRUE(ReadCp932Lines(saved, rows));
    ASSERT_EQ(rows.size(), 2u);
    const int32_t run1 = int32_t(finish1 - start1);
    const int32_t run2 = int32_t(finish2 - start2);
    // The runs are the real intervals between the key presses, to the 3 ms tick.
    EXPECT_EQ(run1, 36180);
    EXPECT_EQ(run2, 36180);
    const std::string time1 = FormatRaceTime(run1, TimeFormat::kMinutesSeconds, false);
    const std::string time2 = FormatRaceTime(run2, TimeFormat::kMinutesSeconds, false);
    // "Split2" holds the speed over the default 4 m; "Lap" is each car's first run.
    EXPECT_EQ(rows[0], "1,山田 太郎,シビック,," + time1 + ",,," + SpeedText(4, run1) + ",1");
    EXPECT_EQ(rows[1], "2,鈴木 花子,ロードスター,2," + time2 + ",,," + SpeedText(4, run2) + ",1");
    EXPECT_EQ(SpeedText(4, run1), "0.398km/h");
    EXPECT_FALSE(window->State().resultModified);

    // Tools > Record: the Rank page holds both cars, the penalised one second.
    Find<QAction>("ToolRecord")->trigger();
    TRecordForm& record = window->Record();
    EXPECT_TRUE(record.isVisible());
    EXPECT_EQ(record.windowTitle(), QStringLiteral("Record"));
    const QAbstractItemModel* rank = record.StringGrid1->model();
    EXPECT_EQ(rank->data(rank->index(0, 1)).toString(), QStringLiteral("1"));
    EXPECT_EQ(rank->data(rank->index(1, 1)).toString(), QStringLiteral("2"));
    EXPECT_EQ(
        rank->data(rank->index(1, 4)).toString(),
        QString::fromStdString(FormatRaceTime(run2 + 10000, TimeFormat::kMinutesSeconds, false)));
}

TEST_F(TimingRunTest, OptionsOkWritesEverySetupKey) {
    Open("IoAddress=None\r\nBaudRate=1200\r\nTimeOut=61\r\n");
    bool acted = false;
    QTimer::singleShot(0, window.get(), [&] {
        acted = true;
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("オプション設定"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(dialog->focusWidget() ? dialog->focusWidget() : dialog, &enter);
    });
    Find<QAction>("ToolSetup")->trigger();
    EXPECT_TRUE(acted);
    const std::string ini = ReadBytes(IniPath());
    for (const char* line :
         {"IoAddress=None\r\n", "Resolution=3\r\n", "Delay=5000\r\n", "StartPin=3\r\n",
          "FinishPin=0\r\n", "SplitPin1=5\r\n", "SplitPin2=5\r\n", "Invert=0\r\n",
          "TimeFormat=0\r\n", "TimeOut=61\r\n", "Logfile=0\r\n", "CommPort=COM1\r\n",
          "BaudRate= 9600\r\n", "ReadDelay=3\r\n", "BeepOn=0\r\n", "Distance=4\r\n"}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line;
    }
    // During a session the options cannot be opened.
    Key(Qt::Key_S, true, Qt::AltModifier);
    EXPECT_FALSE(Find<QAction>("ToolSetup")->isEnabled());
}

TEST_F(TimingRunTest, PortNoneReadsIdleInputsAndKeysStillWork) {
    Open("IoAddress=None\r\nDelay=100\r\n");
    Key(Qt::Key_S, true, Qt::AltModifier);
    Run(3000);
    // Nothing on the inputs: no car started, every lamp dark.
    EXPECT_EQ(Find<QLineEdit>("Memo101")->text(), QStringLiteral("0"));
    EXPECT_EQ(window->Sensors().Log().Lines().size(), 2u);
    // The keyboard sensors still start a car.
    Pass(Qt::Key_F11);
    EXPECT_EQ(Find<QLineEdit>("Memo120")->text(), QStringLiteral("1"));
    EXPECT_TRUE(window->Sensors().Log().Lines().back().ends_with(",S"));
}

TEST_F(TimingRunTest, PenaltiesOnCourseAndATimeOutReachTheResult) {
    Open("IoAddress=None\r\nTimeOut=5\r\n");
    Key(Qt::Key_S, true, Qt::AltModifier);
    Run(30);
    Pass(Qt::Key_F11);
    auto* carBox = Find<QLineEdit>("Memo120");
    ASSERT_EQ(carBox->text(), QStringLiteral("1"));
    // A right press selects position "I" for the popup; two pylon touches, then one off.
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(carBox, &right);
    EXPECT_EQ(window->Gymkhana().SelectedPosition(), 1);
    Find<QAction>("Pilontouch11")->trigger();
    Find<QAction>("Pilontouch11")->trigger();
    Find<QAction>("Pilontouch12")->trigger();
    EXPECT_EQ(carBox->toolTip(), QStringLiteral("PT1"));
    EXPECT_EQ(Find<QLineEdit>("Memo121")->toolTip(), QStringLiteral("PT1"));

    // Five minutes on course: the clock of position "I" finishes the car as timed out.
    clock.Advance(5 * 60000);
    QTimer* timer5 = Find<QTimer>("Timer5");
    ASSERT_TRUE(timer5->isActive());
    QElapsedTimer waited;
    waited.start();
    while (window->Results().IsEmpty() && waited.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_FALSE(window->Results().IsEmpty());
    EXPECT_EQ(window->Results().Cell(3, 1), "MC");
    EXPECT_EQ(window->Results().Cell(4, 1), "300000");
    EXPECT_EQ(window->Results().Cell(5, 1), "(Timeout)");
    EXPECT_EQ(carBox->text(), QStringLiteral("0"));
    EXPECT_FALSE(timer5->isActive());
}

}  // namespace
}  // namespace vantrel::test
