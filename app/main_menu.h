#pragma once
// The main window's menu bar: "ファイル(&F)", "ツール(&T)", "ヘルプ(&H)" with every command.
// Thread rule: GUI thread only.

class QAction;
class QMenuBar;

namespace vantrel {

struct MainMenu {
    QAction* FileNewEntry;
    QAction* FileLoadEntry;
    QAction* FileSaveEntry;
    QAction* FileLoadResult;
    QAction* FileSaveResult;
    QAction* FileSaveAsResult;
    QAction* FileSetup;
    QAction* FilePrint;
    QAction* FileExit;
    QAction* Font2;
    QAction* ToolRecord;
    QAction* ToolSetup;
    QAction* ToolTimingTest;
    QAction* ToolHealth;
    QAction* HelpContents;
    QAction* HelpAbout;
};

// Fills `bar` and returns the actions, each named after its command.
MainMenu BuildMainMenu(QMenuBar* bar);

}  // namespace vantrel
