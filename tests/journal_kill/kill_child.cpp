// The program as the crash tests run it: the real main window with its journal and its real
// timing thread, the sensor lines read from the page the test drives (the receiver is a real
// port the test writes to), every question answered "yes" (so a restore is always taken). It
// tells the test when its sampling read each line go active and how much of the event its
// journal has on disk, and carries out the test's commands. The test kills it at random and
// starts it again.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
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
#include "modes/drag_flow.h"
#include "modes/drag_page.h"
#include "sensors/input_source.h"
#include "sensors/sensor_hub.h"
#include "sensors/simulation_script.h"
#include "support/recording_audio.h"
#include "support/scripted_prompter.h"
#include "tests/journal_kill/kill_shared.h"
#include "widgets/radio_group.h"

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
        for (uint32_t bit : {KillShared::kStart, KillShared::kFinish, KillShared::kDragStart,
                             KillShared::kDragFinish}) {
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
        // The drag lines are data lines, active low.
        for (auto [bit, line] :
             {std::pair{KillShared::kDragStart, 1}, {KillShared::kDragFinish, 7}}) {
            if ((lines & bit) != 0) {
                out.dataByte = static_cast<uint8_t>(out.dataByte & ~(1u << line));
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
        Meet& event = window_.Event();
        Counts now;
        now.runs = event.Results().IsEmpty() ? 0 : event.Results().DataRowCount();
        now.starts = now.runs + static_cast<int32_t>(event.CarsOnCourseNow().size());
        now.dragBox = CarOfBox(event.Drag().CarBoxText());
        now.runCar = event.Drag().RunCar();
        shared_.dragBoxNow.store(now.dragBox);
        JournalWriter& writer = window_.Journal().Writer();
        now.lastSeq = writer.NextSeq() - 1;
        if (looks_.empty() || !looks_.back().SameAs(now)) {
            looks_.push_back(now);
        }
        while (!looks_.empty() && looks_.front().lastSeq <= writer.DurableSeq()) {
            shared_.durableStarts.store(looks_.front().starts);
            shared_.durableRuns.store(looks_.front().runs);
            shared_.durableDragBox.store(looks_.front().dragBox);
            shared_.durableRunCar.store(looks_.front().runCar);
            looks_.pop_front();
        }
    }

private:
    struct Counts {
        int32_t starts = 0;
        int32_t runs = 0;
        int32_t dragBox = 0;
        int32_t runCar = 0;
        uint64_t lastSeq = 0;  // the journal's last record when they were taken
        bool SameAs(const Counts& other) const {
            return starts == other.starts && runs == other.runs && dragBox == other.dragBox &&
                   runCar == other.runCar;
        }
    };
    static int32_t CarOfBox(const std::string& text) {
        return text.empty() || text.find_first_not_of("0123456789") != std::string::npos
                   ? 0
                   : std::stoi(text.substr(0, 4));
    }
    TMainForm& window_;
    KillShared& shared_;
    std::deque<Counts> looks_;
};

void StartSession(TMainForm& window, KillShared& shared) {
    if (!window.SessionRunning()) {
        window.Panel5->SpeedButton1->setChecked(true);
        window.SpeedButton1Click();
    }
    shared.sessionStartTick.store(window.State().sessionStartTick);
}

// Carries out the test's command, as the timekeeper would give it in the window.
void Carry(TMainForm& window, KillShared& shared, const std::filesystem::path& results) {
    const int32_t arg = shared.commandArg.load();
    switch (shared.command.load()) {
        case KillShared::kSave: {
            std::filesystem::path file = results;
            file += "." + std::to_string(arg);
            const IoResult saved = window.ResultList()->Commands().Save(file);
            if (!saved) {
                std::fprintf(stderr, "save: %s\n", saved.error.c_str());
            }
            break;
        }
        case KillShared::kUndo:
            window.UndoClick();
            break;
        case KillShared::kMode: {
            window.PageControl1->setCurrentIndex(arg % 16);
            auto* method = window.findChild<RadioGroup*>(QStringLiteral("RadioGroup300"));
            method->SetItemIndex(arg / 16);
            emit method->itemClicked(arg / 16);
            break;
        }
        case KillShared::kStartSession:
            StartSession(window, shared);
            break;
        case KillShared::kStopSession:
            window.StopWithQuestion();
            break;
        case KillShared::kDragCar:
            window.TabSheet2->Memo204->setText(QString::number(arg));
            break;
    }
}

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
    for (int i = 0; i < 10000; ++i) {
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
    StartSession(window, *shared);
    DurablePublisher durable(window, *shared);
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&durable] { durable.Look(); });
    look.start(5);
    const std::filesystem::path results = argv[4];
    uint32_t carried = shared->commandSeq.load();
    shared->commandDone.store(carried);
    QTimer commands;
    QObject::connect(&commands, &QTimer::timeout, [&] {
        const uint32_t seq = shared->commandSeq.load();
        if (seq != carried) {
            carried = seq;
            Carry(window, *shared, results);
            shared->commandDone.store(seq);
        }
    });
    commands.start(5);
    shared->readyPid.store(static_cast<int32_t>(getpid()));
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
