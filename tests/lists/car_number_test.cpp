#include <gtest/gtest.h>

#include "lists/car_number.h"

namespace vantrel {
namespace {

TEST(ParseCarNumber, NumbersInRangeStand) {
    EXPECT_EQ(ParseCarNumber("1"), 1);
    EXPECT_EQ(ParseCarNumber("12"), 12);
    EXPECT_EQ(ParseCarNumber("199"), 199);
    EXPECT_EQ(ParseCarNumber(" 7"), 7);
}

TEST(ParseCarNumber, OutOfRangeBecomes199) {
    EXPECT_EQ(ParseCarNumber("0"), 199);
    EXPECT_EQ(ParseCarNumber("-5"), 199);
    EXPECT_EQ(ParseCarNumber("200"), 199);
    EXPECT_EQ(ParseCarNumber("99999"), 199);
}

TEST(ParseCarNumber, NonNumbersAreRefused) {
    EXPECT_EQ(ParseCarNumber(""), std::nullopt);
    EXPECT_EQ(ParseCarNumber("12a"), std::nullopt);
    EXPECT_EQ(ParseCarNumber("abc"), std::nullopt);
    EXPECT_EQ(ParseCarNumber("１２"), std::nullopt);  // full-width digits are not accepted
    EXPECT_EQ(ParseCarNumber("99999999999"), std::nullopt);
}

}  // namespace
}  // namespace vantrel
