// The sensors of a session as the timekeeper sees them, on the simulated clock: the port
// chosen for each session, warnings that keep their place, the time-out's finish line and a
// script given on the command line that cannot be used.
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

#include "app/sensor_options.h"
#include "common/messages.h"
#include "common/setup_settings.h"
#include "sensors/sensor_hub.h"
#include "support/manual_timing_fixture.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

class SensorSessionWindowTest : public ManualTimingTest {
protected:
    void ChoosePort(const char* text) {
        SetupSettings settings = window->Setup();
        settings.SetIoAddressText(text);
        window->ApplySetup(settings);
    }
    QLabel* Warning() { return Find<QLabel>("SensorWarning"); }
};

TEST_F(SensorSessionWindowTest, PortChosenAfterStartUpIsTriedAtEverySessionStart) {
    Open("IoAddress=None\r\nDelay=100\r\n");
    EXPECT_TRUE(firstShowCalls.empty());
    EXPECT_FALSE(Warning()->isVisible());

    // From "None" to a port this machine does not have: the start says why there are no
    // sensors, and the session runs on the keyboard sensors.
    ChoosePort("0x278");
    Key(Qt::Key_S, true, Qt::AltModifier);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].kind, PromptCall::kError);
    const QString text = prompter.Calls()[0].text;
    EXPECT_TRUE(text.startsWith(Tr(msg::k123).section(QStringLiteral("%1"), 0, 0)));
    EXPECT_TRUE(text.contains(QStringLiteral("0x278"))) << text.toStdString();
    EXPECT_TRUE(window->SessionRunning());
    EXPECT_TRUE(Warning()->isVisible());
    EXPECT_EQ(Warning()->text(), Tr(msg::kWarnSensorsNotLive));
    EXPECT_EQ(Warning()->toolTip(), Warning()->text() + QStringLiteral(": ") + text);

    Run(30);
    Pass(Qt::Key_F11);
    EXPECT_EQ(Find<QLineEdit>("Memo120")->text(), QStringLiteral("1"));
    EXPECT_EQ(Warning()->text(), Tr(msg::kWarnSensorsNotLive));
    prompter.AnswerYes();  // stop with the car on course
    Key(Qt::Key_S, true, Qt::AltModifier);
    EXPECT_FALSE(window->SessionRunning());
    EXPECT_TRUE(Warning()->isVisible());  // until a session starts with live sensors

    prompter.ClearCalls();
    ChoosePort("None");
    Key(Qt::Key_S, true, Qt::AltModifier);
    EXPECT_TRUE(prompter.Calls().empty());
    EXPECT_FALSE(Warning()->isVisible());
}

TEST_F(SensorSessionWindowTest, WarningsKeepTheirPlaceUntilTheNextSessionStart) {
    Open("IoAddress=None\r\nDelay=100\r\n");
    Key(Qt::Key_S, true, Qt::AltModifier);
    Run(30);
    SensorEvent lostEvent;
    lostEvent.kind = SensorEventKind::kEventsLost;
    lostEvent.count = 7;  // the total since start, as the hub hands it on
    emit window->Sensors().eventSampled(lostEvent);
    const QString lost = Tr(msg::kWarnEventsLost).arg(7);
    EXPECT_EQ(Warning()->text(), lost);
    Pass(Qt::Key_F11);  // the car start rewrites panel 0, not the warning
    EXPECT_EQ(Find<QLineEdit>("Memo120")->text(), QStringLiteral("1"));
    EXPECT_EQ(Warning()->text(), lost);

    const QString failure = window->Sensors().ReadFailureText();
    SensorEvent failed;
    failed.kind = SensorEventKind::kReadFailed;
    emit window->Sensors().eventSampled(failed);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].kind, PromptCall::kWarn);
    EXPECT_EQ(prompter.Calls()[0].text, failure);
    EXPECT_EQ(Warning()->text(), Tr(msg::kWarnSensorReadStopped) + QStringLiteral(" / ") + lost);
    EXPECT_TRUE(window->SessionRunning());  // the keyboard sensors still time

    prompter.AnswerYes();
    Key(Qt::Key_S, true, Qt::AltModifier);
    EXPECT_TRUE(Warning()->isVisible());
    Key(Qt::Key_S, true, Qt::AltModifier);
    EXPECT_FALSE(Warning()->isVisible());
}

TEST_F(SensorSessionWindowTest, TimeOutLogsTheFinishLineAtTheTickItFired) {
    Open("IoAddress=None\r\nDelay=100\r\nTimeOut=1\r\n");
    Key(Qt::Key_S, true, Qt::AltModifier);
    Run(30);
    Pass(Qt::Key_F11);
    clock.Advance(60000);
    const uint32_t fired = clock.MsTick();
    QElapsedTimer waited;
    waited.start();
    while (window->Results().IsEmpty() && waited.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_FALSE(window->Results().IsEmpty());
    EXPECT_EQ(window->Results().Cell(5, 1), "(Timeout)");
    const auto& lines = window->Sensors().Log().Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_TRUE(lines[lines.size() - 2].ends_with(",S"));
    EXPECT_EQ(lines.back(), std::to_string(TickAsSigned(fired)) + ",G");
}

class SensorOptionsTest : public ::testing::Test {
protected:
    void Apply(const std::vector<std::string>& arguments) {
        ApplySensorOptions(arguments, hub, prompter, nullptr);
    }
    TempDir dir;
    ScriptedPrompter prompter;
    FakeMsClock clock;
    SensorHub hub{clock};
};

TEST_F(SensorOptionsTest, AScriptThatCannotBeUsedIsToldInABoxAndLeftOut) {
    const std::string bad = (dir / "bad.txt").string();
    WriteBytes(bad, "# demo\n100 pin13 active\n200 pin99 idle\n");
    Apply({"--simulate", bad});
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].kind, PromptCall::kError);
    const QString text = prompter.Calls()[0].text;
    EXPECT_TRUE(text.contains(Tr(msg::kScriptLine).arg(QString::fromStdString(bad)).arg(3)))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("pin99")));
    EXPECT_FALSE(hub.UsesScript());

    prompter.ClearCalls();
    const std::string missing = (dir / "missing.txt").string();
    Apply({"--replay", missing});
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_TRUE(prompter.Calls()[0].text.contains(QString::fromStdString(missing)));
    EXPECT_FALSE(hub.UsesScript());

    prompter.ClearCalls();
    Apply({"--simulate"});
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_TRUE(prompter.Calls()[0].text.contains(QStringLiteral("--simulate needs a file")));

    prompter.ClearCalls();
    const std::string good = (dir / "good.txt").string();
    WriteBytes(good, "100 pin13 active\n+30 pin13 idle\n");
    Apply({"--simulate", good});
    EXPECT_TRUE(prompter.Calls().empty());
    EXPECT_TRUE(hub.UsesScript());
}

}  // namespace
}  // namespace vantrel::test
