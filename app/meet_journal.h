#pragma once
// The journal of the event: every change of the lists, the files, the session, the cars on
// course of every mode, the gymkhana's start queue and the DRAG tab's next car go to the journal
// as they happen; undo and redo act on the lists and are journalled too; and what a crash left
// unsaved comes back onto the event, its running session included.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "journal/journal_record.h"
#include "journal/journal_replay.h"
#include "journal/list_journal.h"
#include "lists/list_recorder.h"
#include "lists/list_undo.h"

namespace vantrel {

class Meet;

class MeetJournal {
public:
    // `meet` must outlive this object.
    explicit MeetJournal(Meet& meet);
    MeetJournal(const MeetJournal&) = delete;
    MeetJournal& operator=(const MeetJournal&) = delete;

    ListRecorder& Recorder() { return recorder_; }
    ListUndo& History() { return undo_; }
    ListJournal& Journal() { return journal_; }
    // Told when undo or redo put the list files back, for the window to show the names.
    void OnFilesWritten(std::function<void(const ListFiles&)> listener) {
        filesWritten_ = std::move(listener);
    }

    // The step the next undo acts on, after the changes so far are taken as one; null: none.
    const ListStep* NextUndo();
    // Whether the next undo's finished run has room to go back on course.
    bool CanUndoNow(const ListStep& step) const;
    // Undo and redo, journalled with the cars on course they leave; false: nothing to do.
    bool Undo();
    bool Redo();

    // A session began (after the event's StartSession) or stopped.
    void SessionStarted(const std::string& bootId);
    void SessionStopped() { journal_.SessionStopped(); }

    // What the restore asks of whoever runs the event: the window's mode change does more
    // than the event's, and only the window starts a session (ports, timers, threads).
    struct RestoreSteps {
        std::function<void(RaceMode)> enterMode;  // to the journal's mode, when another is in force
        std::function<bool()> startSession;       // false: the session did not start
        bool restartSession = false;              // the journal's session runs again
        std::string bootId;
    };
    // Brings back what `records` hold: the lists, files, mode, counting method, undo history,
    // the start queue and both tabs' next cars; and, when the journal's session is to run
    // again, that session with its start, each car's laps and counters and the cars on course.
    // Nothing it does is a step of the lists.
    JournalReplay Restore(const std::vector<JournalRecord>& records, const JournalReplay& seen,
                          const RestoreSteps& steps);

private:
    Meet& meet_;
    ListRecorder recorder_;
    ListUndo undo_;
    ListJournal journal_;
    // What a session start empties and a restored session keeps: laps and counters.
    struct KeptLaps {
        std::vector<std::string> laps;  // the "Lap" column, cars 1..kLastCar
        std::array<int32_t, kCarSlots> runCount{};
        std::array<uint32_t, kCarSlots> firstPassTime{};
        std::array<uint32_t, kCarSlots> lastPassTime{};
    };
    KeptLaps KeepLaps() const;
    void ResumeSession(const JournalReplay& replay, const KeptLaps& kept,
                       const std::string& bootId);

    std::function<void(const ListFiles&)> filesWritten_;
};

}  // namespace vantrel
