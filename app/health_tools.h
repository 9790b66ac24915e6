#pragma once
// Gives the main window its timing self-test and device health window: the items under
// ツール and the status bar's warning place, which opens the health window when clicked.
// Thread rule: GUI thread only.

namespace vantrel {

class Prompter;
class TMainForm;

// Once, when the window is built (its devices and menu exist).
void AttachHealthTools(TMainForm& window, Prompter& prompter);

}  // namespace vantrel
