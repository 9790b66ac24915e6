// Receiver stamp harness (run on demand, not a test): a pseudo-terminal stands for the
// receiver's port. Its far end writes one car code every 3 ms while the window's event loop is
// frozen (busy) 5 s at a time and busy threads load every core. Printed per run: the stamp
// error (write on the far end -> the reading of the clock that stamped the byte), the bytes
// stamped more than 100 ms late (what a reader held up by a full queue gave) and the bytes
// lost. Three runs: the reader in the real-time class, the same at normal priority,
// and the reader alone (real-time) on a pipe instead of a pseudo-terminal, which shows the
// share of the kernel's tty layer (it hands bytes to readers from a normal-priority worker).
//
// Usage: receive_latency [--seconds N] [--load THREADS]

#include <fcntl.h>
#include <pty.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "sensors/realtime.h"
#include "sensors/receiver_hub.h"
#include "sensors/receiver_reader.h"

namespace vantrel::bench {
namespace {

constexpr int64_t kCodeEveryNs = 3'000'000;
constexpr int kFreezeMs = 5000;
constexpr int kFreeMs = 2000;
constexpr int64_t kVeryLateUs = 100'000;

int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Hands out reading numbers as ticks and keeps the exact time of each reading, so a byte's
// tick tells to the nanosecond when it was stamped.
class NsClock final : public MsClock {
public:
    NsClock() : times_(1 << 22) {}
    uint32_t MsTick() const override {
        const uint32_t id = next_.fetch_add(1);
        times_[id % times_.size()] = NowNs();
        return id;
    }
    int64_t TimeOf(uint32_t id) const { return times_[id % times_.size()]; }

private:
    mutable std::atomic<uint32_t> next_{0};
    mutable std::vector<int64_t> times_;
};

struct Options {
    int seconds = 60;
    int load = 2 * static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0) {
            options.seconds = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--load") == 0) {
            options.load = std::max(0, std::atoi(argv[++i]));
        }
    }
    return options;
}

// Threads that spin at normal priority for as long as the object lives.
class BusyLoad {
public:
    explicit BusyLoad(int threads) {
        for (int i = 0; i < threads; ++i) {
            threads_.emplace_back([this] {
                volatile uint64_t spins = 0;
                while (!stop_.load(std::memory_order_relaxed)) {
                    spins = spins + 1;
                }
            });
        }
    }
    ~BusyLoad() {
        stop_.store(true);
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

// The receiver: one code every 3 ms at absolute deadlines, from a real-time thread when
// granted (the device's own timing is not what is measured). Keeps the time of each write.
std::vector<int64_t> WriteCodes(int master, int seconds) {
    AskForRealtime(kReceiverThreadPriority + 1);
    std::vector<int64_t> writes;
    const int64_t start = NowNs();
    const int64_t end = start + seconds * 1'000'000'000LL;
    for (int64_t next = start + kCodeEveryNs; next < end; next += kCodeEveryNs) {
        const timespec at{static_cast<time_t>(next / 1'000'000'000),
                          static_cast<long>(next % 1'000'000'000)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
        const char code = static_cast<char>('1' + writes.size() % 9);
        const int64_t before = NowNs();
        if (write(master, &code, 1) == 1) {
            writes.push_back(before);
        }
    }
    return writes;
}

struct RunResult {
    std::vector<int64_t> errorsUs;
    uint64_t lost = 0;
    size_t written = 0;
    bool realtime = false;
};

// Stamp errors of the bytes written at `writes`, given each byte's stamp (-1: lost).
void Collect(const std::vector<int64_t>& writes, const std::vector<int64_t>& stamps,
             RunResult& result) {
    result.written = writes.size();
    for (size_t i = 0; i < writes.size() && i < stamps.size(); ++i) {
        if (stamps[i] >= 0) {
            result.errorsUs.push_back((stamps[i] - writes[i]) / 1000);
        }
    }
}

// The window busy: its thread spins, its event loop does not run.
void Spin(int ms) {
    const int64_t until = NowNs() + ms * 1'000'000LL;
    while (NowNs() < until) {
    }
}

// The whole road: pseudo-terminal, serial link, reader, ring, hub, blockReceived on a window
// thread that is busy 5 s at a time.
RunResult RunHub(QCoreApplication& app, const Options& options, bool realtime) {
    int master = -1;
    int slave = -1;
    RunResult result;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return result;
    }
    NsClock clock;
    ReceiverHub hub(clock);
    hub.SetReaderRealtime(realtime);
    std::vector<int64_t> stamps;
    QObject::connect(&hub, &ReceiverHub::blockReceived, [&](const ReceivedBlock& block) {
        stamps.insert(stamps.end(), block.count, clock.TimeOf(block.tick));
    });
    QObject::connect(&hub, &ReceiverHub::bytesLost,
                     [&](quint32 count) { stamps.insert(stamps.end(), count, -1); });
    if (!hub.Open(ttyname(slave), 9600)) {
        std::printf("cannot open the receiver: %s\n", hub.LastError().toStdString().c_str());
        return result;
    }
    BusyLoad load(options.load);
    QTimer freeze;
    freeze.setSingleShot(true);
    QObject::connect(&freeze, &QTimer::timeout, [&freeze] {
        Spin(kFreezeMs);
        freeze.start(kFreeMs);
    });
    freeze.start(kFreeMs);
    std::vector<int64_t> writes;
    std::atomic<bool> written{false};
    std::thread writer([&] {
        writes = WriteCodes(master, options.seconds);
        written.store(true);
    });
    QTimer done;
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (written.load() && stamps.size() >= writes.size()) {
            app.quit();
        }
    });
    done.start(20);
    app.exec();
    writer.join();
    result.realtime = hub.ReaderRealtimeGranted();
    result.lost = hub.BytesLost();
    Collect(writes, stamps, result);
    hub.Close();
    close(master);
    close(slave);
    return result;
}

// The reader alone on a pipe, taken from the ring by a consumer busy 5 s at a time.
RunResult RunPipe(const Options& options) {
    int fds[2];
    RunResult result;
    if (pipe(fds) != 0 || fcntl(fds[0], F_SETFL, O_NONBLOCK) != 0) {
        std::perror("pipe");
        return result;
    }
    NsClock clock;
    ReceiverRing ring;
    ReceiverReader reader(ring, clock, nullptr);
    std::string error;
    reader.Start(fds[0], error);
    BusyLoad load(options.load);
    std::vector<int64_t> writes;
    std::atomic<bool> written{false};
    std::thread writer([&] {
        writes = WriteCodes(fds[1], options.seconds);
        written.store(true);
    });
    std::vector<int64_t> stamps;
    int64_t nextFreeze = NowNs() + kFreeMs * 1'000'000LL;
    ReceivedBlock block;
    while (!written.load() || stamps.size() < writes.size()) {
        if (NowNs() >= nextFreeze) {
            Spin(kFreezeMs);
            nextFreeze = NowNs() + kFreeMs * 1'000'000LL;
        }
        while (ring.TryPop(block)) {
            const int64_t at = block.kind == ReceivedKind::kBytes ? clock.TimeOf(block.tick) : -1;
            stamps.insert(stamps.end(),
                          block.kind == ReceivedKind::kBytes ? block.count : block.lost, at);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    writer.join();
    reader.Stop();
    result.realtime = reader.RealtimeGranted();
    result.lost = reader.BytesLost();
    Collect(writes, stamps, result);
    close(fds[0]);
    close(fds[1]);
    return result;
}

void Print(const char* what, RunResult result) {
    std::vector<int64_t>& us = result.errorsUs;
    std::printf("  %-28s", what);
    if (us.empty()) {
        std::printf("no bytes stamped\n");
        return;
    }
    std::sort(us.begin(), us.end());
    const auto at = [&](double q) {
        return static_cast<long long>(us[static_cast<size_t>(q * (us.size() - 1))]);
    };
    const auto late =
        std::count_if(us.begin(), us.end(), [](int64_t e) { return e > kVeryLateUs; });
    std::printf(
        "n=%zu  p50 %lld  p99 %lld  p99.9 %lld  max %lld us;  over 100 ms late %ld;  lost %llu "
        "of %zu\n",
        us.size(), at(0.5), at(0.99), at(0.999), static_cast<long long>(us.back()),
        static_cast<long>(late), static_cast<unsigned long long>(result.lost), result.written);
}

}  // namespace
}  // namespace vantrel::bench

int main(int argc, char** argv) {
    using namespace vantrel::bench;
    QCoreApplication app(argc, argv);
    const Options options = ParseOptions(argc, argv);
    std::printf(
        "Receiver stamps: %d s of single codes 3 ms apart, the window busy %d s of every %d s, "
        "%d busy threads on %u cores\n",
        options.seconds, kFreezeMs / 1000, (kFreezeMs + kFreeMs) / 1000, options.load,
        std::thread::hardware_concurrency());
    const RunResult realtime = RunHub(app, options, true);
    Print(realtime.realtime ? "reader real-time:" : "reader real-time REFUSED:", realtime);
    Print("reader normal priority:", RunHub(app, options, false));
    Print("reader real-time, a pipe:", RunPipe(options));
    return 0;
}
