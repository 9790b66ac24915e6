#include "lists/result_list_controller.h"

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "common/messages.h"
#include "lists/list_dialogs.h"
#include "lists/list_texts.h"
#include "lists/result_file.h"
#include "lists/result_panel.h"
#include "lists/result_table_model.h"
#include "widgets/list_grid_look.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

namespace {
constexpr ListDialogKind kResultDialogs{kResultFileFilter, kResultDefaultSuffix};
}  // namespace

ResultListController::ResultListController(ResultListWiring wiring, QObject* parent)
    : QObject(parent),
      wiring_(std::move(wiring)),
      files_(*wiring_.prompter, wiring_.iniPath, kResultDialogs),
      commands_(*wiring_.commands),
      newResultWatch_([this] { LeaveEditingForNewResult(); }) {
    commands_.UseIni(files_.Ini());
    ResultPanel* panel = wiring_.panel;
    panel->Model()->SetEditState(&commands_.EditState());
    ListGridHooks hooks;
    hooks.dialogParent = [this] { return DialogParent(); };
    hooks.editorClosed = [this](int hint) { CellEditorClosed(hint); };
    hooks.entered = [this] { StringGrid2Enter(); };
    hooks.left = [this] { StringGrid2Exit(); };
    focusWatch_ = InstallListGrid(panel->StringGrid2, *wiring_.prompter, this, std::move(hooks));
    connect(panel->Model(), &ResultTableModel::cellEdited, this,
            &ResultListController::RebuildRanking);
    wiring_.results->AddObserver(&newResultWatch_);
    commands_.OnFileNameChanged([this] { ShowFileName(); });

    connect(wiring_.fileLoad, &QAction::triggered, this,
            &ResultListController::FileLoadResultClick);
    connect(wiring_.fileSave, &QAction::triggered, this,
            &ResultListController::FileSaveResultClick);
    connect(wiring_.fileSaveAs, &QAction::triggered, this,
            &ResultListController::FileSaveAsResultClick);
    connect(panel->BitBtn3, &QPushButton::clicked, this, &ResultListController::BitBtn3Click);
    const std::pair<QPushButton*, ResultButton> buttons[] = {
        {panel->BitBtn4, ResultButton::kMissCourse},
        {panel->BitBtn5, ResultButton::kPenaltyPlus},
        {panel->BitBtn6, ResultButton::kPenaltyMinus},
        {panel->BitBtn7, ResultButton::kLecture}};
    for (const auto& [button, kind] : buttons) {
        connect(button, &QPushButton::clicked, this,
                [this, kind = kind] { PressResultButton(kind); });
    }
    connect(panel->Grid2Edit, &QAction::triggered, this, &ResultListController::Grid2EditClick);
    connect(panel->Grid2Delete, &QAction::triggered, this, &ResultListController::Grid2DeleteClick);
}

ResultListController::~ResultListController() {
    wiring_.results->RemoveObserver(&newResultWatch_);
    // The model may outlive this object for a moment while the window is taken down.
    wiring_.panel->Model()->SetEditState(nullptr);
}

QWidget* ResultListController::DialogParent() const {
    return wiring_.panel->window();
}

int ResultListController::CurrentRow() const {
    const QModelIndex index = wiring_.panel->StringGrid2->currentIndex();
    return index.isValid() ? ResultTableModel::TableRowOf(index.row()) : 1;
}

void ResultListController::ShowFileName() {
    wiring_.panel->ShowFileName(QString::fromStdString(commands_.File().name));
}

void ResultListController::RebuildRanking() {
    if (wiring_.rebuildRanking) {
        wiring_.rebuildRanking();
    }
}

void ResultListController::FileLoadResultClick() {
    if (wiring_.state->resultModified &&
        !wiring_.prompter->AskYesNo(DialogParent(), Tr(kLoadOverResultsText),
                                    Tr(kLoadOverResultsCaption))) {
        return;
    }
    IoResult result;
    const auto load = [this](const std::filesystem::path& path) { return commands_.Load(path); };
    const auto path = files_.Open(DialogParent(), commands_.File(), load, result);
    if (!path) {
        return;
    }
    wiring_.panel->SelectRow(1);
    files_.ShowWarning(DialogParent(), result);
    if (wiring_.rebuildAfterLoad) {
        wiring_.rebuildAfterLoad(*path);
    } else {
        RebuildRanking();
    }
}

void ResultListController::FileSaveResultClick() {
    if (!commands_.SaveNeedsDialog()) {
        SaveTo(commands_.File().FullPath());
        return;
    }
    FileSaveAsResultClick();
}

void ResultListController::FileSaveAsResultClick() {
    if (const auto path = files_.AskSave(DialogParent(), commands_.File())) {
        SaveTo(*path);
    }
}

