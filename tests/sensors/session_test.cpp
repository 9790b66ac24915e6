// Whole sessions on the simulated source and on keyboard sensors, with a fake clock: the
// timer callbacks are driven directly, the GUI side is played by draining the queue.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "sensors/sampler.h"
#include "sensors/script_source.h"
#include "sensors/sensor_log.h"
#include "sensors/session_recorder.h"
#include "sensors/timing_loop.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

class SessionTest : public ::testing::Test {
protected:
    void StartSession(InputSource* source, bool recordLevels = false) {
        log.AddSessionStart(clock.MsTick());
        SetupSettings settings;
        settings.port = PortChoice::kNone;
        settings.ioAddress = 0;
        settings.delay = 1000;
        settings.resolution = 3;
        settings.splitPin1 = 2;  // "Pin#12"
        settings.splitPin2 = 4;  // "Pin#15"
        SamplerConfig config = MakeSamplerConfig(settings, 4);
        config.source = source;
        config.recordLevels = recordLevels;
        sampler.Configure(config);
        sampler.Prime();
        running = true;
    }
    // Runs timer callbacks every 3 ms for `ms` and drains the events like the GUI does.
    void RunFor(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 3) {
            clock.Advance(3);
            loop.Callback();
            Drain();
        }
    }
    void Drain() {
        SensorEvent e;
        while (queue.Pop(e)) {
            log.AddPassLine(e);
            recorder.Add(e);
            if (e.kind == SensorEventKind::kLampOn || e.kind == SensorEventKind::kLampOff) {
                lamps.push_back(e);
            }
            if (e.kind == SensorEventKind::kActiveEdge) {
                edges.push_back(e);
            }
        }
    }
    void StopSession() {
        log.AddSessionStop(clock.MsTick());
        running = false;
    }

    // A timing key's level, through the command ring as the GUI sends it.
    void SetKey(SensorInput input, bool down) {
        keys.Set(input, down);
        sampler.SendKeys(keys);
    }

    std::atomic<bool> running{false};
    FakeMsClock clock{100000};
    SensorEventQueue queue;
    Sampler sampler{clock, queue};
    TimingLoop loop{sampler, clock, running, nullptr};
    KeyLevels keys;
    SensorLog log;
    SessionRecorder recorder;
    std::vector<SensorEvent> edges;
    std::vector<SensorEvent> lamps;
};

TEST_F(SessionTest, KeyboardSessionLogsStartAndFinishWithTheirSampleTicks) {
    NoneSource none;
    log.AddStartedUp(clock.MsTick(), std::tm{});
    StartSession(&none);
    RunFor(300);
    SetKey(SensorInput::kStart, true);  // F11 held for 0.2 s
    RunFor(200);
    SetKey(SensorInput::kStart, false);
    RunFor(4000);
    SetKey(SensorInput::kFinish, true);  // F12 held
    RunFor(150);
    SetKey(SensorInput::kFinish, false);
    RunFor(300);
    StopSession();
    log.AddExit(clock.MsTick());

    const auto& lines = log.Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_NE(lines[0].find(",Vantrel.exe has started up at "), std::string::npos);
    EXPECT_EQ(lines[1], "100000,Session start");
    EXPECT_EQ(lines[2], "100303,S");
    EXPECT_EQ(lines[3], "104506,G");  // 4203 ms after the start, as held
    EXPECT_EQ(lines[4], "104953,Session stop");
    EXPECT_EQ(lines[5], "104953,Exit Vantrel.exe");
}

TEST_F(SessionTest, SimulatedGymkhanaSessionWithSplitsAndAnOverlappingStart) {
    // Pins: start 13, finish 10, split 1 on 12, split 2 on 15. OFF delay 1 s.
    const auto parsed = ParseSimulationScript(
        "1000 pin13 active\n+90 pin13 idle\n"      // car A starts
        "4000 pin12 active\n+60 pin12 idle\n"      // A at split 1
        "5500 pin13 active\n+90 pin13 idle\n"      // car B starts while A runs
        "5700 pin13 active\n+40 pin13 idle\n"      // bounce inside the OFF delay: ignored
        "7000 pin15 active\n+60 pin15 idle\n"      // A at split 2
        "8000 pin12 active\n+60 pin12 idle\n"      // B at split 1
        "9000 pin10 active\n+100 pin10 idle\n"     // A finishes
        "11000 pin15 active\n+60 pin15 idle\n"     // B at split 2
        "13000 pin10 active\n+100 pin10 idle\n");  // B finishes
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ScriptSource script(parsed.script);
    script.Open();
    StartSession(&script);  // the prime's read is the script's time 0
    RunFor(14000);
    EXPECT_TRUE(script.Finished());
    StopSession();

    using I = SensorInput;
    const std::vector<std::pair<I, uint32_t>> expected = {
        {I::kStart, 1000},  {I::kSplit1, 4000}, {I::kStart, 5500},   {I::kSplit2, 7000},
        {I::kSplit1, 8000}, {I::kFinish, 9000}, {I::kSplit2, 11000}, {I::kFinish, 13000}};
    ASSERT_EQ(edges.size(), expected.size());
    for (size_t i = 0; i < edges.size(); ++i) {
        EXPECT_EQ(edges[i].input, expected[i].first) << i;
        // Ticks come every 3 ms: a change is seen by the first tick at or after it.
        EXPECT_GE(edges[i].tick - 100000, expected[i].second) << i;
        EXPECT_LT(edges[i].tick - 100000, expected[i].second + 3) << i;
    }
    const auto& lines = log.Lines();
    ASSERT_EQ(lines.size(), 6u);  // session start, S, S, G, G, session stop
    EXPECT_EQ(lines[1].substr(lines[1].size() - 2), ",S");
    EXPECT_EQ(lines[2].substr(lines[2].size() - 2), ",S");
    EXPECT_EQ(lines[3].substr(lines[3].size() - 2), ",G");
    EXPECT_EQ(lines[4].substr(lines[4].size() - 2), ",G");
    EXPECT_EQ(queue.LostTotal(), 0u);
}

