#include <gtest/gtest.h>

#include "list_test_support.h"
#include "lists/result_file.h"

namespace vantrel {
namespace {

using test::Golden;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(ResultFile, GymkhanaRowSavesByteForByte) {
    TempDir dir;
    ResultTable table(RaceMode::kGymkhana);
    table.SetRow(table.RowForNewResult(), {"12", "A", "X", "2", "01:23.456", "", "", "", "3"});
    ASSERT_TRUE(SaveResultFile(dir / "out.csv", table));
    EXPECT_EQ(ReadBytes(dir / "out.csv"), ReadBytes(Golden("result_gymkhana_row.csv")));
}

TEST(ResultFile, EmptyGymkhanaListSavesAsEightCommas) {
    TempDir dir;
    ASSERT_TRUE(SaveResultFile(dir / "out.csv", ResultTable(RaceMode::kGymkhana)));
    EXPECT_EQ(ReadBytes(dir / "out.csv"), ReadBytes(Golden("result_empty_gymkhana.csv")));
}

TEST(ResultFile, EmptyListsOfOtherLayoutsSaveOneLineOfTheirCommas) {
    TempDir dir;
    ASSERT_TRUE(SaveResultFile(dir / "drag.csv", ResultTable(RaceMode::kDrag)));
    ASSERT_TRUE(SaveResultFile(dir / "circuit.csv", ResultTable(RaceMode::kCircuit)));
    EXPECT_EQ(ReadBytes(dir / "drag.csv"), std::string(12, ',') + "\r\n");
    EXPECT_EQ(ReadBytes(dir / "circuit.csv"), std::string(5, ',') + "\r\n");
}

TEST(ResultFile, GymkhanaFileLoadedUnderDragFillsTheFirstNineOfThirteen) {
    ResultTable drag(RaceMode::kDrag);
    ASSERT_TRUE(LoadResultFile(Golden("result_gymkhana_row.csv"), drag));
    ASSERT_EQ(drag.DataRowCount(), 1);
    ASSERT_EQ(drag.ColumnCount(), 13);
    const std::vector<std::string> expected = {"12", "A", "X", "2", "01:23.456", "", "",
                                               "",   "3", "",  "",  "",          ""};
    EXPECT_EQ(drag.Row(1), expected);
    EXPECT_EQ(drag.Cell(3, 0), "Fly");
}

TEST(ResultFile, LoadReplacesAllRowsAndRoundTrips) {
    TempDir dir;
    WriteBytes(dir / "in.csv", "1,a,b,,01:00.000,,,,1\r\n2,c,d,MC,01:01.000,(Timeout),,,1\r\n");
    ResultTable table;
    table.SetRow(table.RowForNewResult(), {"9"});
    table.SetRow(table.RowForNewResult(), {"8"});
    table.SetRow(table.RowForNewResult(), {"7"});
    ASSERT_TRUE(LoadResultFile(dir / "in.csv", table));
    EXPECT_EQ(table.DataRowCount(), 2);
    EXPECT_EQ(table.Cell(3, 2), "MC");
    ASSERT_TRUE(SaveResultFile(dir / "out.csv", table));
    EXPECT_EQ(ReadBytes(dir / "out.csv"), ReadBytes(dir / "in.csv"));
}

TEST(ResultFile, MissingFieldsAreEmptyAndExtraFieldsIgnored) {
    const auto rows = ParseResultLines({"1,a", "1,2,3,4,5,6,7,8,9,10,11"}, 9);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "a", "", "", "", "", "", "", ""}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST(ResultFile, EmptyFileGivesTheEmptyList) {
    TempDir dir;
    WriteBytes(dir / "in.csv", "");
    ResultTable table;
    table.SetRow(table.RowForNewResult(), {"5"});
    ASSERT_TRUE(LoadResultFile(dir / "in.csv", table));
    EXPECT_EQ(table.DataRowCount(), 1);
    EXPECT_TRUE(table.IsEmpty());
}

TEST(ResultFile, FailedLoadLeavesTheRows) {
    TempDir dir;
    ResultTable table;
    table.SetRow(table.RowForNewResult(), {"5", "x"});
    EXPECT_FALSE(LoadResultFile(dir / "missing.csv", table));
    EXPECT_EQ(table.Cell(1, 1), "x");
}

}  // namespace
}  // namespace vantrel
