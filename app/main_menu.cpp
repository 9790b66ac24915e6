#include "app/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace vantrel {

namespace {
QAction* AddCommand(QMenu* menu, const char* name, const QString& text,
                    const QKeySequence& shortcut = QKeySequence()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}
}  // namespace

MainMenu BuildMainMenu(QMenuBar* bar) {
    MainMenu m{};
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("File1"));
    m.FileNewEntry =
        AddCommand(file, "FileNewEntry", QStringLiteral("エントリーリストの新規作成(&N)"));
    m.FileLoadEntry =
        AddCommand(file, "FileLoadEntry", QStringLiteral("エントリーリストを開く(&O)..."));
    m.FileSaveEntry = AddCommand(file, "FileSaveEntry",
                                 QStringLiteral("エントリーリストに名前を付けて保存(&S)..."));
    file->addSeparator();
    m.FileLoadResult = AddCommand(file, "FileLoadResult", QStringLiteral("リザルトリストを開く..."),
                                  QKeySequence(Qt::CTRL | Qt::Key_O));
    m.FileSaveResult =
        AddCommand(file, "FileSaveResult", QStringLiteral("リザルトリストを保存(&R)"),
                   QKeySequence(Qt::CTRL | Qt::Key_S));
    m.FileSaveAsResult = AddCommand(file, "FileSaveAsResult",
                                    QStringLiteral("リザルトリストに名前を付けて保存(&A)..."));
    file->addSeparator();
    m.FileSetup = AddCommand(file, "FileSetup", QStringLiteral("ページ設定..."));
    m.FilePrint = AddCommand(file, "FilePrint", QStringLiteral("印刷(&P)..."),
                             QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    m.FileExit = AddCommand(file, "FileExit", QStringLiteral("終了(&X)"));

    QMenu* tools = bar->addMenu(QStringLiteral("ツール(&T)"));
    tools->setObjectName(QStringLiteral("Tool1"));
    m.Font2 = AddCommand(tools, "Font2", QStringLiteral("フォント(&F)..."));
    tools->addSeparator();
    m.ToolRecord = AddCommand(tools, "ToolRecord", QStringLiteral("レコード(&R)..."));
    m.ToolSetup = AddCommand(tools, "ToolSetup", QStringLiteral("オプション(&O)..."));
    tools->addSeparator();
    m.ToolTimingTest = AddCommand(tools, "ToolTimingTest", QStringLiteral("タイミング診断(&D)..."));
    m.ToolHealth = AddCommand(tools, "ToolHealth", QStringLiteral("機器の状態(&H)..."));

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("Help1"));
    m.HelpContents = AddCommand(help, "HelpContents", QStringLiteral("トピックの検索(&C)"),
                                QKeySequence(Qt::Key_F1));
    m.HelpAbout = AddCommand(help, "HelpAbout", QStringLiteral("バージョン情報(&A)..."));
    for (QMenu* menu : {file, tools, help}) {
        menu->setToolTipsVisible(true);  // a disabled item says why
    }
    for (QAction* action : bar->findChildren<QAction*>()) {
        // Shortcuts must work while the focus is in any child of the window.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return m;
}

}  // namespace vantrel
