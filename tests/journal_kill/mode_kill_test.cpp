// A DRAG session and then a CIRCUIT common-start race timed by the real program, its receiver a
// real serial port, killed with SIGKILL at random moments: between runs, in the middle of a
// drag run, while it saves, while it undoes and while it restores after the last kill. Every
// finished run and every lap is in the saved results once, with its car, its try or lap number
// and its time; an undo counts when the program's journal had it at the kill, and a drag run
// broken off by a kill is run again by the same car. Each lap keeps the review mark its booking
// gave it, through kills and restores alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

#include "common/car_code.h"
#include "common/time_text.h"
#include "lists/result_flag_check.h"
#include "sensors/pty_pair.h"
#include "tests/journal_kill/kill_event.h"

namespace vantrel::test {
namespace {

using std::chrono::milliseconds;

constexpr int kDragRuns = 30;
constexpr int kPassings = 120;
constexpr int kCircuitCars = 8;
constexpr int32_t kPollMs = 3;            // the sampling period
constexpr int32_t kMaskMs = 1000;         // the mask time the settings give
constexpr int32_t kReceiverSlack = 100;   // how late the program may stamp a received code
constexpr int32_t kShortLapPercent = 90;  // high, so that the race's uneven laps get marks

enum class Trouble { kNone, kKill, kKillInUndo, kUndo, kKillInSave, kKillInRestore };

struct DragRun {
    int32_t car = 0;
    int32_t elapsed = 0;    // the test's clock, finish pass to start pass
    int32_t tolerance = 0;  // how far the program's time may differ from it
    int32_t readMs = 0;     // between the program's own reads of the two lines
};

struct Lap {
    int32_t car = 0;
    uint32_t tick = 0;  // just before the test sent the code
};

class ModeKillTest : public ::testing::Test {
protected:
    ModeKillTest()
        : event("[Setup]\r\nIoAddress=None\r\nDelay=100\r\nCommPort=" + pty.path +
                    "\r\nShortLapPercent=" + std::to_string(kShortLapPercent) +
                    "\r\n[Window]\r\nMaskTime=1\r\n",
                20261209) {}

    // Something goes wrong after a run or a lap, now and then; `rows` is how many result rows
    // the program has on disk when it does. Returns whether the last row was undone.
    bool MaybeTrouble(int32_t starts, int32_t rows) {
        const int roll = event.Between(0, 99);
        const enum Trouble trouble = roll < 70   ? Trouble::kNone
                                     : roll < 76 ? Trouble::kKill
                                     : roll < 82 ? Trouble::kKillInUndo
                                     : roll < 88 ? Trouble::kUndo
                                     : roll < 94 ? Trouble::kKillInSave
                                                 : Trouble::kKillInRestore;
        if (trouble == Trouble::kNone || rows == 0) {
            return false;
        }
        ++troubles[static_cast<int>(trouble)];
        EXPECT_NO_FATAL_FAILURE(event.AwaitDurable(starts, rows));
        bool undone = false;
        switch (trouble) {
            case Trouble::kUndo:
                EXPECT_NO_FATAL_FAILURE(event.Command(KillShared::kUndo));
                EXPECT_NO_FATAL_FAILURE(event.AwaitDurable(starts - 1, rows - 1));
                return true;
            case Trouble::kKillInUndo:
                event.Command(KillShared::kUndo, 0, false);
                event.Pause(0, 15);
                break;
            case Trouble::kKillInSave:
                event.Command(KillShared::kSave, 9, false);
                event.Pause(0, 15);
                break;
            default:
                break;
        }
        EXPECT_NO_FATAL_FAILURE(event.Kill());
        if (trouble == Trouble::kKillInRestore) {
            EXPECT_NO_FATAL_FAILURE(event.LaunchAndKillEarly(event.Between(30, 1200)));
        }
        EXPECT_NO_FATAL_FAILURE(event.Launch());
        // The restored rows: all of them, or one fewer when the undo reached the journal.
        EXPECT_TRUE(event.Await([this] { return event.Page().durableRuns.load() >= 0; }));
        const int32_t restored = event.Page().durableRuns.load();
        undone = trouble == Trouble::kKillInUndo && restored == rows - 1;
        EXPECT_EQ(restored, undone ? rows - 1 : rows) << "rows after the restore";
        return undone;
    }

