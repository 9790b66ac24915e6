// A 200-run gymkhana event timed by the real program, killed with SIGKILL twenty times at
// random moments and started again each time: every run is in the saved results once, with
// its time, including the runs of cars that were on course when the program died.
// The test counts a pass only once the program's sampling has read it (a pass shorter than a
// stall of the timing thread on a loaded machine is one no program could see), and kills only
// once the program's journal has the passes so far on disk (it writes behind the window, so
// what it has not yet written is its to lose).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
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
constexpr int kOnCourse = 3;    // cars between start and finish once the event is going
constexpr int32_t kPollMs = 3;  // the sampling period: how far a stamp may be from its read
constexpr auto kPassMs = std::chrono::milliseconds(25);
constexpr int kStalls = 6;  // passes during which the program is held back
constexpr auto kStallMs = std::chrono::milliseconds(40);
constexpr auto kPatience = std::chrono::seconds(30);  // for the program to start, read, write

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

class Event {
public:
    Event() : random_(20261208) {
        page_ = MapKillShared(dir_ / "shared", true);
        WriteBytes(dir_ / "Vantrel.ini", "[Setup]\r\nIoAddress=None\r\nDelay=100\r\n");
        std::filesystem::create_directory(dir_ / "runtime");
        std::filesystem::permissions(dir_ / "runtime", std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (dir_ / "runtime").c_str(), 1);
    }

    // A program left running by a failure goes with the test.
    ~Event() {
        if (running_) {
            kill(child_, SIGKILL);
            waitpid(child_, nullptr, 0);
        }
    }

    void Launch() {
        page_->readyPid.store(0);
        page_->durableStarts.store(-1);
        page_->durableRuns.store(-1);
        child_ = fork();
        running_ = child_ > 0;
        if (child_ == 0) {
            const std::string program = dir_.Path().string();
            const std::string journal = (dir_ / "journal").string();
            const std::string shared = (dir_ / "shared").string();
            const std::string results = (dir_ / "results.csv").string();
            execl(VANTREL_KILL_CHILD, VANTREL_KILL_CHILD, program.c_str(), journal.c_str(),
                  shared.c_str(), results.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_TRUE(Await([this] { return page_->readyPid.load() == child_; }))
            << "the program did not start";
    }

    // Waits until `done`; false when the program ended or it took more than kPatience.
    bool Await(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (!done()) {
            int status = 0;
            if (waitpid(child_, &status, WNOHANG) == child_) {
                ADD_FAILURE() << "the program ended: "
                              << (WIFSIGNALED(status)
                                      ? "signal " + std::to_string(WTERMSIG(status))
                                      : "exit " + std::to_string(WEXITSTATUS(status)));
                running_ = false;
                return false;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(milliseconds(1));
        }
        return true;
    }

    void Kill() {
        kill(child_, SIGKILL);
        int status = 0;
        waitpid(child_, &status, 0);
        running_ = false;
        ASSERT_TRUE(WIFSIGNALED(status));
    }

    // A car passes a sensor: active for 25 ms, and until the program's sampling has read it.
    // A `stalled` program is stopped from before the pass for longer than that, as a loaded
    // machine may hold it back.
    void PassBy(bool start, bool stalled) {
        const uint32_t bit = start ? KillShared::kStart : KillShared::kFinish;
        const int line = KillShared::Line(bit);
        const uint32_t seen = page_->seen[line].load();
        if (stalled) {
            kill(child_, SIGSTOP);
        }
        const uint32_t before = clock_.MsTick();
        page_->lines.fetch_or(bit);
        std::this_thread::sleep_for(stalled ? kStallMs : kPassMs);
        if (stalled) {
            kill(child_, SIGCONT);
        }
        const bool read = Await([&] { return page_->seen[line].load() != seen; });
        const uint32_t noticed = clock_.MsTick();
        page_->lines.fetch_and(~bit);
        ASSERT_TRUE(read) << "the program did not read pass " << passes_.size() + 1;
        const uint32_t readTick = page_->seenTick[line].load();
        // The program's clock is the test's: it cannot have read the pass after the test saw so.
        EXPECT_LE(static_cast<int32_t>(readTick - before), static_cast<int32_t>(noticed - before));
        passes_.push_back({start, before, readTick});
        (start ? starts_ : runs_) += 1;
    }

    // Waits until the program's journal has every pass so far on disk.
    void AwaitDurable() {
        ASSERT_TRUE(Await([this] {
            return page_->durableStarts.load() == starts_ && page_->durableRuns.load() == runs_;
        })) << "on disk: "
            << page_->durableStarts.load() << " of " << starts_ << " starts, "
            << page_->durableRuns.load() << " of " << runs_ << " runs";
    }

    void Pause(int fromMs, int toMs) {
        std::this_thread::sleep_for(
            milliseconds(std::uniform_int_distribution<int>(fromMs, toMs)(random_)));
    }

    void Finish() {
        page_->finish.store(1);
        int status = 0;
        waitpid(child_, &status, 0);
        running_ = false;
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

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
    bool running_ = false;  // child_ has not ended
    std::vector<Pass> passes_;
    int32_t starts_ = 0;  // passes of each sensor so far
    int32_t runs_ = 0;
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
