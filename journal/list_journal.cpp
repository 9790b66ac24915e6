#include "journal/list_journal.h"

#include <chrono>
#include <memory>
#include <utility>
#include <variant>

#include "journal/journal_place.h"

namespace vantrel {

ListJournal::ListJournal(ListTarget target, ListRecorder& recorder, ListUndo& undo, Sources sources)
    : target_(target), recorder_(recorder), undo_(undo), sources_(std::move(sources)) {}

ListJournal::~ListJournal() {
    if (writer_.IsOpen()) {
        writer_.Close();
    }
}

IoResult ListJournal::Begin(const std::filesystem::path& folder) {
    folder_ = folder;
    const auto now = std::chrono::system_clock::now();
    PruneOldJournals(folder, kKeepDays, now);
    IoResult opened = writer_.Open(NewJournalPath(folder, now), 1);
    if (opened) {
        WriteCheckpoint();
    }
    return opened;
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

void ListJournal::ResultBooked(const BookedResult&, int32_t) {
    std::optional<ListStep> step = recorder_.TakeStep(StepKind::kBooking);
    if (!step) {
        return;
    }
    // The step is shared by the undo history and the writer thread, which encodes it there.
    auto booking = std::make_shared<const JournalBooking>(
        JournalBooking{std::move(*step), sources_.course ? sources_.course() : lastCourse_});
    if (writer_.IsOpen()) {
        if (IsSmall(booking->step)) {
            writer_.AppendEncodedLater(static_cast<uint16_t>(JournalType::kBooking),
                                       [booking] { return EncodeBooking(*booking); });
            sinceCheckpoint_ = true;
        } else {
            Append(JournalType::kBooking, EncodeBooking(*booking));
        }
    }
    lastCourse_ = booking->course;
    undo_.Record(std::shared_ptr<const ListStep>(booking, &booking->step));
}

void ListJournal::Flush(StepKind kind) {
    std::optional<ListStep> step = recorder_.TakeStep(kind);
    if (!step) {
        return;
    }
    Append(JournalType::kStep, EncodeStep(*step));
    undo_.Record(std::move(*step));
}

void ListJournal::Note() {
    Flush();
    WriteFilesAndCourse();
}

void ListJournal::Poll() {
    Note();
    if (sinceCheckpoint_ && !session_ && !lastFiles_.entryModified && !lastFiles_.resultModified &&
        lastCourse_.cars.empty()) {
        BeginFresh();
    }
}

bool ListJournal::Undo() {
    Flush();
    if (!undo_.Undo()) {
        return false;
    }
    Append(JournalType::kUndo, {});
    return true;
}

bool ListJournal::Redo() {
    Flush();
    if (!undo_.Redo()) {
        return false;
    }
    Append(JournalType::kRedo, {});
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

void ListJournal::Append(JournalType type, std::vector<uint8_t> payload) {
    if (writer_.IsOpen()) {
        writer_.Append(static_cast<uint16_t>(type), std::move(payload));
        sinceCheckpoint_ = true;
    }
}

void ListJournal::WriteCheckpoint() {
    lastFiles_ = sources_.files ? sources_.files() : JournalFiles{};
    Append(JournalType::kCheckpoint, EncodeCheckpoint(CheckpointOf(target_.entries, target_.results,
                                                                   target_.state, lastFiles_)));
    if (session_) {
        Append(JournalType::kSessionStart, EncodeSession(*session_));
    }
    if (!lastCourse_.cars.empty()) {
        Append(JournalType::kCourse, EncodeCourse(lastCourse_));
    }
    sinceCheckpoint_ = false;
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
