#pragma once
// Keeps the journal of the lists: every step of the lists and counters, undo and redo, the
// list files and their modified flags, the session and the cars on course go to the journal as
// they happen, and a fresh journal begins whenever nothing is left unsaved. Steps also go to
// the undo history, so that undo works the same with or without a journal.
// Thread rule: GUI thread only.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "common/safe_file.h"
#include "journal/journal_content.h"
#include "journal/journal_writer.h"
#include "lists/list_recorder.h"
#include "lists/list_undo.h"
#include "lists/result_sink.h"

namespace vantrel {

class ListJournal final : public ResultSink {
public:
    // What the journal reads besides the lists: the list files with their modified flags, and
    // the cars on course.
    struct Sources {
        std::function<JournalFiles()> files;
        std::function<JournalCourse()> course;
    };

    ListJournal(ListTarget target, ListRecorder& recorder, ListUndo& undo, Sources sources);
    ~ListJournal() override;

    // Starts a new journal in `folder` with a checkpoint of the lists as they are, after
    // pruning journals older than kKeepDays. A failure leaves the journal off (the lists and
    // undo work on) and returns the reason to show.
    IoResult Begin(const std::filesystem::path& folder);
    bool IsOpen() const { return writer_.IsOpen(); }
    const std::filesystem::path& Path() const { return writer_.Path(); }
    JournalWriter& Writer() { return writer_; }

    // A booked result closes its step at once, so that it is durable as soon as possible; the
    // cars on course after it go in the same record.
    void ResultBooked(const BookedResult& result, int32_t row) override;
    // Ends the step gathered so far (a command, an edit) and writes it.
    void Flush(StepKind kind = StepKind::kEdit);
    // Flushes and writes the files and the cars on course when they changed.
    void Note();
    // Notes, and begins a fresh journal when nothing is unsaved any more and no session runs
    // (closing one journal and opening the next waits for the disk, which timing must not).
    void Poll();
    // Undo and redo of the lists, written to the journal; false when there was nothing to do.
    bool Undo();
    bool Redo();
    void SessionStarted(const JournalSession& session);
    void SessionStopped();
    // The program closes itself: the journal says so, so that nothing is offered at the next
    // start, and closes.
    IoResult End();
    // The writer's status for the status bar (failing, recovered), once per change.
    std::optional<std::string> TakeStatusChange();

    static constexpr int kKeepDays = 30;

private:
    void Append(JournalType type, std::vector<uint8_t> payload);
    void WriteCheckpoint();
    void WriteFilesAndCourse();
    void BeginFresh();

    ListTarget target_;
    ListRecorder& recorder_;
    ListUndo& undo_;
    Sources sources_;
    JournalWriter writer_;
    std::filesystem::path folder_;
    std::optional<JournalSession> session_;
    JournalFiles lastFiles_;
    JournalCourse lastCourse_;
    std::optional<std::string> openFailure_;  // a fresh journal could not be made
    bool sinceCheckpoint_ = false;  // something besides the checkpoint went to this journal
};

}  // namespace vantrel
