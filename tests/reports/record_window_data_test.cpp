// The record window's data: the grids after updates, the Rebuild button, the CSV export and
// the timing keys it passes on.

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <algorithm>
#include <sstream>

#include "record_window_fixture.h"

namespace vantrel::test {
namespace {

std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    EXPECT_EQ(start, bytes.size()) << "text after the last CR LF";
    return lines;
}

QString QPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

class RecordDataTest : public RecordWindowTest {
protected:
    void AddThreeRankedCars() {
        entries.SetCell(EntryTable::kName, 8, "Ito");
        standings.AddResult(8, 62'500, 1, kMinutes);
        standings.AddResult(3, 61'234, 2, kMinutes);
        standings.AddResult(15, 70'000, 1, kMinutes);
        window->Refresh();
    }
    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers mods = {}, bool repeat = false) {
        QKeyEvent event(type, key, mods, QString(), repeat);
        QApplication::sendEvent(window->StringGrid1, &event);
    }
};

TEST_F(RecordDataTest, GridsShowTheStandingsAfterRefresh) {
    Open();
    AddThreeRankedCars();
    const QAbstractItemModel* rank = window->StringGrid1->model();
    EXPECT_EQ(rank->data(rank->index(0, 1)).toString(), QStringLiteral("3"));
    EXPECT_EQ(rank->data(rank->index(1, 1)).toString(), QStringLiteral("8"));
    EXPECT_EQ(rank->data(rank->index(1, 2)).toString(), QStringLiteral("Ito"));
    EXPECT_EQ(rank->data(rank->index(2, 7)).toString(), QStringLiteral("+00:08.766"));
    const QAbstractItemModel* list = window->StringGrid2->model();
    EXPECT_EQ(list->data(list->index(14, 6)).toString(), QStringLiteral("01:10.000"));
}

TEST_F(RecordDataTest, ListGrowthToElevenColumnsReachesTheView) {
    Open();
    QAbstractItemModel* list = window->StringGrid2->model();
    int insertedFirst = -1;
    int insertedLast = -1;
    QObject::connect(list, &QAbstractItemModel::columnsInserted,
                     [&](const QModelIndex&, int first, int last) {
                         insertedFirst = first;
                         insertedLast = last;
                     });
    for (int32_t run = 1; run <= 5; ++run) {
        standings.AddResult(2, 60'000 + run, run, kMinutes);
    }
    EXPECT_EQ(list->columnCount(), 9);  // the view learns of the growth through Refresh()
    window->Refresh();
    ASSERT_EQ(list->columnCount(), 11);
    EXPECT_EQ(insertedFirst, 9);
    EXPECT_EQ(insertedLast, 10);
    EXPECT_EQ(list->headerData(9, Qt::Horizontal).toString(), QStringLiteral("-3"));
    EXPECT_EQ(list->headerData(10, Qt::Horizontal).toString(), QStringLiteral("-4"));
    EXPECT_EQ(list->data(list->index(1, 10)).toString(), QStringLiteral("01:00.001"));
    EXPECT_EQ(list->data(list->index(1, 6)).toString(), QStringLiteral("01:00.005"));
    EXPECT_EQ(window->StringGrid2->columnWidth(10), window->StringGrid2->columnWidth(8));
    EXPECT_GE(window->StringGrid2->columnWidth(10), 60);
    // A reset keeps the columns and their headings.
    window->ResetRecord();
    EXPECT_EQ(list->columnCount(), 11);
    EXPECT_EQ(list->headerData(10, Qt::Horizontal).toString(), QStringLiteral("-4"));
    EXPECT_EQ(list->data(list->index(1, 6)).toString(), QString());
}

TEST_F(RecordDataTest, RebuildRunsTheMainWindowsReplayAndShowsTheResult) {
    Open();
    onRebuild = [this] {
        standings.ClearRecord();
        standings.AddResult(7, 59'000, 1, kMinutes);
    };
    Find<QPushButton>("BitBtn2")->click();
    EXPECT_EQ(rebuilds, 1);
    const QAbstractItemModel* rank = window->StringGrid1->model();
    EXPECT_EQ(rank->data(rank->index(0, 1)).toString(), QStringLiteral("7"));
    EXPECT_EQ(rank->data(rank->index(0, 4)).toString(), QStringLiteral("00:59.000"));
}

TEST_F(RecordDataTest, ExportOfThreeRankedCarsWrites199Lines) {
    Open();
    AddThreeRankedCars();
    const auto chosen = dir / "out" / "ranking.csv";
    std::filesystem::create_directory(dir / "out");
    prompter.AnswerFile(QPath(chosen));
    Find<QToolButton>("SpeedButton1")->click();

    const auto saves = prompter.CallsOf(PromptCall::kSaveFile);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].options.fileName, QStringLiteral("NewRanking.csv"));
    EXPECT_EQ(saves[0].options.directory, QPath(dir.Path()));
    EXPECT_EQ(saves[0].options.filter,
              QStringLiteral("CSV files (*.csv)|*.csv|All files (*.*)|*.*"));
    EXPECT_TRUE(saves[0].options.confirmOverwrite);

    const auto lines = CrLfLines(ReadBytes(chosen));
    ASSERT_EQ(lines.size(), 199u);
    EXPECT_EQ(lines[0], "1,3,,,01:01.234,2,,");
    EXPECT_EQ(lines[1], "2,8,Ito,,01:02.500,1,,+00:01.266");
    EXPECT_EQ(lines[2], "3,15,,,01:10.000,1,,+00:08.766");
    for (size_t i = 3; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], std::to_string(i + 1) + ",,,,,,,") << i;
    }
    // The next export offers the chosen file's folder and name, from either page.
    window->PageControl1->setCurrentIndex(1);
    window->ExportPage();
    const auto next = prompter.CallsOf(PromptCall::kSaveFile);
    ASSERT_EQ(next.size(), 2u);
    EXPECT_EQ(next[1].options.fileName, QStringLiteral("ranking.csv"));
    EXPECT_EQ(next[1].options.directory, QPath(dir / "out"));
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kError).empty());
}

