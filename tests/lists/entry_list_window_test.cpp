// The entry list in the real main window: menus, dialogs, editing, keys, focus and picking.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "common/messages.h"
#include "list_window_support.h"
#include "lists/list_texts.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel::test {
namespace {

using EntryListWindow = ListWindowTest;

const QColor kLightBlue(232, 242, 255);

// The Japanese golden list copied into `folder` under `name`.
std::filesystem::path CopyJapaneseList(const std::filesystem::path& folder,
                                       const std::string& name) {
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / name;
    WriteBytes(path, ReadBytes(Golden("entry_japanese.txt")));
    return path;
}

TEST_F(EntryListWindow, LoadedFileSavesBackByteExactAndItsFolderIsRemembered) {
    OpenWindow();
    const auto source = CopyJapaneseList(dir / "entries", "event.txt");
    prompter.AnswerFile(QString::fromStdString(source.string()));
    Find<QAction>("FileLoadEntry")->trigger();

    ASSERT_EQ(prompter.CallsOf(PromptCall::kOpenFile).size(), 1u);
    const FileDialogOptions open = prompter.CallsOf(PromptCall::kOpenFile)[0].options;
    EXPECT_EQ(open.filter, Tr(kEntryFileFilter));
    EXPECT_EQ(open.defaultSuffix, QStringLiteral("txt"));
    EXPECT_EQ(open.fileName, QStringLiteral("NewEntry.txt"));
    EXPECT_EQ(EntryCell(1, 1), QStringLiteral("山田 太郎"));
    EXPECT_EQ(EntryCell(2, 2), QStringLiteral("ロードスター"));
    EXPECT_EQ(Find<QLabel>("EntryFile")->text(), QStringLiteral("\"event.txt\""));
    EXPECT_FALSE(window->State().entryModified);
    EXPECT_NE(IniText().find("[InitialDir]\r\nEntryList=" + (dir / "entries").string() + "\r\n"),
              std::string::npos)
        << IniText();

    const auto target = dir / "saved" / "copy.txt";
    std::filesystem::create_directories(target.parent_path());
    prompter.AnswerFile(QString::fromStdString(target.string()));
    Find<QAction>("FileSaveEntry")->trigger();

    ASSERT_EQ(prompter.CallsOf(PromptCall::kSaveFile).size(), 1u);
    const FileDialogOptions save = prompter.CallsOf(PromptCall::kSaveFile)[0].options;
    EXPECT_EQ(save.directory, QString::fromStdString((dir / "entries").string()));
    EXPECT_EQ(save.fileName, QStringLiteral("event.txt"));
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_EQ(ReadBytes(target), ReadBytes(Golden("entry_japanese.txt")));
    EXPECT_EQ(Find<QLabel>("EntryFile")->text(), QStringLiteral("\"copy.txt\""));
    EXPECT_NE(IniText().find("EntryList=" + (dir / "saved").string() + "\r\n"), std::string::npos);
}

TEST_F(EntryListWindow, TheRememberedFolderIsWhereTheDialogsStartNextTime) {
    WriteBytes(IniPath(), "[InitialDir]\r\nEntryList=/srv/events\r\n");
    OpenWindow();
    Find<QAction>("FileLoadEntry")->trigger();  // cancelled
    ASSERT_EQ(prompter.CallsOf(PromptCall::kOpenFile).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kOpenFile)[0].options.directory,
              QStringLiteral("/srv/events"));
}

TEST_F(EntryListWindow, NewOnAChangedListAsksAndNoKeepsTheNames) {
    OpenWindow();
    window->Entries().SetCell(EntryTable::kName, 3, "Tanaka");
    window->State().entryModified = true;

    prompter.AnswerNo();
    Find<QAction>("FileNewEntry")->trigger();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].text, Tr(msg::k101));
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].caption, Tr(msg::k102));
    EXPECT_EQ(EntryCell(1, 3), QStringLiteral("Tanaka"));
    EXPECT_TRUE(window->State().entryModified);

    prompter.AnswerYes();
    Find<QAction>("FileNewEntry")->trigger();
    EXPECT_EQ(EntryCell(1, 3), QString());
    EXPECT_FALSE(window->State().entryModified);
    EXPECT_EQ(Find<QLabel>("EntryFile")->text(), QStringLiteral("\"NewEntry.txt\""));
}

