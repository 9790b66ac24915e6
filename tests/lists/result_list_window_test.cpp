// The result list in the real main window: menus, dialogs, Clear, result buttons, editing,
// keys and focus.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

#include "common/messages.h"
#include "list_window_support.h"
#include "lists/list_texts.h"
#include "lists/result_list_controller.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel::test {
namespace {

using ResultListWindow = ListWindowTest;

constexpr char kRow12[] = "12,A,X,2,01:23.456,,,,3\r\n";

// A GYMKHANA result file with the one row of car 12, in `folder`.
std::filesystem::path WriteResultFile(const std::filesystem::path& folder,
                                      const std::string& name) {
    std::filesystem::create_directories(folder);
    WriteBytes(folder / name, kRow12);
    return folder / name;
}

void AddRow(TMainForm& window, std::vector<std::string> cells) {
    window.ResultList()->Commands().AddResult(BookingOfRow(std::move(cells)));
}

TEST_F(ResultListWindow, SaveRightAfterStartUpOpensTheDialog) {
    OpenWindow();
    Find<QAction>("FileSaveResult")->trigger();  // cancelled
    ASSERT_EQ(prompter.CallsOf(PromptCall::kSaveFile).size(), 1u);
    const FileDialogOptions save = prompter.CallsOf(PromptCall::kSaveFile)[0].options;
    EXPECT_EQ(save.fileName, QStringLiteral("NewResult.csv"));
    EXPECT_EQ(save.filter, Tr(kResultFileFilter));
    EXPECT_EQ(save.defaultSuffix, QStringLiteral("csv"));
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_FALSE(std::filesystem::exists(dir / "NewResult.csv"));
}

TEST_F(ResultListWindow, LoadThenSaveWritesToTheLoadedNameWithoutADialog) {
    OpenActiveWindow();
    const auto path = WriteResultFile(dir / "day1", "heat.csv");
    prompter.AnswerFile(QString::fromStdString(path.string()));
    Find<QAction>("FileLoadResult")->trigger();
    EXPECT_EQ(ResultCell(0, 1), QStringLiteral("12"));
    EXPECT_EQ(ResultCell(4, 1), QStringLiteral("01:23.456"));
    EXPECT_TRUE(window->State().resultModified);
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"heat.csv\""));
    EXPECT_NE(IniText().find("ResultList=" + (dir / "day1").string() + "\r\n"), std::string::npos);

    // Alt+X on the loaded row, then Ctrl+S.
    ResultGrid()->setFocus();
    Press(ResultGrid(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(ResultCell(3, 1), QStringLiteral("3"));
    EXPECT_EQ(Find<QAction>("FileSaveResult")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    Find<QAction>("FileSaveResult")->trigger();
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kSaveFile).empty());
    EXPECT_EQ(ReadBytes(path), "12,A,X,3,01:23.456,,,,3\r\n");
    EXPECT_FALSE(window->State().resultModified);
}

TEST_F(ResultListWindow, SaveAsAlwaysAsksAndTheNextSaveUsesTheNewName) {
    OpenWindow();
    AddRow(*window, {"12", "A", "X", "2", "01:23.456", "", "", "", "3"});
    std::filesystem::create_directories(dir / "out");
    prompter.AnswerFile(QString::fromStdString((dir / "out" / "first.csv").string()));
    Find<QAction>("FileSaveAsResult")->trigger();
    EXPECT_EQ(ReadBytes(dir / "out" / "first.csv"), kRow12);
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"first.csv\""));
    EXPECT_FALSE(window->State().resultModified);

    Find<QAction>("FileSaveAsResult")->trigger();  // cancelled: nothing else happens
    EXPECT_EQ(prompter.CallsOf(PromptCall::kSaveFile).size(), 2u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kSaveFile)[1].options.directory,
              QString::fromStdString((dir / "out").string()));
}