TEST_F(SessionTest, LateTicksSeeEveryScriptedChangeInOrderAndNeverBeforeItsTime) {
    // Pins: start 13, finish 10, split 1 on 12. Pulses far shorter than the late ticks.
    const auto parsed = ParseSimulationScript(
        "500 pin13 active\n+30 pin13 idle\n"
        "2000 pin12 active\n+10 pin12 idle\n"
        "2020 pin10 active\n+30 pin10 idle\n");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ScriptSource script(parsed.script);
    script.Open();
    StartSession(&script);
    for (int i = 0; i < 100; ++i) {  // the timing thread wakes only every 45 ms
        clock.Advance(45);
        loop.Callback();
        Drain();
    }
    EXPECT_TRUE(script.Finished());

    using I = SensorInput;
    const std::vector<std::pair<I, uint32_t>> expected = {
        {I::kStart, 500}, {I::kSplit1, 2000}, {I::kFinish, 2020}};
    ASSERT_EQ(edges.size(), expected.size());
    for (size_t i = 0; i < edges.size(); ++i) {
        EXPECT_EQ(edges[i].input, expected[i].first) << i;
        EXPECT_GE(edges[i].tick - 100000, expected[i].second) << i;
        EXPECT_LT(edges[i].tick - 100000, expected[i].second + 3 * 45) << i;
    }
    // Every change lit or darkened its lamp, in the scripted order.
    const std::vector<std::pair<I, bool>> lampOrder = {{I::kStart, true},  {I::kStart, false},
                                                       {I::kSplit1, true}, {I::kSplit1, false},
                                                       {I::kFinish, true}, {I::kFinish, false}};
    ASSERT_EQ(lamps.size(), lampOrder.size());
    for (size_t i = 0; i < lamps.size(); ++i) {
        EXPECT_EQ(lamps[i].input, lampOrder[i].first) << i;
        EXPECT_EQ(lamps[i].kind == SensorEventKind::kLampOn, lampOrder[i].second) << i;
    }
}

TEST_F(SessionTest, RecordingCountsFromTheSessionStartAsTheScriptDoes) {
    test::TempDir dir;
    const auto parsed = ParseSimulationScript("500 pin13 active\n+30 pin13 idle\n");
    ASSERT_TRUE(parsed.ok);
    ScriptSource script(parsed.script);
    script.Open();
    ASSERT_TRUE(recorder.Begin(dir / "rec.txt", {"test"}).ok);
    StartSession(&script, /*recordLevels=*/true);
    clock.Advance(2);  // the first tick comes a little after the prime
    loop.Callback();
    Drain();
    RunFor(700);
    ASSERT_TRUE(recorder.End().ok);

    const auto replay = LoadSimulationScript(dir / "rec.txt");
    ASSERT_TRUE(replay.ok) << replay.error;
    ASSERT_EQ(replay.script.steps.size(), 2u);
    EXPECT_EQ(replay.script.steps[0].atMs, 500u);  // ticks fall on 2 + 3k ms: one at 500
    EXPECT_EQ(replay.script.steps[1].atMs, 530u);
}

TEST_F(SessionTest, ShippedDemoScriptPlaysThreeCompleteRuns) {
    const auto parsed = LoadSimulationScript(std::filesystem::path(VANTREL_SOURCE_DIR) /
                                             "sensors/demo/gymkhana_demo.txt");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ScriptSource script(parsed.script);
    script.Open();
    SetupSettings settings;  // default OFF delay (5000 ms) and pins, splits as the demo says
    settings.SetIoAddressText("None");
    settings.splitPin1 = 2;
    settings.splitPin2 = 4;
    SamplerConfig config = MakeSamplerConfig(settings, 4);
    config.source = &script;
    sampler.Configure(config);
    sampler.Prime();
    running = true;
    RunFor(80000);
    EXPECT_TRUE(script.Finished());
    int counts[kSensorInputCount] = {};
    for (const SensorEvent& e : edges) {
        ++counts[static_cast<int>(e.input)];
    }
    EXPECT_EQ(counts[0], 3);  // the trailing wheel at 20.4 s is swallowed by the OFF delay
    EXPECT_EQ(counts[1], 3);
    EXPECT_EQ(counts[2], 3);
    EXPECT_EQ(counts[3], 3);
}

}  // namespace
}  // namespace vantrel
