// The sampler tick: read step, keyboard sensors, edges and OFF delays per input.

#include "sensors/sampler.h"

#include <gtest/gtest.h>

#include <vector>

#include "sensors/fake_sources.h"

namespace vantrel {
namespace {

using test::FixedSource;
using Kind = SensorEventKind;

constexpr uint8_t kStart = 0x10;   // Pin#13
constexpr uint8_t kFinish = 0x40;  // Pin#10

class SamplerTest : public ::testing::Test {
protected:
    SamplerTest() : source(ReadRule::kLevels), sampler(clock, queue) {
        config.pollPeriodMs = 3;
        config.offDelayMs = 100;
        config.startMask = kStart;
        config.finishMask = kFinish;
        config.split1Mask = 0;
        config.split2Mask = 0;
        config.controlXor = 0;
        config.source = &source;
        sampler.Configure(config);
        clock.Set(1000);
        sampler.Prime();
    }

    // A timing key's level, through the command ring as the GUI sends it.
    void SetKey(SensorInput input, bool down) {
        keys.Set(input, down);
        sampler.SendKeys(keys);
    }
    // Sets the status byte seen by the next reads (1 = idle).
    void Levels(uint8_t status) { source.sample.statusByte = status; }
    void TickAt(uint32_t t) {
        clock.Set(t);
        sampler.Tick();
    }
    std::vector<SensorEvent> Take() {
        std::vector<SensorEvent> events;
        SensorEvent e;
        while (queue.Pop(e)) {
            events.push_back(e);
        }
        return events;
    }
    int CountEdges(const std::vector<SensorEvent>& events, SensorInput input) {
        int n = 0;
        for (const SensorEvent& e : events) {
            n += e.kind == Kind::kActiveEdge && e.input == input ? 1 : 0;
        }
        return n;
    }
    // Ticks every 3 ms from `from` up to `to` with the given status byte.
    void Hold(uint8_t status, uint32_t from, uint32_t to) {
        Levels(status);
        for (uint32_t t = from; t <= to; t += 3) {
            TickAt(t);
        }
    }

    FakeMsClock clock;
    SensorEventQueue queue;
    FixedSource source;
    KeyLevels keys;
    SamplerConfig config;
    Sampler sampler;
};

TEST_F(SamplerTest, ActiveEdgeGivesLampOnLabelRedAndEdgeWithSampleTick) {
    TickAt(1003);
    EXPECT_TRUE(Take().empty());
    Levels(0xFF & ~kStart);
    TickAt(1006);
    const auto events = Take();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, Kind::kLampOn);
    EXPECT_EQ(events[1].kind, Kind::kLabelRed);
    EXPECT_EQ(events[2].kind, Kind::kActiveEdge);
    for (const SensorEvent& e : events) {
        EXPECT_EQ(e.input, SensorInput::kStart);
        EXPECT_EQ(e.tick, 1006u);
    }
}

TEST_F(SamplerTest, OffDelayCountsFromTheRelease) {
    Hold(0xFF & ~kStart, 1003, 1600);  // active far longer than the delay
    auto events = Take();
    EXPECT_EQ(CountEdges(events, SensorInput::kStart), 1);
    Levels(0xFF);
    TickAt(1603);  // release: delay runs until 1703
    events = Take();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Kind::kLampOff);
    Hold(0xFF, 1606, 1702);
    EXPECT_TRUE(Take().empty());
    TickAt(1703);
    events = Take();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Kind::kOffDelayOver);
    Levels(0xFF & ~kStart);
    TickAt(1706);
    EXPECT_EQ(CountEdges(Take(), SensorInput::kStart), 1);
}

TEST_F(SamplerTest, PassInsideTheDelayIsIgnoredAndExtendsIt) {
    Levels(0xFF & ~kStart);
    TickAt(1003);
    Levels(0xFF);
    TickAt(1006);  // release at 1006: delay until 1106
    Take();
    Hold(0xFF & ~kStart, 1050, 1080);  // second pass inside the delay, active until 1080
    auto events = Take();
    EXPECT_EQ(CountEdges(events, SensorInput::kStart), 0);
    EXPECT_EQ(events.front().kind, Kind::kLampOn);  // the lamp still follows the sensor
    EXPECT_EQ(events[1].kind, Kind::kLabelRed);
    Hold(0xFF, 1083, 1182);  // released at 1083: masked until 1183
    events = Take();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Kind::kLampOff);
    TickAt(1183);
    events = Take();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Kind::kOffDelayOver);
}

TEST_F(SamplerTest, NotConnectedInputNeverFires) {
    config.split1Mask = 0;
    config.split2Mask = 0;
    sampler.Configure(config);
    SetKey(SensorInput::kSplit1, true);
    SetKey(SensorInput::kSplit2, true);
    Hold(0x00, 1003, 1500);  // every line active, then idle, then active again
    Hold(0xFF, 1503, 1800);
    Hold(0x00, 1803, 1900);
    for (const SensorEvent& e : Take()) {
        EXPECT_NE(e.input, SensorInput::kSplit1);
        EXPECT_NE(e.input, SensorInput::kSplit2);
    }
}

