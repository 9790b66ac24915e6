#include "journal/list_journal.h"

#include <chrono>
#include <memory>
#include <utility>
#include <variant>

#include "common/ui_text.h"
#include "journal/journal_place.h"
#include "journal/journal_texts.h"

namespace vantrel {

ListJournal::ListJournal(ListTarget target, ListRecorder& recorder, ListUndo& undo, Sources sources)
    : target_(target), recorder_(recorder), undo_(undo), sources_(std::move(sources)) {}

ListJournal::~ListJournal() {
    if (writer_.IsOpen()) {
        writer_.Close();
    }
}

IoResult ListJournal::Begin(const std::filesystem::path& folder, std::optional<Previous> previous) {
    folder_ = folder;
    previous_ = std::move(previous);
    previousPath_ = previous_ ? previous_->path : std::filesystem::path();
    WriteFilesAndCourse();  // nothing is open yet: this only takes them as they are
    const auto now = std::chrono::system_clock::now();
    PruneOldJournals(folder, kKeepDays, now, previousPath_);
    IoResult opened = writer_.Open(NewJournalPath(folder, now), 1);
    if (opened && !WriteCheckpoint()) {
        opened = IoResult::Failure(std::exchange(openFailure_, std::nullopt).value_or(""));
    }
    SetPreviousAside(kAsideWait);
    return opened;
}

std::string ListJournal::LoadRefusal(const TableRows& rows) const {
    const ResultTable empty(target_.results.Mode());
    const size_t after = EncodedRowsSize(rows);
    ListStep load;
    load.changes.emplace_back(ResetChange{});
    const size_t step = EncodeStep(load).size() + after;
    const size_t point =
        EncodeCheckpoint(CheckpointOf(target_.entries, empty, target_.state, lastFiles_)).size() +
        after;
    // Room for what goes with the rows: the file names, counters and cells of the same step.
    constexpr size_t kLimit = kJournalMaxPayload - (64u << 10);
    const bool fitsAfterClear = point <= kLimit && step + EncodedRowsSize(empty) <= kLimit;
    if (fitsAfterClear && step + EncodedRowsSize(target_.results) <= kLimit) {
        return {};
    }
    return Translated(fitsAfterClear ? msg::kJournalLoadClearFirst : msg::kJournalLoadTooLarge,
                      {std::to_string(kJournalMaxPayload >> 20)});
}

namespace {
// A booking small enough for the writer thread to encode: a booked row and a few cells, not
// a whole list that an edit in the same turn of the event loop may have added to the step.
bool IsSmall(const ListStep& step) {
    constexpr size_t kMaxText = 1 << 20;
    size_t text = 0;
    for (const ListChange& change : step.changes) {
        if (const auto* cell = std::get_if<CellChange>(&change)) {
            text += cell->before.size() + cell->after.size();
        } else if (const auto* rows = std::get_if<RowsChange>(&change)) {
            for (const auto& row : rows->rows) {
                for (const std::string& cellText : row) {
                    text += cellText.size();
                }
            }
        } else {
            return false;
        }
    }
    return text < kMaxText;
}
}  // namespace

void ListJournal::ResultBooked(const BookedResult& result, int32_t) {
    if (oneStep_ > 0) {
        oneStepBooked_ = true;  // EndOneStep takes the whole step
        return;
    }
    TakeBooking(result.run);
}

void ListJournal::BeginOneStep() {
    if (oneStep_++ == 0) {
        Flush();
    }
}

void ListJournal::EndOneStep() {
    if (oneStep_ == 0 || --oneStep_ > 0) {
        return;
    }
    if (std::exchange(oneStepBooked_, false)) {
        TakeBooking(std::nullopt);
    } else {
        Flush();
    }
}

void ListJournal::TakeBooking(std::optional<CarOnCourse> run) {
    std::optional<ListStep> step = recorder_.TakeStep(StepKind::kBooking);
    if (!step) {
        return;
    }
    step->finishedRun = std::move(run);
    // The step is shared by the undo history and the writer thread, which encodes it there.
    auto booking = std::make_shared<const JournalBooking>(
        JournalBooking{std::move(*step), sources_.course ? sources_.course() : lastCourse_});
    lastCourse_ = booking->course;
    // In the history before it is written: a checkpoint written in its place carries it.
    undo_.Record(std::shared_ptr<const ListStep>(booking, &booking->step));
    if (!writer_.IsOpen()) {
        return;
    }
    if (IsSmall(booking->step)) {
        writer_.AppendEncodedLater(static_cast<uint16_t>(JournalType::kBooking),
                                   [booking] { return EncodeBooking(*booking); });
        sinceCheckpoint_ = true;
        StepWritten();
    } else if (AppendChange(JournalType::kBooking, EncodeBooking(*booking))) {
        StepWritten();
    }
}

void ListJournal::Flush(StepKind kind) {
    std::optional<ListStep> step = recorder_.TakeStep(kind);
    if (!step) {
        return;
    }
    auto shared = std::make_shared<const ListStep>(std::move(*step));
    undo_.Record(shared);
    // A step of counters only (a session start's preparation) is journalled but, like the
    // history, not counted as a step an undo record could act on.
    if (AppendChange(JournalType::kStep, EncodeStep(*shared)) && !shared->changes.empty()) {
        StepWritten();
    }
}

void ListJournal::Note() {
    Flush();
    WriteFilesAndCourse();
}

void ListJournal::Poll() {
    Note();
    SetPreviousAside(std::chrono::milliseconds(0));
    if (sinceCheckpoint_ && NothingUnsaved()) {
        BeginFresh();
    }
}

bool ListJournal::NothingUnsaved() const {
    return !session_ && !lastFiles_.entryModified && !lastFiles_.resultModified &&
           lastCourse_.cars.empty();
}

void ListJournal::SetPreviousAside(std::chrono::milliseconds wait) {
    if (!previous_) {
        return;
    }
    const bool takenOver =
        NothingUnsaved() || (writer_.IsOpen() && writer_.WaitDurable(checkpointSeq_, wait));
    if (!takenOver) {
        return;
    }
    const std::filesystem::path aside = KeepAside(previous_->path, previous_->why);
    previousPath_ = aside.empty() ? previous_->path : aside;
    previous_.reset();
}

bool ListJournal::Undo() {
    Flush();
    if (!undo_.Undo()) {
        return false;
    }
    if (stepsToUndo_ > 0) {
        Append(JournalType::kUndo, {});
        --stepsToUndo_;
        ++stepsToRedo_;
    } else if (writer_.IsOpen()) {
        WriteCheckpoint();  // the step is not in this journal: a restore could not undo it
    }
    return true;
}

bool ListJournal::Redo() {
    Flush();
    if (!undo_.Redo()) {
        return false;
    }
    if (stepsToRedo_ > 0) {
        Append(JournalType::kRedo, {});
        --stepsToRedo_;
        ++stepsToUndo_;
    } else if (writer_.IsOpen()) {
        WriteCheckpoint();
    }
    return true;
}

void ListJournal::SessionStarted(const JournalSession& session) {
    Flush();
    session_ = session;
    Append(JournalType::kSessionStart, EncodeSession(session));
}

void ListJournal::SessionStopped() {
    Flush();
    session_.reset();
    lastCourse_ = {};
    Append(JournalType::kSessionStop, {});
}

IoResult ListJournal::End() {
    Flush();
    WriteFilesAndCourse();
    if (!writer_.IsOpen()) {
        return IoResult::Success();
    }
    Append(JournalType::kProgramEnd, {});
    return writer_.Close();
}

bool ListJournal::Append(JournalType type, std::vector<uint8_t> payload) {
    if (!writer_.IsOpen()) {
        return true;
    }
    if (payload.size() > kJournalMaxPayload) {
        return false;
    }
    writer_.Append(static_cast<uint16_t>(type), std::move(payload));
    sinceCheckpoint_ = true;
    return true;
}

bool ListJournal::AppendChange(JournalType type, std::vector<uint8_t> payload) {
    if (Append(type, std::move(payload))) {
        return true;
    }
    WriteCheckpoint();
    return false;
}

void ListJournal::StepWritten() {
    ++stepsToUndo_;
    stepsToRedo_ = 0;
}

bool ListJournal::WriteCheckpoint() {
    stepsToUndo_ = 0;
    stepsToRedo_ = 0;
    lastFiles_ = sources_.files ? sources_.files() : JournalFiles{};
    if (!Append(JournalType::kCheckpoint,
                EncodeCheckpoint(
                    CheckpointOf(target_.entries, target_.results, target_.state, lastFiles_)))) {
        // What was written stays: the lists as they were before they grew too large.
        writer_.Close();
        openFailure_ = Translated(msg::kJournalListsTooLarge);
        return false;
    }
    if (session_) {
        Append(JournalType::kSessionStart, EncodeSession(*session_));
    }
    if (!lastCourse_.cars.empty()) {
        Append(JournalType::kCourse, EncodeCourse(lastCourse_));
    }
    if (lastStarters_) {
        Append(JournalType::kStarters, EncodeStarters(*lastStarters_));
    }
    if (lastDrag_) {
        Append(JournalType::kDrag, EncodeDrag(*lastDrag_));
    }
    if (lastMode_) {
        Append(JournalType::kMode, EncodeMode(*lastMode_));
    }
    WriteHistory();
    checkpointSeq_ = writer_.NextSeq() - 1;
    sinceCheckpoint_ = false;
    return true;
}

void ListJournal::WriteFilesAndCourse() {
    if (sources_.files) {
        JournalFiles files = sources_.files();
        if (files != lastFiles_) {
            lastFiles_ = std::move(files);
            Append(JournalType::kFiles, EncodeFiles(lastFiles_));
        }
    }
    if (sources_.course) {
        JournalCourse course = sources_.course();
        if (course != lastCourse_) {
            lastCourse_ = std::move(course);
            Append(JournalType::kCourse, EncodeCourse(lastCourse_));
        }
    }
    if (sources_.starters) {
        JournalStarters starters = sources_.starters();
        if (starters != lastStarters_) {
            lastStarters_ = std::move(starters);
            Append(JournalType::kStarters, EncodeStarters(*lastStarters_));
        }
    }
    if (sources_.drag) {
        JournalDrag drag = sources_.drag();
        if (drag != lastDrag_) {
            lastDrag_ = std::move(drag);
            Append(JournalType::kDrag, EncodeDrag(*lastDrag_));
        }
    }
    if (sources_.mode) {
        JournalMode mode = sources_.mode();
        if (mode != lastMode_) {
            lastMode_ = mode;
            Append(JournalType::kMode, EncodeMode(mode));
        }
    }
}

void ListJournal::WriteHistory() {
    const auto& done = undo_.DoneSteps();
    const auto& undone = undo_.UndoneSteps();
    // Counted back from the newest step of each side; an older step than one that does not fit
    // could never be undone without it.
    size_t bytes = 0;
    auto keep = [&bytes](const auto& steps) {
        size_t kept = 0;
        for (auto step = steps.rbegin(); step != steps.rend() && kept < kHistorySteps; ++step) {
            const size_t size = EncodedStepSize(**step);
            if (bytes + size > kHistoryBytes) {
                break;
            }
            bytes += size;
            ++kept;
        }
        return kept;
    };
    const size_t keptDone = keep(done);
    const size_t keptUndone = keep(undone);
    auto write = [this](const auto& steps, size_t kept, bool isUndone) {
        for (size_t index = steps.size() - kept; index < steps.size(); ++index) {
            std::shared_ptr<const ListStep> step = steps[index];
            writer_.AppendEncodedLater(
                static_cast<uint16_t>(JournalType::kHistory),
                [step, isUndone] { return EncodeHistoryStep(*step, isUndone); });
        }
    };
    write(done, keptDone, false);
    write(undone, keptUndone, true);
    stepsToUndo_ = keptDone;
    stepsToRedo_ = keptUndone;
}

void ListJournal::BeginFresh() {
    if (!writer_.IsOpen()) {
        return;
    }
    const uint64_t nextSeq = writer_.NextSeq();
    writer_.Close();
    IoResult opened =
        writer_.Open(NewJournalPath(folder_, std::chrono::system_clock::now()), nextSeq);
    if (opened) {
        WriteCheckpoint();
    } else {
        openFailure_ = opened.error;
    }
}

std::optional<std::string> ListJournal::TakeStatusChange() {
    if (openFailure_) {
        return std::exchange(openFailure_, std::nullopt);
    }
    return writer_.TakeStatusChange();
}

}  // namespace vantrel