TEST_F(RecordDataTest, ListExportAfterACancelledRankExportOffersTheRankingName) {
    Open();
    prompter.CancelFile();
    window->ExportPage();
    window->PageControl1->setCurrentIndex(1);
    prompter.AnswerFile(QPath(dir / "list.csv"));
    window->ExportPage();
    const auto saves = prompter.CallsOf(PromptCall::kSaveFile);
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_EQ(saves[0].options.fileName, QStringLiteral("NewRanking.csv"));
    EXPECT_EQ(saves[1].options.fileName, QStringLiteral("NewRanking.csv"));
    const auto lines = CrLfLines(ReadBytes(dir / "list.csv"));
    ASSERT_EQ(lines.size(), 199u);
    EXPECT_EQ(lines[198], "199,,,,,,,,");
}

TEST_F(RecordDataTest, FirstExportFromTheListPageOffersTheListName) {
    Open();
    window->PageControl1->setCurrentIndex(1);
    window->ExportPage();
    const auto saves = prompter.CallsOf(PromptCall::kSaveFile);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].options.fileName, QStringLiteral("NewList.csv"));
}

TEST_F(RecordDataTest, NothingIsExportedFromTheDisplayPage) {
    Open();
    window->PageControl1->setCurrentIndex(2);
    window->ExportPage();
    EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(RecordDataTest, FailedWriteShowsTheErrorAndKeepsTheFolder) {
    Open();
    prompter.AnswerFile(QPath(dir / "missing" / "ranking.csv"));
    window->ExportPage();
    const auto errors = prompter.CallsOf(PromptCall::kError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].text.contains(QStringLiteral("ranking.csv")))
        << errors[0].text.toStdString();
    EXPECT_EQ(errors[0].caption, QStringLiteral("Vantrel 2000"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    window->ExportPage();
    const auto saves = prompter.CallsOf(PromptCall::kSaveFile);
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_EQ(saves[1].options.directory, QPath(dir.Path()));
    EXPECT_EQ(saves[1].options.fileName, QStringLiteral("NewRanking.csv"));
}

TEST_F(RecordDataTest, SensorKeysSetAndClearTheMainWindowsFlags) {
    Open();
    const KeyLevels& keys = sensorKeys;
    Key(QEvent::KeyPress, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_TRUE(keys.keyFinish);
    Key(QEvent::KeyRelease, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_FALSE(keys.keyFinish);
    Key(QEvent::KeyPress, Qt::Key_F12);
    EXPECT_TRUE(keys.keyFinish);
    Key(QEvent::KeyRelease, Qt::Key_F12);
    EXPECT_FALSE(keys.keyFinish);

    Key(QEvent::KeyPress, Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_TRUE(keys.keyStart);
    // A repeat of the held key (its release and press) leaves the sensor active.
    Key(QEvent::KeyRelease, Qt::Key_Slash, Qt::KeypadModifier, true);
    EXPECT_TRUE(keys.keyStart);
    Key(QEvent::KeyRelease, Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_FALSE(keys.keyStart);
    Key(QEvent::KeyPress, Qt::Key_F11);
    EXPECT_TRUE(keys.keyStart);
    Key(QEvent::KeyRelease, Qt::Key_F11);
    EXPECT_FALSE(keys.keyStart);

    Key(QEvent::KeyPress, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_TRUE(keys.keySplit1);
    Key(QEvent::KeyRelease, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_FALSE(keys.keySplit1);
    Key(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_TRUE(keys.keySplit2);
    Key(QEvent::KeyRelease, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FALSE(keys.keySplit2);

    // The main keyboard's "-", "+", "/" and "*" are not sensor keys.
    for (int key : {Qt::Key_Minus, Qt::Key_Plus, Qt::Key_Slash, Qt::Key_Asterisk}) {
        Key(QEvent::KeyPress, key);
    }
    EXPECT_FALSE(keys.keyStart || keys.keyFinish || keys.keySplit1 || keys.keySplit2);
}

TEST_F(RecordDataTest, DigitKeysArePassingsOnlyInARunningCircuitSession) {
    Open();
    std::vector<std::pair<char, uint32_t>> passings;
    QObject::connect(window.get(), &TRecordForm::circuitPassing,
                     [&passings](char code, uint32_t tick) { passings.emplace_back(code, tick); });
    Key(QEvent::KeyPress, Qt::Key_3);
    tab = RaceMode::kCircuit;
    Key(QEvent::KeyPress, Qt::Key_3);
    running = true;
    tab = RaceMode::kGymkhana;
    Key(QEvent::KeyPress, Qt::Key_3);
    EXPECT_TRUE(passings.empty());

    tab = RaceMode::kCircuit;
    Key(QEvent::KeyPress, Qt::Key_3);
    clock.Advance(250);
    Key(QEvent::KeyPress, Qt::Key_0, Qt::KeypadModifier);
    Key(QEvent::KeyPress, Qt::Key_9, Qt::KeypadModifier);
    Key(QEvent::KeyPress, Qt::Key_A);
    Key(QEvent::KeyRelease, Qt::Key_9, Qt::KeypadModifier);
    ASSERT_EQ(passings.size(), 3u);
    EXPECT_EQ(passings[0], std::make_pair('3', 700000u));
    EXPECT_EQ(passings[1], std::make_pair(':', 700250u));
    EXPECT_EQ(passings[2], std::make_pair('9', 700250u));
}

}  // namespace
}  // namespace vantrel::test
