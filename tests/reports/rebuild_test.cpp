// RebuildRanking: replaying the result list of each mode.

#include "reports/standings_rebuild.h"

#include <gtest/gtest.h>

#include "reports/standings_compare.h"

namespace vantrel {
namespace {

constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};
constexpr TimeStyle kDragStyle{TimeFormat::kMinutesSeconds, true};

using Row = std::vector<std::string>;

// A gymkhana row: Car, Name, Model, Pen, Time, Comment, Split1, Split2, Lap.
Row Gym(const std::string& car, const std::string& pen, const std::string& time,
        const std::string& comment, const std::string& lap) {
    return {car, "", "", pen, time, comment, "", "", lap};
}

class RebuildTest : public ::testing::Test {
protected:
    RebuildOutcome Rebuild(RaceMode mode, std::vector<Row> rows, ReplayRule rule,
                           const TimeStyle& style = kMinutes) {
        results.Reset(mode);
        results.SetRows(std::move(rows));
        return RebuildRanking(standings, results, rule, style);
    }
    const std::string& Rank(int32_t column, int32_t row) const {
        return standings.Rank().Cell(column, row);
    }
    const std::string& List(int32_t column, int32_t car) const {
        return standings.List().Cell(column, car);
    }

    EntryTable entries;
    Standings standings{entries};
    ResultTable results;
};

TEST_F(RebuildTest, EachPenaltyAddsFiveSeconds) {
    const auto outcome =
        Rebuild(RaceMode::kGymkhana, {Gym("5", "2", "01:01.234", "", "1")}, ReplayRule::kGymkhana);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(standings.Table()[0], (RankEntry{5, 71'234, 0}));
    EXPECT_EQ(List(ListPage::kLast, 5), "01:11.234");
    EXPECT_EQ(Rank(RankPage::kBestLap, 1), "01:11.234");
}

TEST_F(RebuildTest, EmptyFirstRowGivesEmptyStandings) {
    standings.AddResult(3, 50'000, 1, kMinutes);
    const auto outcome =
        Rebuild(RaceMode::kGymkhana, {Gym("", "", "", "", ""), Gym("4", "", "00:40.000", "", "1")},
                ReplayRule::kGymkhana);
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(standings.Table().UsedCount(), 0);
    EXPECT_EQ(List(ListPage::kLast, 3), "");
    EXPECT_EQ(List(ListPage::kLast, 4), "");
    EXPECT_EQ(Rank(RankPage::kCar, 1), "");
}

TEST_F(RebuildTest, LectureRowsAreSkippedMissCourseAndTimeoutCountAsMC) {
    const auto outcome =
        Rebuild(RaceMode::kGymkhana,
                {Gym("1", "", "00:50.000", "(ﾚｸﾁｬｰ)", "1"), Gym("2", "MC", "00:49.000", "", "1"),
                 Gym("3", "MC", "300000", "(Timeout)", "1"), Gym("4", "", "00:55.000", "", "1")},
                ReplayRule::kGymkhana);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(List(ListPage::kLast, 1), "");
    EXPECT_EQ(List(ListPage::kLast, 2), "MC");
    EXPECT_EQ(List(ListPage::kLast, 3), "MC");
    EXPECT_EQ(standings.Table().UsedCount(), 1);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "4");
}

TEST_F(RebuildTest, EqualBestTimesKeepResultListOrder) {
    const auto outcome =
        Rebuild(RaceMode::kGymkhana,
                {Gym("9", "", "00:50.000", "", "1"), Gym("2", "", "00:50.000", "", "1"),
                 Gym("2", "", "00:51.000", "", "2")},
                ReplayRule::kGymkhana);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "9");
    EXPECT_EQ(Rank(RankPage::kCar, 2), "2");
}

TEST_F(RebuildTest, ConversionFailureStopsAndKeepsEarlierRows) {
    const auto outcome =
        Rebuild(RaceMode::kGymkhana,
                {Gym("1", "", "00:50.000", "", "1"), Gym("2", "x", "00:49.000", "", "1"),
                 Gym("3", "", "00:48.000", "", "1")},
                ReplayRule::kGymkhana);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedRow, 2);
    EXPECT_EQ(outcome.error, "'x' は数値ではありません");
    EXPECT_EQ(standings.Table().UsedCount(), 1);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "1");
    EXPECT_EQ(List(ListPage::kLast, 3), "");
}

TEST_F(RebuildTest, BadTimeTextAndBadCarStopTheRebuild) {
    auto outcome =
        Rebuild(RaceMode::kGymkhana, {Gym("1", "", "0a:50.000", "", "1")}, ReplayRule::kGymkhana);
    EXPECT_EQ(outcome.error, "'0a' は数値ではありません");
    outcome = Rebuild(RaceMode::kGymkhana, {Gym("#1", "", "00:50.000", "(ﾚｸﾁｬｰ)", "1")},
                      ReplayRule::kGymkhana);
    EXPECT_EQ(outcome.error, "'#1' は数値ではありません");
    outcome =
        Rebuild(RaceMode::kGymkhana, {Gym("1", "", "00:50.000", "", "")}, ReplayRule::kGymkhana);
    EXPECT_EQ(outcome.error, "'' は数値ではありません");
}

TEST_F(RebuildTest, TimeThatIsNoNumberNeverRanks) {
    const auto outcome =
        Rebuild(RaceMode::kGymkhana, {Gym("1", "3", "abc", "", "1")}, ReplayRule::kGymkhana);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(standings.Table().UsedCount(), 0);
    EXPECT_EQ(List(ListPage::kLast, 1), TimeText(2147483647, kMinutes));
}

TEST_F(RebuildTest, RowsOfCarsOutsideTheListAreLeftOut) {
    const auto outcome =
        Rebuild(RaceMode::kGymkhana,
                {Gym("250", "", "00:40.000", "", "1"), Gym("0", "", "00:41.000", "", "1"),
                 Gym("8", "", "00:45.000", "", "1")},
                ReplayRule::kGymkhana);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(standings.Table().UsedCount(), 1);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "8");
}

