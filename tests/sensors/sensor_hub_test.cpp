// SensorHub on the offscreen platform: a real timing thread on a short script, the USB paths
// with a fake device list, recording, and the exit save. Waits have generous time-outs; no
// assertion is about speed.

#include "sensors/sensor_hub.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>

#include "sensors/fake_sources.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

constexpr int kWaitMs = 10000;

// The hub's events of the given kinds, in the order they were handed on.
std::vector<SensorEvent> EventsOf(const QSignalSpy& spy,
                                  std::initializer_list<SensorEventKind> kinds) {
    std::vector<SensorEvent> events;
    for (const QList<QVariant>& call : spy) {
        const auto event = call[0].value<SensorEvent>();
        if (std::find(kinds.begin(), kinds.end(), event.kind) != kinds.end()) {
            events.push_back(event);
        }
    }
    return events;
}

std::vector<SensorEvent> EdgesOf(const QSignalSpy& spy) {
    return EventsOf(spy, {SensorEventKind::kActiveEdge});
}
std::vector<SensorEvent> LampsOf(const QSignalSpy& spy) {
    return EventsOf(spy, {SensorEventKind::kLampOn, SensorEventKind::kLampOff});
}

// Waits until `count` events of the kinds have been handed on.
bool WaitFor(QSignalSpy& spy, std::initializer_list<SensorEventKind> kinds, size_t count) {
    while (EventsOf(spy, kinds).size() < count) {
        if (!spy.wait(kWaitMs)) {
            return false;
        }
    }
    return true;
}

SetupSettings NoneSettings() {
    SetupSettings settings;
    settings.SetIoAddressText("None");
    settings.delay = 100;
    settings.resolution = 1;
    return settings;
}

class SensorHubTest : public ::testing::Test {
protected:
    SensorHubTest() {
        auto owned = std::make_unique<test::FakeUsbBus>();
        bus = owned.get();
        hub = std::make_unique<SensorHub>(clock, std::move(owned));
    }
    ~SensorHubTest() override { hub->Stop(); }

    void StartSession(const SetupSettings& settings) { hub->Prime(settings, 4); }

    MonotonicMsClock clock;
    test::FakeUsbBus* bus;
    std::unique_ptr<SensorHub> hub;
};

TEST_F(SensorHubTest, ScriptSessionDeliversEdgesInOrderAndLogsThem) {
    const auto parsed =
        ParseSimulationScript("20 pin13 active\n+30 pin13 idle\n60 pin10 active\n+30 pin10 idle\n");
    ASSERT_TRUE(parsed.ok);
    hub->UseScript(parsed.script);
    QSignalSpy events(hub.get(), &SensorHub::eventSampled);
    StartSession(NoneSettings());
    hub->Arm();
    ASSERT_TRUE(WaitFor(events, {SensorEventKind::kActiveEdge}, 2));
    ASSERT_TRUE(WaitFor(events, {SensorEventKind::kLampOn, SensorEventKind::kLampOff}, 4));
    hub->Stop();
    EXPECT_FALSE(hub->IsSampling());
    EXPECT_TRUE(hub->ScriptFinished());

    const auto edges = EdgesOf(events);
    const auto lamps = LampsOf(events);
    EXPECT_EQ(edges[0].input, SensorInput::kStart);
    EXPECT_EQ(edges[1].input, SensorInput::kFinish);
    const quint32 startTick = edges[0].tick;
    const quint32 finishTick = edges[1].tick;
    const auto& lines = hub->Log().Lines();
    ASSERT_EQ(lines.size(), 3u);  // started up, S, G
    EXPECT_NE(lines[0].find(",Vantrel.exe has started up at "), std::string::npos);
    EXPECT_EQ(lines[1], std::to_string(TickAsSigned(startTick)) + ",S");
    EXPECT_EQ(lines[2], std::to_string(TickAsSigned(finishTick)) + ",G");
    EXPECT_EQ(lamps[0].kind == SensorEventKind::kLampOn, true);
    EXPECT_EQ(lamps[1].kind == SensorEventKind::kLampOn, false);
}

TEST_F(SensorHubTest, UsbOpenFailureReportsTheMessage) {
    SetupSettings settings = NoneSettings();
    settings.SetIoAddressText("USB");
    StartSession(settings);
    const UsbOpenResult result = hub->OpenUsbAdapter();
    EXPECT_EQ(result.message, 137);
    EXPECT_EQ(std::string(kUsbErrorCaption.source), "USBエラー");
}

