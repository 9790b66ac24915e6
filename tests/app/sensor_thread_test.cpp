// The main window on the real timing thread and the real clock: sensor events keep coming
// after a handler's nested event loop, and a stop logs the passes sampled before it first.
// Every wait is bounded; no assertion is about speed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "app/main_window.h"
#include "common/ms_clock.h"
#include "common/time_text.h"
#include "sensors/sensor_hub.h"
#include "sensors/simulation_script.h"
#include "support/find_named.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantrel::test {
namespace {

constexpr int kWaitMs = 10000;

class SensorThreadWindowTest : public ::testing::Test {
protected:
    void Open(const std::string& setup) {
        WriteBytes(dir / "Vantrel.ini", "[Setup]\r\n" + setup);
        MainWindowEnvironment env{dir.Path(), &prompter, &clock};
        window = std::make_unique<TMainForm>(env);
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        if (window) {
            window->State().resultModified = false;
            window.reset();
        }
    }
    void Key(int key, bool down, Qt::KeyboardModifiers mods = {}) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(FindNamed<QTableView>(window.get(), "StringGrid1"), &event);
    }
    // Processes events until `done` holds; false after kWaitMs.
    static bool WaitUntil(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done()) {
            if (waited.elapsed() > kWaitMs) {
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    QString Text(const char* box) const { return FindNamed<QLineEdit>(window.get(), box)->text(); }
    const std::vector<std::string>& LogLines() { return window->Sensors().Log().Lines(); }

    TempDir dir;
    ScriptedPrompter prompter;
    MonotonicMsClock clock;
    std::unique_ptr<TMainForm> window;
};

TEST_F(SensorThreadWindowTest, PassesStillArriveAfterAHandlerRanANestedEventLoop) {
    Open("IoAddress=None\r\nDelay=100\r\nResolution=1\r\n");
    // Like a message box after a finish: the operator lets go of the finish key while it is
    // open, so the timing thread wakes the GUI from inside the box's event loop.
    int boxes = 0;
    QObject::connect(
        &window->Sensors(), &SensorHub::eventSampled, window.get(), [&](const SensorEvent& event) {
            if (event.kind != SensorEventKind::kActiveEdge || event.input != SensorInput::kFinish) {
                return;
            }
            ++boxes;
            QEventLoop box;
            QTimer::singleShot(20, [&] { Key(Qt::Key_F12, false); });
            QTimer::singleShot(300, &box, &QEventLoop::quit);
            box.exec();
        });
    Key(Qt::Key_S, true, Qt::AltModifier);
    ASSERT_TRUE(window->Sensors().IsSampling());

    Key(Qt::Key_F11, true);
    ASSERT_TRUE(WaitUntil([&] { return Text("Memo120") == QStringLiteral("1"); }));
    Key(Qt::Key_F11, false);
    Key(Qt::Key_F12, true);
    ASSERT_TRUE(WaitUntil([&] { return boxes == 1 && !window->Results().IsEmpty(); }));
    EXPECT_EQ(Text("Memo120"), QStringLiteral("0"));

    // The next car's start pass, well after the box closed, is taken.
    Key(Qt::Key_F11, true);
    EXPECT_TRUE(WaitUntil([&] { return Text("Memo120") == QStringLiteral("2"); }));
    Key(Qt::Key_F11, false);
    prompter.AnswerYes();  // stop with car 2 on course
    Key(Qt::Key_S, true, Qt::AltModifier);
    EXPECT_FALSE(window->SessionRunning());

    // S, G, S in tick order, then the stop line.
    const auto& lines = LogLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(lines[2].ends_with(",S"));
    EXPECT_TRUE(lines[3].ends_with(",G"));
    EXPECT_TRUE(lines[4].ends_with(",S"));
    EXPECT_TRUE(lines[5].ends_with(",Session stop"));
    for (size_t i = 2; i < lines.size(); ++i) {
        EXPECT_LE(std::stol(lines[i - 1]), std::stol(lines[i])) << i;
    }
}

TEST_F(SensorThreadWindowTest, StopLogsThePassesSampledBeforeItFirst) {
    Open("IoAddress=None\r\nDelay=100\r\nResolution=1\r\n");
    const auto script =
        ParseSimulationScript("20 pin13 active\n+30 pin13 idle\n60 pin10 active\n+30 pin10 idle\n");
    ASSERT_TRUE(script.ok);
    window->Sensors().UseScript(script.script);
    Key(Qt::Key_S, true, Qt::AltModifier);
    // The GUI takes no event while the script plays: its passes wait in the queue.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    while (!window->Sensors().ScriptFinished() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(window->Sensors().ScriptFinished());
    Key(Qt::Key_S, true, Qt::AltModifier);
    ASSERT_FALSE(window->SessionRunning());

    const auto& lines = LogLines();
    ASSERT_EQ(lines.size(), 5u);  // started up, session start, S, G, session stop
    EXPECT_TRUE(lines[2].ends_with(",S"));
    EXPECT_TRUE(lines[3].ends_with(",G"));
    EXPECT_TRUE(lines[4].ends_with(",Session stop"));
    EXPECT_LE(std::stol(lines[3]), std::stol(lines[4]));
}

TEST_F(SensorThreadWindowTest, DragLampsSwitchOnTheTimingThreadWhileTheWindowIsBusy) {
    Open("IoAddress=None\r\nDelay=100\r\nResolution=1\r\n");
    FindNamed<QTabWidget>(window.get(), "PageControl1")->setCurrentIndex(1);
    // A box opens as the tree starts and holds the window well past the green delay.
    uint32_t treeStart = 0;
    uint32_t boxClosed = 0;
    uint32_t greenTick = 0;
    QObject::connect(&window->Sensors(), &SensorHub::eventSampled, window.get(),
                     [&](const SensorEvent& event) {
                         if (event.kind == SensorEventKind::kDragNewRun) {
                             treeStart = event.tick;
                             Key(Qt::Key_1, false);
                             QEventLoop box;
                             QTimer::singleShot(800, &box, &QEventLoop::quit);
                             box.exec();
                             boxClosed = clock.MsTick();
                         } else if (event.kind == SensorEventKind::kDragLamps && greenTick == 0 &&
                                    (event.lampByte & 0x04) == 0) {
                             greenTick = event.tick;
                         }
                     });
    Key(Qt::Key_S, true, Qt::AltModifier);
    ASSERT_TRUE(window->Sensors().IsSampling());

    Key(Qt::Key_1, true);
    ASSERT_TRUE(WaitUntil([&] { return boxClosed != 0 && greenTick != 0; }));
    EXPECT_GE(greenTick - treeStart, 500u);
    EXPECT_LT(greenTick, boxClosed) << "green was lit behind the box, not after it";
    Key(Qt::Key_2, true);
    ASSERT_TRUE(WaitUntil([&] { return !Text("Memo205").isEmpty(); }));
    Key(Qt::Key_2, false);
    Key(Qt::Key_8, true);
    ASSERT_TRUE(WaitUntil([&] { return !window->Results().IsEmpty(); }));
    Key(Qt::Key_8, false);
    EXPECT_EQ(window->Results().Cell(3, 1), "") << "a start after green is no false start";
    EXPECT_GE(ParseTimeText(window->Results().Cell(5, 1)), 800);
    Key(Qt::Key_S, true, Qt::AltModifier);
}

}  // namespace
}  // namespace vantrel::test
