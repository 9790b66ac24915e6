#include "timing_session_cpu.h"

#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

#include "app/main_window.h"
#include "common/ms_clock.h"
#include "modes/drag_tree.h"
#include "sensors/parallel_port.h"
#include "sensors/sampler.h"
#include "sensors/timing_loop.h"
#include "support/recording_audio.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "timing_support.h"

namespace vantrel::bench {
namespace {

// utime + stime in clock ticks and the name of every thread of this process.
std::map<int, std::pair<std::string, long>> ThreadTimes() {
    std::map<int, std::pair<std::string, long>> times;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "stat");
        std::string line;
        std::getline(in, line);
        const size_t open = line.find('(');
        const size_t close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos) {
            continue;
        }
        std::istringstream rest(line.substr(close + 2));
        std::string field;
        long utime = 0;
        long stime = 0;
        for (int i = 3; i <= 15 && rest >> field; ++i) {
            if (i == 14) {
                utime = std::stol(field);
            } else if (i == 15) {
                stime = std::stol(field);
            }
        }
        times[std::stoi(task.path().filename().string())] = {
            line.substr(open + 1, close - open - 1), utime + stime};
    }
    return times;
}

double ProcessCpuSeconds(long& switches) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    switches = usage.ru_nvcsw + usage.ru_nivcsw;
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A port behind ppdev: every request enters the kernel (an ioctl the plain file refuses), the
// registers are kept here; the control register reads back its output bits only.
class SyscallPort final : public PpdevIo {
public:
    int Ioctl(int fd, unsigned long request, void* arg) override {
        ::ioctl(fd, request, arg);
        auto* byte = static_cast<unsigned char*>(arg);
        switch (request) {
            case PPRDATA:
                ++reads;
                *byte = 0xFF;
                break;
            case PPRSTATUS:
                ++reads;
                *byte = 0x7F;
                break;
            case PPRCONTROL:
                ++reads;
                *byte = control & 0x0F;
                break;
            case PPWCONTROL:
                ++writes;
                control = *byte;
                break;
            default:
                break;
        }
        return 0;
    }

    std::atomic<long> reads{0};
    std::atomic<long> writes{0};
    unsigned char control = 0x0B;
};

template <typename T>
T* Named(const QObject& root, const char* name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        std::fprintf(stderr, "cpu: no %s in the main window\n", name);
        std::abort();
    }
    return found;
}

// The GUI thread's event loop for `seconds`, as the program runs it.
void RunEvents(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

SessionCpuResult RunWindowSessionCpu(int periodMs, double seconds, bool drag) {
    test::TempDir dir;
    test::WriteBytes(dir.Path() / "Vantrel.ini",
                     "[Setup]\r\nIoAddress=None\r\nCommPort=None\r\nResolution=" +
                         std::to_string(periodMs) + "\r\n");
    test::ScriptedPrompter prompter;
    MonotonicMsClock clock;
    test::RecordingAudio audio;
    auto window =
        std::make_unique<TMainForm>(MainWindowEnvironment{dir.Path(), &prompter, &clock, &audio});
    window->show();
    QApplication::processEvents();
    if (drag) {
        Named<QTabWidget>(*window, "PageControl1")->setCurrentIndex(1);
    }
    QKeyEvent altS(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
    QApplication::sendEvent(Named<QTableView>(*window, "StringGrid1"), &altS);
    RunEvents(1.0);  // the session settles

    long switchesBefore = 0;
    long switchesAfter = 0;
    const auto threadsBefore = ThreadTimes();
    const double cpuBefore = ProcessCpuSeconds(switchesBefore);
    const int64_t begin = NowNs();
    RunEvents(seconds);
    const double wall = (NowNs() - begin) / 1e9;
    const double cpu = ProcessCpuSeconds(switchesAfter) - cpuBefore;
    const auto threadsAfter = ThreadTimes();

    SessionCpuResult r;
    r.seconds = wall;
    r.processPercent = 100 * cpu / wall;
    r.voluntarySwitches = static_cast<long>((switchesAfter - switchesBefore) / wall);
    const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    for (const auto& [tid, after] : threadsAfter) {
        const auto before = threadsBefore.find(tid);
        const long ticks =
            after.second - (before != threadsBefore.end() ? before->second.second : 0);
        r.threads.push_back({after.first, 100 * ticks / tick / wall});
    }
    std::sort(r.threads.begin(), r.threads.end(),
              [](const ThreadCpu& a, const ThreadCpu& b) { return a.percent > b.percent; });

    QKeyEvent stop(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
    QApplication::sendEvent(Named<QTableView>(*window, "StringGrid1"), &stop);
    QApplication::processEvents();
    window->State().resultModified = false;
    window->State().entryModified = false;
    return r;
}

PortCpuResult RunPortSessionCpu(int periodMs, double seconds) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.Path() / "proc" / "parport0");
    std::filesystem::create_directories(dir.Path() / "dev");
    test::WriteBytes(dir.Path() / "proc" / "parport0" / "base-addr", "888\t1912\n");
    test::WriteBytes(dir.Path() / "dev" / "parport0", "");
    SyscallPort port;
    PortDriver driver(dir.Path() / "proc", dir.Path() / "dev", &port);
    driver.OpenDriver(0x378);
    ParallelPortSource source(driver);
    MonotonicMsClock clock;
    SensorEventQueue queue;
    DragTree tree;
    SamplerConfig config;
    config.ioAddress = 0x378;
    config.pollPeriodMs = periodMs;
    config.source = &source;
    config.dragHook = &tree;
    Sampler sampler(clock, queue);
    sampler.Configure(config);
    sampler.SetActiveMode(RaceMode::kDrag);
    sampler.Prime();
    std::atomic<bool> running{true};
    TimingLoop loop(sampler, clock, running, nullptr);
    loop.Arm();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the session settles

    long switches = 0;
    const long reads = port.reads.load();
    const long writes = port.writes.load();
    const double cpuBefore = ProcessCpuSeconds(switches);
    const int64_t begin = NowNs();
    std::this_thread::sleep_for(std::chrono::nanoseconds(static_cast<int64_t>(seconds * 1e9)));
    const double wall = (NowNs() - begin) / 1e9;
    PortCpuResult r;
    r.processPercent = 100 * (ProcessCpuSeconds(switches) - cpuBefore) / wall;
    const long tickReads = port.reads.load() - reads;
    const long tickWrites = port.writes.load() - writes;
    running = false;
    loop.Join();
    r.ticks = static_cast<long>(wall * 1000 / periodMs);
    r.readsPerTick = static_cast<double>(tickReads) / static_cast<double>(r.ticks);
    r.writesPerTick = static_cast<double>(tickWrites) / static_cast<double>(r.ticks);
    return r;
}

}  // namespace vantrel::bench
