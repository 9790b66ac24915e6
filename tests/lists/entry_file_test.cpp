#include <gtest/gtest.h>

#include "common/text_file.h"
#include "list_test_support.h"
#include "lists/entry_file.h"

namespace vantrel {
namespace {

using test::Golden;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(EntryFile, ThreeLineFileFillsThreeCarsAndKeepsTheRest) {
    TempDir dir;
    WriteBytes(dir / "in.txt", "A,X\r\nB\r\nC,Y,Z\r\n");
    EntryTable table;
    table.SetCell(EntryTable::kName, 4, "old4");
    table.SetCell(EntryTable::kModel, 199, "old199");

    ASSERT_TRUE(LoadEntryFile(dir / "in.txt", table));

    EXPECT_EQ(table.Name(1), "A");
    EXPECT_EQ(table.Model(1), "X");
    EXPECT_EQ(table.Name(2), "B");
    EXPECT_EQ(table.Model(2), "");
    EXPECT_EQ(table.Name(3), "C");
    EXPECT_EQ(table.Model(3), "Y");
    EXPECT_EQ(table.Name(4), "old4");
    EXPECT_EQ(table.Model(199), "old199");
}

TEST(EntryFile, ThreeLineFileSavesAs199LinesByteForByte) {
    TempDir dir;
    WriteBytes(dir / "in.txt", "A,X\r\nB\r\nC,Y,Z\r\n");
    EntryTable table;
    ASSERT_TRUE(LoadEntryFile(dir / "in.txt", table));
    ASSERT_TRUE(SaveEntryFile(dir / "out.txt", table));
    EXPECT_EQ(ReadBytes(dir / "out.txt"), ReadBytes(Golden("entry_a_b_c_saved.txt")));
}

TEST(EntryFile, EmptyListSavesAs199Commas) {
    TempDir dir;
    ASSERT_TRUE(SaveEntryFile(dir / "out.txt", EntryTable()));
    EXPECT_EQ(ReadBytes(dir / "out.txt"), ReadBytes(Golden("entry_empty.txt")));
}

TEST(EntryFile, JapaneseNamesRoundTripThroughCp932) {
    TempDir dir;
    EntryTable table;
    ASSERT_TRUE(LoadEntryFile(Golden("entry_japanese.txt"), table));
    EXPECT_EQ(table.Name(1), "山田 太郎");
    EXPECT_EQ(table.Model(1), "ｼﾋﾞｯｸ EK9");
    EXPECT_EQ(table.Name(2), "佐藤花子");
    EXPECT_EQ(table.Model(2), "ロードスター");
    EXPECT_EQ(table.Name(199), "髙橋①");
    EXPECT_EQ(table.Model(199), "～");

    ASSERT_TRUE(SaveEntryFile(dir / "out.txt", table));
    EXPECT_EQ(ReadBytes(dir / "out.txt"), ReadBytes(Golden("entry_japanese.txt")));
}

TEST(EntryFile, CommaTypedIntoANameEndsTheNameOnTheNextLoad) {
    TempDir dir;
    EntryTable table;
    table.SetCell(EntryTable::kName, 1, "Smith, J");
    table.SetCell(EntryTable::kModel, 1, "Kart");
    ASSERT_TRUE(SaveEntryFile(dir / "out.txt", table));
    EXPECT_EQ(ReadBytes(dir / "out.txt").substr(0, 16), "Smith, J,Kart\r\n,");

    EntryTable again;
    ASSERT_TRUE(LoadEntryFile(dir / "out.txt", again));
    EXPECT_EQ(again.Name(1), "Smith");
    EXPECT_EQ(again.Model(1), " J");
}

TEST(EntryFile, LinesAfter199AreIgnored) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 250; ++i) {
        lines.push_back("n" + std::to_string(i) + ",m");
    }
    const std::vector<NameAndModel> entries = ParseEntryLines(lines);
    ASSERT_EQ(entries.size(), 199u);
    EXPECT_EQ(entries.back().name, "n199");
}

TEST(EntryFile, LfOnlyAndNoFinalLineEndReadLikeCrLf) {
    TempDir dir;
    WriteBytes(dir / "in.txt", "A,X\nB,Y\nC,Z");
    EntryTable table;
    ASSERT_TRUE(LoadEntryFile(dir / "in.txt", table));
    EXPECT_EQ(table.Model(1), "X");
    EXPECT_EQ(table.Model(2), "Y");
    EXPECT_EQ(table.Name(3), "C");
    EXPECT_EQ(table.Model(3), "Z");
}

TEST(EntryFile, EmptyFileChangesNothing) {
    TempDir dir;
    WriteBytes(dir / "in.txt", "");
    EntryTable table;
    table.SetCell(EntryTable::kName, 1, "keep");
    ASSERT_TRUE(LoadEntryFile(dir / "in.txt", table));
    EXPECT_EQ(table.Name(1), "keep");
}

TEST(EntryFile, MissingFileFailsWithItsNameAndLeavesTheTable) {
    TempDir dir;
    EntryTable table;
    table.SetCell(EntryTable::kName, 1, "keep");
    const IoResult result = LoadEntryFile(dir / "missing.txt", table);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("missing.txt"), std::string::npos);
    EXPECT_EQ(table.Name(1), "keep");
}

}  // namespace
}  // namespace vantrel
