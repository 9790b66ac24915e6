// The main window's journal of the lists: what a crash left unsaved is offered back at the
// first show, every change goes to the journal as it happens, and undo and redo act on the
// lists.
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "app/clock_panel.h"
#include "app/journal_messages.h"
#include "app/main_window.h"
#include "app/restore_question.h"
#include "app/sensor_warning_panel.h"
#include "common/messages.h"
#include "journal/boot_id.h"
#include "journal/journal_place.h"
#include "journal/journal_replay.h"
#include "journal/list_journal.h"
#include "lists/entry_list_controller.h"
#include "lists/entry_panel.h"
#include "lists/list_recorder.h"
#include "lists/list_undo.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "modes/circuit_controller.h"
#include "widgets/prompter.h"
#include "widgets/shortcut_keys.h"
#include "widgets/widget_util.h"

namespace vantrel {
namespace {

constexpr int kJournalPollMs = 100;

// Begins the new journal, which sets `previous` aside once it holds what that one did; a
// journal that cannot be made is shown.
void OpenJournal(ListJournal& journal, SensorWarningPanel& warnings,
                 const std::filesystem::path& folder,
                 std::optional<ListJournal::Previous> previous) {
    const IoResult begun = journal.Begin(folder, std::move(previous));
    if (!begun) {
        warnings.Set(SensorWarning::kJournal, QString::fromUtf8(msg::kJournalOff),
                     QString::fromStdString(begun.error));
    }
}

}  // namespace

void TMainForm::BuildJournal() {
    recorder_ = std::make_unique<ListRecorder>(entries_, results_, state_);
    undo_ = std::make_unique<ListUndo>(ListTarget{entries_, results_, state_}, *recorder_);
    ListJournal::Sources sources;
    sources.files = [this] {
        const ListFiles files = meet_->Files();
        return JournalFiles{files.entry.folder, files.entry.name,    files.result.folder,
                            files.result.name,  files.entryModified, files.resultModified};
    };
    recorder_->WatchFiles([this] { return meet_->Files(); });
    undo_->OnFinishedRun(
        [this](const CarOnCourse& run, bool undone) { meet_->TakeBackFinish(run, undone); });
    undo_->WriteFilesWith([this](const ListFiles& files) {
        meet_->RestoreFiles(files);
        Panel1->ShowFileName(QString::fromStdString(files.entry.name));
    });
    sources.course = [this] { return JournalCourse{meet_->CarsOnCourseNow()}; };
    sources.starters = [this] {
        const StartList& starters = meet_->Gymkhana().Starters();
        return JournalStarters{starters.ProposalText(), starters.Queue()};
    };
    journal_ = std::make_unique<ListJournal>(ListTarget{entries_, results_, state_}, *recorder_,
                                             *undo_, std::move(sources));
    // A list too large for the journal is refused before any row changes.
    meet_->ResultList().CheckLoadsWith(
        [this](const TableRows& rows) { return journal_->LoadRefusal(rows); });
    // A car put on course is journalled with its start tick at once.
    meet_->OnInputTaken([this] { journal_->Note(); });
    // A command's changes make one step: it is taken once the command is done.
    recorder_->OnFirstChange([this] {
        if (!journalFlushQueued_) {
            journalFlushQueued_ = true;
            QTimer::singleShot(0, this, [this] {
                journalFlushQueued_ = false;
                journal_->Flush();
            });
        }
    });
    journalTimer_ = MakeNamed<QTimer>(this, "JournalTimer");
    connect(journalTimer_, &QTimer::timeout, this, &TMainForm::PollJournal);
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, &TMainForm::UndoClick);
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), this);
    connect(redo, &QShortcut::activated, this, &TMainForm::RedoClick);
    LeaveKeysToShortcuts(this, {undo, redo});
    connect(Panel2->Grid2Undo, &QAction::triggered, this, &TMainForm::UndoClick);
    connect(Panel2->Grid2Redo, &QAction::triggered, this, &TMainForm::RedoClick);
    connect(Panel2->Grid2Popup, &QMenu::aboutToShow, this, [this] {
        Panel2->Grid2Undo->setEnabled(undo_->CanUndo() || recorder_->HasChanges());
        Panel2->Grid2Redo->setEnabled(undo_->CanRedo());
    });
}

void TMainForm::BeginJournal() {
    if (!env_.journalFolder) {
        return;
    }
    const std::filesystem::path& folder = *env_.journalFolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    // Whatever the start-up did to the lists is where the journal and undo begin.
    recorder_->Restart();
    undo_->Forget();
    if (std::optional<FoundJournal> found = FindJournalToOffer(folder)) {
        RestoreFromJournal(found->path, found->read);
    } else {
        OpenJournal(*journal_, *sensorWarnings_, folder, std::nullopt);
    }
    journalTimer_->start(kJournalPollMs);
}

