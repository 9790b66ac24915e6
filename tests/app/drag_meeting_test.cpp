// A whole drag meeting in the core: the light tree on a real sampler tick reading a script on
// a simulated clock, its events drained into the event object in order, the timekeeper's
// actions on its drag flow in between. Every run must be booked once, with the right car and times
// exact to the tick.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/meet.h"
#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/entry_table.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/drag_flow.h"
#include "modes/drag_recording.h"
#include "modes/drag_result.h"
#include "modes/drag_tree.h"
#include "support/quiet_outputs.h"
#include "support/scripted_sensor_rig.h"

namespace vantrel::test {
namespace {

constexpr int kRuns = 200;
constexpr uint32_t kPeriodMs = 3;

struct PlannedRun {
    uint32_t treeStart = 0;                     // line 0, ms after the session start
    bool byTree = true;                         // false: the start line alone begins the run
    bool button = true;                         // "Amber ON" pressed before the tree start
    bool abort = false;                         // "Abort" after the start line
    bool trap = true;                           // the speed trap sees the car
    std::optional<std::string> typed;           // typed into the car box and Enter, before the run
    bool togglePro = false;                     // Pro/Stock switched before the run
    std::array<uint32_t, kDragLineCount> at{};  // when each line becomes active
};

enum class Act { kType, kTogglePro, kPress, kCheckLamps, kAbort };

struct Action {
    uint32_t at;
    Act act;
    int run;
};

// What the car box rules make of a typed text, worked out without the flow's helpers.
std::optional<int32_t> CarOfTyped(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int32_t n = std::stoi(text);
    return n <= 198 ? n : 1;
}

class DragMeetingTest : public ::testing::Test {
protected:
    DragMeetingTest() {
        setup.timeFormat = TimeFormat::kMilliseconds;
        Plan();
    }

    void Plan() {
        std::mt19937 random(7);
        const auto between = [&random](uint32_t low, uint32_t high) {
            return low + static_cast<uint32_t>(random() % (high - low + 1));
        };
        const std::vector<std::string> typed = {"57", "250", "abc", "0", "198", "120", "12x"};
        uint32_t t = 5000;
        for (int i = 0; i < kRuns; ++i) {
            PlannedRun run;
            run.byTree = i % 23 != 7;
            run.button = run.byTree && i % 5 != 4;
            run.abort = run.button && i % 19 == 5;
            run.trap = i % 8 != 1;
            run.togglePro = i % 17 == 9;
            if (i % 11 == 2) {
                run.typed = typed[(i / 11) % typed.size()];
            }
            run.treeStart = t;
            // The reaction is planned against 450 ms, between both green delays, and around
            // them on every tenth run; the sample ticks decide what it becomes.
            uint32_t reaction = i % 6 == 3 ? between(150, 390) : between(420, 900);
            if (i % 10 == 0) {
                reaction = (i % 20 == 0 ? 400 : 500) + between(0, 6) - 3;
            }
            run.at[0] = t;
            run.at[1] = t + reaction;
            run.at[2] = run.at[1] + between(800, 1100);
            run.at[3] = run.at[2] + between(1500, 2000);
            run.at[4] = run.at[3] + between(1300, 1700);
            run.at[5] = run.at[4] + between(1100, 1500);
            run.at[6] = run.at[5] + between(900, 1200);
            run.at[7] = run.at[6] + between(1000, 1400);
            planned.push_back(run);
            t = run.at[7] + between(4000, 6000);
        }
    }

    SimulationScript Script() const {
        std::mt19937 random(11);
        SimulationScript script;
        for (const PlannedRun& run : planned) {
            for (int line = 0; line < kDragLineCount; ++line) {
                if ((line == 0 && !run.byTree) || (line == 6 && !run.trap)) {
                    continue;
                }
                const uint8_t bit = static_cast<uint8_t>(1u << line);
                const uint32_t width = 20 + static_cast<uint32_t>(random() % 41);
                script.steps.push_back({run.at[line], true, static_cast<uint8_t>(~bit), 0});
                script.steps.push_back({run.at[line] + width, true, 0xFF, bit});
            }
        }
        std::stable_sort(script.steps.begin(), script.steps.end(),
                         [](const ScriptStep& a, const ScriptStep& b) { return a.atMs < b.atMs; });
        return script;
    }

