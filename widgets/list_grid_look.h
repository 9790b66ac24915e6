#pragma once
// How a list grid shows its state: the editing colour with single cells selected, the
// browsing look with whole rows selected, and the colour of its fixed cells, light blue while
// the grid has the focus and the button face otherwise.
// Thread rule: GUI thread only.

#include <QColor>

class QTableView;

namespace vantrel {

// Colour of the fixed cells (header row, "Car" column of the entry grid).
QColor FixedCellColor(bool focused);

// Editing: tooltip-colour background, single cells. Browsing: window-colour background,
// whole rows; an open cell editor is first committed and closed, and the input method too.
void ShowGridEditing(QTableView* grid, bool editing);

// Whether a cell editor of `grid` is open.
bool CellEditorOpen(const QTableView* grid);

// Commits and closes the cell editor of `grid` if one is open.
void CloseCellEditor(QTableView* grid);

// Paints the header row in FixedCellColor(focused).
void PaintGridHeader(QTableView* grid, bool focused);

}  // namespace vantrel