    // One drag run of `car` from the start line; false when a kill broke it off.
    bool DragRunOf(int32_t car, bool breakOff) {
        EXPECT_NO_FATAL_FAILURE(event.Command(KillShared::kDragCar, car));
        EXPECT_TRUE(event.Await([&] { return event.Page().durableDragBox.load() == car; }));
        const LinePass start = event.PassBy(KillShared::kDragStart, milliseconds(25), false);
        event.Pause(150, 500);
        if (breakOff) {
            EXPECT_TRUE(event.Await([&] { return event.Page().durableRunCar.load() == car; }))
                << "the run in progress is not on disk";
            EXPECT_NO_FATAL_FAILURE(event.Kill());
            EXPECT_NO_FATAL_FAILURE(event.Launch());
            EXPECT_TRUE(event.Await([&] { return event.Page().dragBoxNow.load() == car; }))
                << "car " << car << " is not back in the box to run again";
            ++troubles[static_cast<int>(Trouble::kKill)];
            return false;
        }
        const LinePass finish = event.PassBy(KillShared::kDragFinish, milliseconds(25), false);
        dragRuns.push_back({car, static_cast<int32_t>(finish.tick - start.tick),
                            25 + Late(start) + Late(finish),
                            static_cast<int32_t>(finish.read - start.read)});
        return true;
    }

    static int32_t Late(const LinePass& pass) {
        return std::max(0, static_cast<int32_t>(pass.read - pass.tick));
    }

    void RunDragSession() {
        ASSERT_NO_FATAL_FAILURE(event.Command(KillShared::kStopSession));
        ASSERT_NO_FATAL_FAILURE(event.Command(KillShared::kMode, 1));
        ASSERT_NO_FATAL_FAILURE(event.Command(KillShared::kStartSession));
        int32_t car = 0;
        for (int i = 0; i < kDragRuns && !HasFailure(); ++i) {
            // A broken-off run's car runs again; the others come in any order.
            car = car != 0 ? car : event.Between(1, 40);
            const bool breakOff = event.Between(0, 9) == 0;
            if (!DragRunOf(car, breakOff)) {
                continue;
            }
            car = 0;
            event.Pause(250, 350);  // the tree resets after a finish
            const auto rows = static_cast<int32_t>(dragRuns.size());
            if (MaybeTrouble(rows, rows)) {
                dragRuns.pop_back();
            }
        }
    }

    void CheckDragResults() {
        const auto rows = event.SavedRows("results.csv.1");
        ASSERT_EQ(rows.size(), dragRuns.size()) << "drag runs lost or booked twice";
        std::map<int32_t, int> tries;
        for (size_t i = 0; i < rows.size(); ++i) {
            const DragRun& run = dragRuns[i];
            ASSERT_GT(rows[i].size(), 12u);
            EXPECT_EQ(rows[i][0], std::to_string(run.car)) << "drag run " << i + 1;
            EXPECT_EQ(rows[i][12], std::to_string(++tries[run.car])) << "drag run " << i + 1;
            const int32_t elapsed = ParseTimeText(rows[i][4]);
            EXPECT_NEAR(elapsed, run.elapsed, run.tolerance) << "drag run " << i + 1;
            EXPECT_NEAR(elapsed, run.readMs, kPollMs) << "drag run " << i + 1 << " as read";
        }
    }

    // The car that may pass next: one whose mask has run out, in a random order.
    int32_t NextCircuitCar(uint32_t now) {
        std::vector<int32_t> ready;
        for (int32_t car = 1; car <= kCircuitCars; ++car) {
            if (static_cast<int32_t>(now - LastPassing(car)) > kMaskMs + 300) {
                ready.push_back(car);
            }
        }
        return ready.empty() ? 0 : ready[event.Between(0, static_cast<int>(ready.size()) - 1)];
    }

    uint32_t LastPassing(int32_t car) const {
        for (auto it = laps.rbegin(); it != laps.rend(); ++it) {
            if (it->car == car) {
                return it->tick;
            }
        }
        return sessionStart;
    }

