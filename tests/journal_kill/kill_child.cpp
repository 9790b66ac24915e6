// The program as the crash test runs it: the real main window with its journal and its real
// timing thread, the sensor lines read from the page the test drives, every question answered
// "yes" (so a restore is always taken). It tells the test when its sampling read each line go
// active and how much of the event its journal has on disk. The test kills it at random and
// starts it again.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <filesystem>

#include "app/clock_panel.h"
#include "app/main_window.h"
#include "app/meet.h"
#include "common/ms_clock.h"
#include "journal/journal_writer.h"
#include "journal/list_journal.h"
#include "lists/result_list_controller.h"
#include "sensors/input_source.h"
#include "sensors/sensor_hub.h"
#include "sensors/simulation_script.h"
#include "support/recording_audio.h"
#include "support/scripted_prompter.h"
#include "tests/journal_kill/kill_shared.h"

namespace vantrel::test {
namespace {

// The start and finish lines as the page shows them, on the default pins.
class SharedLinesSource final : public InputSource {
public:
    explicit SharedLinesSource(KillShared& shared) : shared_(shared) {
        const ScriptParseResult pins = ParseSimulationScript("0 pin13 active\n0 pin10 active\n");
        start_ = pins.script.steps.at(0);
        finish_ = pins.script.steps.at(1);
    }
    ReadRule Rule() const override { return ReadRule::kLevels; }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(uint32_t now, RawSample& out) override {
        const uint32_t lines = shared_.lines.load();
        for (uint32_t bit : {KillShared::kStart, KillShared::kFinish}) {
            if ((lines & bit) != 0 && (lastLines_ & bit) == 0) {
                shared_.seenTick[KillShared::Line(bit)].store(now);
                shared_.seen[KillShared::Line(bit)].fetch_add(1);
            }
        }
        lastLines_ = lines;
        out = RawSample{};
        for (auto [bit, step] :
             {std::pair{KillShared::kStart, start_}, std::pair{KillShared::kFinish, finish_}}) {
            if ((lines & bit) != 0) {
                out.statusByte =
                    static_cast<uint8_t>((out.statusByte & step.andMask) | step.orMask);
            }
        }
        return true;
    }
    void WriteLamp(uint8_t) override {}
    void Close() override {}
    std::string LastError() const override { return {}; }

private:
    KillShared& shared_;
    uint32_t lastLines_ = 0;  // as the previous read found them
    ScriptStep start_;
    ScriptStep finish_;
};

// Tells the test how many cars have started and how many runs are booked as far as the journal
// has them on disk: the counts are taken with the journal's last record at the time, and
// published once that record is durable.
class DurablePublisher {
public:
    DurablePublisher(TMainForm& window, KillShared& shared) : window_(window), shared_(shared) {}

    void Look() {
        const Meet& event = window_.Event();
        const int32_t runs = event.Results().IsEmpty() ? 0 : event.Results().DataRowCount();
        const auto starts = runs + static_cast<int32_t>(event.CarsOnCourseNow().size());
        JournalWriter& writer = window_.Journal().Writer();
        if (looks_.empty() || looks_.back().starts != starts || looks_.back().runs != runs) {
            looks_.push_back({starts, runs, writer.NextSeq() - 1});
        }
        while (!looks_.empty() && looks_.front().lastSeq <= writer.DurableSeq()) {
            shared_.durableStarts.store(looks_.front().starts);
            shared_.durableRuns.store(looks_.front().runs);
            looks_.pop_front();
        }
    }

private:
    struct Counts {
        int32_t starts = 0;
        int32_t runs = 0;
        uint64_t lastSeq = 0;  // the journal's last record when they were taken
    };
    TMainForm& window_;
    KillShared& shared_;
    std::deque<Counts> looks_;
};

int Run(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: kill_child PROGRAM_DIR JOURNAL_DIR SHARED_FILE RESULTS\n");
        return 2;
    }
    KillShared* shared = MapKillShared(argv[3], false);
    if (shared == nullptr) {
        std::perror("shared page");
        return 2;
    }
    ScriptedPrompter prompter;
    for (int i = 0; i < 20; ++i) {
        prompter.AnswerYes();
    }
    MonotonicMsClock clock;
    RecordingAudio audio;
    MainWindowEnvironment env{argv[1], &prompter, &clock, &audio};
    env.journalFolder = std::filesystem::path(argv[2]);
    TMainForm window(env);
    window.Sensors().UseSource(std::make_unique<SharedLinesSource>(*shared));
    window.show();
    // The first show offers the restore; a restored session is running again after it.
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }
    if (!window.SessionRunning()) {
        window.Panel5->SpeedButton1->setChecked(true);
        window.SpeedButton1Click();
    }
    DurablePublisher durable(window, *shared);
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&durable] { durable.Look(); });
    look.start(5);
    shared->readyPid.store(static_cast<int32_t>(getpid()));
    const std::filesystem::path results = argv[4];
    QTimer finish;
    QObject::connect(&finish, &QTimer::timeout, [&] {
        if (shared->finish.load() == 0) {
            return;
        }
        finish.stop();
        window.StopWithQuestion();
        const IoResult saved = window.ResultList()->Commands().Save(results);
        if (!saved) {
            std::fprintf(stderr, "save: %s\n", saved.error.c_str());
        }
        window.close();
        QApplication::quit();
    });
    finish.start(10);
    return QApplication::exec();
}

}  // namespace
}  // namespace vantrel::test

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    return vantrel::test::Run(argc, argv);
}