TEST_F(EntryListWindow, LoadOnAChangedListAsksFirstAndNoOpensNoDialog) {
    OpenWindow();
    window->State().entryModified = true;
    prompter.AnswerNo();
    Find<QAction>("FileLoadEntry")->trigger();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].text, Tr(msg::k103));
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].caption, Tr(msg::k104));
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kOpenFile).empty());
}

TEST_F(EntryListWindow, FailedLoadAndSaveShowTheErrorAndChangeNothing) {
    OpenWindow();
    window->Entries().SetCell(EntryTable::kName, 1, "Kept");
    window->State().entryModified = true;
    prompter.AnswerYes();
    prompter.AnswerFile(QString::fromStdString((dir / "missing.txt").string()));
    Find<QAction>("FileLoadEntry")->trigger();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kError).size(), 1u);
    EXPECT_NE(prompter.CallsOf(PromptCall::kError)[0].text.indexOf(QStringLiteral("missing.txt")),
              -1);
    EXPECT_EQ(EntryCell(1, 1), QStringLiteral("Kept"));
    EXPECT_TRUE(window->State().entryModified);

    // A folder that is a regular file cannot take the list, whoever runs the test.
    WriteBytes(dir / "blocker", "x");
    prompter.AnswerFile(QString::fromStdString((dir / "blocker" / "list.txt").string()));
    Find<QAction>("FileSaveEntry")->trigger();
    EXPECT_EQ(prompter.CallsOf(PromptCall::kError).size(), 2u);
    EXPECT_TRUE(window->State().entryModified);
    EXPECT_EQ(Find<QLabel>("EntryFile")->text(), QStringLiteral("\"NewEntry.txt\""));
    EXPECT_EQ(IniText().find("EntryList="), std::string::npos);
}

TEST_F(EntryListWindow, EditBegunAndEndedWithoutChangeShowsTheColoursAndMarksTheList) {
    OpenActiveWindow();
    QTableView* grid = EntryGrid();
    grid->setFocus();
    EXPECT_FALSE(IsEditingColor(grid));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);

    Press(grid, Qt::Key_Down);
    Press(grid, Qt::Key_Return, Qt::ShiftModifier);  // BeginEntryEdit on car 2
    EXPECT_TRUE(IsEditingColor(grid));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_EQ(grid->currentIndex().column(), 1);
    EXPECT_TRUE(grid->model()->flags(grid->currentIndex()) & Qt::ItemIsEditable);
    EXPECT_TRUE(window->State().entryModified);

    Press(grid, Qt::Key_Return);  // EndEntryEdit, then car 2 is picked
    EXPECT_FALSE(IsEditingColor(grid));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(grid->model()->flags(grid->currentIndex()) & Qt::ItemIsEditable);
    EXPECT_TRUE(window->State().entryModified);
    EXPECT_EQ(window->State().entryRow, 2);
    EXPECT_EQ(Find<QLineEdit>("Memo114")->text(), QStringLiteral("2"));
    EXPECT_EQ(Find<QLineEdit>("Memo204")->text(), QStringLiteral("2"));
    EXPECT_EQ(window->State().waitingNumber, 2);
}

TEST_F(EntryListWindow, DoubleClickTogglesEditingAndTypedTextReachesTheList) {
    OpenActiveWindow();
    QTableView* grid = EntryGrid();
    DoubleClick(grid, 4, 1);
    ASSERT_TRUE(IsEditingColor(grid));
    EXPECT_EQ(CurrentEntryCar(), 5);
    // Typing opens the cell editor; Enter in it ends the edit as Enter on the grid does.
    QTest::keyClick(grid, 'M');
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid);
    QTest::keyClicks(editor, QStringLiteral("ori"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(window->Entries().Name(5), "Mori");
    EXPECT_FALSE(IsEditingColor(grid));
    EXPECT_EQ(window->State().entryRow, 5);

    DoubleClick(grid, 6, 2);
    EXPECT_TRUE(IsEditingColor(grid));
    DoubleClick(grid, 6, 2);
    EXPECT_FALSE(IsEditingColor(grid));
}

TEST_F(EntryListWindow, ArrowKeysKeepTheEditInNameAndModelAndLapCannotBeReached) {
    OpenActiveWindow();
    QTableView* grid = EntryGrid();
    grid->setFocus();
    Press(grid, Qt::Key_Return, Qt::ShiftModifier);
    Press(grid, Qt::Key_Right);
    EXPECT_EQ(grid->currentIndex().column(), 2);
    Press(grid, Qt::Key_Right);
    EXPECT_EQ(grid->currentIndex().column(), 2);
    Press(grid, Qt::Key_Left);
    EXPECT_EQ(grid->currentIndex().column(), 1);
    Press(grid, Qt::Key_Left);
    EXPECT_EQ(grid->currentIndex().column(), 1);
    // A click can land on "Lap"; the next key goes back to "Model".
    grid->setCurrentIndex(grid->model()->index(0, 3));
    Press(grid, Qt::Key_Shift);
    EXPECT_EQ(grid->currentIndex().column(), 2);
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 3)) & Qt::ItemIsEditable);
}

