// A whole gymkhana afternoon in the core: start, split and finish sensors on a real sampler
// tick reading a script on a simulated clock, every event routed by the event object, four
// cars on course at once, the queue filled by hand now and then. Every run must come out once,
// with the right car, times exact to the tick, the tones asked for and the standings rebuilt.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/meet.h"
#include "common/setup_settings.h"
#include "modes/gymkhana_result.h"
#include "support/quiet_outputs.h"
#include "support/scripted_sensor_rig.h"

namespace vantrel::test {
namespace {

constexpr int kRuns = 300;
constexpr uint32_t kPeriodMs = 3;
constexpr uint32_t kStartEveryMs = 20000;
constexpr uint8_t kStartPin = 0x10;
constexpr uint8_t kFinishPin = 0x40;
constexpr uint8_t kSplit1Pin = 0x80;  // pin index 1

// Run times between 61 and 80 s with starts 20 s apart: four cars on course, finishing in
// start order; the split a third of the way.
uint32_t RunTimeOf(int index) {
    return 61000 + static_cast<uint32_t>((index * 7919 + 13) % 19000);
}
uint32_t StartOf(int index) {
    return 5000 + static_cast<uint32_t>(index) * kStartEveryMs;
}

void AddPass(SimulationScript& script, uint32_t at, uint8_t pin) {
    script.steps.push_back({at, false, static_cast<uint8_t>(~pin), 0});
    script.steps.push_back({at + 40, false, 0xFF, pin});
}

SimulationScript Script() {
    SimulationScript script;
    for (int i = 0; i < kRuns; ++i) {
        AddPass(script, StartOf(i), kStartPin);
        AddPass(script, StartOf(i) + RunTimeOf(i) / 3, kSplit1Pin);
        AddPass(script, StartOf(i) + RunTimeOf(i), kFinishPin);
    }
    std::stable_sort(script.steps.begin(), script.steps.end(),
                     [](const ScriptStep& a, const ScriptStep& b) { return a.atMs < b.atMs; });
    return script;
}

TEST(GymkhanaMeetingTest, ThreeHundredRunsWithFourOnCourseComeOutOnceAndExact) {
    SamplerConfig config;
    config.pollPeriodMs = static_cast<int32_t>(kPeriodMs);
    config.offDelayMs = 1000;
    config.startMask = kStartPin;
    config.finishMask = kFinishPin;
    config.split1Mask = kSplit1Pin;
    // Half an hour before the 32-bit tick wraps, so the wrap falls inside the afternoon.
    ScriptedSensorRig rig(Script(), config, 0xFFFFFFFFu - 1800u * 1000u, nullptr);
    CountingTones tones;
    QuietPrompter prompter;
    Meet meet({&rig.Clock(), &rig.Commands(), &rig.Log(), &prompter, &tones});
    for (int32_t car = 1; car <= kMaxCarNumber; ++car) {
        meet.Entries().SetCell(EntryTable::kName, car, "Driver " + std::to_string(car));
    }
    SetupSettings setup;
    setup.timeFormat = TimeFormat::kMilliseconds;
    setup.timeOut = 2;  // longer than any run: the limit never fires
    setup.splitPin1 = 1;
    meet.Configure(setup);
    meet.ModeReset();
    rig.Start(RaceMode::kGymkhana);
    meet.StartSession(rig.Clock().MsTick());

    // The timekeeper's model: the car each start takes, in order.
    std::deque<int32_t> queued;
    int32_t proposal = 1;
    std::vector<int32_t> carOf;
    int mostOnCourse = 0;
    const auto deliver = [&] {
        rig.DeliverEach([&](const SensorEvent& event) {
            if (event.kind == SensorEventKind::kActiveEdge && event.input == SensorInput::kStart) {
                if (!queued.empty()) {
                    carOf.push_back(queued.front());
                    queued.pop_front();
                } else {
                    carOf.push_back(proposal);
                    proposal = proposal >= kMaxCarNumber ? 1 : proposal + 1;
                }
            }
            meet.TakeSensorEvent(event);
            mostOnCourse = std::max(mostOnCourse, meet.Gymkhana().Course().CarsOnCourse());
        });
    };
    const uint32_t end = StartOf(kRuns - 1) + RunTimeOf(kRuns - 1) + 2000;
    int nextQueueing = 0;
    while (rig.ElapsedMs() < end) {
        ASSERT_TRUE(rig.Step());
        if (rig.ElapsedMs() % 250 < kPeriodMs) {
            deliver();
        }
        // Every ninth start, half-way to it, the timekeeper queues a car by hand.
        if (nextQueueing < kRuns && rig.ElapsedMs() >= StartOf(nextQueueing) - 10000) {
            if (nextQueueing % 9 == 4) {
                const int32_t car = 100 + nextQueueing % 50;
                GymkhanaFlow& flow = meet.Gymkhana();
                const int32_t place = static_cast<int32_t>(queued.size()) + 1;
                flow.BeginPlaceEditing(place);
                ASSERT_EQ(flow.CommitPlaceEditing(place, std::to_string(car)),
                          EditCommit::kAccepted);
                queued.push_back(car);
            }
            ++nextQueueing;
        }
    }
    deliver();
    ASSERT_TRUE(rig.ScriptFinished());
    EXPECT_EQ(rig.EventsLost(), 0u);
    EXPECT_EQ(prompter.asked, 0);
    EXPECT_EQ(mostOnCourse, 4);
    EXPECT_FALSE(meet.CarsRunning());

    const ResultTable& results = meet.Results();
    ASSERT_EQ(results.DataRowCount(), kRuns);
    ASSERT_EQ(carOf.size(), static_cast<size_t>(kRuns));
    std::map<int32_t, int32_t> runsOf;
    std::map<int32_t, int32_t> bestOf;
    for (int i = 0; i < kRuns; ++i) {
        const int32_t row = i + 1;
        const uint32_t start = rig.SampleTickOf(StartOf(i));
        const auto run = static_cast<int32_t>(rig.SampleTickOf(StartOf(i) + RunTimeOf(i)) - start);
        const auto split =
            static_cast<int32_t>(rig.SampleTickOf(StartOf(i) + RunTimeOf(i) / 3) - start);
        const int32_t car = carOf[static_cast<size_t>(i)];
        ASSERT_EQ(results.Cell(kResultCar, row), std::to_string(car)) << "run " << i;
        ASSERT_EQ(results.Cell(kResultName, row), "Driver " + std::to_string(car));
        ASSERT_EQ(results.Cell(kResultTime, row), std::to_string(run)) << "run " << i;
        ASSERT_EQ(results.Cell(kResultSplit1, row), std::to_string(split)) << "run " << i;
        ASSERT_EQ(results.Cell(kResultLap, row), std::to_string(++runsOf[car]));
        bestOf[car] = bestOf.contains(car) ? std::min(bestOf[car], run) : run;
    }
    for (const auto& [car, runs] : runsOf) {
        EXPECT_EQ(meet.Session().runCount[car], runs) << car;
    }
    // A high tone per start and a low one per finish; splits sound nothing.
    EXPECT_EQ(std::count(tones.tones.begin(), tones.tones.end(), Tone::kHigh), kRuns);
    EXPECT_EQ(std::count(tones.tones.begin(), tones.tones.end(), Tone::kLow), kRuns);

    // The standings the event rebuilds from its result list: every car with its best run.
    ASSERT_TRUE(meet.RebuildStandings().ok);
    const RankTable& table = meet.RaceStandings().Table();
    ASSERT_EQ(table.UsedCount(), static_cast<int32_t>(bestOf.size()));
    for (const auto& [car, best] : bestOf) {
        const int32_t index = table.IndexOf(car);
        ASSERT_GE(index, 0) << car;
        EXPECT_EQ(table[index].Key, best) << car;
    }
    EXPECT_GT(runsOf.size(), 150u);  // the proposal went round the entry list

    meet.Session().running = false;
    meet.StopSession();
    EXPECT_FALSE(meet.Gymkhana().LabelRed(SensorInput::kStart));
}

}  // namespace
}  // namespace vantrel::test
