#include "lists/entry_list_commands.h"

#include <string>

#include "lists/entry_file.h"
#include "lists/list_texts.h"

namespace vantrel {

EntryListCommands::EntryListCommands(EntryTable& table, SessionState& state, IniFile* ini)
    : table_(table), state_(state) {
    file_.name = std::string(kNewEntryFileName);
    UseIni(ini);
}

void EntryListCommands::UseIni(IniFile* ini) {
    ini_ = ini;
    if (ini_ != nullptr) {
        file_.folder = ini_->ReadString(kInitialDirSection, kEntryListKey, "");
    }
}

void EntryListCommands::New() {
    table_.ClearNamesAndModels();
    file_.name = std::string(kNewEntryFileName);
    state_.entryModified = false;
}

IoResult EntryListCommands::Load(const std::filesystem::path& path) {
    IoResult result = LoadEntryFile(path, table_);
    if (result) {
        Remember(path);
        state_.entryModified = false;
    }
    return result;
}

IoResult EntryListCommands::Save(const std::filesystem::path& path) {
    IoResult result = SaveEntryFile(path, table_);
    if (result) {
        Remember(path);
        state_.entryModified = false;
    }
    return result;
}

void EntryListCommands::BeginEdit() {
    editState_.Begin();
    state_.entryModified = true;
}

void EntryListCommands::Remember(const std::filesystem::path& path) {
    file_ = RememberedFileName(path);
    if (ini_ != nullptr) {
        ini_->WriteString(kInitialDirSection, kEntryListKey, file_.folder);
        // The list itself is safe on disk; a settings file that cannot be written only
        // forgets the folder, which is not worth a second error box.
        (void)ini_->Save();
    }
}

}  // namespace vantrel
