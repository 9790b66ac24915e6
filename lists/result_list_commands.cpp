#include "lists/result_list_commands.h"

#include <algorithm>

#include "lists/list_texts.h"
#include "lists/result_file.h"
#include "lists/result_flag_check.h"

namespace vantrel {

ResultListCommands::ResultListCommands(ResultTable& results, EntryTable& entries,
                                       SessionState& state, IniFile* ini)
    : results_(results), entries_(entries), state_(state) {
    file_.name = std::string(kNewResultFileName);
    UseIni(ini);
}

void ResultListCommands::UseIni(IniFile* ini) {
    ini_ = ini;
    if (ini_ != nullptr) {
        file_.folder = ini_->ReadString(kInitialDirSection, kResultListKey, "");
    }
}

IoResult ResultListCommands::Load(const std::filesystem::path& path) {
    IoResult result = LoadResultFile(path, results_, loadCheck_);
    // Set after the rows change, so that the step of the load carries the flag from before.
    state_.resultModified = true;
    if (result) {
        Remember(path);
    }
    return result;
}

bool ResultListCommands::SaveNeedsDialog() const {
    return file_.name.empty() || file_.name == kNewResultFileName;
}

IoResult ResultListCommands::Save(const std::filesystem::path& path) {
    IoResult result = SaveResultFile(path, results_);
    if (result) {
        Remember(path);
        state_.resultModified = false;
    }
    return result;
}

void ResultListCommands::Clear() {
    results_.Reset(results_.Mode());
    entries_.ClearLaps();
    state_.ClearCarCounters();
    SetFileName(std::string(kNewResultFileName));
    state_.resultModified = false;
}

bool ResultListCommands::SaveWouldEmptyFile(const std::filesystem::path& path) const {
    return results_.IsEmpty() && FileHoldsResults(path);
}

void ResultListCommands::ChangeLayout(RaceMode mode) {
    results_.Reset(mode);
    // A new list, so that the next Save asks for a name instead of emptying the last file.
    SetFileName(std::string(kNewResultFileName));
    state_.resultModified = false;
}

int32_t ResultListCommands::AddResult(BookedResult result) {
    std::string flag = FlagForBooking(results_, result, flagRule_);
    const int32_t row = results_.RowForNewResult();
    if (!flag.empty()) {
        result.cells.resize(static_cast<size_t>(results_.FlagColumn()));
        result.cells.push_back(std::move(flag));
    }
    results_.SetRow(row, std::move(result.cells));
    state_.resultModified = true;
    ++state_.resultsBooked;
    for (ResultSink* sink : sinks_) {
        sink->ResultBooked(result, row);
    }
    return row;
}

void ResultListCommands::BeginBatch() {
    if (batchDepth_++ == 0) {
        for (ResultSink* sink : sinks_) {
            sink->BatchStarted();
        }
    }
}

void ResultListCommands::EndBatch() {
    if (batchDepth_ > 0 && --batchDepth_ == 0) {
        for (ResultSink* sink : sinks_) {
            sink->BatchEnded();
        }
    }
}

ResultButtonOutcome ResultListCommands::PressButton(ResultButton button, int32_t row) {
    const ResultButtonOutcome outcome = ApplyResultButton(results_, row, button);
    if (outcome.changed) {
        state_.resultModified = true;
    }
    return outcome;
}

bool ResultListCommands::AcceptFlag(int32_t row) {
    if (row < 1 || row >= results_.RowCount() || results_.Flag(row).empty()) {
        return false;
    }
    results_.SetCell(results_.FlagColumn(), row, std::string());
    state_.resultModified = true;
    return true;
}

int32_t ResultListCommands::DeleteRow(int32_t row) {
    results_.DeleteRow(row);
    state_.resultModified = true;
    state_.resultRow = std::clamp(row, 1, results_.DataRowCount());
    return state_.resultRow;
}

void ResultListCommands::BeginEdit() {
    editState_.Begin();
    state_.resultModified = true;
}

CarCellCheck ResultListCommands::EndEdit(int32_t row) {
    editState_.End();
    return RefreshNameAndModel(results_, row, entries_);
}

void ResultListCommands::LeaveEditing() {
    editState_.End();
}

void ResultListCommands::SetFileName(std::string name) {
    file_.name = std::move(name);
    if (fileNameChanged_) {
        fileNameChanged_();
    }
}

void ResultListCommands::Remember(const std::filesystem::path& path) {
    file_ = RememberedFileName(path);
    if (fileNameChanged_) {
        fileNameChanged_();
    }
    if (ini_ != nullptr) {
        ini_->WriteString(kInitialDirSection, kResultListKey, file_.folder);
        // The list itself is safe on disk; a settings file that cannot be written only
        // forgets the folder, which is not worth a second error box.
        (void)ini_->Save();
    }
}

}  // namespace vantrel
