#include "widgets/list_grid_look.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QHeaderView>
#include <QInputMethod>
#include <QPalette>
#include <QTableView>

#include "widgets/widget_util.h"

namespace vantrel {

QColor FixedCellColor(bool focused) {
    return focused ? QColor(232, 242, 255) : QApplication::palette().color(QPalette::Button);
}

namespace {
// The view keeps its state for subclasses; the grids are plain views.
struct ViewState : QTableView {
    static bool Editing(const QTableView* view) {
        return (view->*(&ViewState::state))() == QAbstractItemView::EditingState;
    }
};
}  // namespace

bool CellEditorOpen(const QTableView* grid) {
    return ViewState::Editing(grid);
}

void CloseCellEditor(QTableView* grid) {
    if (!CellEditorOpen(grid)) {
        return;
    }
    // The delegate's editor is the viewport's only visible child widget; the view's own slots
    // write its text to the model and remove it, as leaving the cell would.
    const auto children = grid->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* editor : children) {
        if (!editor->isVisible()) {
            continue;
        }
        QMetaObject::invokeMethod(grid, "commitData", Qt::DirectConnection,
                                  Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(
            grid, "closeEditor", Qt::DirectConnection, Q_ARG(QWidget*, editor),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}

void ShowGridEditing(QTableView* grid, bool editing) {
    if (!editing) {
        CloseCellEditor(grid);
        QGuiApplication::inputMethod()->commit();
        QGuiApplication::inputMethod()->hide();
    }
    SetEditingColor(grid, editing);
    grid->setSelectionBehavior(editing ? QAbstractItemView::SelectItems
                                       : QAbstractItemView::SelectRows);
}

void PaintGridHeader(QTableView* grid, bool focused) {
    QHeaderView* header = grid->horizontalHeader();
    QPalette palette = header->palette();
    palette.setColor(QPalette::Button, FixedCellColor(focused));
    palette.setColor(QPalette::Window, FixedCellColor(focused));
    header->setPalette(palette);
}

}  // namespace vantrel