// The old journal is set aside only by the new one, once that holds what the old one did: a
// full disk or a kill before then finds the old one again at the next start.
void TMainForm::RestoreFromJournal(const std::filesystem::path& path,
                                   const JournalReadResult& read) {
    const QString damage = QString::fromStdString(DamageText(read));
    const bool damaged = read.damage != JournalDamage::kNone;
    const JournalReplay seen = InspectJournal(read.records);
    std::optional<ListJournal::Previous> previous;
    if (!seen.HoldsUnsavedWork()) {
        if (damaged) {
            previous = ListJournal::Previous{path, "damaged"};
        }
    } else {
        const bool sameBoot = seen.session.has_value() && !seen.session->bootId.empty() &&
                              seen.session->bootId == CurrentBootId();
        if (AskToRestore(*env_.prompter, this, seen, sameBoot, damage)) {
            ApplyRestore(read, seen, sameBoot);
            previous = ListJournal::Previous{path, damaged ? "damaged" : "restored"};
        } else {
            previous = ListJournal::Previous{path, "declined"};
        }
    }
    OpenJournal(*journal_, *sensorWarnings_, *env_.journalFolder, std::move(previous));
    if (damaged) {
        env_.prompter->Warn(
            this,
            QString::fromUtf8(msg::kRestoreDamaged)
                .arg(damage, QString::fromStdString(journal_->PreviousPath().string())),
            QString::fromUtf8(msg::kRestoreCaption));
    }
}

void TMainForm::ApplyRestore(const JournalReadResult& read, const JournalReplay& seen,
                             bool sameBoot) {
    recorder_->Pause();
    if (seen.mode != state_.currentMode) {
        EnterMode(seen.mode);
        ShowModeInForce();
    }
    const JournalReplay replay =
        ReplayJournal(read.records, {entries_, results_, state_}, *recorder_, *undo_);
    state_.countingMethod = replay.countingMethod;
    circuit_->ShowSettings();  // shows the restored counting method
    meet_->EntryList().RestoreFile({replay.files.entryFolder, replay.files.entryName});
    meet_->ResultList().RestoreFile({replay.files.resultFolder, replay.files.resultName});
    Panel1->ShowFileName(QString::fromStdString(replay.files.entryName));
    state_.entryModified = replay.files.entryModified;
    state_.resultModified = replay.files.resultModified;
    if (replay.session && sameBoot) {
        RestartRestoredSession(replay);
    }
    recorder_->Resume();
    RebuildRanking();
}

void TMainForm::RestartRestoredSession(const JournalReplay& seen) {
    // The session start empties the "Lap" column and the counters; the restored ones go back.
    std::vector<std::string> laps;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        laps.push_back(entries_.Cell(EntryTable::kLap, car));
    }
    const auto runCount = state_.runCount;
    const auto firstPass = state_.firstPassTime;
    const auto lastPass = state_.lastPassTime;
    Panel5->SpeedButton1->setChecked(true);
    SpeedButton1Click();
    if (!state_.running) {
        return;
    }
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        entries_.SetCell(EntryTable::kLap, car, laps[static_cast<size_t>(car - 1)]);
    }
    state_.runCount = runCount;
    state_.firstPassTime = firstPass;
    state_.lastPassTime = lastPass;
    state_.sessionStartTick = seen.session->startTick;
    ModeInForce().PutBackOnCourse(seen.course.cars);
    if (seen.starters && state_.currentMode == seen.session->mode) {
        meet_->Gymkhana().RestoreStarters(seen.starters->proposal, seen.starters->queue);
    }
    JournalSessionStarted();
}

void TMainForm::JournalSessionStarted() {
    journal_->SessionStarted(
        {state_.currentMode, state_.countingMethod, state_.sessionStartTick, CurrentBootId()});
    journal_->Note();
}

void TMainForm::PollJournal() {
    journal_->Poll();
    if (std::optional<std::string> status = journal_->TakeStatusChange()) {
        const bool failing = journal_->Writer().PendingBytes() > 0 || !journal_->IsOpen();
        sensorWarnings_->Set(SensorWarning::kJournal,
                             failing ? QString::fromUtf8(msg::kJournalWarning) : QString(),
                             failing ? QString::fromStdString(*status) : QString());
        SetStatusText(0, QString::fromStdString(*status));
    }
}

bool TMainForm::UndoClick() {
    if (resultList_->Editing() || entryList_->Commands().EditState().Editing()) {
        return false;
    }
    journal_->Flush();
    const ListStep* step = undo_->NextUndo();
    if (step == nullptr) {
        return false;
    }
    if (step->finishedRun && !meet_->CanTakeBackFinish(*step->finishedRun)) {
        env_.prompter->Warn(this,
                            QString::fromUtf8(msg::kUndoCourseFull).arg(step->finishedRun->car),
                            QString::fromUtf8(msg::kUndoCaption));
        return false;
    }
    if (step->kind == StepKind::kBooking &&
        !env_.prompter->AskYesNo(
            this, QString::fromUtf8(msg::kUndoBookingQuestion).arg(BookedCarOf(*step)),
            QString::fromUtf8(msg::kUndoCaption))) {
        return false;
    }
    const bool done = journal_->Undo();
    journal_->Note();  // a run put back on course is journalled with its start at once
    RebuildRanking();
    return done;
}

bool TMainForm::RedoClick() {
    if (resultList_->Editing() || entryList_->Commands().EditState().Editing()) {
        return false;
    }
    const bool done = journal_->Redo();
    journal_->Note();
    RebuildRanking();
    return done;
}

}  // namespace vantrel