TEST_F(ResultListWindow, ClearAsksThenEmptiesTheListLapsCountersAndName) {
    OpenWindow();
    const auto path = WriteResultFile(dir.Path(), "heat.csv");
    prompter.AnswerFile(QString::fromStdString(path.string()));
    Find<QAction>("FileLoadResult")->trigger();
    window->Entries().SetCell(EntryTable::kLap, 12, "3");
    window->State().runCount[12] = 3;

    prompter.AnswerNo();
    Find<QPushButton>("BitBtn3")->click();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].text, Tr(msg::k111));
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].caption, Tr(msg::k112));
    EXPECT_EQ(ResultCell(0, 1), QStringLiteral("12"));

    prompter.AnswerYes();
    Find<QPushButton>("BitBtn3")->click();
    EXPECT_EQ(ResultGrid()->model()->rowCount(), 1);
    EXPECT_EQ(ResultCell(0, 1), QString());
    EXPECT_EQ(EntryCell(3, 12), QString());
    EXPECT_EQ(window->State().runCount[12], 0);
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"NewResult.csv\""));
    EXPECT_FALSE(window->State().resultModified);
    // The name is "NewResult.csv" again, so the next save asks for a file.
    Find<QAction>("FileSaveResult")->trigger();
    EXPECT_EQ(prompter.CallsOf(PromptCall::kSaveFile).size(), 1u);
}

TEST_F(ResultListWindow, PenaltyKeysChangeTheCurrentRow) {
    OpenActiveWindow();
    AddRow(*window, {"3", "A", "X", "", "01:00.000", "", "", "", "1"});
    AddRow(*window, {"12", "B", "Y", "2", "01:23.456", "(Timeout)", "", "", "1"});
    window->State().resultModified = false;
    QTableView* grid = ResultGrid();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, 0));

    Press(grid, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(ResultCell(3, 2), QStringLiteral("1"));
    EXPECT_TRUE(window->State().resultModified);
    Press(grid, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(ResultCell(3, 2), QString());
    Press(grid, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(ResultCell(3, 2), QStringLiteral("MC"));
    Press(grid, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(ResultCell(3, 2), QStringLiteral("1"));
    Press(grid, Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(ResultCell(5, 2), QStringLiteral("(Timeout)(ﾚｸﾁｬｰ)"));
    Press(grid, Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(ResultCell(5, 2), QStringLiteral("(Timeout)"));
    EXPECT_EQ(ResultCell(3, 1), QString());  // the other row is untouched
}

TEST_F(ResultListWindow, EnterOnTheEmptyRowOfAnEmptyListShowsTheInputError) {
    OpenActiveWindow();
    ResultGrid()->setFocus();
    Press(ResultGrid(), Qt::Key_Return);
    ASSERT_EQ(prompter.CallsOf(PromptCall::kWarn).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kWarn)[0].text, Tr(msg::k109));
    EXPECT_EQ(prompter.CallsOf(PromptCall::kWarn)[0].caption, Tr(msg::k110));
    EXPECT_FALSE(window->State().resultModified);
}

TEST_F(ResultListWindow, AnEditTakesNameAndModelFromTheEntryListWhenItEnds) {
    OpenActiveWindow();
    window->Entries().SetCell(EntryTable::kName, 7, "Sato");
    window->Entries().SetCell(EntryTable::kModel, 7, "EK9");
    AddRow(*window, {"7", "old", "old", "", "01:00.000", "", "", "", "1"});
    window->State().resultModified = false;
    QTableView* grid = ResultGrid();

    DoubleClick(grid, 0, 4);
    EXPECT_TRUE(IsEditingColor(grid));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_TRUE(window->State().resultModified);
    EXPECT_EQ(ResultCell(1, 1), QStringLiteral("old"));

    DoubleClick(grid, 0, 4);
    EXPECT_FALSE(IsEditingColor(grid));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(ResultCell(1, 1), QStringLiteral("Sato"));
    EXPECT_EQ(ResultCell(2, 1), QStringLiteral("EK9"));
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kWarn).empty());
}

TEST_F(ResultListWindow, PopupEditGoesToTheCommentAndLeavingTheGridEndsIt) {
    OpenActiveWindow();
    AddRow(*window, {"abc", "", "", "", "01:00.000", "", "", "", "1"});
    ResultGrid()->setFocus();
    Find<QAction>("Grid2Edit")->trigger();
    EXPECT_TRUE(IsEditingColor(ResultGrid()));
    EXPECT_EQ(ResultGrid()->currentIndex().column(), 5);
    EXPECT_TRUE(ResultGrid()->model()->flags(ResultGrid()->currentIndex()) & Qt::ItemIsEditable);

    EntryGrid()->setFocus();
    EXPECT_FALSE(IsEditingColor(ResultGrid()));
    // "abc" is no car number: the input error, and name and model stay.
    EXPECT_EQ(prompter.CallsOf(PromptCall::kWarn).size(), 1u);
}

TEST_F(ResultListWindow, FailedSaveShowsTheErrorAndKeepsFlagLabelAndFolder) {
    OpenWindow();
    const auto path = WriteResultFile(dir / "day1", "heat.csv");
    prompter.AnswerFile(QString::fromStdString(path.string()));
    Find<QAction>("FileLoadResult")->trigger();
    const std::string iniBefore = IniText();

    // A folder that is a regular file refuses the write even to root.
    WriteBytes(dir / "blocker", "x");
    prompter.AnswerFile(QString::fromStdString((dir / "blocker" / "out.csv").string()));
    Find<QAction>("FileSaveAsResult")->trigger();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kError).size(), 1u);
    EXPECT_FALSE(prompter.CallsOf(PromptCall::kError)[0].text.isEmpty());
    EXPECT_TRUE(window->State().resultModified);
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"heat.csv\""));
    EXPECT_EQ(IniText(), iniBefore);
    EXPECT_EQ(ReadBytes(path), kRow12);
}

