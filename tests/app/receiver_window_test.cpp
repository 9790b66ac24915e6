// The serial port seen through the window, with a pseudo-terminal as the receiver's cable:
// the "RS232C" box and its output, the CIRCUIT session's receiver, the open and close moments,
// a receiver that goes away and comes back, and bytes its ring could not hold.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/sensor_warning_panel.h"
#include "dialogs/setup_dialog.h"
#include "lists/entry_table.h"
#include "reports/record_window.h"
#include "sensors/pty_pair.h"
#include "sensors/receiver_hub.h"
#include "sensors/receiver_script.h"
#include "sensors/sensor_hub.h"
#include "support/manual_timing_fixture.h"
#include "widgets/line_list.h"

namespace vantrel::test {
namespace {

class ReceiverWindowTest : public ManualTimingTest {
protected:
    void OpenWith(const std::string& commPort) {
        Open("IoAddress=None\r\nDelay=100\r\nCommPort=" + commPort + "\r\n");
    }
    // Processes events until `done` holds; false after five seconds.
    static bool WaitUntil(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return done();
    }
    void ClickRs232c() { Find<QCheckBox>("CheckBox2")->click(); }
    QString Received() { return Find<LineList>("Memo300")->toPlainText(); }

    PtyPair pty;
};

TEST_F(ReceiverWindowTest, Rs232cSendsEachGymkhanaTimeAndHoldsThePortSettings) {
    ASSERT_FALSE(pty.path.empty());
    OpenWith(pty.path);
    ClickRs232c();
    ASSERT_TRUE(window->Receiver().IsOpen());
    EXPECT_TRUE(Find<QCheckBox>("CheckBox2")->isChecked());
    auto* port = FindNamed<QComboBox>(&window->SetupForm(), "ComboBox2");
    EXPECT_FALSE(port->isEnabled());

    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);
    Run(3000);
    Pass(Qt::Key_F12);
    const std::string time = Find<QLineEdit>("Memo104")->text().toStdString();
    ASSERT_FALSE(time.empty());
    EXPECT_EQ(pty.Read(time.size() + 1), time + "\r");
    EXPECT_EQ(pty.Read(1, 100), "") << "nothing else is ever sent";

