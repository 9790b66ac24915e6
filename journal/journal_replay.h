#pragma once
// Replays a journal's records onto the lists: the checkpoint, then every step, undo and redo
// in order, so that the lists, counters and undo history end as they were when the last record
// was written. Also gathers what the restore question and the restore need to know.
// Thread rule: GUI thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/journal_content.h"
#include "journal/journal_record.h"
#include "lists/list_recorder.h"
#include "lists/list_undo.h"

namespace vantrel {

struct JournalReplay {
    JournalFiles files;
    std::optional<JournalSession> session;  // the session running at the last record
    JournalCourse course;                   // the cars on course at the last record
    bool endedCleanly = false;              // the program closed itself
    int32_t bookings = 0;                   // runs and laps in the lists (undo counted)
    int32_t bookingsSinceSave = 0;          // of those, booked since the journal began
    int64_t lastWallMs = 0;                 // when the last record was written
    uint64_t lastSeq = 0;
    int32_t unreadable = 0;               // records whose payload made no sense
    RaceMode mode = RaceMode::kGymkhana;  // the result list's layout at the last record
    int32_t countingMethod = 0;

    // True when restoring would bring back anything that is in no file.
    bool HoldsUnsavedWork() const;
};

// Applies `records` to `target` (normally empty lists) with `recorder` paused throughout and
// rebuilds `undo`'s history.
JournalReplay ReplayJournal(const std::vector<JournalRecord>& records, ListTarget target,
                            ListRecorder& recorder, ListUndo& undo);

// The same on lists of its own, to see what a journal holds before asking about it.
JournalReplay InspectJournal(const std::vector<JournalRecord>& records);

}  // namespace vantrel