void ResultListController::SaveTo(const std::filesystem::path& path) {
    if (commands_.SaveWouldEmptyFile(path) &&
        !wiring_.prompter->AskYesNo(
            DialogParent(),
            Tr(kSaveEmptyOverText).arg(QString::fromStdString(Utf8FromPath(path.filename()))),
            Tr(kSaveEmptyOverCaption))) {
        return;
    }
    files_.Write(DialogParent(), path,
                 [this](const std::filesystem::path& to) { return commands_.Save(to); });
}

void ResultListController::BitBtn3Click() {
    if (!wiring_.prompter->AskYesNo(DialogParent(), Tr(msg::k111), Tr(msg::k112))) {
        return;
    }
    commands_.Clear();
    wiring_.panel->SelectRow(1);
    wiring_.state->resultRow = 1;
    if (wiring_.resetRecord) {
        wiring_.resetRecord();
    }
}

void ResultListController::PressResultButton(ResultButton button) {
    const ResultButtonOutcome outcome = commands_.PressButton(button, CurrentRow());
    if (outcome.rebuildRanking) {
        RebuildRanking();
    }
}

void ResultListController::Grid2EditClick() {
    // The popup item starts editing exactly as a double-click does (so the cells it offers
    // are editable and the change is noticed before closing), then goes to the comment.
    BeginResultEdit();
    const int column =
        std::min(ResultListCommands::kEditPopupColumn, wiring_.results->ColumnCount() - 1);
    QTableView* grid = wiring_.panel->StringGrid2;
    grid->setCurrentIndex(
        wiring_.panel->Model()->index(ResultTableModel::ModelRowOf(CurrentRow()), column));
    grid->setFocus();
}

void ResultListController::Grid2DeleteClick() {
    wiring_.panel->SelectRow(commands_.DeleteRow(CurrentRow()));
    RebuildRanking();
}

void ResultListController::LeaveEditingForNewResult() {
    if (!Editing()) {
        return;
    }
    // What was typed stays in its own cell; the keys that follow must not reach the new row.
    CloseCellEditor(wiring_.panel->StringGrid2);
    commands_.LeaveEditing();
    ShowGridEditing(wiring_.panel->StringGrid2, false);
}

void ResultListController::BeginResultEdit() {
    commands_.BeginEdit();
    ShowGridEditing(wiring_.panel->StringGrid2, true);
}

void ResultListController::EndResultEdit() {
    QTableView* grid = wiring_.panel->StringGrid2;
    // The open cell's text belongs to the list before the editable state goes.
    CloseCellEditor(grid);
    const int row = CurrentRow();
    ShowGridEditing(grid, false);
    wiring_.panel->SelectRow(row);
    if (commands_.EndEdit(row) == CarCellCheck::kNotANumber) {
        wiring_.prompter->Warn(DialogParent(), Tr(msg::k109), Tr(msg::k110));
    }
}

void ResultListController::StringGrid2Enter() {
    PaintGridHeader(wiring_.panel->StringGrid2, true);
    if (!Editing()) {
        wiring_.panel->SelectRow(wiring_.state->resultRow);
    }
}

void ResultListController::StringGrid2Exit() {
    PaintGridHeader(wiring_.panel->StringGrid2, false);
    wiring_.state->resultRow = CurrentRow();
    if (Editing()) {
        EndResultEdit();
    }
}

bool ResultListController::StringGrid2KeyDown(const QKeyEvent* event) {
    if (IsEnterKey(event->key())) {
        if (CellEditorOpen(wiring_.panel->StringGrid2)) {
            // Enter from the open cell: the cell editor closes itself and CellEditorClosed
            // ends the edit.
            return false;
        }
        if (event->modifiers() & Qt::ShiftModifier) {
            BeginResultEdit();
        } else {
            EndResultEdit();
        }
        return true;
    }
    if (event->key() == Qt::Key_Home) {
        wiring_.panel->SelectRow(1);
        wiring_.state->resultRow = 1;
        return true;
    }
    return false;
}

void ResultListController::StringGrid2DblClick() {
    if (Editing()) {
        EndResultEdit();
    } else {
        BeginResultEdit();
    }
}

void ResultListController::CellEditorClosed(int hint) {
    if (EditorClosedByEnter(hint, Editing())) {
        EndResultEdit();
    }
}

bool ResultListController::eventFilter(QObject* watched, QEvent* event) {
    QTableView* grid = wiring_.panel->StringGrid2;
    if (watched == grid && event->type() == QEvent::KeyPress) {
        return StringGrid2KeyDown(static_cast<QKeyEvent*>(event));
    }
    if (watched == grid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        StringGrid2DblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantrel
