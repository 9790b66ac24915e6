// Live updates of the standings: AddResult and AddCommonStartLap.

#include "reports/standings.h"

#include <gtest/gtest.h>

#include "common/numbers.h"

namespace vantrel {
namespace {

constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};

class StandingsTest : public ::testing::Test {
protected:
    StandingsTest() {
        entries.SetCell(EntryTable::kName, 7, "Aoki");
        entries.SetCell(EntryTable::kModel, 7, "AE86");
        entries.SetCell(EntryTable::kName, 12, "Baba");
    }
    const std::string& List(int32_t column, int32_t car) const {
        return standings.List().Cell(column, car);
    }
    const std::string& Rank(int32_t column, int32_t row) const {
        return standings.Rank().Cell(column, row);
    }

    EntryTable entries;
    Standings standings{entries};
};

TEST_F(StandingsTest, StartsWithHeadingsAndNumberedRows) {
    EXPECT_EQ(standings.List().ColumnCount(), 9);
    EXPECT_EQ(List(8, 0), "-2");
    EXPECT_EQ(List(0, 199), "199");
    EXPECT_EQ(Rank(7, 0), "Behind");
    EXPECT_EQ(Rank(0, 5), "5");
    EXPECT_EQ(standings.Table().UsedCount(), 0);
}

TEST_F(StandingsTest, AllMissCourseCarIsOnListButNotOnRank) {
    standings.AddResult(7, -1, 1, kMinutes);
    standings.AddResult(7, -1, 2, kMinutes);
    EXPECT_EQ(List(ListPage::kLast, 7), "MC");
    EXPECT_EQ(List(ListPage::kLast + 1, 7), "MC");
    EXPECT_EQ(List(ListPage::kName, 7), "Aoki");
    EXPECT_EQ(List(ListPage::kBestLap, 7), "");
    EXPECT_EQ(standings.Table().UsedCount(), 0);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "");
}

