#pragma once
// The crash tests' side of the program they kill: starting it (with its settings and journal in
// a folder of the test's own), waiting for what it publishes on the shared page, driving its
// sensor lines, giving it commands, and killing it with SIGKILL.
// Thread rule: the test's thread only.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/ms_clock.h"
#include "common/text_file.h"
#include "support/temp_dir.h"
#include "tests/journal_kill/kill_shared.h"

namespace vantrel::test {

constexpr auto kKillPatience = std::chrono::seconds(30);  // for the program to start, read, write

// A pass of a sensor line: when the test made it active, and when the program's sampling
// first read it active.
struct LinePass {
    uint32_t bit = 0;
    uint32_t tick = 0;
    uint32_t read = 0;
};

class KillEvent {
public:
    KillEvent(const std::string& ini, uint32_t seed) : random_(seed) {
        page_ = MapKillShared(dir_ / "shared", true);
        WriteBytes(dir_ / "Vantrel.ini", ini);
        std::filesystem::create_directory(dir_ / "runtime");
        std::filesystem::permissions(dir_ / "runtime", std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (dir_ / "runtime").c_str(), 1);
    }

    // A program left running by a failure goes with the test.
    ~KillEvent() {
        if (running_) {
            kill(child_, SIGKILL);
            waitpid(child_, nullptr, 0);
        }
    }

    // Starts the program and waits until it is timing (after its restore, if any).
    void Launch() {
        Fork();
        ASSERT_TRUE(Await([this] { return page_->readyPid.load() == child_; }))
            << "the program did not start";
    }

    // Starts the program and kills it `afterMs` later, most likely while it restores.
    void LaunchAndKillEarly(int afterMs) {
        Fork();
        std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
        ASSERT_NO_FATAL_FAILURE(Kill());
    }

    // Waits until `done`; false when the program ended or it took more than kKillPatience.
    bool Await(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + kKillPatience;
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
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
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

    // A car passes the sensor of `bit`: active for `activeFor`, and until the program's
    // sampling has read it. A `stalled` program is stopped for that time, as a loaded machine
    // may hold it back.
    LinePass PassBy(uint32_t bit, std::chrono::milliseconds activeFor, bool stalled) {
        const int line = KillShared::Line(bit);
        const uint32_t seen = page_->seen[line].load();
        if (stalled) {
            kill(child_, SIGSTOP);
        }
        const uint32_t before = clock_.MsTick();
        page_->lines.fetch_or(bit);
        std::this_thread::sleep_for(activeFor);
        if (stalled) {
            kill(child_, SIGCONT);
        }
        const bool read = Await([&] { return page_->seen[line].load() != seen; });
        const uint32_t noticed = clock_.MsTick();
        page_->lines.fetch_and(~bit);
        EXPECT_TRUE(read) << "the program did not read line " << line;
        const uint32_t readTick = page_->seenTick[line].load();
        // The program's clock is the test's: it cannot have read the pass after the test saw so.
        EXPECT_LE(static_cast<int32_t>(readTick - before), static_cast<int32_t>(noticed - before));
        return {bit, before, read ? readTick : before};
    }

    // Waits until the journal on disk holds `starts` cars started and `runs` result rows.
    void AwaitDurable(int32_t starts, int32_t runs) {
        ASSERT_TRUE(Await([&] {
            return page_->durableStarts.load() == starts && page_->durableRuns.load() == runs;
        })) << "on disk: "
            << page_->durableStarts.load() << " of " << starts << " starts, "
            << page_->durableRuns.load() << " of " << runs << " runs";
    }

    // Gives the program a command and, unless `wait` is false, waits until it is carried out.
    void Command(KillShared::Command command, int32_t arg = 0, bool wait = true) {
        page_->commandArg.store(arg);
        page_->command.store(command);
        const uint32_t seq = page_->commandSeq.fetch_add(1) + 1;
        if (wait) {
            ASSERT_TRUE(Await([&] { return page_->commandDone.load() == seq; }))
                << "command " << command << " was not carried out";
        }
    }

    void Pause(int fromMs, int toMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(Between(fromMs, toMs)));
    }
    int Between(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }

    // The event is over: the program stops the session, saves to "results.csv" and closes.
    void Finish() {
        page_->finish.store(1);
        int status = 0;
        waitpid(child_, &status, 0);
        running_ = false;
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

    // The cells of each result row of a saved list ("results.csv" or "results.csv.<n>").
    std::vector<std::vector<std::string>> SavedRows(const std::string& name) const {
        std::vector<std::string> lines;
        EXPECT_TRUE(ReadCp932Lines(dir_ / name, lines)) << name;
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : lines) {
            std::vector<std::string> cells;
            std::stringstream in(line);
            for (std::string cell; std::getline(in, cell, ',');) {
                cells.push_back(cell);
            }
            if (cells.size() > 4 && !cells[0].empty() && std::isdigit(cells[0][0]) != 0) {
                rows.push_back(std::move(cells));
            }
        }
        return rows;
    }

    // Journals set aside by a restore.
    int Restored() const {
        int count = 0;
        for (const auto& file : std::filesystem::directory_iterator(dir_ / "journal")) {
            count += file.path().extension() == ".restored" ? 1 : 0;
        }
        return count;
    }

    KillShared& Page() { return *page_; }
    const TempDir& Dir() const { return dir_; }
    std::mt19937& Random() { return random_; }

private:
    void Fork() {
        page_->readyPid.store(0);
        page_->durableStarts.store(-1);
        page_->durableRuns.store(-1);
        page_->durableDragBox.store(-1);
        page_->durableRunCar.store(-1);
        child_ = fork();
        running_ = child_ > 0;
        if (child_ == 0) {
            const std::string program = dir_.Path().string();
            const std::string journal = (dir_ / "journal").string();
            const std::string shared = (dir_ / "shared").string();
            const std::string results = (dir_ / "results.csv").string();
            // A copy of the program may stand in for the built one (runs of hours in a row).
            const char* child = getenv("VANTREL_KILL_CHILD") != nullptr
                                    ? getenv("VANTREL_KILL_CHILD")
                                    : VANTREL_KILL_CHILD;
            execl(child, child, program.c_str(), journal.c_str(), shared.c_str(), results.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    TempDir dir_;
    KillShared* page_ = nullptr;
    MonotonicMsClock clock_;
    pid_t child_ = 0;
    bool running_ = false;  // child_ has not ended
    std::mt19937 random_;
};

}  // namespace vantrel::test
