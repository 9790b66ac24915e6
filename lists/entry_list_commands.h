#pragma once
// The entry list's commands as the main window runs them: New, Load, Save, Insert, Delete and
// the editing state. Each command sets or clears `entryModified` itself, so the window only
// asks the questions, runs the dialogs and shows what a command reports.
// Thread rule: GUI thread only.

#include <cstdint>
#include <filesystem>

#include "common/ini_file.h"
#include "common/safe_file.h"
#include "common/session_state.h"
#include "lists/entry_table.h"
#include "lists/grid_edit_state.h"
#include "lists/list_file_name.h"

namespace vantrel {

class EntryListCommands {
public:
    // `ini` (may be null) gives the dialogs' starting folder and remembers each file's
    // folder under [InitialDir] `EntryList`. All three must outlive this object.
    EntryListCommands(EntryTable& table, SessionState& state, IniFile* ini);
    // The settings file from now on (the window's dialogs own it); reads the folder again.
    void UseIni(IniFile* ini);

    const EntryTable& Table() const { return table_; }
    // Folder and name for both entry dialogs; file().Label() is the text of `EntryFile`.
    const ListFileName& File() const { return file_; }
    const GridEditState& EditState() const { return editState_; }
    // The file of restored lists, as the journal knew it.
    void RestoreFile(ListFileName file) { file_ = std::move(file); }

    // New and Load first ask (messages 101/102, 103/104) when this is true.
    bool NeedsQuestionBeforeReplace() const { return state_.entryModified; }

    // Empties every name, model and class ("Lap" stays); the proposed name becomes
    // "NewEntry.txt". Clears entryModified.
    void New();
    // Loads the chosen file; on success remembers it and clears entryModified. A failure
    // changes nothing and returns the error to show.
    IoResult Load(const std::filesystem::path& path);
    // Saves to the chosen file (the save dialog always runs first); on success remembers it
    // and clears entryModified. A failure changes nothing but the temporary file's absence.
    IoResult Save(const std::filesystem::path& path);

    // Insert and Delete act on the current row and leave entryModified alone.
    void Insert(int32_t row) { table_.InsertRow(row); }
    void Delete(int32_t row) { table_.DeleteRow(row); }

    // BeginEntryEdit (double-click, Shift+Enter, and the popup "編集"): cells of "Name",
    // "Model" and "Class" become editable and entryModified is set, changed or not.
    void BeginEdit();
    // EndEntryEdit: back to browsing. entryModified is left as it is.
    void EndEdit() { editState_.End(); }

private:
    void Remember(const std::filesystem::path& path);

    EntryTable& table_;
    SessionState& state_;
    IniFile* ini_;
    ListFileName file_;
    GridEditState editState_;
};

}  // namespace vantrel
