// The scoreboard fields and the record window's settings keys.

#include "reports/scoreboard.h"

#include <gtest/gtest.h>

#include "reports/record_settings.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

TEST(ScoreboardTest, ResetShowsZeroTimeAndDesignSizes) {
    Scoreboard board;
    board.ShowSplit1(4, "00:12.345");
    board.ShowCar(4, "Aoki");
    board.ShowTime("01:00.000");
    board.SetFieldPointSize(22);
    board.Reset();
    EXPECT_EQ(board.Text(Scoreboard::kMemo1), "");
    EXPECT_EQ(board.Text(Scoreboard::kMemo3), "");
    EXPECT_EQ(board.Text(Scoreboard::kMemo6), "");
    EXPECT_EQ(board.Text(Scoreboard::kMemo5), "00:00.000");
    EXPECT_EQ(board.FieldPointSize(Scoreboard::kMemo1), 40);
    EXPECT_EQ(board.FieldPointSize(Scoreboard::kMemo3), 36);
    EXPECT_EQ(board.FieldPointSize(Scoreboard::kMemo5), 40);
    EXPECT_EQ(board.FieldPointSize(Scoreboard::kMemo7), 36);
    EXPECT_EQ(board.LabelPointSize(Scoreboard::kLabel2), 20);
    EXPECT_EQ(board.LabelPointSize(Scoreboard::kLabel3), 28);
}

TEST(ScoreboardTest, SplitsAndFinishFillTheirFields) {
    Scoreboard board;
    board.ShowSplit1(4, "00:12.345");
    board.ShowSplit2(5, "00:20.000");
    EXPECT_EQ(board.Text(Scoreboard::kMemo6), "4");
    EXPECT_EQ(board.Text(Scoreboard::kMemo3), "00:12.345");
    EXPECT_EQ(board.Text(Scoreboard::kMemo7), "5");
    EXPECT_EQ(board.Text(Scoreboard::kMemo4), "00:20.000");
    board.ShowCar(4, "Aoki");
    board.ShowSplitTexts("00:12.300", "");
    EXPECT_EQ(board.Text(Scoreboard::kMemo1), "4");
    EXPECT_EQ(board.Text(Scoreboard::kMemo2), "Aoki");
    EXPECT_EQ(board.Text(Scoreboard::kMemo3), "00:12.300");
    EXPECT_EQ(board.Text(Scoreboard::kMemo4), "00:20.000");
}

TEST(RecordSettingsTest, DefaultsAndRoundTrip) {
    test::TempDir dir;
    IniFile ini(dir / "Vantrel.ini");
    RecordWindowSettings s = ReadRecordWindowSettings(ini);
    EXPECT_EQ(s.fontColor, 65535);
    EXPECT_EQ(s.background, 0);
    EXPECT_EQ(s.placement, (WindowPlacement{0, 0, 0, 0}));
    WriteRecordWindowSettings(ini, 40, 30, 255, 16777215, true);
    ASSERT_TRUE(ini.Save());
    IniFile again(dir / "Vantrel.ini");
    s = ReadRecordWindowSettings(again);
    EXPECT_EQ(s.placement.top, 40);
    EXPECT_EQ(s.placement.left, 30);
    EXPECT_EQ(s.fontColor, 255);
    EXPECT_EQ(s.background, 16777215);
    EXPECT_EQ(again.ReadString("RecordWindow", "AutoUpdate", ""), "1");
}

}  // namespace
}  // namespace vantrel