    std::vector<Action> Actions() const {
        std::vector<Action> actions;
        for (int i = 0; i < kRuns; ++i) {
            const PlannedRun& run = planned[i];
            if (run.typed) {
                actions.push_back({run.treeStart - 3000, Act::kType, i});
            }
            if (run.togglePro) {
                actions.push_back({run.treeStart - 2500, Act::kTogglePro, i});
            }
            if (run.button) {
                actions.push_back({run.treeStart - 1500, Act::kPress, i});
            }
            actions.push_back({run.at[1] + 150, Act::kCheckLamps, i});
            if (run.abort) {
                actions.push_back({run.at[1] + 700, Act::kAbort, i});
            }
        }
        return actions;
    }

    SetupSettings setup;
    RecordingDragView view;
    CountingTones tones;
    RecordingPrompter prompter;
    std::vector<PlannedRun> planned;
};

TEST_F(DragMeetingTest, TwoHundredRunsAreBookedOnceWithTheirCarsAndTicks) {
    SamplerConfig config;
    config.pollPeriodMs = static_cast<int32_t>(kPeriodMs);
    config.offDelayMs = 1000;
    DragTree tree;
    // Twenty minutes before the 32-bit tick wraps, so the wrap falls inside the meeting.
    ScriptedSensorRig rig(Script(), config, 0xFFFFFFFFu - 20u * 60u * 1000u, &tree);
    Meet meet({&rig.Clock(), &rig.Commands(), &rig.Log(), &prompter, &tones});
    SessionState& session = meet.Session();
    EntryTable& entries = meet.Entries();
    const ResultTable& results = meet.Results();
    for (int32_t car = 1; car <= kMaxCarNumber; ++car) {
        entries.SetCell(EntryTable::kName, car, "Driver " + std::to_string(car));
    }
    DragFlow& flow = meet.Drag();
    flow.BindView(view);
    meet.EnterMode(RaceMode::kDrag);
    meet.Configure(setup);
    meet.ModeReset();
    rig.Start(RaceMode::kDrag);
    meet.StartSession(rig.Clock().MsTick());
    const auto deliver = [&rig, &meet] {
        rig.DeliverEach([&meet](const SensorEvent& event) { meet.TakeSensorEvent(event); });
    };

    // The timekeeper's model of the meeting: the car proposed next, Pro or Stock, the runs'
    // cars and green delays.
    int32_t nextCar = 1;
    bool pro = false;
    std::vector<int32_t> carOf(kRuns, -1);
    std::vector<int32_t> greenOf(kRuns, kStockGreenDelayMs);
    int presses = 0;
    int junkTyped = 0;
    const auto runBegins = [&](int i) {
        if (carOf[i] < 0) {
            carOf[i] = nextCar;
            greenOf[i] = pro ? kProGreenDelayMs : kStockGreenDelayMs;
            nextCar = nextCar >= 1 && nextCar <= 198 ? nextCar + 1 : 1;
        }
    };
    const auto measured = [&rig](uint32_t from, uint32_t to) {
        return static_cast<int32_t>(rig.SampleTickOf(to) - rig.SampleTickOf(from));
    };

    const std::vector<Action> actions = Actions();
    std::mt19937 random(5);
    size_t nextAction = 0;
    uint32_t untilDrain = 1;
    const uint32_t end = planned.back().at[7] + 2000;
    while (rig.ElapsedMs() < end) {
        for (; nextAction < actions.size() && actions[nextAction].at <= rig.ElapsedMs();
             ++nextAction) {
            deliver();
            const Action& action = actions[nextAction];
            const PlannedRun& run = planned[action.run];
            switch (action.act) {
                case Act::kType: {
                    flow.SetCarBoxText(*run.typed);
                    flow.CommitCarBox();
                    const std::optional<int32_t> car = CarOfTyped(*run.typed);
                    nextCar = car.value_or(nextCar);
                    junkTyped += car ? 0 : 1;
                    ASSERT_EQ(view.nextCar, std::to_string(nextCar)) << *run.typed;
                    break;
                }
                case Act::kTogglePro:
                    pro = !pro;
                    flow.SetProStart(pro);
                    break;
                case Act::kPress:
                    flow.TreeButton(true);
                    ++presses;
                    break;
                case Act::kCheckLamps: {
                    runBegins(action.run);
                    ASSERT_EQ(flow.RunCar(), carOf[action.run]) << "run " << action.run;
                    ASSERT_EQ(view.nextCar, std::to_string(nextCar)) << "run " << action.run;
                    const bool fly =
                        run.byTree && measured(run.at[0], run.at[1]) < greenOf[action.run];
                    ASSERT_EQ(view.amber, run.byTree) << "run " << action.run;
                    ASSERT_EQ(view.red, fly) << "run " << action.run;
                    ASSERT_EQ(view.green, run.byTree && !fly) << "run " << action.run;
                    break;
                }
                case Act::kAbort:
                    flow.TreeButton(false);
                    break;
            }
        }
        ASSERT_TRUE(rig.Step());
        if (--untilDrain == 0) {
            deliver();
            untilDrain = 1 + static_cast<uint32_t>(random() % 25);
        }
    }
    deliver();
    EXPECT_TRUE(rig.ScriptFinished());
    EXPECT_EQ(rig.EventsLost(), 0u);

    std::map<int32_t, int32_t> tries;
    int32_t row = 0;
    int aborts = 0;
    for (int i = 0; i < kRuns; ++i) {
        const PlannedRun& run = planned[i];
        if (run.abort) {
            ++aborts;
            continue;
        }
        ++row;
        ASSERT_LE(row, results.DataRowCount()) << "run " << i;
        const int32_t car = carOf[i];
        const std::string reaction =
            run.byTree ? std::to_string(measured(run.at[0], run.at[1])) : std::string();
        const bool fly = run.byTree && measured(run.at[0], run.at[1]) < greenOf[i];
        std::string speed;
        if (run.trap) {
            char text[32];
            std::snprintf(
                text, sizeof text, "%.3f",
                static_cast<double>(72000.0f / static_cast<float>(measured(run.at[6], run.at[7]))));
            speed = text;
        }
        std::vector<std::string> want = {
            std::to_string(car),
            car == 0 ? "" : "Driver " + std::to_string(car),
            "",
            fly ? "Fly" : "",
            std::to_string(measured(run.at[1], run.at[7])),
            reaction,
            run.byTree ? std::to_string(measured(run.at[0], run.at[7])) : "",
        };
        for (int line = 2; line <= 5; ++line) {
            want.push_back(std::to_string(measured(run.at[1], run.at[line])));
        }
        want.push_back(speed);
        want.push_back(std::to_string(++tries[car]));
        for (int32_t c = 0; c < kDragColumns; ++c) {
            ASSERT_EQ(results.Cell(c, row), want[c]) << "run " << i << ", column " << c;
        }
    }
    EXPECT_EQ(results.DataRowCount(), row);
    EXPECT_EQ(row + aborts, kRuns);
    EXPECT_GT(aborts, 5);
    for (const auto& [car, count] : tries) {
        EXPECT_EQ(session.runCount[car], count) << car;
    }
    EXPECT_EQ(session.runCount[1], tries[1]);
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 1), std::to_string(tries[1]));

    // What the meeting must have gone through, so that the checks above meant something.
    int falseStarts = 0;
    for (int32_t r = 1; r <= results.DataRowCount(); ++r) {
        falseStarts += results.Cell(kDragFly, r) == "Fly" ? 1 : 0;
    }
    EXPECT_GT(falseStarts, 30);
    EXPECT_LT(falseStarts, row / 2);
    EXPECT_NE(std::count(carOf.begin(), carOf.end(), 199), 0) << "the proposal wrapped";
    EXPECT_NE(std::count(carOf.begin(), carOf.end(), 0), 0);
    EXPECT_EQ(prompter.warnings.size(), static_cast<size_t>(junkTyped));
    EXPECT_GT(junkTyped, 0);

    size_t starts = 0;
    size_t stops = 0;
    for (const std::string& line : rig.Log().Lines()) {
        starts += line.ends_with(",Drag start") ? 1 : 0;
        stops += line.ends_with(",Drag stop") ? 1 : 0;
    }
    EXPECT_EQ(starts, static_cast<size_t>(presses));
    EXPECT_EQ(stops, static_cast<size_t>(row + aborts));
}

}  // namespace
}  // namespace vantrel::test