    void RunCircuitRace() {
        ASSERT_NO_FATAL_FAILURE(event.Command(KillShared::kStopSession));
        ASSERT_NO_FATAL_FAILURE(event.Command(KillShared::kSave, 1));
        ASSERT_NO_FATAL_FAILURE(event.Command(KillShared::kMode, 2 + 16 * 1));  // common start
        ASSERT_NO_FATAL_FAILURE(event.Command(KillShared::kStartSession));
        sessionStart = event.Page().sessionStartTick.load();
        for (int i = 0; i < kPassings && !HasFailure();) {
            const int32_t car = NextCircuitCar(clock.MsTick());
            if (car == 0) {
                event.Pause(20, 40);
                continue;
            }
            laps.push_back({car, clock.MsTick()});
            ASSERT_TRUE(pty.Write(std::string(1, static_cast<char>(CodeOfCar(car)))));
            ++i;
            event.Pause(40, 160);
            const auto rows = static_cast<int32_t>(laps.size());
            if (MaybeTrouble(rows, rows)) {
                laps.pop_back();
            }
        }
        ASSERT_NO_FATAL_FAILURE(event.AwaitDurable(static_cast<int32_t>(laps.size()),
                                                   static_cast<int32_t>(laps.size())));
    }

    // Each lap from the car's previous passing (or the race start), the total from the start.
    void CheckCircuitResults() {
        const auto rows = event.SavedRows("results.csv");
        ASSERT_EQ(rows.size(), laps.size()) << "laps lost or booked twice";
        std::map<int32_t, std::pair<int, uint32_t>> cars;  // laps so far, the last passing
        int32_t worst = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            const Lap& lap = laps[i];
            auto& [count, last] = cars.try_emplace(lap.car, 0, sessionStart).first->second;
            ASSERT_GT(rows[i].size(), 5u);
            EXPECT_EQ(rows[i][0], std::to_string(lap.car)) << "lap row " << i + 1;
            EXPECT_EQ(rows[i][3], std::to_string(++count)) << "lap row " << i + 1;
            const int32_t lapMs = ParseTimeText(rows[i][4]);
            const int32_t total = ParseTimeText(rows[i][5]);
            EXPECT_NEAR(lapMs, static_cast<int32_t>(lap.tick - last), kReceiverSlack)
                << "lap row " << i + 1;
            EXPECT_NEAR(total, static_cast<int32_t>(lap.tick - sessionStart), kReceiverSlack)
                << "lap row " << i + 1;
            worst =
                std::max(worst, std::abs(total - static_cast<int32_t>(lap.tick - sessionStart)));
            last = lap.tick;
        }
        std::printf("largest difference of a lap's total from the test's clock: %d ms\n", worst);
        CheckCircuitMarks(rows);
    }

    // Each lap's mark is the one its booking gives it after the laps saved before it.
    static void CheckCircuitMarks(const std::vector<std::vector<std::string>>& rows) {
        ResultTable before(RaceMode::kCircuit);
        int marked = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            BookedResult lap;
            lap.car = std::stoi(rows[i][0]);
            lap.timeMs = ParseTimeText(rows[i][4]);
            const std::string mark = rows[i].size() > 6 ? rows[i][6] : "";
            EXPECT_EQ(mark, FlagForBooking(before, lap, {kShortLapPercent, 0, 0}))
                << "lap row " << i + 1;
            marked += mark.empty() ? 0 : 1;
            before.SetRow(before.RowForNewResult(), rows[i]);
        }
        std::printf("laps marked for review: %d\n", marked);
        EXPECT_GT(marked, 0);
    }

    PtyPair pty;
    KillEvent event;
    MonotonicMsClock clock;
    std::vector<DragRun> dragRuns;
    std::vector<Lap> laps;
    uint32_t sessionStart = 0;
    std::array<int, 6> troubles{};
};

TEST_F(ModeKillTest, DragAndCircuitLoseNoRunOrLapThroughKillsInSavesUndosAndRestores) {
    ASSERT_FALSE(pty.path.empty());
    ASSERT_NO_FATAL_FAILURE(event.Launch());
    ASSERT_NO_FATAL_FAILURE(RunDragSession());
    ASSERT_NO_FATAL_FAILURE(RunCircuitRace());
    ASSERT_NO_FATAL_FAILURE(CheckDragResults());
    ASSERT_NO_FATAL_FAILURE(event.Finish());
    CheckCircuitResults();
    std::printf(
        "kills between runs %d, in an undo %d, in a save %d, in a restore %d; undos %d; "
        "journals restored %d\n",
        troubles[1], troubles[2], troubles[4], troubles[5], troubles[3], event.Restored());
    EXPECT_GT(troubles[1] + troubles[2] + troubles[4] + troubles[5], 5);
}

}  // namespace
}  // namespace vantrel::test
