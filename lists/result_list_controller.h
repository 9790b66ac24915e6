#pragma once
// Runs the result list in the main window: the file menu's result commands with their
// dialogs, Clear and the result buttons below the grid, the grid's popup, the editing state
// with the name refresh, keys and focus.
// Thread rule: GUI thread only.

#include <QObject>
#include <filesystem>
#include <functional>

#include "common/session_state.h"
#include "lists/list_grid_control.h"
#include "lists/result_list_commands.h"
#include "lists/table_observer.h"

class QAction;
class QKeyEvent;

namespace vantrel {

class GridFocusWatch;
class Prompter;
class ResultPanel;

// What the controller works on; everything must outlive it.
struct ResultListWiring {
    ResultPanel* panel = nullptr;
    ResultTable* results = nullptr;
    EntryTable* entries = nullptr;
    SessionState* state = nullptr;
    ResultListCommands* commands = nullptr;  // the event's
    Prompter* prompter = nullptr;
    std::filesystem::path iniPath;  // the settings file ([InitialDir] `ResultList`)
    QAction* fileLoad = nullptr;    // FileLoadResult
    QAction* fileSave = nullptr;    // FileSaveResult
    QAction* fileSaveAs = nullptr;  // FileSaveAsResult
    // The standings after any change of the list; after a load, with the file, so that an
    // error names it. The record window after Clear. Any may be empty while nothing shows
    // them.
    std::function<void()> rebuildRanking;
    std::function<void(const std::filesystem::path&)> rebuildAfterLoad;
    std::function<void()> resetRecord;
};

class ResultListController : public QObject {
    Q_OBJECT
public:
    explicit ResultListController(ResultListWiring wiring, QObject* parent = nullptr);
    ~ResultListController() override;

    // The race modes add their results through these commands.
    ResultListCommands& Commands() { return commands_; }

    void FileLoadResultClick();
    void FileSaveResultClick();
    void FileSaveAsResultClick();
    void BitBtn3Click();  // "ｸﾘｱ"
    void PressResultButton(ResultButton button);
    void Grid2EditClick();
    void Grid2DeleteClick();
    void BeginResultEdit();
    void EndResultEdit();
    bool Editing() const { return commands_.EditState().Editing(); }
    // The current data row (1-based).
    int CurrentRow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SaveTo(const std::filesystem::path& path);
    void StringGrid2Enter();
    void StringGrid2Exit();
    bool StringGrid2KeyDown(const QKeyEvent* event);
    void StringGrid2DblClick();
    void CellEditorClosed(int hint);
    void LeaveEditingForNewResult();
    void ShowFileName();
    void RebuildRanking();
    QWidget* DialogParent() const;

    ResultListWiring wiring_;
    ListFileDialogs files_;
    ResultListCommands& commands_;
    NewResultWatch newResultWatch_;
    GridFocusWatch* focusWatch_;
};

}  // namespace vantrel