    // A stop closes the port while the box stays ticked; ticking again opens it.
    PressAltS();
    EXPECT_FALSE(window->Receiver().IsOpen());
    EXPECT_TRUE(Find<QCheckBox>("CheckBox2")->isChecked());
    ClickRs232c();
    ClickRs232c();
    EXPECT_TRUE(window->Receiver().IsOpen());
    // A mode change closes and unticks it.
    prompter.AnswerYes();  // the unsaved run may go
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    ASSERT_EQ(window->State().currentMode, RaceMode::kCircuit);
    EXPECT_FALSE(window->Receiver().IsOpen());
    EXPECT_FALSE(Find<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_TRUE(port->isEnabled());
}

TEST_F(ReceiverWindowTest, WithoutAPortTheBoxStaysUntickedAndCircuitRunsWithoutReceiver) {
    OpenWith("None");
    ClickRs232c();
    EXPECT_FALSE(Find<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_TRUE(prompter.Calls().empty());
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    PressAltS();
    EXPECT_TRUE(window->SessionRunning());
    EXPECT_FALSE(window->Receiver().IsOpen());
    EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(ReceiverWindowTest, TheSerialOutputStateFollowsTheBoxThroughTheProgramsOwnUnticking) {
    OpenWith("None");
    auto* box = Find<QCheckBox>("CheckBox2");
    EXPECT_FALSE(window->State().serialOutputOn);
    // Without a port the program unticks the box the click ticked.
    ClickRs232c();
    ASSERT_FALSE(box->isChecked());
    EXPECT_FALSE(window->State().serialOutputOn);

    window->Receiver().UseScript(ReceiverScript{});  // a port that opens
    ClickRs232c();
    ASSERT_TRUE(box->isChecked());
    EXPECT_TRUE(window->State().serialOutputOn);
    // A mode change closes the port and unticks the box.
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    ASSERT_FALSE(box->isChecked());
    EXPECT_FALSE(window->State().serialOutputOn);
    Find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    ClickRs232c();
    EXPECT_TRUE(window->State().serialOutputOn);
    ClickRs232c();
    EXPECT_FALSE(window->State().serialOutputOn);
}

TEST_F(ReceiverWindowTest, EveryDigitKeyIsTheSameCarInTheMainAndTheRecordWindow) {
    OpenWith("None");
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    PressAltS();
    ASSERT_TRUE(window->SessionRunning());
    const auto lastReceived = [this] { return Received().split(QLatin1Char('\n')).last(); };
    for (int digit = 0; digit <= 9; ++digit) {
        const QString car = QString::number(digit == 0 ? 10 : digit);
        Key(Qt::Key_0 + digit, true);
        Key(Qt::Key_0 + digit, false);
        EXPECT_EQ(lastReceived(), car) << "main window, digit " << digit;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + digit, Qt::KeypadModifier);
        QApplication::sendEvent(window->Record().StringGrid1, &press);
        EXPECT_EQ(lastReceived(), car) << "record window, digit " << digit;
    }
    EXPECT_EQ(Received().split(QLatin1Char('\n')).size(), 20);
    PressAltS();
}

TEST_F(ReceiverWindowTest, CircuitSessionTakesTheReceiverAndSurvivesItsLoss) {
    ASSERT_FALSE(pty.path.empty());
    OpenWith(pty.path);
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    PressAltS();
    ASSERT_TRUE(window->Receiver().IsOpen());
    ASSERT_TRUE(pty.Write("\x31\x32\x2D\x35"));
    EXPECT_TRUE(WaitUntil([&] { return Received() == QStringLiteral("1\n2\n5"); }))
        << Received().toStdString();
    EXPECT_EQ(window->Entries().Cell(EntryTable::kLap, 5), "0");

    // The cable is pulled: reported once, the session goes on.
    pty.CloseMaster();
    auto* warning = Find<SensorWarningPanel>("SensorWarning");
    EXPECT_TRUE(WaitUntil([&] { return warning->text().contains(QStringLiteral("受信機切断")); }));
    EXPECT_TRUE(window->SessionRunning());
    PressAltS();
    EXPECT_FALSE(window->Receiver().IsOpen());
}

TEST_F(ReceiverWindowTest, BytesAreStampedOnArrivalWhileAHandlerHoldsTheWindow) {
    ASSERT_FALSE(pty.path.empty());
    OpenWith(pty.path);
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    PressAltS();
    ASSERT_TRUE(window->Receiver().IsOpen());
    const uint32_t start = clock.MsTick();
    // Like a message box on the first passing: car 1 comes round again while it is open.
    bool boxShown = false;
    QObject::connect(&window->Receiver(), &ReceiverHub::blockReceived, window.get(), [&] {
        if (boxShown) {
            return;
        }
        boxShown = true;
        clock.Set(start + 40000);
        pty.Write("1");
        QEventLoop box;
        QTimer::singleShot(300, &box, &QEventLoop::quit);
        box.exec();
        clock.Set(start + 90000);  // the window gets to the bytes much later
    });
    pty.Write("1");
    ASSERT_TRUE(WaitUntil([&] { return !window->Results().IsEmpty(); }));
    EXPECT_EQ(window->Results().Cell(4, 1), "00:40.000") << "the lap is timed by its arrival";
    PressAltS();
}

TEST_F(ReceiverWindowTest, AReceiverLostMidRaceComesBackTwiceAndTheLapsGoOn) {
    // The adapter's path is a link, as udev makes them; unplugging removes it.
    const std::filesystem::path device = dir / "ttyUSB-receiver";
    auto cable = std::make_unique<PtyPair>();
    std::filesystem::create_symlink(cable->path, device);
    OpenWith(device.string());
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    PressAltS();
    ASSERT_TRUE(window->Receiver().IsOpen());
    auto* warning = Find<SensorWarningPanel>("SensorWarning");
    const uint32_t start = clock.MsTick();
    const auto pass = [&](int lap) {
        clock.Set(start + 40000 * static_cast<uint32_t>(lap));
        ASSERT_TRUE(cable->Write("5"));
        ASSERT_TRUE(WaitUntil([&] {
            return window->Entries().Cell(EntryTable::kLap, 5) == std::to_string(lap);
        })) << "lap "
            << lap;
    };
    pass(0);
    pass(1);
    const auto gapLines = [&] {
        int lines = 0;
        for (const std::string& line : window->Sensors().Log().Lines()) {
            lines += line.find("Receiver lost ") != std::string::npos &&
                             line.find(" - back ") != std::string::npos
                         ? 1
                         : 0;
        }
        return lines;
    };
    for (int loss = 1; loss <= 2; ++loss) {
        SCOPED_TRACE("loss " + std::to_string(loss));
        cable->CloseMaster();
        std::filesystem::remove(device);
        EXPECT_TRUE(WaitUntil([&] { return window->Receiver().Gaps().LinkDown(); }));
        EXPECT_TRUE(warning->text().contains(QStringLiteral("受信機切断")));
        EXPECT_TRUE(window->SessionRunning());

        cable = std::make_unique<PtyPair>();  // plugged in again
        std::filesystem::create_symlink(cable->path, device);
        EXPECT_TRUE(WaitUntil([&] { return gapLines() == loss; }));
        EXPECT_TRUE(warning->text().contains(QStringLiteral("〜")));
        pass(loss + 1);  // the lap count goes on from where it was
    }
    EXPECT_TRUE(warning->text().contains(QStringLiteral("2 回")));
    EXPECT_EQ(warning->toolTip().count(QStringLiteral("の通過は受信されていません")), 2);
    EXPECT_EQ(window->Results().Cell(3, 3), "3");  // the third lap's row
    PressAltS();
}

TEST_F(ReceiverWindowTest, BytesTheRingCannotHoldAreShownInTheStatusBar) {
    ASSERT_FALSE(pty.path.empty());
    OpenWith(pty.path);
    window->Receiver().SetRingCapacity(16);
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    PressAltS();
    ASSERT_TRUE(window->Receiver().IsOpen());
    // Car 0 is shown and never counted; the window takes nothing while the bytes arrive.
    ASSERT_TRUE(pty.Write(std::string(40, '0')));
    for (int i = 0; i < 2000 && window->Receiver().BytesReceived() < 40; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    auto* warning = Find<SensorWarningPanel>("SensorWarning");
    EXPECT_TRUE(WaitUntil([&] {
        return warning->text().contains(QStringLiteral("受信取りこぼし 24"));
    })) << warning->text().toStdString();
    EXPECT_EQ(Received().split(QLatin1Char('\n')).size(), 16);
    const std::vector<std::string>& log = window->Sensors().Log().Lines();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
        return line.find(",Receiver bytes lost: 24") != std::string::npos;
    }));
    PressAltS();
}

TEST_F(ReceiverWindowTest, APortThatCannotOpenUndoesTheSessionStart) {
    OpenWith((dir.Path() / "no-such-tty").string());
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    PressAltS();
    EXPECT_FALSE(window->SessionRunning());
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].text,
              QStringLiteral("通信ポートのオープンに失敗しました、設定を確かめてください"));
    EXPECT_EQ(prompter.Calls()[0].caption, QStringLiteral("通信ポート"));
}

}  // namespace
}  // namespace vantrel::test