TEST_F(StandingsTest, RanksByBestTimeWithGapToTheLeader) {
    standings.AddResult(12, 62'000, 1, kMinutes);
    standings.AddResult(7, 61'500, 1, kMinutes);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "7");
    EXPECT_EQ(Rank(RankPage::kName, 1), "Aoki");
    EXPECT_EQ(Rank(RankPage::kModel, 1), "AE86");
    EXPECT_EQ(Rank(RankPage::kBestLap, 1), "01:01.500");
    EXPECT_EQ(Rank(RankPage::kLap, 1), "1");
    EXPECT_EQ(Rank(RankPage::kBehind, 1), "");
    EXPECT_EQ(Rank(RankPage::kCar, 2), "12");
    EXPECT_EQ(Rank(RankPage::kBehind, 2), "+00:00.500");
    EXPECT_EQ(Rank(RankPage::kTotal, 2), "");
    EXPECT_EQ(Rank(RankPage::kCar, 3), "");
}

TEST_F(StandingsTest, EqualBestTimesKeepTheFirstRecordedAhead) {
    standings.AddResult(12, 60'000, 1, kMinutes);
    standings.AddResult(7, 60'000, 1, kMinutes);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "12");
    EXPECT_EQ(Rank(RankPage::kCar, 2), "7");
    EXPECT_EQ(Rank(RankPage::kBehind, 2), "+00:00.000");
}

TEST_F(StandingsTest, RunEqualToBestChangesOnlyLastAndHistory) {
    standings.AddResult(7, 60'000, 1, kMinutes);
    standings.AddResult(7, 60'000, 2, kMinutes);
    EXPECT_EQ(List(ListPage::kLap, 7), "1");
    EXPECT_EQ(List(ListPage::kBestLap, 7), "01:00.000");
    EXPECT_EQ(List(ListPage::kLast, 7), "01:00.000");
    EXPECT_EQ(List(ListPage::kLast + 1, 7), "01:00.000");
    EXPECT_EQ(Rank(RankPage::kLap, 1), "1");
}

TEST_F(StandingsTest, BetterRunTakesItsRunNumber) {
    standings.AddResult(7, 60'000, 1, kMinutes);
    standings.AddResult(7, 65'000, 2, kMinutes);
    standings.AddResult(7, 59'000, 3, kMinutes);
    EXPECT_EQ(List(ListPage::kLap, 7), "3");
    EXPECT_EQ(List(ListPage::kBestLap, 7), "00:59.000");
    EXPECT_EQ(List(7, 7), "01:05.000");
    EXPECT_EQ(List(8, 7), "01:00.000");
    EXPECT_EQ(Rank(RankPage::kBestLap, 1), "00:59.000");
}

TEST_F(StandingsTest, FourthResultAddsColumnMinus3) {
    for (int32_t run = 1; run <= 3; ++run) {
        standings.AddResult(7, 60'000 + run, run, kMinutes);
    }
    EXPECT_EQ(standings.List().ColumnCount(), 9);
    standings.AddResult(7, 60'004, 4, kMinutes);
    ASSERT_EQ(standings.List().ColumnCount(), 10);
    EXPECT_EQ(List(9, 0), "-3");
    EXPECT_EQ(List(6, 7), "01:00.004");
    EXPECT_EQ(List(9, 7), "01:00.001");
}

TEST_F(StandingsTest, FifthResultOfAnyCarAddsColumnMinus4) {
    for (int32_t run = 1; run <= 4; ++run) {
        standings.AddResult(7, 60'000 + run, run, kMinutes);
    }
    for (int32_t run = 1; run <= 4; ++run) {
        standings.AddResult(12, 61'000 + run, run, kMinutes);
    }
    EXPECT_EQ(standings.List().ColumnCount(), 10);
    standings.AddResult(12, 61'005, 5, kMinutes);
    ASSERT_EQ(standings.List().ColumnCount(), 11);
    EXPECT_EQ(List(10, 0), "-4");
    EXPECT_EQ(List(10, 12), "01:01.001");
    EXPECT_EQ(List(10, 7), "");
    EXPECT_EQ(List(9, 7), "01:00.001");
}

TEST_F(StandingsTest, ResetKeepsAddedColumnsAndTheirHeadings) {
    for (int32_t run = 1; run <= 4; ++run) {
        standings.AddResult(7, 60'000, run, kMinutes);
    }
    standings.ResetRecord();
    EXPECT_EQ(standings.List().ColumnCount(), 10);
    EXPECT_EQ(List(9, 0), "-3");
    EXPECT_EQ(List(6, 7), "");
    EXPECT_EQ(List(0, 7), "7");
    EXPECT_EQ(Rank(RankPage::kCar, 1), "");
    EXPECT_EQ(standings.Table().UsedCount(), 0);
}

TEST_F(StandingsTest, CommonStartGapsInLapsAndTime) {
    standings.AddCommonStartLap(7, 50'000, 50'000, 1, kMinutes);
    standings.AddCommonStartLap(12, 52'000, 52'000, 1, kMinutes);
    standings.AddCommonStartLap(3, 53'500, 53'500, 1, kMinutes);
    standings.AddCommonStartLap(7, 49'000, 99'000, 2, kMinutes);
    standings.AddCommonStartLap(12, 48'000, 100'000, 2, kMinutes);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "7");
    EXPECT_EQ(Rank(RankPage::kBehind, 1), "");
    EXPECT_EQ(Rank(RankPage::kTotal, 1), "01:39.000");
    EXPECT_EQ(Rank(RankPage::kLap, 1), "2");
    EXPECT_EQ(Rank(RankPage::kCar, 2), "12");
    EXPECT_EQ(Rank(RankPage::kBehind, 2), "+00:01.000");
    EXPECT_EQ(Rank(RankPage::kCar, 3), "3");
    EXPECT_EQ(Rank(RankPage::kBehind, 3), "1Lap");
    EXPECT_EQ(List(ListPage::kBestLap, 12), "00:48.000");
    EXPECT_EQ(Rank(RankPage::kBestLap, 2), "00:48.000");
}

TEST_F(StandingsTest, CommonStartThreeLapsDown) {
    standings.AddCommonStartLap(12, 50'000, 50'000, 1, kMinutes);
    for (int32_t lap = 1; lap <= 4; ++lap) {
        standings.AddCommonStartLap(7, 40'000, 40'000 * lap, lap, kMinutes);
    }
    EXPECT_EQ(Rank(RankPage::kCar, 2), "12");
    EXPECT_EQ(Rank(RankPage::kBehind, 2), "3Lap");
}

TEST_F(StandingsTest, CommonStartEqualLapsAndTotalKeepTheirOrder) {
    standings.AddCommonStartLap(12, 50'000, 50'000, 1, kMinutes);
    standings.AddCommonStartLap(7, 50'000, 50'000, 1, kMinutes);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "12");
    EXPECT_EQ(Rank(RankPage::kCar, 2), "7");
    EXPECT_EQ(standings.Table()[1].Total, 50'000);
}

TEST_F(StandingsTest, TimeTextsFollowTheStyle) {
    standings.AddResult(7, 83'456, 1, TimeStyle{TimeFormat::kMinutesSeconds, true});
    EXPECT_EQ(List(ListPage::kLast, 7), "83.456");
    standings.AddResult(12, 83'000, 1, TimeStyle{TimeFormat::kMilliseconds, false});
    EXPECT_EQ(List(ListPage::kLast, 12), "83000");
    EXPECT_EQ(Rank(RankPage::kBehind, 2), "+456");
}

TEST_F(StandingsTest, CarsOutsideTheListAreIgnored) {
    standings.AddResult(0, 60'000, 1, kMinutes);
    standings.AddResult(200, 60'000, 1, kMinutes);
    standings.AddCommonStartLap(-3, 60'000, 60'000, 1, kMinutes);
    EXPECT_EQ(standings.Table().UsedCount(), 0);
    EXPECT_EQ(List(ListPage::kLast, 0), "Last");
}

TEST_F(StandingsTest, UnreadableBestTimeThrowsAndChangesNothing) {
    // Only a hand-made negative time gives such a text; it must not half-record a result.
    standings.AddResult(7, -5, 1, kMinutes);
    const std::string best = List(ListPage::kBestLap, 7);
    ASSERT_THROW(ParseTimeText(best), ConversionError);
    EXPECT_THROW(standings.AddResult(7, 60'000, 2, kMinutes), ConversionError);
    EXPECT_EQ(List(ListPage::kLast, 7), best);
    EXPECT_EQ(List(ListPage::kLast + 1, 7), "");
    standings.AddResult(7, -1, 3, kMinutes);  // a miss-course never reads the best time
    EXPECT_EQ(List(ListPage::kLast, 7), "MC");
}

TEST_F(StandingsTest, RankRowFollowsNameChangesOnTheNextRefill) {
    standings.AddResult(7, 60'000, 1, kMinutes);
    entries.SetCell(EntryTable::kName, 7, "Aoki K");
    standings.AddResult(7, 61'000, 2, kMinutes);  // not a best: no refill
    EXPECT_EQ(List(ListPage::kName, 7), "Aoki K");
    EXPECT_EQ(Rank(RankPage::kName, 1), "Aoki");
    standings.AddResult(12, 62'000, 1, kMinutes);
    EXPECT_EQ(Rank(RankPage::kName, 1), "Aoki K");
}

}  // namespace
}  // namespace vantrel
