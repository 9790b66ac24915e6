#include "modes/gymkhana_result.h"

#include <gtest/gtest.h>

#include "common/session_state.h"
#include "lists/entry_table.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"

namespace vantrel {
namespace {

class GymkhanaResultTest : public ::testing::Test {
protected:
    GymkhanaResultTest() {
        entries.SetCell(EntryTable::kName, 12, "山田 太郎");
        entries.SetCell(EntryTable::kModel, 12, "AE86");
    }
    FinishedRun Run(int32_t runMs) const {
        FinishedRun run;
        run.car = 12;
        run.runMs = runMs;
        return run;
    }

    EntryTable entries;
    ResultSettings settings;
};

TEST_F(GymkhanaResultTest, PlainRunFillsTheGymkhanaColumns) {
    settings.distanceM = 0;
    FinishedRun run = Run(83456);
    run.split1Ms = 30123;
    const GymkhanaResult result = BuildGymkhanaResult(run, settings, entries, 3);
    EXPECT_EQ(result.row, (std::vector<std::string>{"12", "山田 太郎", "AE86", "", "01:23.456", "",
                                                    "00:30.123", "", "3"}));
    EXPECT_EQ(result.timeText, "01:23.456");
    EXPECT_EQ(result.carText, "12");
    EXPECT_EQ(result.name, "山田 太郎");
    EXPECT_FALSE(result.rebuildRanking);
    EXPECT_EQ(result.record.memo1, "12");
    EXPECT_EQ(result.record.memo2, "山田 太郎");
    EXPECT_EQ(result.record.memo3, std::optional<std::string>("00:30.123"));
    EXPECT_EQ(result.record.memo4, std::nullopt);
    EXPECT_EQ(result.record.memo5, std::optional<std::string>("01:23.456"));
}

TEST_F(GymkhanaResultTest, MillisecondsFormat) {
    settings.timeFormat = TimeFormat::kMilliseconds;
    const GymkhanaResult result = BuildGymkhanaResult(Run(83456), settings, entries, 1);
    EXPECT_EQ(result.row[kResultTime], "83456");
    EXPECT_EQ(result.timeText, "83456");
}

TEST_F(GymkhanaResultTest, SpeedGoesIntoSplit2WhenSplit2WasNotPassed) {
    settings.distanceM = 20;
    const GymkhanaResult result = BuildGymkhanaResult(Run(10000), settings, entries, 1);
    EXPECT_EQ(result.row[kResultSplit2], "7.200km/h");
    EXPECT_EQ(result.record.memo4, std::optional<std::string>("7.200km/h"));
}

TEST_F(GymkhanaResultTest, PassedSplit2WinsOverTheSpeed) {
    settings.distanceM = 20;
    FinishedRun run = Run(10000);
    run.split2Ms = 6500;
    const GymkhanaResult result = BuildGymkhanaResult(run, settings, entries, 1);
    EXPECT_EQ(result.row[kResultSplit2], "00:06.500");
    EXPECT_EQ(result.record.memo4, std::optional<std::string>("00:06.500"));
}

TEST(SpeedTextTest, ThreeDecimalsHalvesAwayFromZero) {
    EXPECT_EQ(SpeedText(20, 10000), "7.200km/h");
    EXPECT_EQ(SpeedText(4, 5000), "2.880km/h");
    EXPECT_EQ(SpeedText(1, 57600), "0.063km/h");  // exactly 0.0625
    EXPECT_EQ(SpeedText(50, 1), "180000.000km/h");
    EXPECT_EQ(SpeedText(0, 10000), "");
    EXPECT_EQ(SpeedText(20, 0), "");
}

TEST_F(GymkhanaResultTest, PenaltyColumnAndRankingRebuild) {
    FinishedRun run = Run(50000);
    run.penalty = 2;
    GymkhanaResult result = BuildGymkhanaResult(run, settings, entries, 1);
    EXPECT_EQ(result.row[kResultPen], "2");
    EXPECT_TRUE(result.rebuildRanking);
    run.penalty = kMissCourse;
    result = BuildGymkhanaResult(run, settings, entries, 1);
    EXPECT_EQ(result.row[kResultPen], "MC");
    EXPECT_EQ(result.row[kResultTime], "00:50.000");  // the penalty is not added here
    EXPECT_TRUE(result.rebuildRanking);
}

TEST_F(GymkhanaResultTest, TimeoutResult) {
    settings.timeOut = 5;
    FinishedRun run = Run(300004);
    run.penalty = 3;
    run.timedOut = true;
    const GymkhanaResult result = BuildGymkhanaResult(run, settings, entries, 1);
    EXPECT_EQ(result.row[kResultPen], "MC");
    EXPECT_EQ(result.row[kResultTime], "300000");
    EXPECT_EQ(result.row[kResultComment], "(Timeout)");
    EXPECT_EQ(result.record.memo5, std::nullopt);
    EXPECT_TRUE(result.rebuildRanking);
    EXPECT_EQ(result.timeText, "05:00.004");
}

TEST(AnnouncementTest, SplitsTheRunTime) {
    const Announcement announcement = AnnouncementOf(83456);
    EXPECT_EQ(announcement.minutes, 1);
    EXPECT_EQ(announcement.seconds, 23);
    EXPECT_EQ(announcement.milliseconds, 456);
}

TEST_F(GymkhanaResultTest, BookingFillsRowOneAfterAClearThenAppends) {
    ResultTable results(RaceMode::kGymkhana);
    SessionState session;
    ResultListCommands commands(results, entries, session, nullptr);
    int32_t row = commands.AddResult(BookGymkhanaResult(Run(1000), settings, entries, session));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(results.DataRowCount(), 1);
    const BookedResult second = BookGymkhanaResult(Run(2000), settings, entries, session);
    row = commands.AddResult(second);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(results.Cell(kResultLap, 2), "2");
    EXPECT_EQ(second.count, 2);
    EXPECT_EQ(session.runCount[12], 2);
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 12), "2");
    EXPECT_TRUE(session.resultModified);

    results.Reset(RaceMode::kGymkhana);
    row = commands.AddResult(BookGymkhanaResult(Run(3000), settings, entries, session));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(results.Cell(kResultTime, 1), "00:03.000");
    EXPECT_EQ(results.DataRowCount(), 1);
}

}  // namespace
}  // namespace vantrel