TEST_F(SensorHubTest, UsbReadFailureAsksToStopAndCloseFollowsTheLastRead) {
    bus->devices = {{"Vantrel2000", "A"}};
    bus->readStatus = -1;
    SetupSettings settings = NoneSettings();
    settings.SetIoAddressText("USB");
    QSignalSpy events(hub.get(), &SensorHub::eventSampled);
    StartSession(settings);
    ASSERT_TRUE(hub->OpenUsbAdapter().Ok());
    hub->Arm();
    ASSERT_TRUE(WaitFor(events, {SensorEventKind::kReadFailed}, 1));
    EXPECT_TRUE(hub->ReadFailureIsUsb());
    EXPECT_EQ(hub->ReadFailureText(),
              QString::fromUtf8("USB Vantrel I/Oデバイスからのデータ転送に失敗しました"));
    hub->Stop();
    EXPECT_EQ(bus->closed, 1);
    const int reads = bus->pinReads;
    EXPECT_GE(reads, 1);
    EXPECT_EQ(bus->pinReads, reads);  // nothing reads after the close
}

TEST_F(SensorHubTest, StopFromTheFailureSlotEndsTheSession) {
    bus->devices = {{"Vantrel2000", "A"}};
    bus->readStatus = -1;
    SetupSettings settings = NoneSettings();
    settings.SetIoAddressText("USB");
    QObject::connect(hub.get(), &SensorHub::eventSampled, [this](const SensorEvent& event) {
        if (event.kind == SensorEventKind::kReadFailed) {
            hub->Stop();
        }
    });
    QSignalSpy events(hub.get(), &SensorHub::eventSampled);
    StartSession(settings);
    ASSERT_TRUE(hub->OpenUsbAdapter().Ok());
    hub->Arm();
    ASSERT_TRUE(WaitFor(events, {SensorEventKind::kReadFailed}, 1));
    EXPECT_FALSE(hub->IsArmed());
    EXPECT_FALSE(hub->IsSampling());
    EXPECT_EQ(bus->closed, 1);
}

TEST_F(SensorHubTest, RecordedSessionReplaysToTheSameEdges) {
    test::TempDir dir;
    const auto parsed = ParseSimulationScript("20 pin13 active\n+30 pin13 idle\n");
    ASSERT_TRUE(parsed.ok);
    hub->UseScript(parsed.script);
    hub->RecordSessionsTo(dir / "rec.txt");
    QSignalSpy events(hub.get(), &SensorHub::eventSampled);
    StartSession(NoneSettings());
    hub->Arm();
    ASSERT_TRUE(WaitFor(events, {SensorEventKind::kActiveEdge}, 1));
    while (!hub->ScriptFinished()) {
        QSignalSpy more(hub.get(), &SensorHub::eventSampled);
        more.wait(50);
    }
    hub->Stop();
    QTest::qWait(300);  // let the first pass's OFF delay (100 ms) run out

    const auto replay = LoadSimulationScript(dir / "rec.txt");
    ASSERT_TRUE(replay.ok) << replay.error;
    hub->UseScript(replay.script);
    StartSession(NoneSettings());
    hub->Arm();
    ASSERT_TRUE(WaitFor(events, {SensorEventKind::kActiveEdge}, 2));
    hub->Stop();
    EXPECT_EQ(EdgesOf(events)[1].input, SensorInput::kStart);
    EXPECT_TRUE(std::filesystem::exists(dir / "rec-2.txt"));  // the replay was recorded too
}

TEST(SensorHubManualTest, FakeClockSessionDrivenByTickNow) {
    FakeMsClock clock(50000);
    SensorHub hub(clock, std::make_unique<test::FakeUsbBus>());
    hub.SetManualTicks(true);
    QSignalSpy events(&hub, &SensorHub::eventSampled);
    hub.Prime(NoneSettings(), 4);
    hub.Arm();
    EXPECT_FALSE(hub.IsSampling());
    EXPECT_TRUE(hub.TickNow());
    hub.SetSensorKey(SensorInput::kFinish, true);  // F12
    clock.Advance(1);
    EXPECT_TRUE(hub.TickNow());
    const auto edges = EdgesOf(events);
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_EQ(edges[0].input, SensorInput::kFinish);
    EXPECT_EQ(edges[0].tick, 50001u);
    EXPECT_EQ(hub.Log().Lines().back(), "50001,G");
    hub.Stop();
}

TEST_F(SensorHubTest, ExitLineAndSaveOnlyWhenLogfileIsOn) {
    test::TempDir dir;
    ASSERT_TRUE(hub->AddExitAndSave(false, dir.Path()).ok);
    EXPECT_FALSE(std::filesystem::exists(dir / kSensorLogFileName));
    ASSERT_TRUE(hub->AddExitAndSave(true, dir.Path()).ok);
    const std::string bytes = test::ReadBytes(dir / kSensorLogFileName);
    EXPECT_NE(bytes.find(",Exit Vantrel.exe\r\n"), std::string::npos);
    EXPECT_EQ(hub->Log().Lines().size(), 3u);
}

}  // namespace
}  // namespace vantrel
