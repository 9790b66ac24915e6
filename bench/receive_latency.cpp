// Receiver latency harness (run on demand, not a test): a pseudo-terminal stands for the
// receiver's port. The other end writes single car codes and 1024-byte bursts at known times
// while the GUI stand-in freezes for 1 s every 2 s. Printed: the arrival-to-stamp error
// (write on the far end -> stamp) of the reader thread, beside a stamp taken by the GUI thread
// when it gets to the bytes, and the hub's hand-over of a block to its blockReceived signal.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sensors/receiver_hub.h"
#include "sensors/receiver_reader.h"
#include "sensors/serial_link.h"

namespace vantrel::bench {
namespace {

constexpr int kRunSeconds = 8;
constexpr int64_t kFreezeNs = 1'000'000'000;
constexpr int64_t kFreezeEveryNs = 2'000'000'000;

int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Hands out reading numbers as ticks and keeps the exact time of each reading, so a block's
// tick tells when it was stamped to the nanosecond.
class NsClock final : public MsClock {
public:
    NsClock() : times_(1 << 20) {}
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

struct Write {
    int64_t atNs;
    size_t end;  // stream offset after the write
    bool burst;
};
struct Stamp {
    size_t end;  // stream offset after the block
    int64_t atNs;
};

struct Pty {
    Pty() {
        openpty(&master, &slave, nullptr, nullptr, nullptr);
        path = ttyname(slave);
    }
    ~Pty() {
        close(master);
        close(slave);
    }
    int master = -1;
    int slave = -1;
    std::string path;
};

// The far end: a code every 20 ms (with a spread), a 1024-byte burst every 250 ms.
std::vector<Write> RunWriter(int master, int seconds) {
    std::vector<Write> writes;
    const std::string burst(1024, '5');
    size_t offset = 0;
    uint32_t seed = 7;
    const int64_t end = NowNs() + seconds * 1'000'000'000LL;
    for (int i = 0; NowNs() < end; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::this_thread::sleep_for(std::chrono::microseconds(15000 + (seed >> 8) % 10000));
        const bool isBurst = i % 12 == 11;
        const int64_t at = NowNs();
        const ssize_t n =
            isBurst ? write(master, burst.data(), burst.size()) : write(master, "7", 1);
        offset += n > 0 ? static_cast<size_t>(n) : 0;
        writes.push_back({at, offset, isBurst});
    }
    return writes;
}

void Print(const char* what, std::vector<int64_t> us) {
    if (us.empty()) {
        std::printf("  %-44s no samples\n", what);
        return;
    }
    std::sort(us.begin(), us.end());
    const auto at = [&](double q) { return us[static_cast<size_t>(q * (us.size() - 1))]; };
    std::printf("  %-44s n=%5zu  p50 %7lld  p99 %7lld  p99.9 %7lld  max %7lld us\n", what,
                us.size(), static_cast<long long>(at(0.5)), static_cast<long long>(at(0.99)),
                static_cast<long long>(at(0.999)), static_cast<long long>(us.back()));
}

void Report(const char* title, const std::vector<Write>& writes, const std::vector<Stamp>& stamps) {
    std::vector<int64_t> singles;
    std::vector<int64_t> bursts;
    size_t s = 0;
    for (const Write& w : writes) {
        while (s < stamps.size() && stamps[s].end < w.end) {
            ++s;
        }
        if (s == stamps.size()) {
            break;
        }
        (w.burst ? bursts : singles).push_back((stamps[s].atNs - w.atNs) / 1000);
    }
    std::printf("%s\n", title);
    Print("single byte: write -> stamp", singles);
    Print("1024-byte burst: write -> stamp of last byte", bursts);
}

bool Frozen(int64_t start) {
    return (NowNs() - start) % kFreezeEveryNs < kFreezeNs;
}

// The reader thread stamps; the GUI stand-in pops, frozen half of the time.
void ReaderThreadRun() {
    Pty pty;
    SerialLink link;
    if (!link.Open(pty.path, 9600)) {
        std::printf("cannot open %s: %s\n", pty.path.c_str(), link.LastError().c_str());
        return;
    }
    auto queue = std::make_unique<ReceivedQueue>();
    NsClock clock;
    ReceiverReader reader(*queue, clock, nullptr);
    std::string error;
    reader.Start(link.Fd(), error);
    std::atomic<bool> done{false};
    std::vector<Stamp> stamps;
    size_t maxQueued = 0;
    std::thread gui([&] {
        const int64_t start = NowNs();
        size_t offset = 0;
        ReceivedBlock block;
        while (!done.load() || !queue->Empty()) {
            maxQueued = std::max(maxQueued, queue->Size());
            if (Frozen(start) && !done.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            while (queue->TryPop(block)) {
                offset += block.count;
                stamps.push_back({offset, clock.TimeOf(block.tick)});
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const std::vector<Write> writes = RunWriter(pty.master, kRunSeconds);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    reader.Stop();
    done.store(true);
    gui.join();
    Report("Reader thread stamps (GUI frozen 1 s of every 2 s):", writes, stamps);
    std::printf("  most blocks queued at once: %zu of %zu\n", maxQueued, ReceivedQueue::kCapacity);
}

// The old way: the GUI thread reads and stamps when it gets to the bytes.
void GuiThreadRun() {
    Pty pty;
    SerialLink link;
    if (!link.Open(pty.path, 9600)) {
        return;
    }
    std::atomic<bool> done{false};
    std::vector<Stamp> stamps;
    std::thread gui([&] {
        const int64_t start = NowNs();
        size_t offset = 0;
        uint8_t buffer[1024];
        while (!done.load()) {
            if (Frozen(start)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            pollfd in{link.Fd(), POLLIN, 0};
            if (poll(&in, 1, 1) <= 0) {
                continue;
            }
            const ssize_t n = read(link.Fd(), buffer, sizeof buffer);
            const int64_t at = NowNs();
            if (n > 0) {
                offset += static_cast<size_t>(n);
                stamps.push_back({offset, at});
            }
        }
    });
    const std::vector<Write> writes = RunWriter(pty.master, kRunSeconds);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    done.store(true);
    gui.join();
    Report("GUI thread stamps when it gets to the bytes (same freezes):", writes, stamps);
}

// The hub: reader stamp -> blockReceived on the GUI thread (idle event loop), and the cost of
// handing on one queued 1024-byte block.
void HubRun(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Pty pty;
    NsClock clock;
    ReceiverHub hub(clock);
    std::vector<int64_t> handOver;
    size_t received = 0;
    QObject::connect(&hub, &ReceiverHub::blockReceived, [&](const ReceivedBlock& block) {
        handOver.push_back((NowNs() - clock.TimeOf(block.tick)) / 1000);
        received += block.count;
    });
    if (!hub.Open(pty.path, 9600)) {
        std::printf("hub cannot open: %s\n", hub.LastError().toStdString().c_str());
        return;
    }
    const std::string burst(1024, '3');
    std::thread writer([&] {
        for (int i = 0; i < 300; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            [[maybe_unused]] const ssize_t n = write(pty.master, burst.data(), burst.size());
        }
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (received >= 300 * burst.size()) {
            app.quit();
        }
    });
    poll.start(20);
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);
    app.exec();
    writer.join();
    std::printf("Hub hand-over, idle GUI event loop (1024-byte bursts every 10 ms):\n");
    Print("reader stamp -> blockReceived slot", handOver);

    hub.SetManualDrain(true);
    const uint64_t before = hub.BytesReceived();
    constexpr int kQueued = 200;
    for (int i = 0; i < kQueued; ++i) {
        [[maybe_unused]] const ssize_t n = write(pty.master, burst.data(), burst.size());
        while (hub.BytesReceived() < before + (i + 1) * burst.size()) {
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }
    const size_t blocksBefore = handOver.size();
    const int64_t start = NowNs();
    hub.Drain();
    const int64_t spent = NowNs() - start;
    const size_t drained = handOver.size() - blocksBefore;
    std::printf("  Drain of %zu queued blocks (%d KiB): %.2f us per block\n", drained, kQueued,
                drained > 0 ? static_cast<double>(spent) / 1000.0 / drained : 0.0);
    hub.Close();
}

}  // namespace
}  // namespace vantrel::bench

int main(int argc, char** argv) {
    vantrel::bench::ReaderThreadRun();
    vantrel::bench::GuiThreadRun();
    vantrel::bench::HubRun(argc, argv);
    return 0;
}
