#pragma once
// What the entry and result list controllers share: the grid's editing behaviour and the
// file commands' dialogs with their error and warning boxes.
// Thread rule: GUI thread only.

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>

#include "common/ini_file.h"
#include "common/safe_file.h"
#include "lists/list_dialogs.h"

class QTableView;

namespace vantrel {

class GridFocusWatch;
class Prompter;

// What a list grid reports to its controller.
struct ListGridHooks {
    std::function<QWidget*()> dialogParent;  // of the refused-character box
    std::function<void(int hint)> editorClosed;
    std::function<void()> entered;
    std::function<void()> left;
};

// Installs the storable-text editor (refused characters get the input-error box), editing by
// typing, F2 or a click on the selected cell (the model decides which cells may be edited),
// `filter` on the grid and its viewport, and the focus watch, which is returned.
GridFocusWatch* InstallListGrid(QTableView* grid, Prompter& prompter, QObject* filter,
                                ListGridHooks hooks);

// Whether a cell editor closed with `hint` ends the edit: Enter in the open cell while
// editing, as Enter on the grid does (Shift+Enter keeps it).
bool EditorClosedByEnter(int hint, bool editing);

// The file commands of one list: its dialogs, the settings file that remembers its folder,
// and the boxes of a failed or doubtful read or write.
class ListFileDialogs {
public:
    ListFileDialogs(Prompter& prompter, std::filesystem::path iniPath, ListDialogKind kind)
        : prompter_(prompter), iniPath_(std::move(iniPath)), ini_(iniPath_), kind_(kind) {}

    // The settings file the list's commands write its folder to.
    IniFile* Ini() { return &ini_; }

    using FileAction = std::function<IoResult(const std::filesystem::path&)>;
    // The open dialog, then `load` of the chosen file; a failure shows the error box. The
    // loaded file's path and the load's result, or nullopt.
    std::optional<std::filesystem::path> Open(QWidget* parent, const ListFileName& file,
                                              const FileAction& load, IoResult& result);
    // The save dialog; the chosen path, or nullopt when cancelled.
    std::optional<std::filesystem::path> AskSave(QWidget* parent, const ListFileName& file);
    // `save` to `path`; a failure shows the error box. True when written.
    bool Write(QWidget* parent, const std::filesystem::path& path, const FileAction& save);
    // The warning a successful load may carry (lines that were cut or skipped).
    void ShowWarning(QWidget* parent, const IoResult& result);

private:
    // Other owners write their sections meanwhile; remembering the folder must keep them.
    void ReloadSettings() { ini_ = IniFile(iniPath_); }

    Prompter& prompter_;
    std::filesystem::path iniPath_;
    IniFile ini_;
    ListDialogKind kind_;
};

}  // namespace vantrel
