// Entry files with and without classes: a list without classes is read and written as it
// always was, a list with classes reads back as it was written, and text after a second comma
// in a file without classes never becomes a class.
#include <gtest/gtest.h>

#include <random>

#include "common/text_file.h"
#include "list_test_support.h"
#include "lists/entry_file.h"

namespace vantrel {
namespace {

using test::Golden;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Texts a list may hold (what the grid lets through: no ASCII comma, only CP932 characters).
std::string RandomText(std::mt19937& random) {
    static const std::vector<std::string> kTexts = {"",     "",       "山田 太郎", "ｼﾋﾞｯｸ EK9",
                                                    "A",    "x\"y",   "髙橋①",     "～",
                                                    "a，b", " lead ", "PN1",       "SA"};
    return kTexts[random() % kTexts.size()];
}

std::string RandomClass(std::mt19937& random) {
    static const std::vector<std::string> kClasses = {"",     "",     "PN1",      "SA",  "N2",
                                                      "初級", "ｸﾗｽA", "ABCDEFGH", " 1 ", "Ｂ，Ｃ"};
    return kClasses[random() % kClasses.size()];
}

// The file of a list as it was written before classes existed.
std::string OldFileBytes(const EntryTable& table) {
    std::vector<std::string> lines;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        lines.push_back(table.Name(car) + "," + table.Model(car));
    }
    return EncodeCp932Lines(lines);
}

std::vector<NameAndModel> EntriesOf(const EntryTable& table) {
    std::vector<NameAndModel> entries;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        entries.push_back({table.Name(car), table.Model(car), table.Class(car)});
    }
    return entries;
}

TEST(EntryFileClasses, RandomListsRoundTripAndListsWithoutClassesKeepTheirOldBytes) {
    TempDir dir;
    std::mt19937 random(2029);
    for (int round = 0; round < 60; ++round) {
        EntryTable table;
        const bool withClasses = round % 2 == 1;
        for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
            table.SetCell(EntryTable::kName, car, RandomText(random));
            table.SetCell(EntryTable::kModel, car, RandomText(random));
            if (round == 1) {  // every car in a class of its own
                table.SetCell(EntryTable::kClass, car, "クラス" + std::to_string(car));
            } else if (withClasses && random() % 3 == 0) {
                table.SetCell(EntryTable::kClass, car, RandomClass(random));
            }
        }
        const auto path = dir / ("list" + std::to_string(round) + ".txt");
        ASSERT_TRUE(SaveEntryFile(path, table));
        const std::string bytes = ReadBytes(path);
        if (!table.HasClasses()) {
            ASSERT_EQ(bytes, OldFileBytes(table)) << round;
        }
        // Into a list that held other entries and classes: every car takes the file's.
        EntryTable again;
        for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
            again.SetCell(EntryTable::kName, car, "old");
            again.SetCell(EntryTable::kClass, car, "OLD");
        }
        const IoResult loaded = LoadEntryFile(path, again);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded.warning, "") << round;
        ASSERT_EQ(EntriesOf(again), EntriesOf(table)) << round;
        ASSERT_TRUE(SaveEntryFile(dir / "again.txt", again));
        ASSERT_EQ(ReadBytes(dir / "again.txt"), bytes) << round;
    }
}

TEST(EntryFileClasses, OldFilesReadAndSaveAsBeforeEvenWithTextAfterTheSecondComma) {
    TempDir dir;
    // The old program's own files, and one written by hand with odd lines.
    for (const char* golden : {"entry_japanese.txt", "entry_empty.txt"}) {
        EntryTable table;
        ASSERT_TRUE(LoadEntryFile(Golden(golden), table));
        EXPECT_FALSE(table.HasClasses());
        ASSERT_TRUE(SaveEntryFile(dir / "out.txt", table));
        EXPECT_EQ(ReadBytes(dir / "out.txt"), ReadBytes(Golden(golden))) << golden;
    }
    WriteBytes(dir / "odd.txt", "A,X,junk,more\r\nB\r\n\r\nSmith, J,Kart\r\n,\r\nC,Y,\r\n");
    EntryTable table;
    const IoResult result = LoadEntryFile(dir / "odd.txt", table);
    ASSERT_TRUE(result);
    EXPECT_FALSE(table.HasClasses());
    EXPECT_EQ(table.Name(4), "Smith");
    EXPECT_EQ(table.Model(4), " J");
    // The first line without a class field is named, so the operator learns why.
    EXPECT_NE(result.warning.find("odd.txt の 2 行目にクラスの欄がない"), std::string::npos)
        << result.warning;
    ASSERT_TRUE(SaveEntryFile(dir / "out.txt", table));
    EXPECT_EQ(ReadBytes(dir / "out.txt").substr(0, 30),
              "A,X\r\nB,\r\n,\r\nSmith, J\r\n,\r\nC,Y\r\n");
    // A file with no third field anywhere says nothing about classes.
    WriteBytes(dir / "plain.txt", "A,X\r\nB\r\n");
    EXPECT_EQ(LoadEntryFile(dir / "plain.txt", table).warning, "");
}

TEST(EntryFileClasses, BadClassesAreShortenedOrLeftOutWithoutShiftingAnyColumn) {
    TempDir dir;
    // Nine characters, a fourth field, an unreadable byte, a class on an empty row, a blank
    // last line from an editor.
    WriteBytes(dir / "bad.txt",
               "A,X,ABCDEFGHI\r\nB,Y,PN1,ignored\r\nC,Z,N\x80"
               "2\r\n,,SA\r\nD,W,\r\n\r\n");
    EntryTable table;
    table.SetCell(EntryTable::kClass, 7, "KEEP");
    table.SetCell(EntryTable::kName, 7, "seven");
    const IoResult result = LoadEntryFile(dir / "bad.txt", table);
    ASSERT_TRUE(result);
    EXPECT_EQ(table.Class(1), "ABCDEFGH");
    EXPECT_EQ(table.Model(1), "X");
    EXPECT_EQ(table.Class(2), "PN1");
    EXPECT_EQ(table.Model(2), "Y");
    EXPECT_EQ(table.Class(3), "N2");
    EXPECT_EQ(table.Name(4), "");
    EXPECT_EQ(table.Class(4), "SA");
    EXPECT_EQ(table.Class(5), "");
    EXPECT_EQ(table.Name(6), "");
    EXPECT_EQ(table.Class(6), "");
    EXPECT_EQ(table.Name(7), "seven");  // beyond the file's lines
    EXPECT_EQ(table.Class(7), "KEEP");
    EXPECT_NE(result.warning.find("bad.txt の 1 行目のクラスは 8 文字を超えるか"),
              std::string::npos)
        << result.warning;
    EXPECT_NE(result.warning.find("bad.txt の 3 行目に文字として読めないバイト"), std::string::npos)
        << result.warning;

    ASSERT_TRUE(SaveEntryFile(dir / "out.txt", table));
    const std::vector<std::string> lines = SplitLines(ReadBytes(dir / "out.txt"));
    ASSERT_EQ(lines.size(), 199u);
    EXPECT_EQ(lines[0], "A,X,ABCDEFGH");
    EXPECT_EQ(lines[1], "B,Y,PN1");
    EXPECT_EQ(lines[3], ",,SA");
    EXPECT_EQ(lines[4], "D,W,");
    EXPECT_EQ(lines[5], ",,");
    EXPECT_EQ(lines[6], "seven,,KEEP");
    EXPECT_EQ(lines[198], ",,");
}

}  // namespace
}  // namespace vantrel
