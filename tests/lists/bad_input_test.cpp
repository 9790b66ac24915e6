#include <gtest/gtest.h>

#include "list_test_support.h"
#include "lists/entry_file.h"
#include "lists/result_file.h"

namespace vantrel {
namespace {

using test::TempDir;
using test::WriteBytes;

struct Loaded {
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
};

// Loads the same bytes as an entry file and as a result file.
Loaded LoadBoth(const std::string& bytes) {
    TempDir dir;
    WriteBytes(dir / "in.txt", bytes);
    Loaded loaded;
    EXPECT_TRUE(LoadEntryFile(dir / "in.txt", loaded.entries));
    EXPECT_TRUE(LoadResultFile(dir / "in.txt", loaded.results));
    return loaded;
}

TEST(BadInput, VeryLongLine) {
    const std::string name(1 << 20, 'a');
    const Loaded loaded = LoadBoth(name + ",model,rest\r\n");
    EXPECT_EQ(loaded.entries.Name(1), name);
    EXPECT_EQ(loaded.entries.Model(1), "model");
    EXPECT_EQ(loaded.results.Cell(0, 1), name);
    EXPECT_EQ(loaded.results.Cell(2, 1), "rest");
}

TEST(BadInput, ThousandsOfCommas) {
    const Loaded loaded = LoadBoth("x" + std::string(20000, ',') + "y\r\n");
    EXPECT_EQ(loaded.entries.Name(1), "x");
    EXPECT_EQ(loaded.entries.Model(1), "");
    EXPECT_EQ(loaded.results.DataRowCount(), 1);
    EXPECT_EQ(loaded.results.Cell(0, 1), "x");
    EXPECT_EQ(loaded.results.Cell(8, 1), "");
}

TEST(BadInput, EveryByteValue) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    const Loaded loaded = LoadBoth(bytes + bytes);
    // The bytes hold CR and LF, so they make several lines; all of them are kept as rows.
    EXPECT_GE(loaded.results.DataRowCount(), 3);
    EXPECT_EQ(loaded.results.Cell(0, 1), std::string("\0\x01\x02\x03\x04\x05\x06\x07\x08\t", 10));
}

TEST(BadInput, InvalidCp932BecomesReplacementCharacters) {
    // A lead byte followed by a byte that cannot trail it, and a lead byte at the line end.
    const Loaded loaded = LoadBoth("a\x81 b,\x82\r\n");
    EXPECT_NE(loaded.entries.Name(1).find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_NE(loaded.entries.Model(1).find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(BadInput, MixedLineEndsAndNoFinalLineEnd) {
    const Loaded loaded = LoadBoth("1,a\n2,b\r3,c\r\n4,d");
    EXPECT_EQ(loaded.entries.Name(4), "4");
    EXPECT_EQ(loaded.entries.Model(4), "d");
    EXPECT_EQ(loaded.results.DataRowCount(), 4);
    EXPECT_EQ(loaded.results.Cell(1, 3), "c");
}

TEST(BadInput, ManyLinesFillOnly199CarsButEveryResultRow) {
    std::string bytes;
    for (int i = 1; i <= 5000; ++i) {
        bytes += std::to_string(i) + ",m\r\n";
    }
    const Loaded loaded = LoadBoth(bytes);
    EXPECT_EQ(loaded.entries.Name(199), "199");
    EXPECT_EQ(loaded.results.DataRowCount(), 5000);
}

TEST(BadInput, OnlyLineEnds) {
    const Loaded loaded = LoadBoth("\r\n\r\n\n\r");
    EXPECT_EQ(loaded.entries.Name(1), "");
    EXPECT_EQ(loaded.results.DataRowCount(), 4);
    EXPECT_TRUE(loaded.results.Row(4) == std::vector<std::string>(9));
}

}  // namespace
}  // namespace vantrel
