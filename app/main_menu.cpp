#include "app/main_menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace vantrel {

namespace {
// `text` is marked with QT_TRANSLATE_NOOP("MainMenu", ...) where it is written.
QAction* AddCommand(QMenu* menu, const char* name, const char* text,
                    const QKeySequence& shortcut = QKeySequence()) {
    QAction* action = menu->addAction(QCoreApplication::translate("MainMenu", text));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}
}  // namespace

MainMenu BuildMainMenu(QMenuBar* bar) {
    MainMenu m{};
    QMenu* file = bar->addMenu(QCoreApplication::translate("MainMenu", "ファイル(&F)"));
    file->setObjectName(QStringLiteral("File1"));
    m.FileNewEntry = AddCommand(file, "FileNewEntry",
                                QT_TRANSLATE_NOOP("MainMenu", "エントリーリストの新規作成(&N)"));
    m.FileLoadEntry = AddCommand(file, "FileLoadEntry",
                                 QT_TRANSLATE_NOOP("MainMenu", "エントリーリストを開く(&O)..."));
    m.FileSaveEntry =
        AddCommand(file, "FileSaveEntry",
                   QT_TRANSLATE_NOOP("MainMenu", "エントリーリストに名前を付けて保存(&S)..."));
    file->addSeparator();
    m.FileLoadResult =
        AddCommand(file, "FileLoadResult", QT_TRANSLATE_NOOP("MainMenu", "リザルトリストを開く..."),
                   QKeySequence(Qt::CTRL | Qt::Key_O));
    m.FileSaveResult = AddCommand(file, "FileSaveResult",
                                  QT_TRANSLATE_NOOP("MainMenu", "リザルトリストを保存(&R)"),
                                  QKeySequence(Qt::CTRL | Qt::Key_S));
    m.FileSaveAsResult =
        AddCommand(file, "FileSaveAsResult",
                   QT_TRANSLATE_NOOP("MainMenu", "リザルトリストに名前を付けて保存(&A)..."));
    file->addSeparator();
    m.FileSetup = AddCommand(file, "FileSetup", QT_TRANSLATE_NOOP("MainMenu", "ページ設定..."));
    m.FilePrint = AddCommand(file, "FilePrint", QT_TRANSLATE_NOOP("MainMenu", "印刷(&P)..."),
                             QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    m.FileExit = AddCommand(file, "FileExit", QT_TRANSLATE_NOOP("MainMenu", "終了(&X)"));

    QMenu* tools = bar->addMenu(QCoreApplication::translate("MainMenu", "ツール(&T)"));
    tools->setObjectName(QStringLiteral("Tool1"));
    m.Font2 = AddCommand(tools, "Font2", QT_TRANSLATE_NOOP("MainMenu", "フォント(&F)..."));
    tools->addSeparator();
    m.ToolRecord =
        AddCommand(tools, "ToolRecord", QT_TRANSLATE_NOOP("MainMenu", "レコード(&R)..."));
    m.ToolSetup =
        AddCommand(tools, "ToolSetup", QT_TRANSLATE_NOOP("MainMenu", "オプション(&O)..."));
    tools->addSeparator();
    m.ToolTimingTest =
        AddCommand(tools, "ToolTimingTest", QT_TRANSLATE_NOOP("MainMenu", "タイミング診断(&D)..."));
    m.ToolHealth =
        AddCommand(tools, "ToolHealth", QT_TRANSLATE_NOOP("MainMenu", "機器の状態(&H)..."));

    QMenu* help = bar->addMenu(QCoreApplication::translate("MainMenu", "ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("Help1"));
    m.HelpContents =
        AddCommand(help, "HelpContents", QT_TRANSLATE_NOOP("MainMenu", "トピックの検索(&C)"),
                   QKeySequence(Qt::Key_F1));
    m.HelpAbout =
        AddCommand(help, "HelpAbout", QT_TRANSLATE_NOOP("MainMenu", "バージョン情報(&A)..."));
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
