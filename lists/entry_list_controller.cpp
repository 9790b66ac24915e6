#include "lists/entry_list_controller.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>

#include "common/messages.h"
#include "lists/entry_panel.h"
#include "lists/entry_table_model.h"
#include "lists/list_dialogs.h"
#include "lists/list_texts.h"
#include "widgets/list_grid_look.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

namespace {
constexpr ListDialogKind kEntryDialogs{kEntryFileFilter, kEntryDefaultSuffix};
}  // namespace

EntryListController::EntryListController(EntryListWiring wiring, QObject* parent)
    : QObject(parent),
      wiring_(std::move(wiring)),
      files_(*wiring_.prompter, wiring_.iniPath, kEntryDialogs),
      commands_(*wiring_.commands) {
    commands_.UseIni(files_.Ini());
    EntryPanel* panel = wiring_.panel;
    panel->Model()->SetEditState(&commands_.EditState());
    panel->Model()->SetFixedCellColor(FixedCellColor(false));
    ListGridHooks hooks;
    hooks.dialogParent = [this] { return DialogParent(); };
    hooks.editorClosed = [this](int hint) { CellEditorClosed(hint); };
    hooks.entered = [this] { StringGrid1Enter(); };
    hooks.left = [this] { StringGrid1Exit(); };
    focusWatch_ = InstallListGrid(panel->StringGrid1, *wiring_.prompter, this, std::move(hooks));

    connect(wiring_.fileNew, &QAction::triggered, this, &EntryListController::FileNewEntryClick);
    connect(wiring_.fileLoad, &QAction::triggered, this, &EntryListController::FileLoadEntryClick);
    connect(wiring_.fileSave, &QAction::triggered, this, &EntryListController::FileSaveEntryClick);
    connect(panel->Grid1Edit, &QAction::triggered, this, &EntryListController::Grid1EditClick);
    connect(panel->Grid1Insert, &QAction::triggered, this, &EntryListController::Grid1InsertClick);
    connect(panel->Grid1Delete, &QAction::triggered, this, &EntryListController::Grid1DeleteClick);
}

EntryListController::~EntryListController() {
    // The model may outlive this object for a moment while the window is taken down.
    wiring_.panel->Model()->SetEditState(nullptr);
}

QWidget* EntryListController::DialogParent() const {
    return wiring_.panel->window();
}

void EntryListController::ShowFileName() {
    wiring_.panel->ShowFileName(QString::fromStdString(commands_.File().name));
}

void EntryListController::FileNewEntryClick() {
    if (commands_.NeedsQuestionBeforeReplace() &&
        !wiring_.prompter->AskYesNo(DialogParent(), Tr(msg::k101), Tr(msg::k102))) {
        return;
    }
    commands_.New();
    ShowFileName();
}

void EntryListController::FileLoadEntryClick() {
    if (commands_.NeedsQuestionBeforeReplace() &&
        !wiring_.prompter->AskYesNo(DialogParent(), Tr(msg::k103), Tr(msg::k104))) {
        return;
    }
    IoResult result;
    const auto load = [this](const std::filesystem::path& path) { return commands_.Load(path); };
    if (!files_.Open(DialogParent(), commands_.File(), load, result)) {
        return;
    }
    ShowFileName();
    files_.ShowWarning(DialogParent(), result);
}

void EntryListController::FileSaveEntryClick() {
    const auto path = files_.AskSave(DialogParent(), commands_.File());
    const auto save = [this](const std::filesystem::path& to) { return commands_.Save(to); };
    if (path && files_.Write(DialogParent(), *path, save)) {
        ShowFileName();
    }
}

void EntryListController::Grid1EditClick() {
    // The popup item starts editing exactly as a double-click does, so the cells it offers
    // are always editable and the change is always noticed before closing.
    BeginEntryEdit();
}

void EntryListController::Grid1InsertClick() {
    commands_.Insert(wiring_.panel->CurrentCar());
}

void EntryListController::Grid1DeleteClick() {
    commands_.Delete(wiring_.panel->CurrentCar());
}

void EntryListController::BeginEntryEdit() {
    commands_.BeginEdit();
    ShowGridEditing(wiring_.panel->StringGrid1, true);
    MoveToColumn(EntryTable::kName);
}

void EntryListController::EndEntryEdit() {
    QTableView* grid = wiring_.panel->StringGrid1;
    // The open cell's text belongs to the list before the editable state goes.
    CloseCellEditor(grid);
    commands_.EndEdit();
    ShowGridEditing(grid, false);
    wiring_.panel->SelectCar(wiring_.panel->CurrentCar());
}

