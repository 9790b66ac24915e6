// The record window in English: its captions and the grid headings it shows are translated,
// while the pages it exports stay as they are, and the logic's messages follow the language.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>

#include "record_window_fixture.h"
#include "reports/scoreboard_page.h"
#include "reports/standings_rebuild.h"
#include "support/ui_language_param.h"
#include "widgets/elided_text_delegate.h"

namespace vantrel::test {
namespace {

class RecordWindowEnglishTest : public RecordWindowTest {
protected:
    void SetUp() override { ASSERT_TRUE(english_.Installed()); }
    void TearDown() override { window.reset(); }
    LanguageScope english_{UiLanguage::kEnglish};
};

QStringList Headings(const QTableView* grid) {
    QStringList headings;
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        headings << grid->model()->headerData(column, Qt::Horizontal).toString();
    }
    return headings;
}

TEST_F(RecordWindowEnglishTest, ShownHeadingsAreTranslatedWhileTheExportKeepsItsOwn) {
    entries.SetCell(1, 8, "Long Driver Name");
    Open();
    standings.AddResult(8, 61'234, 1, kMinutes);
    window->Refresh();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Standings"));
    QStringList tabs;
    for (int i = 0; i < window->PageControl1->count(); ++i) {
        tabs << window->PageControl1->tabText(i);
    }
    EXPECT_EQ(tabs, QStringList({"Rank", "List", "Scoreboard"}));
    EXPECT_EQ(Find<QAction>("ChangeFontColor")->text(), QStringLiteral("Change text color..."));
    EXPECT_EQ(Headings(window->StringGrid1),
              QStringList({"Pos.", "No.", "Name", "Model", "Best lap", "Lap", "Total", "Gap"}));
    EXPECT_EQ(
        Headings(window->StringGrid2).mid(0, 9),
        QStringList({"No.", "Name", "Model", "Total", "Lap", "Best lap", "Last", "-1", "-2"}));
    // The text columns still end a long text with an ellipsis; the time columns never do.
    for (QTableView* grid : {window->StringGrid1, window->StringGrid2}) {
        auto* delegate = qobject_cast<ElidedTextDelegate*>(grid->itemDelegate());
        ASSERT_NE(delegate, nullptr);
        const QStringList headings = Headings(grid);
        EXPECT_TRUE(delegate->ElidesColumn(grid->model(), headings.indexOf("Name")));
        EXPECT_TRUE(delegate->ElidesColumn(grid->model(), headings.indexOf("Model")));
        EXPECT_FALSE(delegate->ElidesColumn(grid->model(), headings.indexOf("Best lap")));
    }

    // Files never change with the language: the exported page holds the rows as they are.
    const std::filesystem::path file = dir / "rank.csv";
    prompter.AnswerFile(QString::fromStdString(file.string()));
    Find<QToolButton>("SpeedButton1")->click();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kSaveFile).size(), 1u);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kSaveFile)[0].options.filter.startsWith(
        QStringLiteral("CSV files (*.csv)")));
    const std::string written = ReadBytes(file);
    EXPECT_EQ(written.substr(0, written.find_first_of("\r\n")),
              "1,8,Long Driver Name,,01:01.234,1,,");
}

TEST_F(RecordWindowEnglishTest, ARebuildThatMeetsNoNumberSaysSoInEnglish) {
    ResultTable results;
    results.Reset(RaceMode::kGymkhana);
    results.SetRows({{"1", "", "", "", "00:50.000", "", "", "", "1"},
                     {"2", "", "", "x", "00:49.000", "", "", "", "1"}});
    const RebuildOutcome outcome =
        RebuildRanking(standings, results, ReplayRule::kGymkhana, kMinutes);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedRow, 2);
    EXPECT_EQ(outcome.error, "'x' is not a number");
}

}  // namespace
}  // namespace vantrel::test
