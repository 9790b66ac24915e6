#pragma once
// The open and save dialogs of the two lists and the error box of a file that failed.
// Thread rule: GUI thread only.

#include <QString>
#include <filesystem>
#include <optional>
#include <string_view>

#include "common/safe_file.h"
#include "common/ui_text.h"
#include "lists/list_file_name.h"
#include "widgets/prompter.h"

namespace vantrel {

struct ListDialogKind {
    UiText filter;            // "description|patterns|..."
    std::string_view suffix;  // default extension
};

// Runs the open or save dialog starting in the remembered folder with the proposed name; the
// chosen path, or nullopt when cancelled.
std::optional<std::filesystem::path> AskOpenListFile(Prompter& prompter, QWidget* parent,
                                                     ListDialogKind kind, const ListFileName& file);
std::optional<std::filesystem::path> AskSaveListFile(Prompter& prompter, QWidget* parent,
                                                     ListDialogKind kind, const ListFileName& file);

// The program's error box with the platform's text of a failed read or write.
void ShowFileError(Prompter& prompter, QWidget* parent, const IoResult& result);

}  // namespace vantrel