TEST_F(EntryListWindow, MousePressOnADataRowPicksThatCar) {
    OpenActiveWindow();
    Click(EntryGrid(), 11, 1);
    EXPECT_EQ(window->State().entryRow, 12);
    EXPECT_EQ(CurrentEntryCar(), 12);
    EXPECT_EQ(Find<QLineEdit>("Memo114")->text(), QStringLiteral("12"));
    EXPECT_EQ(Find<QLineEdit>("Memo204")->text(), QStringLiteral("12"));
    EXPECT_EQ(window->State().waitingNumber, 12);
}

TEST_F(EntryListWindow, FocusPaintsTheFixedCellsAndRestoresTheRememberedRow) {
    OpenActiveWindow();
    QTableView* grid = EntryGrid();
    const QColor face = QApplication::palette().color(QPalette::Button);
    ResultGrid()->setFocus();
    EXPECT_EQ(grid->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), face);
    EXPECT_EQ(grid->horizontalHeader()->palette().color(QPalette::Button), face);

    window->State().entryRow = 7;
    grid->setFocus();
    EXPECT_EQ(grid->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), kLightBlue);
    EXPECT_EQ(grid->horizontalHeader()->palette().color(QPalette::Button), kLightBlue);
    EXPECT_EQ(CurrentEntryCar(), 7);

    Press(grid, Qt::Key_Down);
    Press(grid, Qt::Key_Return, Qt::ShiftModifier);
    ResultGrid()->setFocus();  // leaving ends the edit and picks the row
    EXPECT_EQ(grid->model()->index(5, 0).data(Qt::BackgroundRole).value<QColor>(), face);
    EXPECT_EQ(grid->horizontalHeader()->palette().color(QPalette::Button), face);
    EXPECT_FALSE(IsEditingColor(grid));
    EXPECT_EQ(window->State().entryRow, 8);
    EXPECT_EQ(Find<QLineEdit>("Memo114")->text(), QStringLiteral("8"));
}

TEST_F(EntryListWindow, PopupInsertAndDeleteActOnTheCurrentRowAndLeaveTheFlag) {
    OpenWindow();
    window->Entries().SetCell(EntryTable::kName, 5, "Five");
    window->Entries().SetCell(EntryTable::kName, 6, "Six");
    EntryGrid()->setCurrentIndex(EntryGrid()->model()->index(4, 1));
    Find<QAction>("Grid1Insert")->trigger();
    EXPECT_EQ(EntryCell(1, 5), QString());
    EXPECT_EQ(EntryCell(1, 6), QStringLiteral("Five"));
    EXPECT_EQ(EntryCell(1, 7), QStringLiteral("Six"));
    Find<QAction>("Grid1Delete")->trigger();
    EXPECT_EQ(EntryCell(1, 5), QStringLiteral("Five"));
    EXPECT_EQ(EntryCell(1, 6), QStringLiteral("Six"));
    EXPECT_FALSE(window->State().entryModified);

    Find<QAction>("Grid1Edit")->trigger();
    EXPECT_TRUE(IsEditingColor(EntryGrid()));
    EXPECT_TRUE(EntryGrid()->model()->flags(EntryGrid()->currentIndex()) & Qt::ItemIsEditable);
}

}  // namespace
}  // namespace vantrel::test
