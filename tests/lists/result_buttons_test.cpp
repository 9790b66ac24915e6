#include <gtest/gtest.h>

#include "lists/list_texts.h"
#include "lists/result_buttons.h"

namespace vantrel {
namespace {

TEST(ResultButtonTexts, MissCourseToggles) {
    EXPECT_EQ(ToggleMissCourse(""), "MC");
    EXPECT_EQ(ToggleMissCourse("MC"), "");
    EXPECT_EQ(ToggleMissCourse("3"), "MC");
}

TEST(ResultButtonTexts, PlusOneCountsNonNumbersAsZero) {
    EXPECT_EQ(PenaltyPlusOne(""), "1");
    EXPECT_EQ(PenaltyPlusOne("MC"), "1");
    EXPECT_EQ(PenaltyPlusOne("2"), "3");
    EXPECT_EQ(PenaltyPlusOne("2147483647"), "2147483647");
}

TEST(ResultButtonTexts, MinusOneGoesTwoOneEmpty) {
    EXPECT_EQ(PenaltyMinusOne("2"), "1");
    EXPECT_EQ(PenaltyMinusOne("1"), "");
    EXPECT_EQ(PenaltyMinusOne(""), "");
    EXPECT_EQ(PenaltyMinusOne("MC"), "");
    EXPECT_EQ(PenaltyMinusOne("10"), "9");
}

TEST(ResultButtonTexts, MinusOneNeverGoesBelowEmpty) {
    EXPECT_EQ(PenaltyMinusOne("0"), "");
    EXPECT_EQ(PenaltyMinusOne("-3"), "");
    EXPECT_EQ(PenaltyMinusOne(" 1"), "");
}

TEST(ResultButtonTexts, LectureMarkerAfterTimeoutAppendedAndRemoved) {
    const std::string marked = ToggleLectureMarker("(Timeout)");
    EXPECT_EQ(marked, "(Timeout)(ﾚｸﾁｬｰ)");
    EXPECT_EQ(ToggleLectureMarker(marked), "(Timeout)");
    EXPECT_EQ(ToggleLectureMarker(""), "(ﾚｸﾁｬｰ)");
}

TEST(ResultButtonTexts, LectureMarkerInsideTheCommentIsTheOneRemoved) {
    EXPECT_EQ(ToggleLectureMarker("(ﾚｸﾁｬｰ) late"), " late");
}

ResultTable OneGymkhanaRow(const std::string& pen, const std::string& comment) {
    ResultTable table(RaceMode::kGymkhana);
    table.SetRow(table.RowForNewResult(), {"12", "A", "X", pen, "01:23.456", comment, "", "", "1"});
    return table;
}

TEST(ApplyResultButton, TwoThenOneThenEmpty) {
    ResultTable table = OneGymkhanaRow("2", "");
    ResultButtonOutcome outcome = ApplyResultButton(table, 1, ResultButton::kPenaltyMinus);
    EXPECT_TRUE(outcome.changed);
    EXPECT_TRUE(outcome.rebuildRanking);
    EXPECT_EQ(table.Cell(ResultTable::kGymkhanaPen, 1), "1");
    ApplyResultButton(table, 1, ResultButton::kPenaltyMinus);
    EXPECT_EQ(table.Cell(ResultTable::kGymkhanaPen, 1), "");
}

TEST(ApplyResultButton, PlusOneOnMissCourseGivesOne) {
    ResultTable table = OneGymkhanaRow("MC", "");
    ApplyResultButton(table, 1, ResultButton::kPenaltyPlus);
    EXPECT_EQ(table.Cell(ResultTable::kGymkhanaPen, 1), "1");
    ApplyResultButton(table, 1, ResultButton::kMissCourse);
    EXPECT_EQ(table.Cell(ResultTable::kGymkhanaPen, 1), "MC");
}

TEST(ApplyResultButton, LectureChangesTheCommentAndTheRanking) {
    ResultTable table = OneGymkhanaRow("", "(Timeout)");
    const ResultButtonOutcome outcome = ApplyResultButton(table, 1, ResultButton::kLecture);
    EXPECT_TRUE(outcome.changed);
    EXPECT_TRUE(outcome.rebuildRanking);
    EXPECT_EQ(table.Cell(ResultTable::kGymkhanaComment, 1), "(Timeout)(ﾚｸﾁｬｰ)");
    ApplyResultButton(table, 1, ResultButton::kLecture);
    EXPECT_EQ(table.Cell(ResultTable::kGymkhanaComment, 1), "(Timeout)");
}

TEST(ApplyResultButton, NothingOnTheEmptyListOtherLayoutsOrBadRows) {
    ResultTable empty(RaceMode::kGymkhana);
    EXPECT_FALSE(ApplyResultButton(empty, 1, ResultButton::kMissCourse).changed);
    EXPECT_EQ(empty.Cell(ResultTable::kGymkhanaPen, 1), "");

    ResultTable drag(RaceMode::kDrag);
    drag.SetRow(drag.RowForNewResult(), {"3", "", "", "F"});
    EXPECT_FALSE(ApplyResultButton(drag, 1, ResultButton::kMissCourse).changed);
    EXPECT_EQ(drag.Cell(3, 1), "F");

    ResultTable table = OneGymkhanaRow("2", "");
    EXPECT_FALSE(ApplyResultButton(table, 0, ResultButton::kPenaltyPlus).changed);
    EXPECT_FALSE(ApplyResultButton(table, 2, ResultButton::kPenaltyPlus).changed);
    EXPECT_EQ(table.Cell(0, 0), "Car");
}

}  // namespace
}  // namespace vantrel
