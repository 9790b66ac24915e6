#include "common/numbers.h"

#include <gtest/gtest.h>

#include <climits>

namespace vantrel {
namespace {

TEST(StrToInt, AcceptsDecimalAndHexIntegers) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("-42"), -42);
    EXPECT_EQ(StrToInt("+42"), 42);
    EXPECT_EQ(StrToInt("  42"), 42);  // leading blanks are allowed
    EXPECT_EQ(StrToInt("\t42"), 42);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("0X1F"), 31);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("0x7FFFFFFF"), INT32_MAX);
}

TEST(StrToInt, RefusesEverythingElse) {
    for (const char* text :
         {"",          " ",    "-",   "+",     "$",          "0x",          "42 ",
          "4 2",       "4.2",  "1e3", "12abc", "abc",        "--1",         "+-1",
          "$G",        "0x1G", "1F",  "２",    "2147483648", "-2147483649", "99999999999999999999",
          "0x80000000"}) {
        EXPECT_FALSE(StrToInt(text).has_value()) << "'" << text << "'";
    }
}

TEST(StrToInt, DefaultAndThrowingForms) {
    EXPECT_EQ(StrToIntDef("12", 5), 12);
    EXPECT_EQ(StrToIntDef("x", 5), 5);
    EXPECT_EQ(StrToIntDef("", 5000), 5000);
    EXPECT_EQ(StrToIntOrThrow("-3"), -3);
    try {
        StrToIntOrThrow("1,5");
        ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.Text(), "1,5");
        EXPECT_STREQ(error.what(), "'1,5' は数値ではありません");
    }
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST(LeadingInt, ReadsTheNumberATextStartsWith) {
    EXPECT_EQ(LeadingInt("12abc"), 12);
    EXPECT_EQ(LeadingInt("  -7 m"), -7);
    EXPECT_EQ(LeadingInt("+5"), 5);
    EXPECT_EQ(LeadingInt("0x10"), 0);
    EXPECT_EQ(LeadingInt("99999999999"), INT32_MAX);
    EXPECT_EQ(LeadingInt("-99999999999"), INT32_MIN);
    EXPECT_FALSE(LeadingInt("abc"));
    EXPECT_FALSE(LeadingInt("-"));
    EXPECT_FALSE(LeadingInt(""));
}

}  // namespace
}  // namespace vantrel
