// ExportPage: the exported lines, the CP932 CR LF file, and the name the dialog offers.

#include "reports/page_export.h"

#include <gtest/gtest.h>

#include "reports/export_naming.h"
#include "reports/standings.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};

TEST(PageExportTest, RankPageWithThreeCarsGoldenBytes) {
    EntryTable entries;
    entries.SetCell(EntryTable::kName, 3, "山田");
    entries.SetCell(EntryTable::kModel, 3, "ｼﾋﾞｯｸ");
    entries.SetCell(EntryTable::kName, 8, "Ito");
    Standings standings(entries);
    standings.AddResult(8, 62'500, 1, kMinutes);
    standings.AddResult(3, 61'234, 2, kMinutes);
    standings.AddResult(15, 70'000, 1, kMinutes);

    test::TempDir dir;
    ASSERT_TRUE(WritePageExport(dir / "NewRanking.csv", standings.Rank()));

    std::string expected =
        "1,3,\x8e\x52\x93\x63,\xbc\xcb\xde\xaf\xb8,01:01.234,2,,\r\n"
        "2,8,Ito,,01:02.500,1,,+00:01.266\r\n"
        "3,15,,,01:10.000,1,,+00:08.766\r\n";
    for (int32_t row = 4; row <= 199; ++row) {
        expected += std::to_string(row) + ",,,,,,,\r\n";
    }
    EXPECT_EQ(test::ReadBytes(dir / "NewRanking.csv"), expected);
}

TEST(PageExportTest, ListPageAfterGrowthHasElevenFieldsAndNoHeadings) {
    EntryTable entries;
    Standings standings(entries);
    for (int32_t run = 1; run <= 5; ++run) {
        standings.AddResult(2, 60'000 + run, run, kMinutes);
    }
    ASSERT_EQ(standings.List().ColumnCount(), 11);
    const auto lines = PageExportLines(standings.List());
    ASSERT_EQ(lines.size(), 199u);
    EXPECT_EQ(lines[0], "1,,,,,,,,,,");
    EXPECT_EQ(lines[1], "2,,,,1,01:00.001,01:00.005,01:00.004,01:00.003,01:00.002,01:00.001");
    EXPECT_EQ(lines[198], "199,,,,,,,,,,");
    for (const auto& line : lines) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 10) << line;
        EXPECT_EQ(line.find("-3"), std::string::npos);
    }
}

TEST(PageExportTest, FailedWriteIsReportedAndRemembersNothing) {
    EntryTable entries;
    Standings standings(entries);
    test::TempDir dir;
    ExportNaming naming;
    naming.Start(dir.Path());
    ASSERT_EQ(naming.Offer(RecordPage::kList), "NewList.csv");
    const IoResult result =
        ExportPageTo(dir / "missing-folder" / "out.csv", standings.List(), naming);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(naming.FileName(), "NewList.csv");
    EXPECT_EQ(naming.Folder(), dir.Path());
}

TEST(PageExportTest, ExportReplacesTheFileAndRemembersIt) {
    EntryTable entries;
    Standings standings(entries);
    test::TempDir dir;
    test::WriteBytes(dir / "old.csv", "stale");
    ExportNaming naming;
    naming.Start("/elsewhere");
    naming.Offer(RecordPage::kRank);
    ASSERT_TRUE(ExportPageTo(dir / "old.csv", standings.Rank(), naming));
    const std::string bytes = test::ReadBytes(dir / "old.csv");
    EXPECT_EQ(bytes.substr(0, 11), "1,,,,,,,\r\n2");
    EXPECT_EQ(naming.FileName(), "old.csv");
    EXPECT_EQ(naming.Folder(), dir.Path());
}

TEST(ExportNamingTest, FirstOfferDependsOnThePage) {
    ExportNaming naming;
    naming.Start("/data/results");
    EXPECT_EQ(naming.Offer(RecordPage::kList), "NewList.csv");
    ExportNaming other;
    other.Start("/data/results");
    EXPECT_EQ(other.Offer(RecordPage::kRank), "NewRanking.csv");
    EXPECT_EQ(other.Folder(), "/data/results");
}

TEST(ExportNamingTest, CancelledFirstDialogKeepsTheOfferedName) {
    ExportNaming naming;
    naming.Start("/data");
    EXPECT_EQ(naming.Offer(RecordPage::kRank), "NewRanking.csv");
    // The dialog was cancelled: nothing remembered.
    EXPECT_EQ(naming.Offer(RecordPage::kList), "NewRanking.csv");
}

TEST(ExportNamingTest, AfterAnExportTheChosenNameAndFolderAreOffered) {
    ExportNaming naming;
    naming.Start("/data");
    naming.Offer(RecordPage::kRank);
    naming.Remember("/media/usb/round2.csv");
    EXPECT_EQ(naming.Folder(), "/media/usb");
    EXPECT_EQ(naming.Offer(RecordPage::kList), "round2.csv");
}

TEST(ExportNamingTest, ToolButtonsOnlyOnTheGridPages) {
    EXPECT_TRUE(RecordToolsVisible(RecordPage::kRank));
    EXPECT_TRUE(RecordToolsVisible(RecordPage::kList));
    EXPECT_FALSE(RecordToolsVisible(RecordPage::kDisplay));
}

TEST(ExportNamingTest, NothingToExportOnDisplay) {
    ExportNaming naming;
    naming.Start("/data");
    EXPECT_EQ(naming.Offer(RecordPage::kDisplay), std::nullopt);
    EXPECT_EQ(naming.FileName(), "");
    EXPECT_EQ(naming.Offer(RecordPage::kList), "NewList.csv");
}

}  // namespace
}  // namespace vantrel
