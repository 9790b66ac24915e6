// A 200-run gymkhana event timed by the real program, killed with SIGKILL twenty times at
// random moments and started again each time: every run is in the saved results once, with
// its time, including the runs of cars that were on course when the program died.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "common/ms_clock.h"
#include "common/text_file.h"
#include "common/time_text.h"
#include "journal/journal_place.h"
#include "support/temp_dir.h"
#include "tests/journal_kill/kill_shared.h"

namespace vantrel::test {
namespace {

using std::chrono::milliseconds;

constexpr int kRuns = 200;
constexpr int kKills = 20;
constexpr int kOnCourse = 3;  // cars between start and finish once the event is going

struct Pass {
    bool start = true;
    uint32_t tick = 0;     // just before the test put the sensor active
    uint32_t setSpan = 0;  // how long putting it active took (the test may be preempted)
};

// A run's time as the test saw it, and how far the program's may differ from it.
struct ExpectedRun {
    int32_t ms = 0;
    int32_t tolerance = 0;
};

class Event {
public:
    Event() : random_(20261208) {
        page_ = MapKillShared(dir_ / "shared", true);
        WriteBytes(dir_ / "Vantrel.ini", "[Setup]\r\nIoAddress=None\r\nDelay=100\r\n");
        std::filesystem::create_directory(dir_ / "runtime");
        std::filesystem::permissions(dir_ / "runtime", std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (dir_ / "runtime").c_str(), 1);
    }

    void Launch() {
        page_->readyPid.store(0);
        child_ = fork();
        if (child_ == 0) {
            const std::string program = dir_.Path().string();
            const std::string journal = (dir_ / "journal").string();
            const std::string shared = (dir_ / "shared").string();
            const std::string results = (dir_ / "results.csv").string();
            execl(VANTREL_KILL_CHILD, VANTREL_KILL_CHILD, program.c_str(), journal.c_str(),
                  shared.c_str(), results.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (page_->readyPid.load() != child_) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the program did not start";
            std::this_thread::sleep_for(milliseconds(5));
        }
    }

    void Kill() {
        kill(child_, SIGKILL);
        int status = 0;
        waitpid(child_, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
    }

    // A car passes a sensor: active for 25 ms.
    void PassBy(bool start) {
        const uint32_t bit = start ? KillShared::kStart : KillShared::kFinish;
        const uint32_t before = clock_.MsTick();
        page_->lines.fetch_or(bit);
        passes_.push_back({start, before, clock_.MsTick() - before});
        std::this_thread::sleep_for(milliseconds(25));
        page_->lines.fetch_and(~bit);
    }

    void Pause(int fromMs, int toMs) {
        std::this_thread::sleep_for(
            milliseconds(std::uniform_int_distribution<int>(fromMs, toMs)(random_)));
    }

    void Finish() {
        page_->finish.store(1);
        int status = 0;
        waitpid(child_, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

    // Each finish times the oldest car on course.
    // Each edge is stamped by the sampler's first tick after the line changed: within a few
    // ticks, plus however long the test itself took to change it.
    std::vector<ExpectedRun> ExpectedRuns() const {
        std::vector<const Pass*> starts;
        std::vector<ExpectedRun> runs;
        for (const Pass& pass : passes_) {
            if (pass.start) {
                starts.push_back(&pass);
            } else {
                const Pass& start = *starts[runs.size()];
                runs.push_back({static_cast<int32_t>(pass.tick - start.tick),
                                25 + static_cast<int32_t>(pass.setSpan + start.setSpan)});
            }
        }
        return runs;
    }

    std::vector<int32_t> SavedTimes() const {
        std::vector<std::string> lines;
        EXPECT_TRUE(ReadCp932Lines(dir_ / "results.csv", lines));
        std::vector<int32_t> times;
        for (const std::string& line : lines) {
            std::vector<std::string> cells;
            std::stringstream in(line);
            for (std::string cell; std::getline(in, cell, ',');) {
                cells.push_back(cell);
            }
            if (cells.size() > 4 && !cells[0].empty() && std::isdigit(cells[0][0]) != 0) {
                times.push_back(ParseTimeText(cells[4]));
            }
        }
        return times;
    }

    int Restored() const {
        int count = 0;
        for (const auto& file : std::filesystem::directory_iterator(dir_ / "journal")) {
            count += file.path().extension() == ".restored" ? 1 : 0;
        }
        return count;
    }

    std::mt19937& Random() { return random_; }

private:
    TempDir dir_;
    KillShared* page_ = nullptr;
    MonotonicMsClock clock_;
    pid_t child_ = 0;
    std::vector<Pass> passes_;
    std::mt19937 random_;
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
    for (size_t i = 0; i < plan.size(); ++i) {
        event.PassBy(plan[i]);
        const bool sameSensorNext = i + 1 < plan.size() && plan[i + 1] == plan[i];
        if (killAfter.contains(i)) {
            // A finished run is durable within 100 ms; the moment of the kill is random.
            event.Pause(150, 400);
            ASSERT_NO_FATAL_FAILURE(event.Kill());
            ASSERT_NO_FATAL_FAILURE(event.Launch());
            event.Pause(20, 60);
        } else {
            event.Pause(sameSensorNext ? 200 : 90, sameSensorNext ? 260 : 150);
        }
    }
    std::this_thread::sleep_for(milliseconds(200));
    ASSERT_NO_FATAL_FAILURE(event.Finish());

    const std::vector<ExpectedRun> expected = event.ExpectedRuns();
    const std::vector<int32_t> saved = event.SavedTimes();
    ASSERT_EQ(saved.size(), expected.size()) << "runs lost or booked twice";
    int32_t worst = 0;
    for (size_t i = 0; i < saved.size(); ++i) {
        worst = std::max(worst, std::abs(saved[i] - expected[i].ms));
        EXPECT_NEAR(saved[i], expected[i].ms, expected[i].tolerance) << "run " << i + 1;
    }
    EXPECT_EQ(event.Restored(), kKills);
    std::printf("largest difference from the test's own clock: %d ms\n", worst);
}

}  // namespace
}  // namespace vantrel::test