void EntryListController::PickRow(int car) {
    if (car < 1 || car > EntryTable::kLastCar) {
        return;
    }
    wiring_.state->entryRow = car;
    if (Editing()) {
        const QModelIndex current = wiring_.panel->StringGrid1->currentIndex();
        wiring_.panel->StringGrid1->setCurrentIndex(wiring_.panel->Model()->index(
            EntryTableModel::RowOfCar(car), current.isValid() ? current.column() : 1));
    } else {
        wiring_.panel->SelectCar(car);
    }
    if (wiring_.onPick) {
        wiring_.onPick(car);
    }
}

void EntryListController::MoveToColumn(int column) {
    QTableView* grid = wiring_.panel->StringGrid1;
    const int row = EntryTableModel::RowOfCar(wiring_.panel->CurrentCar());
    grid->setCurrentIndex(wiring_.panel->Model()->index(row, column));
}

void EntryListController::StringGrid1Enter() {
    wiring_.panel->Model()->SetFixedCellColor(FixedCellColor(true));
    PaintGridHeader(wiring_.panel->StringGrid1, true);
    if (!Editing()) {
        wiring_.panel->SelectCar(wiring_.state->entryRow);
    }
}

void EntryListController::StringGrid1Exit() {
    wiring_.panel->Model()->SetFixedCellColor(FixedCellColor(false));
    PaintGridHeader(wiring_.panel->StringGrid1, false);
    const int car = wiring_.panel->CurrentCar();
    wiring_.state->entryRow = car;
    if (Editing()) {
        EndEntryEdit();
        PickRow(car);
    }
}

bool EntryListController::StringGrid1KeyDown(const QKeyEvent* event) {
    if (IsEnterKey(event->key())) {
        if (CellEditorOpen(wiring_.panel->StringGrid1)) {
            // Enter from the open cell: the cell editor closes itself and CellEditorClosed
            // ends the edit.
            return false;
        }
        if (event->modifiers() & Qt::ShiftModifier) {
            BeginEntryEdit();
        } else {
            if (Editing()) {
                EndEntryEdit();
            }
            PickRow(wiring_.panel->CurrentCar());
        }
        return true;
    }
    if (Editing() && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        MoveToColumn(ArrowColumn(event->key() == Qt::Key_Right));
        return true;
    }
    return false;
}

int EntryListController::ArrowColumn(bool right) const {
    const int column = wiring_.panel->StringGrid1->currentIndex().column();
    // Without a "Class" column: Left to "Name", Right to "Model". With it, Right goes on
    // from "Model" to "Class" and Left comes back from "Class" to "Model".
    const bool pastModel = column == EntryTable::kModel || column == EntryTable::kClass;
    if (right) {
        return pastModel && wiring_.panel->ClassColumnShown() ? EntryTable::kClass
                                                              : EntryTable::kModel;
    }
    return column == EntryTable::kClass ? EntryTable::kModel : EntryTable::kName;
}

void EntryListController::StringGrid1KeyUp() {
    // "Lap" is written by the race modes only: a key that lands there goes back to "Model".
    if (Editing() && wiring_.panel->StringGrid1->currentIndex().column() == EntryTable::kLap) {
        MoveToColumn(EntryTable::kModel);
    }
}

void EntryListController::StringGrid1DblClick() {
    if (Editing()) {
        EndEntryEdit();
    } else {
        BeginEntryEdit();
    }
}

void EntryListController::StringGrid1MouseDown(const QMouseEvent* event) {
    const QModelIndex index = wiring_.panel->StringGrid1->indexAt(event->position().toPoint());
    if (index.isValid()) {
        PickRow(EntryTableModel::CarOfRow(index.row()));
    }
}

void EntryListController::CellEditorClosed(int hint) {
    if (EditorClosedByEnter(hint, Editing())) {
        EndEntryEdit();
        PickRow(wiring_.panel->CurrentCar());
    }
}

bool EntryListController::eventFilter(QObject* watched, QEvent* event) {
    QTableView* grid = wiring_.panel->StringGrid1;
    if (watched == grid) {
        if (event->type() == QEvent::KeyPress) {
            return StringGrid1KeyDown(static_cast<QKeyEvent*>(event));
        }
        if (event->type() == QEvent::KeyRelease) {
            StringGrid1KeyUp();
        }
    } else if (watched == grid->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            StringGrid1MouseDown(static_cast<QMouseEvent*>(event));
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            StringGrid1DblClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantrel
