// The scoreboard fields and the record window's settings keys.

#include "reports/scoreboard.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "lists/entry_table.h"
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

// Over random sequences of splits, cars, times and split texts of cars in random classes:
// the fields of every car are what a board without classes shows, and the fields of a class
// are what a board shows that was given only the events of that class's cars (a time and the
// split texts belong to the car shown last). A reset empties every class.
TEST(ScoreboardTest, EachClassFollowsOnlyItsCars) {
    const uint32_t seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const auto pick = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const std::vector<std::string> classes = {"PN1", "SA", "ＳＢ"};
    for (int round = 0; round < 50; ++round) {
        EntryTable entries;
        for (int32_t car = 1; car <= 12; ++car) {
            const int c = pick(0, 3);
            entries.SetCell(EntryTable::kClass, car, c < 3 ? classes[c] : "");
        }
        Scoreboard board;
        board.UseClasses(&entries);
        Scoreboard all;
        std::map<std::string, Scoreboard> expected;
        int32_t lastCar = 0;
        for (int step = 0; step < 60; ++step) {
            const int32_t car = pick(0, 13);  // 0 and 13: no car or one without class
            const std::string text = std::to_string(pick(0, 99999));
            const int kind = pick(0, 5);
            const std::string split1 = pick(0, 1) ? text : "";
            const std::string split2 = pick(0, 1) ? text : "";
            const int32_t owner = kind >= 3 && kind != 5 ? lastCar : car;
            std::vector<Scoreboard*> boards{&board, &all};
            const std::string& cls = owner >= 1 && owner <= 12 ? entries.Class(owner) : "";
            if (!cls.empty()) {
                boards.push_back(&expected[cls]);
            }
            for (Scoreboard* b : boards) {
                switch (kind) {
                    case 0:
                        b->ShowSplit1(car, text);
                        break;
                    case 1:
                        b->ShowSplit2(car, text);
                        break;
                    case 2:
                        b->ShowCar(car, "N" + text);
                        break;
                    case 3:
                        b->ShowTime(text);
                        break;
                    case 4:
                        b->ShowSplitTexts(split1, split2);
                        break;
                    case 5:
                        b->ShowCar(car, "");
                        b->ShowTime(text);
                        break;
                }
            }
            lastCar = kind == 2 || kind == 5 ? car : lastCar;
            for (int f = 0; f < Scoreboard::kFieldCount; ++f) {
                const auto field = static_cast<Scoreboard::Field>(f);
                ASSERT_EQ(board.Text(field), all.Text(field)) << step;
                ASSERT_EQ(board.Text(field, ""), all.Text(field)) << step;
                for (const std::string& c : classes) {
                    ASSERT_EQ(board.Text(field, c), expected[c].Text(field)) << c << " " << step;
                }
            }
        }
        board.Reset();
        for (const std::string& c : classes) {
            EXPECT_EQ(board.Text(Scoreboard::kMemo1, c), "");
            EXPECT_EQ(board.Text(Scoreboard::kMemo5, c), "00:00.000");
        }
    }
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
