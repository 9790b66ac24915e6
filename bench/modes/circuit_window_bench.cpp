// A received block of 1 024 passings booked through the real main window: CIRCUIT session
// running, mask time 0, the record window shown on its Rank page and the result list already
// holding about 19 000 laps of 199 cars. Each figure is ProcessPassings plus the paint and
// update events it leaves behind. Plain program, both counting methods one after the other.
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "common/ms_clock.h"
#include "lists/entry_table.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/receiver_codes.h"
#include "reports/record_window.h"
#include "support/recording_audio.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

constexpr int kCars = 199;
constexpr int kBlockBytes = 1024;
constexpr int kPrefillBlocks = 19;  // 19 456 laps
constexpr int kTimedBlocks = 10;
constexpr uint32_t kBlockGapMs = 60'000;
constexpr int kSettleMs = 40;

using Clock = std::chrono::steady_clock;

// Wall time, and the GUI thread's own CPU time, which other programs on a busy machine do not
// inflate.
struct Times {
    double wallMs = 0;     // ProcessPassings alone
    double cpuMs = 0;      // ProcessPassings and the drawing it causes
    double drawCpuMs = 0;  // of cpuMs, the paint and update events after ProcessPassings
};

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Figures {
    Times median;
    Times max;
    int laps = 0;
};

class WindowRace {
public:
    explicit WindowRace(int countingMethod) {
        test::WriteBytes(dir_.Path() / "Vantrel.ini",
                         "[Setup]\r\nIoAddress=None\r\nCommPort=None\r\n");
        window_ = std::make_unique<TMainForm>(
            MainWindowEnvironment{dir_.Path(), &prompter_, &clock_, &audio_});
        window_->show();
        QApplication::processEvents();
        for (int car = 1; car <= kCars; ++car) {
            window_->Entries().SetCell(EntryTable::kName, car, "山田 太郎" + std::to_string(car));
            window_->Entries().SetCell(EntryTable::kModel, car, "ｼﾋﾞｯｸ EK9");
        }
        Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
        auto* method = Find<RadioGroup>("RadioGroup300");
        method->SetItemIndex(countingMethod);
        emit method->itemClicked(countingMethod);
        QKeyEvent alt(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
        QApplication::sendEvent(Find<QTableView>("StringGrid1"), &alt);
        window_->State().maskTimeS = 0;
        circuit_ = window_->findChild<CircuitController*>();
        TRecordForm& record = window_->Record();
        record.PageControl1->setCurrentIndex(0);
        record.show();
        QApplication::processEvents();
    }

    bool Running() const { return circuit_ != nullptr && window_->SessionRunning(); }
    int Laps() const { return window_->Results().DataRowCount(); }

    // One block: every car in turn, starting at a different car each time.
    Times BookBlock() {
        std::vector<uint8_t> block(kBlockBytes);
        for (int i = 0; i < kBlockBytes; ++i) {
            block[i] = CodeOfCar((next_ + i) % kCars + 1);
        }
        next_ += kBlockBytes;
        tick_ += kBlockGapMs;
        clock_.Set(tick_);
        const auto begin = Clock::now();
        const double cpuBegin = ThreadCpuMs();
        circuit_->ProcessPassings(block.data(), kBlockBytes, tick_);
        const double cpuBooked = ThreadCpuMs();
        const double wallBooked =
            std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
        // The windows are drawn when the platform's update timer fires, a few ms later.
        QEventLoop settle;
        QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
        settle.exec();
        const double cpuEnd = ThreadCpuMs();
        return {wallBooked, cpuEnd - cpuBegin, cpuEnd - cpuBooked};
    }

    Figures Measure(int blocks) {
        std::vector<double> wall, cpu, draw;
        const int before = Laps();
        for (int b = 0; b < blocks; ++b) {
            const Times t = BookBlock();
            wall.push_back(t.wallMs);
            cpu.push_back(t.cpuMs);
            draw.push_back(t.drawCpuMs);
        }
        std::sort(wall.begin(), wall.end());
        std::sort(cpu.begin(), cpu.end());
        std::sort(draw.begin(), draw.end());
        const size_t mid = wall.size() / 2;
        return Figures{{wall[mid], cpu[mid], draw[mid]},
                       {wall.back(), cpu.back(), draw.back()},
                       (Laps() - before) / blocks};
    }

    ~WindowRace() {
        window_->State().entryModified = false;
        window_->State().resultModified = false;
    }

private:
    template <typename T>
    T* Find(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

    test::TempDir dir_;
    test::ScriptedPrompter prompter_;
    FakeMsClock clock_{500'000};
    test::RecordingAudio audio_;
    std::unique_ptr<TMainForm> window_;
    CircuitController* circuit_ = nullptr;
    uint32_t tick_ = 500'000;
    int next_ = 0;
};

int Run(int countingMethod) {
    WindowRace race(countingMethod);
    if (!race.Running()) {
        std::fprintf(stderr, "the CIRCUIT session did not start\n");
        return 1;
    }
    const Figures first = race.Measure(1);
    for (int b = 1; b < kPrefillBlocks; ++b) {
        race.BookBlock();
    }
    const int prefilled = race.Laps();
    const Figures late = race.Measure(kTimedBlocks);
    std::printf(
        "%s, block of 1024 passings, ProcessPassings wall ms (GUI thread CPU including the "
        "drawing; of it drawing):\n"
        "  first block, %d laps: %.1f (%.1f; %.1f)\n"
        "  after %d laps, %d laps a block: median %.1f (%.1f; %.1f), max %.1f (%.1f)\n",
        countingMethod == SessionState::kCommonStart ? "common start" : "lap timing", first.laps,
        first.median.wallMs, first.median.cpuMs, first.median.drawCpuMs, prefilled, late.laps,
        late.median.wallMs, late.median.cpuMs, late.median.drawCpuMs, late.max.wallMs,
        late.max.cpuMs);
    return 0;
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    int status = 0;
    for (const int method : {0, vantrel::SessionState::kCommonStart}) {
        status |= vantrel::Run(method);
    }
    return status;
}
