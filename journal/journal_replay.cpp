#include "journal/journal_replay.h"

#include <algorithm>
#include <memory>
#include <variant>

namespace vantrel {
namespace {

bool IsBooking(const ListStep* step) {
    return step != nullptr && step->kind == StepKind::kBooking;
}

bool CellFits(const CellChange& cell, int32_t resultRows, int32_t resultColumns) {
    if (cell.list == ListKind::kEntry) {
        return cell.row >= 1 && cell.row <= EntryTable::kLastCar &&
               cell.column >= EntryTable::kName && cell.column < EntryTable::kColumns;
    }
    // The column after the last is the row's review mark.
    return cell.row >= 1 && cell.row <= resultRows && cell.column >= 0 &&
           cell.column <= resultColumns;
}

// True when every change of `step` finds its cells and rows in `results` as the changes
// before it leave them, and every counter is a car's; the tables would pass over the rest.
bool StepFits(const ListStep& step, const ResultTable& results) {
    int32_t rows = results.DataRowCount();
    int32_t columns = results.ColumnCount();
    for (const ListChange& change : step.changes) {
        if (const auto* cell = std::get_if<CellChange>(&change)) {
            if (!CellFits(*cell, rows, columns)) {
                return false;
            }
        } else if (const auto* moved = std::get_if<RowsChange>(&change)) {
            const auto count = static_cast<int32_t>(moved->rows.size());
            const bool fits = moved->inserted
                                  ? count > 0 && moved->firstRow >= 1 && moved->firstRow <= rows + 1
                                  : count > 0 && count < rows && moved->firstRow >= 1 &&
                                        moved->firstRow + count - 1 <= rows;
            if (!fits) {
                return false;
            }
            rows += moved->inserted ? count : -count;
        } else {
            const auto& reset = std::get<ResetChange>(change);
            rows = std::max<int32_t>(1, static_cast<int32_t>(reset.after.size()));
            columns = static_cast<int32_t>(ResultHeaders(reset.afterMode).size());
        }
    }
    return std::all_of(step.counters.begin(), step.counters.end(),
                       [](const CounterChange& c) { return c.car >= 0 && c.car < kCarSlots; });
}

class Replayer {
public:
    Replayer(ListTarget target, ListUndo& undo) : target_(target), undo_(undo) {}

    void Take(const JournalRecord& record) {
        replay_.lastWallMs = record.wallMs;
        replay_.lastSeq = record.seq;
        replay_.endedCleanly = false;
        if (const auto why = Apply(static_cast<JournalType>(record.type), record.payload)) {
            replay_.unapplied.push_back({record.seq, record.type, *why});
        }
    }

    // The mode in force: as journalled, or, in a journal that does not say, the result
    // list's layout.
    JournalReplay Result() const {
        JournalReplay replay = replay_;
        replay.mode = modeKnown_ ? target_.state.currentMode : target_.results.Mode();
        replay.countingMethod = target_.state.countingMethod;
        return replay;
    }

private:
    using Outcome = std::optional<UnappliedReason>;
    static constexpr Outcome kApplied = std::nullopt;
    static constexpr Outcome kUnreadable = UnappliedReason::kUnreadable;

    Outcome Apply(JournalType type, std::span<const uint8_t> payload) {
        switch (type) {
            case JournalType::kCheckpoint:
                return TakeCheckpoint(payload);
            case JournalType::kStep:
                return TakeStep(DecodeStep(payload));
            case JournalType::kBooking:
                return TakeBooking(payload);
            case JournalType::kUndo:
                return Move(
                    undo_.NextUndo(), -1, [this] { return undo_.Undo(); },
                    UnappliedReason::kNothingToUndo);
            case JournalType::kRedo:
                return Move(
                    undo_.NextRedo(), 1, [this] { return undo_.Redo(); },
                    UnappliedReason::kNothingToRedo);
            case JournalType::kFiles:
                return TakeFiles(payload);
            case JournalType::kSessionStart:
                replay_.session = DecodeSession(payload);
                if (!replay_.session) {
                    return kUnreadable;
                }
                target_.state.countingMethod = replay_.session->countingMethod;
                return kApplied;
            case JournalType::kSessionStop:
                replay_.session.reset();
                replay_.course = {};
                return kApplied;
            case JournalType::kCourse:
                return Take(DecodeCourse(payload), replay_.course);
            case JournalType::kStarters:
                return TakeLast(DecodeStarters(payload), replay_.starters);
            case JournalType::kHistory:
                return TakeHistory(payload);
            case JournalType::kDrag:
                return TakeLast(DecodeDrag(payload), replay_.drag);
            case JournalType::kMode: {
                std::optional<JournalMode> mode = DecodeMode(payload);
                if (!mode) {
                    return kUnreadable;
                }
                target_.state.currentMode = mode->mode;
                target_.state.countingMethod = mode->countingMethod;
                modeKnown_ = true;
                return kApplied;
            }
            case JournalType::kProgramEnd:
                replay_.endedCleanly = true;
                return kApplied;
        }
        return UnappliedReason::kUnknownType;
    }

    template <typename Value>
    static Outcome Take(std::optional<Value> value, Value& into) {
        if (!value) {
            return kUnreadable;
        }
        into = std::move(*value);
        return kApplied;
    }