TEST_F(SamplerTest, HeldKeyGivesOneEventAndReleaseStartsTheDelay) {
    SetKey(SensorInput::kStart, true);
    Hold(0xFF, 1003, 2000);
    EXPECT_EQ(CountEdges(Take(), SensorInput::kStart), 1);
    SetKey(SensorInput::kStart, false);
    TickAt(2003);
    auto events = Take();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Kind::kLampOff);
    TickAt(2102);
    EXPECT_TRUE(Take().empty());
    TickAt(2103);
    EXPECT_EQ(Take().at(0).kind, Kind::kOffDelayOver);
}

TEST_F(SamplerTest, F11AndNumpadSlashShareTheStartFlag) {
    // Both keys down set the one flag; releasing either clears it.
    SetKey(SensorInput::kStart, true);  // F11 down
    TickAt(1003);
    SetKey(SensorInput::kStart, true);  // numpad "/" down as well
    TickAt(1006);
    EXPECT_EQ(CountEdges(Take(), SensorInput::kStart), 1);
    SetKey(SensorInput::kStart, false);  // one of them released
    TickAt(1009);
    EXPECT_EQ(Take().at(0).kind, Kind::kLampOff);
}

TEST_F(SamplerTest, FinishIsProcessedBeforeStart) {
    Levels(0xFF & ~kStart & ~kFinish);
    TickAt(1003);
    const auto events = Take();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].input, SensorInput::kFinish);
    EXPECT_EQ(events[3].input, SensorInput::kStart);
}

TEST_F(SamplerTest, OffDelayResetRestoresLabelsAtTheNextTick) {
    sampler.RequestOffDelayReset();
    TickAt(1003);
    const auto events = Take();
    ASSERT_EQ(events.size(), 2u);  // Finish and Start; the two "NC" inputs stay silent
    EXPECT_EQ(events[0].kind, Kind::kOffDelayOver);
    EXPECT_EQ(events[0].input, SensorInput::kFinish);
    EXPECT_EQ(events[1].input, SensorInput::kStart);
}

TEST_F(SamplerTest, OffDelayResetKeepsADelayThatIsStillRunning) {
    Levels(0xFF & ~kStart);
    TickAt(1003);
    Levels(0xFF);
    TickAt(1006);  // released: masked until 1106
    Take();
    sampler.RequestOffDelayReset();
    Levels(0xFF & ~kStart);
    TickAt(1009);
    auto events = Take();
    EXPECT_EQ(CountEdges(events, SensorInput::kStart), 0);
    EXPECT_EQ(events.size(), 3u);  // Finish's label restored; Start's lamp on and label red
}

TEST_F(SamplerTest, OffDelayHoldsAcrossTheSignAndWrapBoundaries) {
    for (uint32_t release : {0x7FFFFFF3u, 0xFFFFFFF3u}) {
        Levels(0xFF & ~kStart);
        TickAt(release - 3000);
        Levels(0xFF);
        TickAt(release);  // the delay's end lies past the boundary
        Take();
        Levels(0xFF & ~kStart);
        TickAt(release + 3);
        EXPECT_EQ(CountEdges(Take(), SensorInput::kStart), 0) << std::hex << release;
        Hold(0xFF, release + 6, release + 500);
        Take();
    }
}

TEST_F(SamplerTest, DragModeCallsTheHookInsteadOfTheInputs) {
    struct CountingHook : DragHook {
        void SessionStart(SamplerState&) override {}
        int DragStep(SamplerState& state, const SamplerConfig&, SensorEventQueue&) override {
            ++calls;
            lastData = state.dataByte;
            return 0;
        }
        int calls = 0;
        uint8_t lastData = 0;
    } hook;
    config.dragHook = &hook;
    sampler.Configure(config);
    sampler.SetActiveMode(RaceMode::kDrag);
    source.sample.dataByte = 0xFE;
    Levels(0x00);
    TickAt(1003);
    EXPECT_EQ(hook.calls, 1);
    EXPECT_EQ(hook.lastData, 0xFE);
    EXPECT_TRUE(Take().empty());
}

TEST_F(SamplerTest, RecordingSendsEachChangeOfTheBytesOnce) {
    config.recordLevels = true;
    sampler.Configure(config);
    sampler.Prime();
    TickAt(1003);
    TickAt(1006);
    SetKey(SensorInput::kStart, true);  // keyboard sensors are part of the recording
    TickAt(1009);
    std::vector<SensorEvent> changes;
    for (const SensorEvent& e : Take()) {
        if (e.kind == Kind::kLevelChange) {
            changes.push_back(e);
        }
    }
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].statusByte, 0xFF);
    EXPECT_EQ(changes[1].statusByte, 0xFF & ~kStart);
    EXPECT_EQ(changes[1].tick, 1009u);
}

// Read step.

class ReadStepTest : public ::testing::Test {
protected:
    void Run(ReadRule rule, RawSample raw, bool invert, bool readOk = true) {
        source = std::make_unique<FixedSource>(rule);
        source->sample = raw;
        source->readOk = readOk;
        SamplerConfig config;
        config.invert = invert;
        config.controlXor = 0x04;
        config.source = source.get();
        sampler.Configure(config);
        sampler.Tick();
    }
    const SamplerState& State() const { return sampler.State(); }

