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
#include "app/meet_journal.h"
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
#include "widgets/ui_tr.h"
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
        warnings.Set(SensorWarning::kJournal, Tr(msg::kJournalOff),
                     QString::fromStdString(begun.error));
    }
}

}  // namespace

ListJournal& TMainForm::Journal() {
    return meetJournal_->Journal();
}

void TMainForm::BuildJournal() {
    meetJournal_ = std::make_unique<MeetJournal>(*meet_);
    meetJournal_->OnFilesWritten([this](const ListFiles& files) {
        Panel1->ShowFileName(QString::fromStdString(files.entry.name));
    });
    // A command's changes make one step: it is taken once the command is done.
    meetJournal_->Recorder().OnFirstChange([this] {
        if (!journalFlushQueued_) {
            journalFlushQueued_ = true;
            QTimer::singleShot(0, this, [this] {
                journalFlushQueued_ = false;
                meetJournal_->Journal().Flush();
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
        Panel2->Grid2Undo->setEnabled(meetJournal_->History().CanUndo() ||
                                      meetJournal_->Recorder().HasChanges());
        Panel2->Grid2Redo->setEnabled(meetJournal_->History().CanRedo());
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
    meetJournal_->Recorder().Restart();
    meetJournal_->History().Forget();
    if (std::optional<FoundJournal> found = FindJournalToOffer(folder)) {
        RestoreFromJournal(found->path, found->read);
    } else {
        OpenJournal(meetJournal_->Journal(), *sensorWarnings_, folder, std::nullopt);
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
    ListJournal& journal = meetJournal_->Journal();
    OpenJournal(journal, *sensorWarnings_, *env_.journalFolder, std::move(previous));
    if (damaged) {
        env_.prompter->Warn(
            this,
            Tr(msg::kRestoreDamaged)
                .arg(damage, QString::fromStdString(journal.PreviousPath().string())),
            Tr(msg::kRestoreCaption));
    }
}

void TMainForm::ApplyRestore(const JournalReadResult& read, const JournalReplay& seen,
                             bool sameBoot) {
    MeetJournal::RestoreSteps steps;
    steps.enterMode = [this](RaceMode mode) {
        EnterMode(mode);
        ShowModeInForce();
    };
    steps.startSession = [this] {
        Panel5->SpeedButton1->setChecked(true);
        SpeedButton1Click();
        return state_.running.load();
    };
    steps.restartSession = sameBoot;
    steps.bootId = CurrentBootId();
    const JournalReplay replay = meetJournal_->Restore(read.records, seen, steps);
    circuit_->ShowSettings();  // shows the restored counting method
    Panel1->ShowFileName(QString::fromStdString(replay.files.entryName));
    RebuildRanking();
}

void TMainForm::PollJournal() {
    ListJournal& journal = meetJournal_->Journal();
    journal.Poll();
    if (std::optional<std::string> status = journal.TakeStatusChange()) {
        const bool failing = journal.Writer().PendingBytes() > 0 || !journal.IsOpen();
        sensorWarnings_->Set(SensorWarning::kJournal,
                             failing ? Tr(msg::kJournalWarning) : QString(),
                             failing ? QString::fromStdString(*status) : QString());
        SetStatusText(0, QString::fromStdString(*status));
    }
}

bool TMainForm::UndoClick() {
    if (resultList_->Editing() || entryList_->Commands().EditState().Editing()) {
        return false;
    }
    const ListStep* step = meetJournal_->NextUndo();
    if (step == nullptr) {
        return false;
    }
    if (!meetJournal_->CanUndoNow(*step)) {
        env_.prompter->Warn(this, Tr(msg::kUndoCourseFull).arg(step->finishedRun->car),
                            Tr(msg::kUndoCaption));
        return false;
    }
    if (step->kind == StepKind::kBooking &&
        !env_.prompter->AskYesNo(this, Tr(msg::kUndoBookingQuestion).arg(BookedCarOf(*step)),
                                 Tr(msg::kUndoCaption))) {
        return false;
    }
    const bool done = meetJournal_->Undo();
    RebuildRanking();
    return done;
}

bool TMainForm::RedoClick() {
    if (resultList_->Editing() || entryList_->Commands().EditState().Editing()) {
        return false;
    }
    const bool done = meetJournal_->Redo();
    RebuildRanking();
    return done;
}

}  // namespace vantrel
