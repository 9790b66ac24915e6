#pragma once
// Runs the entry list in the main window: the file menu's entry commands with their questions
// and dialogs, the grid's popup, the editing state, keys, focus, and picking a row as the car
// proposed for the next start.
// Thread rule: GUI thread only.

#include <QObject>
#include <filesystem>
#include <functional>

#include "common/session_state.h"
#include "lists/entry_list_commands.h"
#include "lists/list_grid_control.h"

class QAction;
class QKeyEvent;
class QMouseEvent;

namespace vantrel {

class EntryPanel;
class GridFocusWatch;
class Prompter;

// What the controller works on; everything must outlive it.
struct EntryListWiring {
    EntryPanel* panel = nullptr;
    EntryTable* table = nullptr;
    SessionState* state = nullptr;
    EntryListCommands* commands = nullptr;  // the event's
    Prompter* prompter = nullptr;
    std::filesystem::path iniPath;  // the settings file ([InitialDir] `EntryList`)
    QAction* fileNew = nullptr;     // FileNewEntry
    QAction* fileLoad = nullptr;    // FileLoadEntry
    QAction* fileSave = nullptr;    // FileSaveEntry
    // A picked car: the window shows it as the next car and refreshes the waiting car.
    std::function<void(int car)> onPick;
};

class EntryListController : public QObject {
    Q_OBJECT
public:
    explicit EntryListController(EntryListWiring wiring, QObject* parent = nullptr);
    ~EntryListController() override;

    EntryListCommands& Commands() { return commands_; }

    void FileNewEntryClick();
    void FileLoadEntryClick();
    void FileSaveEntryClick();
    void Grid1EditClick();
    void Grid1InsertClick();
    void Grid1DeleteClick();
    void BeginEntryEdit();
    void EndEntryEdit();
    bool Editing() const { return commands_.EditState().Editing(); }
    // Row picking: `entryRow` = car, the row selected, then the window's onPick.
    void PickRow(int car);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StringGrid1Enter();
    void StringGrid1Exit();
    bool StringGrid1KeyDown(const QKeyEvent* event);
    void StringGrid1KeyUp();
    void StringGrid1DblClick();
    void StringGrid1MouseDown(const QMouseEvent* event);
    void CellEditorClosed(int hint);
    void MoveToColumn(int column);
    // Where the Left (or Right) arrow moves the edit from the current cell.
    int ArrowColumn(bool right) const;
    void ShowFileName();
    QWidget* DialogParent() const;

    EntryListWiring wiring_;
    ListFileDialogs files_;
    EntryListCommands& commands_;
    GridFocusWatch* focusWatch_;
};

}  // namespace vantrel
