// The course popup remembers the run it was opened on: cars finish, start and move up while it
// is open, and its items must reach that run or nobody.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/entry_table.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/gymkhana_flow.h"
#include "modes/recording_view.h"

namespace vantrel {
namespace {

// A run on course as the test compares them: car, start word, penalty word.
using OnCourse = std::tuple<int32_t, int32_t, int32_t>;

class GymkhanaPopupTest : public ::testing::Test {
protected:
    GymkhanaPopupTest() {
        flow.Configure(setup, 0, 0);
        flow.ModeReset();
        session.running = true;
        flow.StartSession();
    }
    // The runs on course, oldest first.
    std::vector<OnCourse> Runs() const {
        std::vector<OnCourse> runs;
        const CourseState& s = flow.Course().State();
        for (int32_t position = kOldestPosition; position >= kNewestPosition; --position) {
            if (s.courseCar[position] != 0) {
                const CourseRecord& record = s.courseTimes[position];
                runs.emplace_back(s.courseCar[position], record[kStartWord], record[kPenaltyWord]);
            }
        }
        return runs;
    }
    PopupOutcome Item(int32_t item, const CourseEdit& run) {
        switch (item) {
            case 0:
                return flow.AddPylonTouch(run);
            case 1:
                return flow.RemovePylonTouch(run);
            case 2:
                return flow.MissCourse(run);
            case 3:
                return flow.ClearPenalty(run);
            default:
                return flow.RemoveCar(run);
        }
    }

    SessionState session;
    SetupSettings setup;
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
    ResultListCommands commands{results, entries, session, nullptr};
    RecordingView view;
    GymkhanaFlow flow{session, entries, commands, view};
};

TEST_F(GymkhanaPopupTest, ItemsReachTheRunTheyWereOpenedOnOrNobody) {
    flow.OnStartEdge(1000);  // car 1 in "I"
    flow.OnStartEdge(2000);  // car 2 in "II"
    const CourseEdit onCar1 = flow.PopupRun(1);
    const CourseEdit onCar2 = flow.PopupRun(2);
    ASSERT_EQ(onCar1.car, 1);
    ASSERT_EQ(onCar2.car, 2);
    flow.OnFinishEdge(5000);  // car 1 finishes while its popup is open; car 2 moves up

    EXPECT_EQ(flow.AddPylonTouch(onCar1), PopupOutcome::kRunLeft);
    EXPECT_EQ(flow.MissCourse(onCar1), PopupOutcome::kRunLeft);
    EXPECT_EQ(flow.RemoveCar(onCar1), PopupOutcome::kRunLeft);
    EXPECT_EQ(Runs(), (std::vector<OnCourse>{{2, 2000, 0}}));
    // Car 2's popup follows it to "I".
    EXPECT_EQ(flow.AddPylonTouch(onCar2), PopupOutcome::kChanged);
    EXPECT_EQ(flow.Course().PenaltyHintAt(kOldestPosition), "PT1");

    // The same car number started again is another run.
    flow.OnFinishEdge(6000);
    flow.PickEntryRow(2);
    flow.OnStartEdge(7000);
    EXPECT_EQ(flow.RemoveCar(onCar2), PopupOutcome::kRunLeft);
    EXPECT_EQ(Runs(), (std::vector<OnCourse>{{2, 7000, 0}}));
    // An empty position opens on no run: its items do nothing and refuse nothing.
    EXPECT_EQ(flow.PopupRun(2).car, 0);
    EXPECT_EQ(flow.AddPylonTouch(flow.PopupRun(2)), PopupOutcome::kUnchanged);
    EXPECT_EQ(results.Cell(ResultTable::kGymkhanaPen, 2), "1");  // car 2's first run kept its touch
}

// Random starts and finishes between opening the popup and choosing an item: the item changes
// only the run it was opened on, and refuses exactly when that run has left the course.
TEST_F(GymkhanaPopupTest, RandomTrafficNeverMovesAPenaltyToAnotherRun) {
    std::mt19937 random(26);
    uint32_t tick = 1000;
    int32_t refused = 0;
    int32_t changed = 0;
    for (int32_t step = 0; step < 3000; ++step) {
        if (random() % 8 == 0) {
            flow.PickEntryRow(1 + static_cast<int32_t>(random() % 3));  // numbers come again
        }
        const CourseEdit run = flow.PopupRun(1 + static_cast<int32_t>(random() % 4));
        for (uint32_t pass = random() % 3; pass > 0; --pass) {
            tick += 1 + random() % 500;
            random() % 2 == 0 ? flow.OnStartEdge(tick) : flow.OnFinishEdge(tick);
        }
        std::vector<OnCourse> others = Runs();
        const auto mine = std::find_if(others.begin(), others.end(), [&](const OnCourse& r) {
            return std::get<0>(r) == run.car && std::get<1>(r) == run.startWord;
        });
        const bool onCourse = run.car != 0 && mine != others.end();
        const int32_t before = onCourse ? std::get<2>(*mine) : 0;
        if (onCourse) {
            others.erase(mine);
        }
        const int32_t item = static_cast<int32_t>(random() % 5);
        const PopupOutcome outcome = Item(item, run);

        std::vector<OnCourse> after = Runs();
        const auto now = std::find_if(after.begin(), after.end(), [&](const OnCourse& r) {
            return std::get<0>(r) == run.car && std::get<1>(r) == run.startWord;
        });
        const bool stillOn = run.car != 0 && now != after.end();
        const int32_t penalty = stillOn ? std::get<2>(*now) : 0;
        if (stillOn) {
            after.erase(now);
        }
        ASSERT_EQ(after, others) << "another run changed at step " << step;
        if (run.car != 0 && !onCourse) {
            ASSERT_EQ(outcome, PopupOutcome::kRunLeft) << step;
            ++refused;
            continue;
        }
        ASSERT_NE(outcome, PopupOutcome::kRunLeft) << step;
        if (!onCourse) {
            ASSERT_EQ(outcome, PopupOutcome::kUnchanged) << step;
            continue;
        }
        const bool removed = item == 4;
        ASSERT_EQ(stillOn, !removed) << step;
        ASSERT_EQ(outcome == PopupOutcome::kChanged, removed || penalty != before) << step;
        changed += outcome == PopupOutcome::kChanged ? 1 : 0;
    }
    EXPECT_GT(refused, 100);
    EXPECT_GT(changed, 300);
}

}  // namespace
}  // namespace vantrel
