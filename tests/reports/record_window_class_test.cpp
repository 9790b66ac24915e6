// The record window's class selector: hidden without classes, "全体" and then each class,
// the class's standings on the Rank and List pages, re-ranked at once by a class edit, and
// the CSV export of the class shown.

#include <QAbstractItemModel>
#include <QComboBox>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>

#include "common/text_file.h"
#include "record_window_fixture.h"
#include "reports/page_export.h"

namespace vantrel::test {
namespace {

class RecordClassTest : public RecordWindowTest {
protected:
    // Cars 1-4 ranked 3, 1, 4, 2 overall; cars 1 and 3 in "SA", 2 and 4 in "PN1".
    void RankFourCars() {
        standings.AddResult(1, 61'000, 1, kMinutes);
        standings.AddResult(2, 64'000, 1, kMinutes);
        standings.AddResult(3, 60'000, 1, kMinutes);
        standings.AddResult(4, 62'500, 1, kMinutes);
        window->Refresh();
    }
    QStringList Items() const {
        QStringList items;
        for (int i = 0; i < Selector()->count(); ++i) {
            items << Selector()->itemText(i);
        }
        return items;
    }
    QComboBox* Selector() const { return Find<QComboBox>("classSelector"); }
    QString Rank(int row, int column) const {
        const QAbstractItemModel* model = window->StringGrid1->model();
        return model->data(model->index(row - 1, column)).toString();
    }
    QString List(int row, int column) const {
        const QAbstractItemModel* model = window->StringGrid2->model();
        return model->data(model->index(row - 1, column)).toString();
    }
};

TEST_F(RecordClassTest, SelectorShowsTheClassChosenAndFollowsClassEdits) {
    Open();
    RankFourCars();
    ASSERT_NE(Selector(), nullptr);
    EXPECT_FALSE(Selector()->isVisible());
    EXPECT_EQ(window->ChosenClass(), "");

    QSignalSpy chosen(window.get(), &TRecordForm::classChosen);
    entries.SetCell(EntryTable::kClass, 3, "SA");
    entries.SetCell(EntryTable::kClass, 2, "PN1");
    entries.SetCell(EntryTable::kClass, 4, "PN1");
    entries.SetCell(EntryTable::kClass, 1, "SA");
    EXPECT_TRUE(Selector()->isVisible());
    // In order of first appearance from car 1, not in the order of the edits.
    EXPECT_EQ(Items(), (QStringList{"全体", "SA", "PN1"}));
    EXPECT_EQ(Selector()->currentIndex(), 0);
    EXPECT_EQ(Rank(1, RankPage::kCar), "3");  // still the overall page

    Selector()->setCurrentIndex(2);  // as the operator picks "PN1"
    EXPECT_EQ(window->ChosenClass(), "PN1");
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(Rank(1, RankPage::kCar), "4");
    EXPECT_EQ(Rank(1, RankPage::kBehind), "");
    EXPECT_EQ(Rank(2, RankPage::kRank), "2");
    EXPECT_EQ(Rank(2, RankPage::kCar), "2");
    EXPECT_EQ(Rank(2, RankPage::kBehind), "+00:01.500");
    EXPECT_EQ(Rank(3, RankPage::kCar), "");
    EXPECT_EQ(List(1, ListPage::kCar), "2");
    EXPECT_EQ(List(2, ListPage::kCar), "4");
    EXPECT_EQ(List(2, ListPage::kBestLap), "01:02.500");
    EXPECT_EQ(List(3, ListPage::kCar), "");

    // A class edit re-ranks at once, without a Refresh() from the main window.
    entries.SetCell(EntryTable::kClass, 3, "PN1");
    EXPECT_EQ(Rank(1, RankPage::kCar), "3");
    EXPECT_EQ(Rank(2, RankPage::kCar), "4");
    EXPECT_EQ(Rank(2, RankPage::kBehind), "+00:02.500");
    EXPECT_EQ(Rank(3, RankPage::kBehind), "+00:04.000");
    // A result arriving shows in the class page.
    standings.AddResult(2, 59'000, 2, kMinutes);
    window->Refresh();
    EXPECT_EQ(Rank(1, RankPage::kCar), "2");
    EXPECT_EQ(Rank(2, RankPage::kBehind), "+00:01.000");

    // The class no car has any more gives way to the overall page.
    for (int32_t car : {2, 3, 4}) {
        entries.SetCell(EntryTable::kClass, car, "");
    }
    EXPECT_EQ(window->ChosenClass(), "");
    EXPECT_EQ(chosen.count(), 2);
    EXPECT_EQ(Items(), (QStringList{"全体", "SA"}));
    EXPECT_EQ(Rank(1, RankPage::kCar), "2");
    EXPECT_EQ(Rank(4, RankPage::kCar), "4");
    entries.SetCell(EntryTable::kClass, 1, "");
    EXPECT_FALSE(Selector()->isVisible());
}

TEST_F(RecordClassTest, SelectorShowsOnTheGridPagesOnly) {
    entries.SetCell(EntryTable::kClass, 5, "SA");
    Open();
    EXPECT_TRUE(Selector()->isVisible());
    window->PageControl1->setCurrentIndex(1);
    EXPECT_TRUE(Selector()->isVisible());
    window->PageControl1->setCurrentIndex(2);
    EXPECT_FALSE(Selector()->isVisible());
}

TEST_F(RecordClassTest, ExportsWriteTheClassShownAndTheOverallPagesAsBefore) {
    Open();
    RankFourCars();
    for (int32_t car : {1, 3}) {
        entries.SetCell(EntryTable::kClass, car, "SA");
    }
    // "全体": exactly the overall pages' lines.
    const std::vector<std::string> overallRank = PageExportLines(standings.Rank());
    const std::vector<std::string> overallList = PageExportLines(standings.List());
    auto exported = [this](int page, const char* name) {
        window->PageControl1->setCurrentIndex(page);
        prompter.AnswerFile(QString::fromStdString((dir / name).string()));
        Find<QToolButton>("SpeedButton1")->click();
        std::vector<std::string> lines;
        EXPECT_TRUE(ReadCp932Lines(dir / name, lines));
        return lines;
    };
    EXPECT_EQ(exported(0, "all-rank.csv"), overallRank);
    EXPECT_EQ(exported(1, "all-list.csv"), overallList);

    window->ChooseClass("SA");
    const std::vector<std::string> rank = exported(0, "sa-rank.csv");
    ASSERT_EQ(rank.size(), 199U);
    EXPECT_EQ(rank[0], "1,3,,,01:00.000,1,,");
    EXPECT_EQ(rank[1], "2,1,,,01:01.000,1,,+00:01.000");
    EXPECT_EQ(rank[2], "3,,,,,,,");
    const std::vector<std::string> list = exported(1, "sa-list.csv");
    ASSERT_EQ(list.size(), 199U);
    EXPECT_EQ(list[0], "1,,,,1,01:01.000,01:01.000,,");
    EXPECT_EQ(list[1], "3,,,,1,01:00.000,01:00.000,,");
    EXPECT_EQ(list[2], ",,,,,,,,");
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kError).empty());
}

}  // namespace
}  // namespace vantrel::test
