// A received block of 1 024 passings booked through the real main window: CIRCUIT session
// running, mask time 0, the record window shown on its Rank page and the result list already
// holding about 19 000 laps of 199 cars. Each figure runs from the call of ProcessPassings
// until the last event it left behind has been handled: the model signals, the layouts and
// the repaint of both windows (checked to have happened). Plain program, both counting
// methods one after the other.
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
#include <optional>
#include <vector>

#include "app/main_window.h"
#include "common/ms_clock.h"
#include "lists/entry_table.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/receiver_codes.h"
#include "reports/record_window.h"
#include "support/bench_window.h"

namespace vantrel {
namespace {

using bench::ThreadCpuMs;

constexpr int kCars = 199;
constexpr int kBlockBytes = 1024;
constexpr int kPrefillBlocks = 19;  // 19 456 laps
constexpr int kTimedBlocks = 15;
constexpr uint32_t kBlockGapMs = 60'000;
constexpr int kSettleMs = 40;
constexpr int kMaxDrainRounds = 50;

using Clock = std::chrono::steady_clock;

double WallMs() {
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

// Counts the events handled and times the repaint of each window (a window is drawn while its
// UpdateRequest is handled).
class BenchApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        ++events;
        if (event->type() != QEvent::UpdateRequest || !receiver->isWidgetType()) {
            return QApplication::notify(receiver, event);
        }
        const double begin = ThreadCpuMs();
        const bool handled = QApplication::notify(receiver, event);
        const double spent = ThreadCpuMs() - begin;
        if (receiver == mainWindow) {
            mainDrawCpuMs += spent;
            ++mainDraws;
        } else if (receiver == recordWindow) {
            recordDrawCpuMs += spent;
            ++recordDraws;
        }
        return handled;
    }

    void ResetCounts() {
        mainDrawCpuMs = recordDrawCpuMs = 0;
        mainDraws = recordDraws = 0;
    }

    QObject* mainWindow = nullptr;
    QObject* recordWindow = nullptr;
    long events = 0;
    double mainDrawCpuMs = 0;
    double recordDrawCpuMs = 0;
    int mainDraws = 0;
    int recordDraws = 0;
};

BenchApplication& App() {
    return *static_cast<BenchApplication*>(QCoreApplication::instance());
}

// Handles every event that is due now, including those the handled ones post, until a round
// handles none.
void DrainEvents() {
    for (int round = 0; round < kMaxDrainRounds; ++round) {
        const long before = App().events;
        QApplication::processEvents(QEventLoop::AllEvents);
        if (App().events == before) {
            return;
        }
    }
}

struct Times {
    double bookWallMs = 0;  // ProcessPassings alone
    double bookCpuMs = 0;
    double wallMs = 0;  // ProcessPassings and everything it left behind, drawing included
    double cpuMs = 0;
    double mainDrawCpuMs = 0;  // of cpuMs, the repaint of each window
    double recordDrawCpuMs = 0;
};

class WindowRace {
public:
    explicit WindowRace(int countingMethod) {
        for (int car = 1; car <= kCars; ++car) {
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
        App().mainWindow = window_.get();
        App().recordWindow = &record;
    }

    bool Running() const { return circuit_ != nullptr && window_->SessionRunning(); }
    int Laps() const { return window_->Results().DataRowCount(); }

    // One block: every car in turn, starting at a different car each time. Null when either
    // window was not drawn.
    std::optional<Times> BookBlock() {
        std::vector<uint8_t> block(kBlockBytes);
        for (int i = 0; i < kBlockBytes; ++i) {
            block[i] = CodeOfCar((next_ + i) % kCars + 1);
        }
        next_ += kBlockBytes;
        tick_ += kBlockGapMs;
        clock_.Set(tick_);
        App().ResetCounts();
        const double wallBegin = WallMs();
        const double cpuBegin = ThreadCpuMs();
        circuit_->Flow().ProcessPassings(block.data(), kBlockBytes, tick_);
        const double wallBooked = WallMs();
        const double cpuBooked = ThreadCpuMs();
        DrainEvents();
        const double wallEnd = WallMs();
        const double cpuEnd = ThreadCpuMs();
        const Times times{wallBooked - wallBegin, cpuBooked - cpuBegin, wallEnd - wallBegin,
                          cpuEnd - cpuBegin,      App().mainDrawCpuMs,  App().recordDrawCpuMs};
        const bool drawn = App().mainDraws > 0 && App().recordDraws > 0;
        // Whatever timers run in the windows fire here, outside the figures.
        QEventLoop settle;
        QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
        settle.exec();
        return drawn ? std::optional<Times>(times) : std::nullopt;
    }

    std::vector<Times> Measure(int blocks) {
        std::vector<Times> all;
        for (int b = 0; b < blocks; ++b) {
            if (const std::optional<Times> t = BookBlock()) {
                all.push_back(*t);
            }
        }
        return all;
    }

    ~WindowRace() { App().mainWindow = App().recordWindow = nullptr; }

private:
    template <typename T>
    T* Find(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

    bench::BenchWindow bench_{kCars};
    std::unique_ptr<TMainForm>& window_ = bench_.window;
    FakeMsClock& clock_ = bench_.clock;
    CircuitController* circuit_ = nullptr;
    uint32_t tick_ = 500'000;
    int next_ = 0;
};

// "median (min-max)" of one figure over the measured blocks.
void PrintFigure(const char* name, const std::vector<Times>& all, double Times::*field) {
    std::vector<double> values;
    for (const Times& t : all) {
        values.push_back(t.*field);
    }
    std::sort(values.begin(), values.end());
    std::printf("  %-36s median %5.1f ms (%.1f-%.1f)\n", name, values[values.size() / 2],
                values.front(), values.back());
}

int Run(int countingMethod) {
    WindowRace race(countingMethod);
    if (!race.Running()) {
        std::fprintf(stderr, "the CIRCUIT session did not start\n");
        return 1;
    }
    race.Measure(kPrefillBlocks);
    const int prefilled = race.Laps();
    const std::vector<Times> all = race.Measure(kTimedBlocks);
    std::printf("%s, blocks of 1024 passings after %d laps, %zu of %d blocks drawn:\n",
                countingMethod == SessionState::kCommonStart ? "common start" : "lap timing",
                prefilled, all.size(), kTimedBlocks);
    if (all.size() != kTimedBlocks) {
        std::fprintf(stderr, "a window was not drawn after a block\n");
        return 1;
    }
    PrintFigure("booked and drawn, wall", all, &Times::wallMs);
    PrintFigure("booked and drawn, GUI thread CPU", all, &Times::cpuMs);
    PrintFigure("  ProcessPassings alone, wall", all, &Times::bookWallMs);
    PrintFigure("  ProcessPassings alone, CPU", all, &Times::bookCpuMs);
    PrintFigure("  main window repaint, CPU", all, &Times::mainDrawCpuMs);
    PrintFigure("  record window repaint, CPU", all, &Times::recordDrawCpuMs);
    return 0;
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    vantrel::BenchApplication app(argc, argv);
    int status = 0;
    for (const int method : {0, vantrel::SessionState::kCommonStart}) {
        status |= vantrel::Run(method);
    }
    return status;
}
