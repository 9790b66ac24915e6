#pragma once
// Keeps the journal of the lists: every step of the lists and counters, undo and redo, the
// list files and their modified flags, the session and the cars on course go to the journal as
// they happen, and a fresh journal begins whenever nothing is left unsaved. Steps also go to
// the undo history, so that undo works the same with or without a journal. A step too large
// for one record goes in as a checkpoint of the lists after it; lists too large for a
// checkpoint stop the journal, which TakeStatusChange then reports.
// Thread rule: GUI thread only.

#include <chrono>
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
        std::function<JournalStarters()> starters;
        std::function<JournalDrag()> drag;
        std::function<JournalMode()> mode;
    };

    // The journal that a new one takes over from at the start (restored, declined or found
    // damaged), to be set aside as "<name>.<why>".
    struct Previous {
        std::filesystem::path path;
        std::string why;
    };

    ListJournal(ListTarget target, ListRecorder& recorder, ListUndo& undo, Sources sources);
    ~ListJournal() override;

    // Starts a new journal in `folder` with a checkpoint of the lists as they are, after
    // pruning journals older than kKeepDays (never `previous`). `previous` is set aside only
    // once nothing depends on it any more: when the new checkpoint is on disk (waited for up to
    // kAsideWait, else looked at again by Poll) or when nothing is left unsaved, so that a
    // crash or a full disk meanwhile still finds it at the next start. A failure leaves the
    // journal off (the lists and undo work on) and returns the reason to show.
    IoResult Begin(const std::filesystem::path& folder,
                   std::optional<Previous> previous = std::nullopt);
    // Where the previous journal is now: its new name once set aside, else where it was.
    const std::filesystem::path& PreviousPath() const { return previousPath_; }
    // The text refusing to load `rows` into the result list when the journal could not keep
    // the load (its step, or the checkpoint after it, over kJournalMaxPayload); "" when it can.
    std::string LoadRefusal(const TableRows& rows) const;
    bool IsOpen() const { return writer_.IsOpen(); }
    const std::filesystem::path& Path() const { return writer_.Path(); }
    JournalWriter& Writer() { return writer_; }

    // A booked result closes its step at once, so that it is durable as soon as possible; the
    // cars on course after it go in the same record.
    void ResultBooked(const BookedResult& result, int32_t row) override;
    // The results booked from BeginOneStep to EndOneStep are one step, undone after one
    // question (held receiver passings booked together); what was open before is closed first.
    void BeginOneStep();
    void EndOneStep();
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
    // How much of the undo history a checkpoint carries, newest first: undo after a restore
    // walks back this far (the steps of a long event, not every load of a large list again).
    static constexpr size_t kHistorySteps = 2000;
    static constexpr size_t kHistoryBytes = 8u << 20;
    static constexpr std::chrono::milliseconds kAsideWait{2000};

private:
    // False when the payload is too large for a record; nothing is written then.
    void TakeBooking(std::optional<CarOnCourse> run);
    bool Append(JournalType type, std::vector<uint8_t> payload);
    // A step or booking; one too large for a record is replaced by a checkpoint (false).
    bool AppendChange(JournalType type, std::vector<uint8_t> payload);
    // A step went to this journal as a record of its own, which an undo record can name.
    void StepWritten();
    // False when the lists are too large for a checkpoint: the journal has stopped.
    bool WriteCheckpoint();
    void WriteFilesAndCourse();
    // The undo history after a checkpoint, as far back as kHistorySteps and kHistoryBytes go.
    void WriteHistory();
    void BeginFresh();
    bool NothingUnsaved() const;
    void SetPreviousAside(std::chrono::milliseconds wait);

    ListTarget target_;
    ListRecorder& recorder_;
    ListUndo& undo_;
    Sources sources_;
    JournalWriter writer_;
    std::filesystem::path folder_;
    std::optional<JournalSession> session_;
    JournalFiles lastFiles_;
    JournalCourse lastCourse_;
    std::optional<JournalStarters> lastStarters_;
    std::optional<JournalDrag> lastDrag_;
    std::optional<JournalMode> lastMode_;
    std::optional<std::string> openFailure_;  // a fresh journal could not be made
    int32_t oneStep_ = 0;
    bool oneStepBooked_ = false;
    bool sinceCheckpoint_ = false;  // something besides the checkpoint went to this journal
    uint64_t checkpointSeq_ = 0;    // the last record of the newest checkpoint
    // Steps of the undo history in this journal (after its newest checkpoint or in the history
    // written with it), that an undo or redo record can act on at a restore; an undo of an
    // older step is written as a checkpoint instead.
    size_t stepsToUndo_ = 0;
    size_t stepsToRedo_ = 0;
    std::optional<Previous> previous_;  // not yet set aside
    std::filesystem::path previousPath_;
};

}  // namespace vantrel