    // The same for what is known only once a record has said it.
    template <typename Value>
    static Outcome TakeLast(std::optional<Value> value, std::optional<Value>& into) {
        if (!value) {
            return kUnreadable;
        }
        into = std::move(value);
        return kApplied;
    }

    Outcome TakeCheckpoint(std::span<const uint8_t> payload) {
        std::optional<JournalCheckpoint> point = DecodeCheckpoint(payload);
        if (!point) {
            return kUnreadable;
        }
        ApplyCheckpoint(*point, target_);
        undo_.Forget();
        replay_.files = point->files;
        replay_.bookings = 0;
        for (const auto& row : point->resultRows) {
            replay_.bookings += row.empty() || row[0].empty() ? 0 : 1;
        }
        replay_.bookingsSinceSave = 0;
        return kApplied;
    }

    Outcome TakeHistory(std::span<const uint8_t> payload) {
        if (payload.empty()) {
            // A step too large for a record: the steps before it cannot be undone past it.
            undo_.Forget();
            return kApplied;
        }
        std::optional<JournalHistoryStep> history = DecodeHistoryStep(payload);
        if (!history) {
            return kUnreadable;
        }
        undo_.Adopt(std::make_shared<const ListStep>(std::move(history->step)), history->undone);
        return kApplied;
    }

    Outcome TakeBooking(std::span<const uint8_t> payload) {
        std::optional<JournalBooking> booking = DecodeBooking(payload);
        if (!booking) {
            return kUnreadable;
        }
        replay_.course = std::move(booking->course);
        return TakeStep(std::move(booking->step));
    }

    Outcome TakeStep(std::optional<ListStep> step) {
        if (!step) {
            return kUnreadable;
        }
        const bool fits = StepFits(*step, target_.results);
        ApplyStepForward(*step, target_);
        TakeFlags(*step);
        CountBooking(IsBooking(&*step) ? 1 : 0);
        undo_.Record(std::move(*step));
        return fits ? kApplied : Outcome(UnappliedReason::kDoesNotFit);
    }

    // The files and flags a step leaves: those it carries, or else the list it edited is
    // modified. A step that replaced the result list (a load, a clear, a new layout) set its
    // own flag, which a files record that follows carries when it changed.
    void TakeFlags(const ListStep& step) {
        if (step.files) {
            replay_.files = JournalFilesOf(step.files->after);
        } else if (std::none_of(step.changes.begin(), step.changes.end(), [](const auto& change) {
                       return std::holds_alternative<ResetChange>(change);
                   })) {
            replay_.files.entryModified |= step.Touches(ListKind::kEntry);
            replay_.files.resultModified |= step.Touches(ListKind::kResult);
        }
        target_.state.entryModified = replay_.files.entryModified;
        target_.state.resultModified = replay_.files.resultModified;
    }

    template <typename Act>
    Outcome Move(const ListStep* step, int32_t direction, Act act, UnappliedReason nothing) {
        const bool booking = IsBooking(step);
        if (!act()) {
            return nothing;
        }
        replay_.files.entryModified = target_.state.entryModified;
        replay_.files.resultModified = target_.state.resultModified;
        CountBooking(booking ? direction : 0);
        return kApplied;
    }

    Outcome TakeFiles(std::span<const uint8_t> payload) {
        if (const Outcome failed = Take(DecodeFiles(payload), replay_.files)) {
            return failed;
        }
        target_.state.entryModified = replay_.files.entryModified;
        target_.state.resultModified = replay_.files.resultModified;
        return kApplied;
    }

    void CountBooking(int32_t change) {
        replay_.bookings += change;
        replay_.bookingsSinceSave += change;
    }

    ListTarget target_;
    ListUndo& undo_;
    JournalReplay replay_;
    bool modeKnown_ = false;
};

}  // namespace

const char* UnappliedReasonText(UnappliedReason reason) {
    switch (reason) {
        case UnappliedReason::kUnreadable:
            return "unreadable payload";
        case UnappliedReason::kUnknownType:
            return "unknown record type";
        case UnappliedReason::kNothingToUndo:
            return "nothing to undo";
        case UnappliedReason::kNothingToRedo:
            return "nothing to redo";
        case UnappliedReason::kDoesNotFit:
            return "does not fit the lists, applied only in part";
    }
    return "";
}

std::string UnappliedText(const UnappliedRecord& record) {
    return std::to_string(record.seq) + " " + JournalTypeName(record.type) + " (" +
           UnappliedReasonText(record.reason) + ")";
}

bool JournalReplay::HoldsUnsavedWork() const {
    if (endedCleanly) {
        return false;
    }
    // A running session's state (each car's laps, the common start, the cars on course) is in
    // no file even when both lists were saved.
    return files.entryModified || files.resultModified || !course.cars.empty() ||
           session.has_value();
}

JournalReplay ReplayJournal(const std::vector<JournalRecord>& records, ListTarget target,
                            ListRecorder& recorder, ListUndo& undo) {
    Replayer replayer(target, undo);
    recorder.Pause();
    for (const JournalRecord& record : records) {
        replayer.Take(record);
    }
    recorder.Resume();
    return replayer.Result();
}

JournalReplay InspectJournal(const std::vector<JournalRecord>& records) {
    EntryTable entries;
    ResultTable results;
    SessionState state;
    ListRecorder recorder(entries, results, state);
    ListUndo undo({entries, results, state}, recorder);
    return ReplayJournal(records, {entries, results, state}, recorder, undo);
}

}  // namespace vantrel