    FakeMsClock clock{500};
    SensorEventQueue queue;
    std::unique_ptr<FixedSource> source;
    Sampler sampler{clock, queue};
};

TEST_F(ReadStepTest, ParallelPortFlipsBusyAndXorsControl) {
    Run(ReadRule::kParallelPort, {0x5A, 0x78, 0x0B}, false);
    EXPECT_EQ(State().dataByte, 0x5A);
    EXPECT_EQ(State().statusByte, 0xF8);
    EXPECT_EQ(State().controlByte, 0x0F);
    EXPECT_EQ(State().sampleTime, 500u);
}

TEST_F(ReadStepTest, ParallelPortInversionAfterTheFlip) {
    Run(ReadRule::kParallelPort, {0x5A, 0x78, 0x0B}, true);
    EXPECT_EQ(State().dataByte, 0xA5);
    EXPECT_EQ(State().statusByte, 0x07);
}

TEST_F(ReadStepTest, FailedPortReadsIdleEvenWithInversion) {
    Run(ReadRule::kParallelPort, {0x00, 0x00, 0x00}, true, false);
    EXPECT_EQ(State().dataByte, 0xFF);
    EXPECT_EQ(State().statusByte, 0xFF);
}

TEST_F(ReadStepTest, UsbByteTakesNeitherFlipNorInversion) {
    Run(ReadRule::kUsbPins, {0x00, 0x78, 0x00}, true);
    EXPECT_EQ(State().statusByte, 0x78);
    EXPECT_EQ(State().dataByte, 0xFF);
}

TEST_F(ReadStepTest, UsbNotOpenReadsIdle) {
    source = std::make_unique<FixedSource>(ReadRule::kUsbPins);
    source->open = false;
    source->sample.statusByte = 0x00;
    SamplerConfig config;
    config.source = source.get();
    sampler.Configure(config);
    sampler.Tick();
    EXPECT_EQ(State().statusByte, 0xFF);
    EXPECT_EQ(source->reads, 0);
}

TEST_F(ReadStepTest, UsbFailureKeepsStatusAndReportsOnce) {
    Run(ReadRule::kUsbPins, {0x00, 0xEF, 0x00}, false);
    source->readOk = false;
    source->sample.statusByte = 0x00;
    sampler.Tick();
    sampler.Tick();
    EXPECT_EQ(State().statusByte, 0xEF);
    EXPECT_EQ(State().dataByte, 0xFF);
    int failures = 0;
    SensorEvent e;
    while (queue.Pop(e)) {
        failures += e.kind == SensorEventKind::kReadFailed ? 1 : 0;
    }
    EXPECT_EQ(failures, 1);
}

TEST_F(ReadStepTest, PortThatStopsAnsweringIsReportedOncePerSession) {
    const auto failures = [this] {
        int n = 0;
        SensorEvent e;
        while (queue.Pop(e)) {
            n += e.kind == SensorEventKind::kReadFailed ? 1 : 0;
        }
        return n;
    };
    Run(ReadRule::kParallelPort, {0x00, 0x00, 0x00}, false, false);
    sampler.Tick();
    EXPECT_EQ(failures(), 1);
    EXPECT_EQ(State().statusByte, 0xFF);
    sampler.Prime();  // the next session tells it again
    sampler.Tick();
    EXPECT_EQ(failures(), 1);
    // A port that never opened was told at the session start, not by every tick.
    source->open = false;
    sampler.Prime();
    sampler.Tick();
    EXPECT_EQ(failures(), 0);
}

TEST_F(ReadStepTest, NoneReadsIdle) {
    Run(ReadRule::kIdle, {0x00, 0x00, 0x00}, true);
    EXPECT_EQ(State().statusByte, 0xFF);
    EXPECT_EQ(State().dataByte, 0xFF);
}

TEST_F(ReadStepTest, PrimeCopiesTheDataByte) {
    source = std::make_unique<FixedSource>(ReadRule::kLevels);
    source->sample.dataByte = 0x3C;
    SamplerConfig config;
    config.source = source.get();
    sampler.Configure(config);
    sampler.Prime();
    EXPECT_EQ(State().prevDataByte, 0x3C);
}

TEST(SamplerConfigTest, MasksFromThePinChoices) {
    SetupSettings settings;
    settings.startPin = 3;
    settings.finishPin = 1;
    settings.splitPin1 = 4;
    settings.splitPin2 = kPinNotConnected;
    settings.resolution = 1;
    settings.delay = 250;
    const SamplerConfig config = MakeSamplerConfig(settings, 0x0B);
    EXPECT_EQ(config.startMask, 0x10);
    EXPECT_EQ(config.finishMask, 0x80);
    EXPECT_EQ(config.split1Mask, 0x08);
    EXPECT_EQ(config.split2Mask, 0x00);
    EXPECT_EQ(config.pollPeriodMs, 1);
    EXPECT_EQ(config.offDelayMs, 250);
    EXPECT_EQ(config.controlXor, 0x0B);
}

}  // namespace
}  // namespace vantrel
