#include "common/csv_field.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(NextCsvField, CutsOneFieldAtATime) {
    std::string line = "C,Y,Z";
    EXPECT_EQ(NextCsvField(line), "C");
    EXPECT_EQ(line, "Y,Z");
    EXPECT_EQ(NextCsvField(line), "Y");
    EXPECT_EQ(line, "Z");
    EXPECT_EQ(NextCsvField(line), "Z");
    EXPECT_EQ(line, "");
    EXPECT_EQ(NextCsvField(line), "");  // nothing left: empty field, still empty
    EXPECT_EQ(line, "");
}

TEST(NextCsvField, NoCommaTrailingCommaAndEmptyFields) {
    std::string noComma = "山田 太郎";
    EXPECT_EQ(NextCsvField(noComma), "山田 太郎");
    EXPECT_TRUE(noComma.empty());

    std::string trailing = "12,";
    EXPECT_EQ(NextCsvField(trailing), "12");
    EXPECT_EQ(trailing, "");

    std::string empties = ",,x,";
    EXPECT_EQ(NextCsvField(empties), "");
    EXPECT_EQ(empties, ",x,");
    EXPECT_EQ(NextCsvField(empties), "");
    EXPECT_EQ(NextCsvField(empties), "x");
    EXPECT_EQ(empties, "");

    // Quotes and blanks are ordinary characters.
    std::string quoted = " \"a,b\" ,c";
    EXPECT_EQ(NextCsvField(quoted), " \"a");
    EXPECT_EQ(NextCsvField(quoted), "b\" ");
    EXPECT_EQ(NextCsvField(quoted), "c");
}

TEST(JoinCsvFields, JoinsWithoutQuoting) {
    EXPECT_EQ(JoinCsvFields({}), "");
    EXPECT_EQ(JoinCsvFields({"1", "", "ﾐｽｺｰｽ", ""}), "1,,ﾐｽｺｰｽ,");
    std::string line = JoinCsvFields({"a", "b c", "d"});
    EXPECT_EQ(NextCsvField(line), "a");
    EXPECT_EQ(NextCsvField(line), "b c");
    EXPECT_EQ(NextCsvField(line), "d");
}

TEST(MakeStorableField, CommaBecomesFullWidthAndOtherScriptsAreRefused) {
    StorableField name = MakeStorableField("Smith, J.");
    EXPECT_EQ(name.text, "Smith， J.");
    EXPECT_FALSE(name.refused);
    std::string line = JoinCsvFields({"1", name.text, "X"});
    EXPECT_EQ(NextCsvField(line), "1");
    EXPECT_EQ(NextCsvField(line), "Smith， J.");
    EXPECT_EQ(NextCsvField(line), "X");

    EXPECT_FALSE(MakeStorableField("ＭＳ ゴシック ﾐｽｺｰｽ 計測").refused);
    const StorableField korean = MakeStorableField("ab한c😀");
    ASSERT_TRUE(korean.refused);
    EXPECT_EQ(*korean.refused, "한");
    EXPECT_EQ(*MakeStorableField("x😀").refused, "😀");
}

}  // namespace
}  // namespace vantrel