// A drag row as the finish routine writes it: Car .. Model, Fly, E.T, R/T, E.T+R/T, 0-18,
// 0-100, 0-200, 0-300, Speed, Try.
Row Drag(int32_t car, bool fly, int32_t elapsed, int32_t tries) {
    return {std::to_string(car),
            "",
            "",
            fly ? "Fly" : "",
            TimeText(elapsed, kDragStyle),
            "0.450",
            "",
            "01.234",
            "05.678",
            "",
            "",
            "",
            std::to_string(tries)};
}

TEST_F(RebuildTest, DragRebuildEqualsLiveUpdates) {
    struct Run {
        int32_t car;
        bool fly;
        int32_t elapsed;
    };
    const std::vector<Run> runs = {{4, false, 12'345}, {6, true, 11'900},  {4, false, 12'001},
                                   {6, false, 12'500}, {9, false, 13'000}, {4, true, 11'000},
                                   {9, false, 11'900}, {4, false, 12'100}};
    std::array<int32_t, 200> tries{};
    std::vector<Row> rows;
    for (const Run& run : runs) {
        ++tries[run.car];
        standings.AddResult(run.car, run.elapsed, tries[run.car], kDragStyle);
        rows.push_back(Drag(run.car, run.fly, run.elapsed, tries[run.car]));
    }
    const StandingsSnapshot live = Snapshot(standings);
    const auto outcome = Rebuild(RaceMode::kDrag, rows, ReplayRule::kDrag, kDragStyle);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(Snapshot(standings), live);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "4");
    EXPECT_EQ(Rank(RankPage::kLap, 1), "3");  // the "Try" of its best run, a "Fly" run
    EXPECT_EQ(Rank(RankPage::kBehind, 2), "+00.900");
}

TEST_F(RebuildTest, CircuitLapTimingRebuildEqualsLiveUpdates) {
    std::vector<Row> rows;
    const std::vector<std::pair<int32_t, int32_t>> laps = {
        {3, 61'000}, {5, 60'500}, {3, 59'900}, {5, 61'200}, {3, 60'100}};
    std::array<int32_t, 200> count{};
    std::array<int32_t, 200> total{};
    for (const auto& [car, lap] : laps) {
        ++count[car];
        total[car] += lap;
        standings.AddResult(car, lap, count[car], kMinutes);
        rows.push_back({std::to_string(car), "", "", std::to_string(count[car]),
                        TimeText(lap, kMinutes), TimeText(total[car], kMinutes)});
    }
    const StandingsSnapshot live = Snapshot(standings);
    ASSERT_TRUE(Rebuild(RaceMode::kCircuit, rows, ReplayRule::kCircuitLapTiming).ok);
    EXPECT_EQ(Snapshot(standings), live);
    EXPECT_EQ(Rank(RankPage::kCar, 1), "3");
}

TEST_F(RebuildTest, CircuitCommonStartRebuildEqualsLiveUpdates) {
    std::vector<Row> rows;
    const std::vector<std::pair<int32_t, int32_t>> laps = {{3, 61'000}, {5, 60'500}, {3, 59'900},
                                                           {5, 61'200}, {3, 60'100}, {7, 75'400}};
    std::array<int32_t, 200> count{};
    std::array<int32_t, 200> total{};
    for (const auto& [car, lap] : laps) {
        ++count[car];
        total[car] += lap;
        standings.AddCommonStartLap(car, lap, total[car], count[car], kMinutes);
        rows.push_back({std::to_string(car), "", "", std::to_string(count[car]),
                        TimeText(lap, kMinutes), TimeText(total[car], kMinutes)});
    }
    const StandingsSnapshot live = Snapshot(standings);
    ASSERT_TRUE(Rebuild(RaceMode::kCircuit, rows, ReplayRule::kCircuitCommonStart).ok);
    EXPECT_EQ(Snapshot(standings), live);
    EXPECT_EQ(Rank(RankPage::kBehind, 2), "1Lap");
    EXPECT_EQ(Rank(RankPage::kBehind, 3), "2Lap");
}

TEST_F(RebuildTest, CommonStartLapCountMustBeAnInteger) {
    const auto outcome =
        Rebuild(RaceMode::kCircuit, {{"3", "", "", "two", "01:00.000", "02:00.000"}},
                ReplayRule::kCircuitCommonStart);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "'two' は数値ではありません");
    EXPECT_EQ(standings.Table().UsedCount(), 0);
}

TEST_F(RebuildTest, RuleFollowsTheActiveTab) {
    EXPECT_EQ(ReplayRuleFor(RaceMode::kGymkhana, true), ReplayRule::kGymkhana);
    EXPECT_EQ(ReplayRuleFor(RaceMode::kDrag, false), ReplayRule::kDrag);
    EXPECT_EQ(ReplayRuleFor(RaceMode::kCircuit, false), ReplayRule::kCircuitLapTiming);
    EXPECT_EQ(ReplayRuleFor(RaceMode::kCircuit, true), ReplayRule::kCircuitCommonStart);
}

}  // namespace
}  // namespace vantrel
