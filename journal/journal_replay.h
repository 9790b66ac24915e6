#pragma once
// Replays a journal's records onto the lists: the checkpoint, then every step, undo and redo
// in order, so that the lists, counters and undo history end as they were when the last record
// was written. Also gathers what the restore question and the restore need to know, the
// records that could not be applied among it.
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

// Why a record could not be applied, or not in full.
enum class UnappliedReason : uint8_t {
    kUnreadable,     // its payload makes no sense
    kUnknownType,    // written by a later program
    kNothingToUndo,  // an undo with no step before it
    kNothingToRedo,
    kDoesNotFit,  // a step whose cells or rows are not in the lists: only what fits was applied
};

struct UnappliedRecord {
    uint64_t seq = 0;
    uint16_t type = 0;
    UnappliedReason reason = UnappliedReason::kUnreadable;
    bool operator==(const UnappliedRecord&) const = default;
};

// "<seq> <type> (<why>)", for the journal dump.
std::string UnappliedText(const UnappliedRecord& record);
// The reason alone, as the dump marks the record's own line.
const char* UnappliedReasonText(UnappliedReason reason);

struct JournalReplay {
    JournalFiles files;
    std::optional<JournalSession> session;    // the session running at the last record
    std::optional<JournalStarters> starters;  // the gymkhana's queue and next car, last known
    std::optional<JournalDrag> drag;          // the DRAG tab's next car and run, last known
    JournalCourse course;                     // the cars on course at the last record
    bool endedCleanly = false;                // the program closed itself
    int32_t bookings = 0;                     // runs and laps in the lists (undo counted)
    int32_t bookingsSinceSave = 0;            // of those, booked since the journal began
    int64_t lastWallMs = 0;                   // when the last record was written
    uint64_t lastSeq = 0;
    std::vector<UnappliedRecord> unapplied;  // in the order of the journal
    RaceMode mode = RaceMode::kGymkhana;     // the mode in force at the last record
    int32_t countingMethod = 0;

    // True when restoring would bring back anything that is in no file: unsaved lists, cars on
    // course or a session that was running.
    bool HoldsUnsavedWork() const;
};

// Applies `records` to `target` (normally empty lists) with `recorder` paused throughout and
// rebuilds `undo`'s history.
JournalReplay ReplayJournal(const std::vector<JournalRecord>& records, ListTarget target,
                            ListRecorder& recorder, ListUndo& undo);

// The same on lists of its own, to see what a journal holds before asking about it.
JournalReplay InspectJournal(const std::vector<JournalRecord>& records);

}  // namespace vantrel
