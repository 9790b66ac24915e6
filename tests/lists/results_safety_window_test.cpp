// Results that must not be lost, overwritten or misread, driven through the real main window:
// a finish during an edit, questions before results are replaced, standings that follow
// every change of the list, text the files cannot hold and files that are not what they seem.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "../reports/standings_compare.h"
#include "common/messages.h"
#include "list_window_support.h"
#include "lists/list_texts.h"
#include "lists/result_list_controller.h"
#include "reports/standings_rebuild.h"
#include "sensors/sensor_hub.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel::test {
namespace {

class ResultsSafety : public ListWindowTest {
protected:
    void AddRow(std::vector<std::string> cells) {
        window->ResultList()->Commands().AddResult(BookingOfRow(std::move(cells)));
    }
    // Three runs of two cars, with the standings rebuilt from them.
    void ThreeRuns() {
        AddRow({"1", "A", "X", "", "01:10.000", "", "", "", "1"});
        AddRow({"2", "B", "Y", "", "01:05.000", "", "", "", "1"});
        AddRow({"1", "A", "X", "", "01:00.000", "", "", "", "2"});
        window->RebuildRanking();
    }
    // The standings as a rebuild from the result list makes them now.
    StandingsSnapshot Rebuilt() const {
        Standings fresh(window->Entries());
        RebuildRanking(fresh, window->Results(), ReplayRule::kGymkhana,
                       TimeStyle{window->Setup().timeFormat, false});
        return Snapshot(fresh);
    }
    StandingsSnapshot Shown() const { return Snapshot(window->RaceStandings()); }
    void Load(const std::filesystem::path& path) {
        prompter.AnswerFile(QString::fromStdString(path.string()));
        Find<QAction>("FileLoadResult")->trigger();
    }
    // Types `text` into the current cell of `grid` (which must be editing) and presses Enter.
    static void TypeIntoCell(QTableView* grid, const QString& text) {
        QTest::keyClick(grid, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid);
        auto* line = qobject_cast<QLineEdit*>(editor);
        ASSERT_NE(line, nullptr);
        line->selectAll();
        // One key per character, each carrying its text as a keyboard or input method does.
        for (const QChar c : text) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(editor, &key);
        }
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST_F(ResultsSafety, AFinishDuringAnEditLeavesCellEditingSoKeysCannotChangeTheNewRow) {
    WriteBytes(IniPath(), "[Setup]\r\nIoAddress=None\r\n");
    OpenActiveWindow();
    window->Sensors().SetManualTicks(true);
    auto run = [this](uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 3) {
            clock.Advance(3);
            window->Sensors().TickNow();
        }
    };
    auto pass = [&](int key) {
        QKeyEvent down(QEvent::KeyPress, key, {});
        QApplication::sendEvent(ResultGrid(), &down);
        run(60);
        QKeyEvent up(QEvent::KeyRelease, key, {});
        QApplication::sendEvent(ResultGrid(), &up);
        run(30);
    };
    AddRow({"5", "", "", "", "01:00.000", "", "", "", "1"});
    QTableView* grid = ResultGrid();
    DoubleClick(grid, 0, 5);
    ASSERT_TRUE(window->ResultList()->Editing());

    Find<QPushButton>("SpeedButton1")->click();
    ASSERT_TRUE(window->SessionRunning());
    pass(Qt::Key_F11);
    run(2000);
    pass(Qt::Key_F12);
    ASSERT_EQ(window->Results().DataRowCount(), 2);
    ASSERT_EQ(ResultCell(0, 2), QStringLiteral("1"));

    EXPECT_FALSE(window->ResultList()->Editing());
    EXPECT_FALSE(IsEditingColor(grid));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(CurrentResultRow(), 2);
    // The operator goes on typing "9" and Enter: the new result keeps its car.
    QTest::keyClick(grid, '9');
    if (QWidget* editor = QApplication::focusWidget(); editor != grid) {
        QTest::keyClick(editor, Qt::Key_Return);
    } else {
        QTest::keyClick(grid, Qt::Key_Return);
    }
    QApplication::processEvents();
    EXPECT_EQ(ResultCell(0, 2), QStringLiteral("1"));
    EXPECT_EQ(ResultCell(0, 1), QStringLiteral("5"));
    Find<QPushButton>("SpeedButton1")->click();
}

TEST_F(ResultsSafety, OpeningOverUnsavedResultsAsksAndADeletionCountsAsAChange) {
    OpenActiveWindow();
    WriteBytes(dir / "other.csv", "9,Z,Z,,01:00.000,,,,1\r\n");
    AddRow({"3", "A", "X", "", "01:00.000", "", "", "", "1"});
    prompter.AnswerNo();
    Find<QAction>("FileLoadResult")->trigger();  // Ctrl+O
    ASSERT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].text, Tr(kLoadOverResultsText));
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kOpenFile).empty());
    EXPECT_EQ(ResultCell(0, 1), QStringLiteral("3"));

    prompter.AnswerYes();
    Load(dir / "other.csv");
    EXPECT_EQ(ResultCell(0, 1), QStringLiteral("9"));

    // Saved, then a row deleted: the deletion must be saved or asked about.
    prompter.AnswerFile(QString::fromStdString((dir / "kept.csv").string()));
    Find<QAction>("FileSaveAsResult")->trigger();
    ASSERT_FALSE(window->State().resultModified);
    Find<QAction>("Grid2Delete")->trigger();
    EXPECT_TRUE(window->State().resultModified);
    prompter.ClearCalls();
    prompter.AnswerNo();
    window->close();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].text, Tr(msg::k107));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(ResultsSafety, EveryChangeOfTheListKeepsTheStandingsEqualToARebuild) {
    OpenActiveWindow();
    ThreeRuns();
    ASSERT_EQ(Shown(), Rebuilt());
    QTableView* grid = ResultGrid();
    grid->setFocus();

    // Lecture mark on car 1's best run: its first run is its best again.
    grid->setCurrentIndex(grid->model()->index(2, 0));
    Find<QPushButton>("BitBtn7")->click();
    EXPECT_EQ(Shown(), Rebuilt()) << "lecture";
    EXPECT_EQ(window->RaceStandings().List().Cell(5, 1), "01:10.000");

    // Row delete: car 2 leaves the ranking.
    grid->setCurrentIndex(grid->model()->index(1, 0));
    Find<QAction>("Grid2Delete")->trigger();
    EXPECT_EQ(Shown(), Rebuilt()) << "delete";
    EXPECT_EQ(window->RaceStandings().Table()[1].Car, 0);

    // Hand edit of a time.
    DoubleClick(grid, 0, 4);
    ASSERT_TRUE(IsEditingColor(grid));
    TypeIntoCell(grid, QStringLiteral("00:59.000"));
    EXPECT_EQ(ResultCell(4, 1), QStringLiteral("00:59.000"));
    EXPECT_EQ(Shown(), Rebuilt()) << "hand edit";
    EXPECT_EQ(window->RaceStandings().List().Cell(5, 1), "00:59.000");

    // Load and clear.
    WriteBytes(dir / "in.csv", "4,D,W,,01:02.000,,,,1\r\n4,D,W,1,00:58.000,,,,2\r\n");
    prompter.AnswerYes();
    Load(dir / "in.csv");
    EXPECT_EQ(Shown(), Rebuilt()) << "load";
    prompter.AnswerYes();
    Find<QPushButton>("BitBtn3")->click();
    EXPECT_EQ(Shown(), Rebuilt()) << "clear";
}

TEST_F(ResultsSafety, AfterAModeChangeTheListIsNewAndAnEmptyListDoesNotSilentlyEmptyAFile) {
    OpenActiveWindow();
    AddRow({"3", "A", "X", "", "01:00.000", "", "", "", "1"});
    const auto heat = dir / "heat.csv";
    prompter.AnswerFile(QString::fromStdString(heat.string()));
    Find<QAction>("FileSaveAsResult")->trigger();
    const std::string saved = ReadBytes(heat);
    ASSERT_EQ(saved, "3,A,X,,01:00.000,,,,1\r\n");

    Find<QTabWidget>("PageControl1")->setCurrentIndex(1);  // DRAG
    Find<QTabWidget>("PageControl1")->setCurrentIndex(0);  // and back to GYMKHANA
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"NewResult.csv\""));
    prompter.ClearCalls();
    Find<QAction>("FileSaveResult")->trigger();  // Ctrl+S asks for a name (cancelled)
    ASSERT_EQ(prompter.CallsOf(PromptCall::kSaveFile).size(), 1u);
    EXPECT_EQ(ReadBytes(heat), saved);

    // Naming the old file anyway: the emptying is asked about, and "No" keeps it.
    prompter.AnswerFile(QString::fromStdString(heat.string()));
    prompter.AnswerNo();
    Find<QAction>("FileSaveAsResult")->trigger();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].text,
              Tr(kSaveEmptyOverText).arg(QStringLiteral("heat.csv")));
    EXPECT_EQ(ReadBytes(heat), saved);
    prompter.AnswerFile(QString::fromStdString(heat.string()));
    prompter.AnswerYes();
    Find<QAction>("FileSaveAsResult")->trigger();
    EXPECT_EQ(ReadBytes(heat), ",,,,,,,,\r\n");
}

