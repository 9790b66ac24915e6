// A whole afternoon of gymkhana on a simulated clock: every run must come out once, with the
// right car and a time exact to the tick.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "common/ms_clock.h"
#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/entry_table.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/gymkhana_flow.h"
#include "modes/recording_view.h"

namespace vantrel {
namespace {

enum class Input { kFinish = 0, kStart = 1, kSplit1 = 2, kSplit2 = 3 };  // order within a tick

struct Edge {
    uint64_t at;  // ms since the session start, unwrapped
    Input input;
};

struct ExpectedRun {
    int32_t car;
    uint32_t startTick;
    int32_t runMs;
    int32_t split1Ms;
    int32_t split2Ms;
    int32_t penalty;
};

constexpr uint64_t kSessionMs = 4ull * 3600 * 1000;
constexpr uint64_t kStartEveryMs = 20000;

// Run times between 61 and 80 s: four cars on course, finishing in start order.
int32_t RunTimeOf(uint64_t index) {
    return 61000 + static_cast<int32_t>((index * 7919 + 13) % 19000);
}

std::vector<Edge> SessionEdges() {
    std::vector<Edge> edges;
    for (uint64_t start = kStartEveryMs, i = 0; start < kSessionMs; start += kStartEveryMs, ++i) {
        const int32_t run = RunTimeOf(i);
        edges.push_back({start, Input::kStart});
        edges.push_back({start + run / 3, Input::kSplit1});
        edges.push_back({start + 2 * run / 3, Input::kSplit2});
        edges.push_back({start + run, Input::kFinish});
    }
    std::stable_sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) {
        return a.at != b.at ? a.at < b.at : a.input < b.input;
    });
    return edges;
}

class GymkhanaSessionTest : public ::testing::Test {
protected:
    GymkhanaSessionTest() {
        setup.timeFormat = TimeFormat::kMilliseconds;
        setup.timeOut = 2;  // longer than any run: the limit must never fire
        setup.splitPin1 = 0;
        setup.splitPin2 = 1;
        for (int32_t car = 1; car <= kMaxCarNumber; ++car) {
            entries.SetCell(EntryTable::kName, car, "Driver " + std::to_string(car));
        }
        flow.Configure(setup, 0, 0);
        flow.ModeReset();
        session.running = true;
        flow.StartSession();
    }

    uint32_t Tick(uint64_t at) const { return sessionStart + static_cast<uint32_t>(at); }

    void Feed(const Edge& edge) {
        const uint32_t tick = Tick(edge.at);
        switch (edge.input) {
            case Input::kStart: {
                const int32_t car = session.waitingNumber;
                flow.OnStartEdge(tick);
                ASSERT_EQ(flow.Course().State().waitingCar, session.waitingNumber);
                const int32_t position = NewestPosition();
                ASSERT_EQ(flow.Course().State().courseCar[position], car);
                const int32_t touches = static_cast<int32_t>(starts % 5 == 0 ? 2 : 0);
                for (int32_t t = 0; t < touches; ++t) {
                    flow.AddPylonTouch(5 - position);
                }
                const int32_t run = RunTimeOf(starts);
                expected.push_back({car, tick, run, run / 3, 2 * run / 3, touches});
                ++starts;
                QueueSomeCars();
                break;
            }
            case Input::kFinish:
                flow.OnFinishEdge(tick);
                break;
            case Input::kSplit1:
                flow.OnSplit1Edge(tick);
                break;
            case Input::kSplit2:
                flow.OnSplit2Edge(tick);
                break;
        }
    }

    int32_t NewestPosition() const {
        for (int32_t position = kNewestPosition; position <= kOldestPosition; ++position) {
            if (flow.Course().HoldsCar(position)) {
                return position;
            }
        }
        return 0;
    }

    // Every ninth start the timekeeper queues a car by hand, so both ways of starting occur.
    void QueueSomeCars() {
        if (starts % 9 == 0) {
            flow.CommitStartPlace(flow.BeginStartPlaceEdit(4), std::to_string(100 + starts % 50));
        }
    }

    SessionState session;
    SetupSettings setup;
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
    ResultListCommands commands{results, entries, session, nullptr};
    RecordingView view;
    GymkhanaFlow flow{session, entries, commands, view};
    // Starts one hour before the 32-bit tick wraps, so the wrap falls inside the session.
    FakeMsClock clock{0xFFFFFFFFu - 3600u * 1000u};
    uint32_t sessionStart = clock.MsTick();
    std::deque<ExpectedRun> expected;
    uint64_t starts = 0;
};

TEST_F(GymkhanaSessionTest, FourHoursKeepEveryRunExactToTheTick) {
    const std::vector<Edge> edges = SessionEdges();
    size_t next = 0;
    size_t checked = 0;
    int32_t mostOnCourse = 0;
    const uint64_t end = edges.back().at + 1000;
    for (uint64_t now = 0; now <= end; now += 250) {
        for (; next < edges.size() && edges[next].at <= now; ++next) {
            clock.Set(Tick(edges[next].at));
            Feed(edges[next]);
            ASSERT_FALSE(HasFatalFailure());
            mostOnCourse = std::max(mostOnCourse, flow.Course().CarsOnCourse());
        }
        clock.Set(Tick(now));
        for (int32_t position = kNewestPosition; position <= kOldestPosition; ++position) {
            ASSERT_FALSE(flow.OnClockTimer(position, clock.MsTick()).timedOut);
        }
        for (; checked < view.results.size(); ++checked) {
            ASSERT_FALSE(expected.empty());
            const ExpectedRun want = expected.front();
            expected.pop_front();
            const RecordingView::Booked& got = view.results[checked];
            ASSERT_EQ(got.row, static_cast<int32_t>(checked) + 1);
            ASSERT_EQ(got.result.car, want.car) << "run " << checked;
            ASSERT_EQ(got.result.timeMs, want.runMs) << "run " << checked;
            ASSERT_EQ(results.Cell(kResultTime, got.row), std::to_string(want.runMs));
            ASSERT_EQ(results.Cell(kResultSplit1, got.row), std::to_string(want.split1Ms));
            ASSERT_EQ(results.Cell(kResultSplit2, got.row), std::to_string(want.split2Ms));
            ASSERT_EQ(results.Cell(kResultPen, got.row),
                      want.penalty == 0 ? "" : std::to_string(want.penalty));
            ASSERT_EQ(results.Cell(kResultName, got.row), "Driver " + std::to_string(want.car));
        }
    }
    EXPECT_EQ(starts, kSessionMs / kStartEveryMs - 1);
    EXPECT_TRUE(expected.empty());
    EXPECT_EQ(flow.Course().CarsOnCourse(), 0);
    EXPECT_EQ(mostOnCourse, 4);
    EXPECT_EQ(results.DataRowCount(), static_cast<int32_t>(starts));

    std::map<int32_t, int32_t> runsPerCar;
    for (int32_t row = 1; row <= results.DataRowCount(); ++row) {
        const int32_t car = std::stoi(results.Cell(kResultCar, row));
        ASSERT_EQ(results.Cell(kResultLap, row), std::to_string(++runsPerCar[car]));
    }
    for (const auto& [car, runs] : runsPerCar) {
        EXPECT_EQ(session.runCount[car], runs) << car;
        EXPECT_EQ(entries.Cell(EntryTable::kLap, car), std::to_string(runs)) << car;
    }
    EXPECT_GT(runsPerCar.size(), 150u);  // the proposal went round the entry list
}

}  // namespace
}  // namespace vantrel
