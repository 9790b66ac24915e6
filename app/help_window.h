#pragma once
// The help page shipped with the program, shown in a window of its own.
// Thread rule: GUI thread only.

class QWidget;

namespace vantrel {

// Shows (or raises) the help window; it stays open beside the main window.
void ShowHelpWindow(QWidget* parent);

}  // namespace vantrel