TEST_F(ResultsSafety, TypedCommasBecomeFullWidthAndCharactersWithoutCp932FormAreRefused) {
    OpenActiveWindow();
    QTableView* entries = EntryGrid();
    DoubleClick(entries, 4, 1);
    ASSERT_TRUE(IsEditingColor(entries));
    TypeIntoCell(entries, QStringLiteral("Sato, T."));
    EXPECT_EQ(window->Entries().Name(5), "Sato， T.");
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kWarn).empty());

    DoubleClick(entries, 5, 1);
    TypeIntoCell(entries, QStringLiteral("EK한9"));
    EXPECT_EQ(window->Entries().Name(6), "EK9");
    ASSERT_EQ(prompter.CallsOf(PromptCall::kWarn).size(), 1u);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kWarn)[0].text.contains(QStringLiteral("한")));
    EXPECT_EQ(prompter.CallsOf(PromptCall::kWarn)[0].caption, Tr(msg::k110));

    // The result grid's comment, saved and read back as shown.
    AddRow({"5", "", "", "", "01:00.000", "", "", "", "1"});
    QTableView* results = ResultGrid();
    DoubleClick(results, 0, 5);
    TypeIntoCell(results, QStringLiteral("wet, cold"));
    EXPECT_EQ(ResultCell(5, 1), QStringLiteral("wet， cold"));
    EXPECT_EQ(ResultCell(1, 1), QStringLiteral("Sato， T."));
    prompter.AnswerFile(QString::fromStdString((dir / "r.csv").string()));
    Find<QAction>("FileSaveAsResult")->trigger();
    prompter.AnswerFile(QString::fromStdString((dir / "r.csv").string()));
    Find<QAction>("FileLoadResult")->trigger();
    EXPECT_EQ(ResultCell(1, 1), QStringLiteral("Sato， T."));
    EXPECT_EQ(ResultCell(5, 1), QStringLiteral("wet， cold"));
    EXPECT_EQ(ResultCell(6, 1), QString());
}

TEST_F(ResultsSafety, BadFilesGiveShortMessagesNamingFileAndLineAndCostNoResults) {
    OpenActiveWindow();
    // A first field of a megabyte that is no number: the message quotes only its start.
    WriteBytes(dir / "long.csv", "1,A,X,,01:00.000,,,,1\r\n" + std::string(1 << 20, 'x') +
                                     ",B,Y,,01:00.000,,,,1\r\n");
    Load(dir / "long.csv");
    ASSERT_EQ(prompter.CallsOf(PromptCall::kError).size(), 1u);
    const QString error = prompter.CallsOf(PromptCall::kError)[0].text;
    EXPECT_LT(error.size(), 120) << error.left(200).toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("long.csv の 2 行目"))) << error.toStdString();

    // A stray lead byte before a comma: the comma is kept and the load warns.
    WriteBytes(dir / "bytes.csv", "7,A\x81,X,,01:00.000,,,,1\r\n");
    prompter.ClearCalls();
    prompter.AnswerYes();  // the long file's rows are unsaved
    Load(dir / "bytes.csv");
    EXPECT_EQ(ResultCell(2, 1), QStringLiteral("X"));
    EXPECT_EQ(ResultCell(4, 1), QStringLiteral("01:00.000"));
    ASSERT_EQ(prompter.CallsOf(PromptCall::kWarn).size(), 1u);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kWarn)[0].text.contains(
        QStringLiteral("bytes.csv の 1 行目")));

    // A load that fails over unsaved results (here a folder under a file's name): the
    // results stay.
    AddRow({"8", "C", "Z", "", "01:00.000", "", "", "", "1"});
    std::filesystem::create_directories(dir / "garbage.csv");
    prompter.ClearCalls();
    prompter.AnswerYes();
    Load(dir / "garbage.csv");
    ASSERT_EQ(prompter.CallsOf(PromptCall::kError).size(), 1u);
    EXPECT_TRUE(
        prompter.CallsOf(PromptCall::kError)[0].text.contains(QStringLiteral("garbage.csv")));
    EXPECT_EQ(window->Results().DataRowCount(), 2);
    EXPECT_EQ(ResultCell(0, 2), QStringLiteral("8"));
    EXPECT_TRUE(window->State().resultModified);
}

// Save three runs as a.csv, open b.csv, undo: the list is a.csv's again, under its name, so
// that Ctrl+S writes a.csv and leaves b.csv as it was.
TEST_F(ResultsSafety, UndoOfALoadNamesTheOldFileSoASaveCannotOverwriteTheLoadedOne) {
    OpenActiveWindow();
    const std::string other = "9,Z,Z,,01:00.000,,,,1\r\n8,Z,Z,,01:01.000,,,,1\r\n";
    WriteBytes(dir / "b.csv", other);
    ThreeRuns();
    prompter.AnswerFile(QString::fromStdString((dir / "a.csv").string()));
    Find<QAction>("FileSaveAsResult")->trigger();
    Load(dir / "b.csv");
    ASSERT_EQ(ResultCell(0, 1), QStringLiteral("9"));
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"b.csv\""));

    ASSERT_TRUE(window->UndoClick());
    EXPECT_EQ(ResultCell(0, 3), QStringLiteral("1"));
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"a.csv\""));
    EXPECT_FALSE(window->State().resultModified);
    prompter.ClearCalls();
    Find<QAction>("FileSaveResult")->trigger();  // Ctrl+S
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kSaveFile).empty());
    EXPECT_EQ(ReadBytes(dir / "b.csv"), other);

    ASSERT_TRUE(window->RedoClick());
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"b.csv\""));
    EXPECT_EQ(ResultCell(0, 1), QStringLiteral("9"));
}

}  // namespace
}  // namespace vantrel::test
