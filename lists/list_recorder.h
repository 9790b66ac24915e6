#pragma once
// Watches the entry list, the result list and the per-car counters and gathers what changed
// into steps, with the values before and after, whoever made the change. It keeps a copy of
// both lists to know the values before.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "common/session_state.h"
#include "lists/entry_table.h"
#include "lists/list_change.h"
#include "lists/result_table.h"

namespace vantrel {

class ListRecorder {
public:
    // The tables and `state` must outlive the recorder.
    ListRecorder(EntryTable& entries, ResultTable& results, SessionState& state);
    ~ListRecorder();
    ListRecorder(const ListRecorder&) = delete;
    ListRecorder& operator=(const ListRecorder&) = delete;

    // Called when the first change of a new step comes in, so that the step can be taken once
    // the command that makes it is done.
    void OnFirstChange(std::function<void()> listener) { firstChange_ = std::move(listener); }
    // Where the lists' files and flags are read: a step that changes them (a load, New, Clear)
    // carries them from before its first change to its end.
    void WatchFiles(std::function<ListFiles()> files) { files_ = std::move(files); }
    // True when a change is waiting to be taken.
    bool HasChanges() const { return !open_.changes.empty(); }
    // What changed since the last step (tables, then the counters compared with their copy),
    // as a step of `kind`; none when nothing changed.
    std::optional<ListStep> TakeStep(StepKind kind = StepKind::kEdit);

    // Changes made while paused (undo, redo, replay) are not gathered; Resume takes the lists
    // and counters as they are then as the new starting point.
    void Pause() { ++paused_; }
    void Resume();
    // Forgets the open step and starts again from the lists as they are now.
    void Restart();

private:
    class EntryWatch;
    class ResultWatch;
    void EntryCellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                           int32_t lastColumn);
    void ResultCellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                            int32_t lastColumn);
    void ResultRowsInserted(int32_t firstRow, int32_t lastRow);
    void ResultRowsRemoved(int32_t firstRow, int32_t lastRow);
    void ResultResetDone();
    void CopyLists();
    void Note();
    // The insertion that is the open step's last change, when it holds result row `row`.
    RowsChange* LastInsertionHolding(int32_t row);
    void TakeCounters(ListStep& step);
    template <typename Counters>
    static void TakeCounter(CounterKind kind, Counters& copy, const Counters& now, ListStep& step);

    EntryTable& entries_;
    ResultTable& results_;
    SessionState& state_;
    std::array<std::array<std::string, EntryTable::kColumns>, EntryTable::kRows> entryCopy_;
    RaceMode resultMode_ = RaceMode::kGymkhana;
    TableRows resultCopy_;
    std::array<int32_t, kCarSlots> runCount_{};
    std::array<uint32_t, kCarSlots> firstPass_{};
    std::array<uint32_t, kCarSlots> lastPass_{};
    ListStep open_;
    std::function<void()> firstChange_;
    std::function<ListFiles()> files_;
    std::optional<ListFiles> filesBefore_;
    int32_t paused_ = 0;
    std::unique_ptr<EntryWatch> entryWatch_;
    std::unique_ptr<ResultWatch> resultWatch_;
};

}  // namespace vantrel
