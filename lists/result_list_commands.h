#pragma once
// The result list's commands as the main window runs them: Load, Save, Save as, Clear, the
// result buttons, row Delete, the editing state and the results the race modes book. Each
// command sets or clears `resultModified` itself:
//   set by:     AddResult, Load (even a failed one), BeginEdit, the four result buttons,
//               DeleteRow
//   cleared by: Save, Clear, ChangeLayout
//   unchanged:  EndEdit, LeaveEditing
// Thread rule: GUI thread only.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/ini_file.h"
#include "common/safe_file.h"
#include "common/session_state.h"
#include "lists/entry_table.h"
#include "lists/grid_edit_state.h"
#include "lists/list_file_name.h"
#include "lists/result_buttons.h"
#include "lists/result_file.h"
#include "lists/result_flags.h"
#include "lists/result_name_refresh.h"
#include "lists/result_sink.h"
#include "lists/result_table.h"

namespace vantrel {

class ResultListCommands final : public ResultBooking {
public:
    // `ini` (may be null) gives the dialogs' starting folder and remembers each file's
    // folder under [InitialDir] `ResultList`. All of them must outlive this object.
    ResultListCommands(ResultTable& results, EntryTable& entries, SessionState& state,
                       IniFile* ini);
    // The settings file from now on (the window's dialogs own it); reads the folder again.
    void UseIni(IniFile* ini);

    const ResultTable& Table() const { return results_; }
    // Folder and name for both result dialogs; file().Label() is the text of `ResultFile`.
    const ListFileName& File() const { return file_; }
    const GridEditState& EditState() const { return editState_; }
    // The file of restored lists, as the journal knew it.
    void RestoreFile(const ListFileName& file) {
        file_.folder = file.folder;
        SetFileName(file.name);
    }
    // Told whenever file().name changes (the window shows it in `ResultFile`).
    void OnFileNameChanged(std::function<void()> listener) {
        fileNameChanged_ = std::move(listener);
    }

    // Loads the chosen file into the current layout and sets resultModified; on success
    // remembers it. A failure leaves the rows as they were and returns the error to show.
    IoResult Load(const std::filesystem::path& path);
    // Load asks `check` about the rows read before any row changes (see LoadResultFile).
    void CheckLoadsWith(ResultRowsCheck check) { loadCheck_ = std::move(check); }
    // Save: true when the proposed name is "NewResult.csv" or empty, so the save dialog runs
    // first; otherwise Save(file().FullPath()) writes beside the last result file.
    bool SaveNeedsDialog() const;
    // Save and Save as: writes the chosen file; on success remembers it and clears
    // resultModified. A failure changes nothing.
    IoResult Save(const std::filesystem::path& path);
    // True when saving the empty list to `path` would empty a file that holds results, which
    // the window asks about first.
    bool SaveWouldEmptyFile(const std::filesystem::path& path) const;

    // Clear, after its question (messages 111/112): one empty row, the entry list's "Lap"
    // cells, runCount and lastPassTime emptied, the name back to "NewResult.csv",
    // resultModified cleared. The window then resets the record window.
    void Clear();
    // The layout change of a mode change: the new mode's columns, one empty row, the name
    // back to "NewResult.csv", resultModified cleared.
    void ChangeLayout(RaceMode mode);

    // A result booked by a race mode: fills row 1 of an empty list or appends a row (with the
    // review mark the rule gives it), sets resultModified, counts resultsBooked, then hands the
    // result to every sink once, in the order they were added. Returns the row.
    int32_t AddResult(BookedResult result) override;
    // What marks a booked result for review from now on.
    void FlagWith(const FlagRule& rule) { flagRule_ = rule; }
    const FlagRule& FlagRuleInForce() const { return flagRule_; }
    // The operator accepts row `row`'s marked result: the mark goes, the row stays. Sets
    // resultModified; false when the row had no mark.
    bool AcceptFlag(int32_t row);
    // `sink` must outlive this object.
    void AddSink(ResultSink& sink) { sinks_.push_back(&sink); }
    // The sinks hear of the outermost batch only.
    void BeginBatch() override;
    void EndBatch() override;

    // A result button on the current row; sets resultModified when it changed the row. The
    // window rebuilds the standings when the outcome says so.
    ResultButtonOutcome PressButton(ResultButton button, int32_t row);

    // Delete ("削除") of the current row; returns the row that is current afterwards, which
    // also becomes state.resultRow. Sets resultModified.
    int32_t DeleteRow(int32_t row);

    // BeginResultEdit (double-click, Shift+Enter, and the popup "編集", which then moves to
    // column kEditPopupColumn): all cells become editable and resultModified is set.
    void BeginEdit();
    static constexpr int32_t kEditPopupColumn = 5;
    // EndResultEdit (also Enter while browsing): back to browsing, then "Name" and "Model"
    // of `row` are taken from the entry list. NotANumber: show the input-error box.
    CarCellCheck EndEdit(int32_t row);
    // A result is being booked: back to browsing without touching any row.
    void LeaveEditing();

private:
    void Remember(const std::filesystem::path& path);
    void SetFileName(std::string name);

    ResultTable& results_;
    EntryTable& entries_;
    SessionState& state_;
    IniFile* ini_;
    ListFileName file_;
    GridEditState editState_;
    std::function<void()> fileNameChanged_;
    std::vector<ResultSink*> sinks_;
    ResultRowsCheck loadCheck_;
    int32_t batchDepth_ = 0;
    FlagRule flagRule_;
};

}  // namespace vantrel
