// A 200-run gymkhana event timed by the real program, killed with SIGKILL twenty times at
// random moments and started again each time: every run is in the saved results once, with
// its time, including the runs of cars that were on course when the program died.
// The test counts a pass only once the program's sampling has read it (a pass shorter than a
// stall of the timing thread on a loaded machine is one no program could see), and kills only
// once the program's journal has the passes so far on disk (it writes behind the window, so
// what it has not yet written is its to lose).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <set>
#include <vector>

#include "common/time_text.h"
#include "tests/journal_kill/kill_event.h"

namespace vantrel::test {
namespace {

constexpr int kRuns = 200;
constexpr int kKills = 20;
constexpr int kOnCourse = 3;    // cars between start and finish once the event is going
constexpr int32_t kPollMs = 3;  // the sampling period: how far a stamp may be from its read
constexpr auto kPassMs = std::chrono::milliseconds(25);
constexpr int kStalls = 6;  // passes during which the program is held back
constexpr auto kStallMs = std::chrono::milliseconds(40);

struct Pass {
    bool start = true;
    uint32_t tick = 0;  // just before the test put the sensor active
    uint32_t read = 0;  // when the program's sampling first read it active
};

// A run's time as the test's clock saw it, how far the program's may differ from it, and the
// time between the program's own reads of the two lines.
struct ExpectedRun {
    int32_t ms = 0;
    int32_t tolerance = 0;
    int32_t readMs = 0;
};

// The gymkhana event: the passes so far and the runs they make.
class Event {
public:
    Event() : event_("[Setup]\r\nIoAddress=None\r\nDelay=100\r\n", 20261208) {}

    void Launch() { event_.Launch(); }
    void Kill() { event_.Kill(); }
    void Finish() { event_.Finish(); }
    void Pause(int fromMs, int toMs) { event_.Pause(fromMs, toMs); }
    std::mt19937& Random() { return event_.Random(); }
    int Restored() const { return event_.Restored(); }

    // A car passes a sensor: active for 25 ms, and until the program's sampling has read it.
    void PassBy(bool start, bool stalled) {
        const LinePass pass = event_.PassBy(start ? KillShared::kStart : KillShared::kFinish,
                                            stalled ? kStallMs : kPassMs, stalled);
        passes_.push_back({start, pass.tick, pass.read});
        (start ? starts_ : runs_) += 1;
    }

    // Waits until the program's journal has every pass so far on disk.
    void AwaitDurable() { event_.AwaitDurable(starts_, runs_); }

    // Each finish times the oldest car on course. Each edge is stamped by the sampler's tick
    // that first read the line active: within a few ticks of the change, plus however late
    // the sampling got to read it (a loaded machine may hold the timing thread back).
    std::vector<ExpectedRun> ExpectedRuns() const {
        std::vector<const Pass*> starts;
        std::vector<ExpectedRun> runs;
        for (const Pass& pass : passes_) {
            if (pass.start) {
                starts.push_back(&pass);
            } else {
                const Pass& start = *starts[runs.size()];
                runs.push_back({static_cast<int32_t>(pass.tick - start.tick),
                                25 + Late(pass) + Late(start),
                                static_cast<int32_t>(pass.read - start.read)});
            }
        }
        return runs;
    }

    static int32_t Late(const Pass& pass) {
        return std::max(0, static_cast<int32_t>(pass.read - pass.tick));
    }

    // How many passes the program read only after a 25 ms pass would have ended, and the latest.
    std::pair<int, int32_t> LateReads() const {
        std::pair<int, int32_t> late{0, 0};
        for (const Pass& pass : passes_) {
            late.first += Late(pass) >= kPassMs.count() ? 1 : 0;
            late.second = std::max(late.second, Late(pass));
        }
        return late;
    }

    std::vector<int32_t> SavedTimes() const {
        std::vector<int32_t> times;
        for (const auto& cells : event_.SavedRows("results.csv")) {
            times.push_back(ParseTimeText(cells[4]));
        }
        return times;
    }

private:
    KillEvent event_;
    std::vector<Pass> passes_;
    int32_t starts_ = 0;  // passes of each sensor so far
    int32_t runs_ = 0;
};

TEST(JournalKillTest, TwentyKillsInA200RunEventLoseNoRunAndTimeEveryOneRight) {
    Event event;
    ASSERT_NO_FATAL_FAILURE(event.Launch());
    // The passes in order: three cars go out, then a finish and a start alternate.
    std::vector<bool> plan(kOnCourse, true);
    for (int run = kOnCourse; run < kRuns; ++run) {
        plan.push_back(false);
        plan.push_back(true);
    }
    plan.insert(plan.end(), kOnCourse, false);
    std::set<size_t> killAfter;
    while (killAfter.size() < kKills) {
        killAfter.insert(std::uniform_int_distribution<size_t>(2, plan.size() - 4)(event.Random()));
    }
    std::set<size_t> stalls;
    while (stalls.size() < kStalls) {
        stalls.insert(std::uniform_int_distribution<size_t>(0, plan.size() - 1)(event.Random()));
    }
    for (size_t i = 0; i < plan.size(); ++i) {
        ASSERT_NO_FATAL_FAILURE(event.PassBy(plan[i], stalls.contains(i)));
        const bool sameSensorNext = i + 1 < plan.size() && plan[i + 1] == plan[i];
        if (killAfter.contains(i)) {
            // The moment of the kill is random, once the passes so far are on disk.
            event.Pause(150, 400);
            ASSERT_NO_FATAL_FAILURE(event.AwaitDurable());
            ASSERT_NO_FATAL_FAILURE(event.Kill());
            ASSERT_NO_FATAL_FAILURE(event.Launch());
            event.Pause(20, 60);
        } else {
            event.Pause(sameSensorNext ? 200 : 90, sameSensorNext ? 260 : 150);
        }
    }
    ASSERT_NO_FATAL_FAILURE(event.AwaitDurable());
    ASSERT_NO_FATAL_FAILURE(event.Finish());

    const std::vector<ExpectedRun> expected = event.ExpectedRuns();
    const std::vector<int32_t> saved = event.SavedTimes();
    ASSERT_EQ(saved.size(), expected.size()) << "runs lost or booked twice";
    int32_t worst = 0;
    for (size_t i = 0; i < saved.size(); ++i) {
        worst = std::max(worst, std::abs(saved[i] - expected[i].ms));
        EXPECT_NEAR(saved[i], expected[i].ms, expected[i].tolerance) << "run " << i + 1;
        EXPECT_NEAR(saved[i], expected[i].readMs, kPollMs) << "run " << i + 1 << " as read";
    }
    EXPECT_EQ(event.Restored(), kKills);
    std::printf("largest difference from the test's own clock: %d ms\n", worst);
    const auto [lateReads, latest] = event.LateReads();
    std::printf(
        "passes read 25 ms or more after they began: %d (%d held back on purpose), "
        "the latest after %d ms\n",
        lateReads, kStalls, latest);
}

}  // namespace
}  // namespace vantrel::test