TEST_F(ResultListWindow, FailedLoadLeavesTheRowsAndSetsTheFlag) {
    OpenWindow();
    AddRow(*window, {"5", "", "", "", "", "", "", "", ""});
    window->State().resultModified = false;
    prompter.AnswerFile(QString::fromStdString((dir / "none.csv").string()));
    Find<QAction>("FileLoadResult")->trigger();
    EXPECT_EQ(prompter.CallsOf(PromptCall::kError).size(), 1u);
    EXPECT_EQ(ResultCell(0, 1), QStringLiteral("5"));
    EXPECT_TRUE(window->State().resultModified);
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"NewResult.csv\""));
}

TEST_F(ResultListWindow, HomeDeleteAndFocusKeepTheRememberedRow) {
    OpenActiveWindow();
    for (const char* car : {"1", "2", "3"}) {
        AddRow(*window, {car, "", "", "", "", "", "", "", ""});
    }
    QTableView* grid = ResultGrid();
    window->State().resultRow = 3;
    grid->setFocus();
    EXPECT_EQ(CurrentResultRow(), 3);
    EXPECT_EQ(grid->horizontalHeader()->palette().color(QPalette::Button), QColor(232, 242, 255));

    Press(grid, Qt::Key_Up);
    EntryGrid()->setFocus();
    EXPECT_EQ(window->State().resultRow, 2);
    EXPECT_EQ(grid->horizontalHeader()->palette().color(QPalette::Button),
              QApplication::palette().color(QPalette::Button));

    grid->setFocus();
    Press(grid, Qt::Key_Home);
    EXPECT_EQ(CurrentResultRow(), 1);
    EXPECT_EQ(window->State().resultRow, 1);

    window->State().resultModified = false;
    Find<QAction>("Grid2Delete")->trigger();
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(ResultCell(0, 1), QStringLiteral("2"));
    EXPECT_TRUE(window->State().resultModified);  // a deletion is a change worth saving
}

TEST_F(ResultListWindow, ModeChangeGivesTheNewLayoutAndClearsTheFlag) {
    OpenWindow();
    AddRow(*window, {"5", "", "", "", "", "", "", "", ""});
    window->State().resultModified = false;
    window->PageControl1->setCurrentIndex(1);
    EXPECT_EQ(ResultGrid()->model()->columnCount(), 13);
    EXPECT_EQ(ResultGrid()->model()->rowCount(), 1);
    EXPECT_EQ(ResultCell(0, 1), QString());
    EXPECT_FALSE(window->State().resultModified);
}

}  // namespace
}  // namespace vantrel::test
