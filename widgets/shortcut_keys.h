#pragma once
// Keeps a window's shortcut keys away from its one-line boxes. A QLineEdit that can be typed
// into claims Ctrl+Z and Ctrl+Y for its own text before any shortcut sees them, so the
// program's undo of the lists would never run while such a box has the focus.
// Thread rule: GUI thread only.

#include <initializer_list>

class QShortcut;
class QWidget;

namespace vantrel {

// From now on the keys of `shortcuts` reach them while a one-line box of `window` has the
// focus; a grid's cell editor keeps them for the text being typed. Lives as long as `window`.
void LeaveKeysToShortcuts(QWidget* window, std::initializer_list<QShortcut*> shortcuts);

}  // namespace vantrel
