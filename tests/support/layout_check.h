#pragma once
// Checks a window's layout the way a timekeeper would see it: no two visible sibling controls
// overlap, each control lies inside its parent, and every text fits its control (measured
// with the control's font). Grids: headers fit their columns, cells do not wrap, and a cell
// text that is too wide shows an ellipsis rather than being cut silently.

#include <QString>
#include <QStringList>

class QWidget;

namespace vantrel::test {

// One line per fault found under `root` (its visible descendants); empty when none.
QStringList LayoutFaults(const QWidget* root);

}  // namespace vantrel::test
