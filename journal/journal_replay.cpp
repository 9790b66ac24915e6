#include "journal/journal_replay.h"

namespace vantrel {
namespace {

bool IsBooking(const ListStep* step) {
    return step != nullptr && step->kind == StepKind::kBooking;
}

class Replayer {
public:
    Replayer(ListTarget target, ListUndo& undo) : target_(target), undo_(undo) {}

    void Take(const JournalRecord& record) {
        replay_.lastWallMs = record.wallMs;
        replay_.lastSeq = record.seq;
        replay_.endedCleanly = false;
        if (!Apply(static_cast<JournalType>(record.type), record.payload)) {
            ++replay_.unreadable;
        }
    }

    JournalReplay Result() const { return replay_; }

private:
    bool Apply(JournalType type, std::span<const uint8_t> payload) {
        switch (type) {
            case JournalType::kCheckpoint:
                return TakeCheckpoint(payload);
            case JournalType::kStep:
                return TakeStep(DecodeStep(payload));
            case JournalType::kBooking:
                return TakeBooking(payload);
            case JournalType::kUndo:
                return Move(undo_.NextUndo(), -1, [this] { return undo_.Undo(); });
            case JournalType::kRedo:
                return Move(undo_.NextRedo(), 1, [this] { return undo_.Redo(); });
            case JournalType::kFiles:
                return TakeFiles(payload);
            case JournalType::kSessionStart:
                replay_.session = DecodeSession(payload);
                if (replay_.session) {
                    target_.state.countingMethod = replay_.session->countingMethod;
                }
                return replay_.session.has_value();
            case JournalType::kSessionStop:
                replay_.session.reset();
                replay_.course = {};
                return true;
            case JournalType::kCourse:
                return Take(DecodeCourse(payload), replay_.course);
            case JournalType::kProgramEnd:
                replay_.endedCleanly = true;
                return true;
        }
        return false;
    }

    template <typename Value>
    static bool Take(std::optional<Value> value, Value& into) {
        if (!value) {
            return false;
        }
        into = std::move(*value);
        return true;
    }

    bool TakeCheckpoint(std::span<const uint8_t> payload) {
        std::optional<JournalCheckpoint> point = DecodeCheckpoint(payload);
        if (!point) {
            return false;
        }
        ApplyCheckpoint(*point, target_);
        undo_.Forget();
        replay_.files = point->files;
        replay_.bookings = 0;
        for (const auto& row : point->resultRows) {
            replay_.bookings += row.empty() || row[0].empty() ? 0 : 1;
        }
        replay_.bookingsSinceSave = 0;
        return true;
    }

    bool TakeBooking(std::span<const uint8_t> payload) {
        std::optional<JournalBooking> booking = DecodeBooking(payload);
        if (!booking) {
            return false;
        }
        replay_.course = std::move(booking->course);
        return TakeStep(std::move(booking->step));
    }

    bool TakeStep(std::optional<ListStep> step) {
        if (!step) {
            return false;
        }
        ApplyStepForward(*step, target_);
        if (step->Touches(ListKind::kEntry)) {
            replay_.files.entryModified = target_.state.entryModified = true;
        }
        if (step->Touches(ListKind::kResult)) {
            replay_.files.resultModified = target_.state.resultModified = true;
        }
        CountBooking(IsBooking(&*step) ? 1 : 0);
        undo_.Record(std::move(*step));
        return true;
    }

    template <typename Act>
    bool Move(const ListStep* step, int32_t direction, Act act) {
        const bool booking = IsBooking(step);
        if (!act()) {
            return false;
        }
        replay_.files.entryModified = target_.state.entryModified;
        replay_.files.resultModified = target_.state.resultModified;
        CountBooking(booking ? direction : 0);
        return true;
    }

    bool TakeFiles(std::span<const uint8_t> payload) {
        if (!Take(DecodeFiles(payload), replay_.files)) {
            return false;
        }
        target_.state.entryModified = replay_.files.entryModified;
        target_.state.resultModified = replay_.files.resultModified;
        return true;
    }

    void CountBooking(int32_t change) {
        replay_.bookings += change;
        replay_.bookingsSinceSave += change;
    }

    ListTarget target_;
    ListUndo& undo_;
    JournalReplay replay_;
};

}  // namespace

bool JournalReplay::HoldsUnsavedWork() const {
    if (endedCleanly) {
        return false;
    }
    return files.entryModified || files.resultModified || !course.cars.empty();
}

JournalReplay ReplayJournal(const std::vector<JournalRecord>& records, ListTarget target,
                            ListRecorder& recorder, ListUndo& undo) {
    Replayer replayer(target, undo);
    recorder.Pause();
    for (const JournalRecord& record : records) {
        replayer.Take(record);
    }
    recorder.Resume();
    JournalReplay replay = replayer.Result();
    replay.mode = target.results.Mode();
    replay.countingMethod = target.state.countingMethod;
    return replay;
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
