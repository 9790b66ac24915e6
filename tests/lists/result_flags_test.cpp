#include "lists/result_flags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/csv_field.h"
#include "common/text_file.h"
#include "common/time_text.h"
#include "list_test_support.h"
#include "lists/result_file.h"
#include "lists/result_flag_check.h"
#include "lists/result_list_commands.h"
#include "support/random_list_commands.h"

namespace vantrel {
namespace {

using test::ReadBytes;
using test::TempDir;

// The lap rule over random lap histories: judged only from three earlier laps on, against the
// middle of the latest five, and the mark's text reads back as the mark.
TEST(ResultFlags, LapRuleOverRandomHistories) {
    std::mt19937 random(30);
    for (int trial = 0; trial < 5000; ++trial) {
        std::vector<int32_t> earlier(random() % 9);
        for (int32_t& lap : earlier) {
            lap = 20000 + static_cast<int32_t>(random() % 100000);
        }
        const int32_t lap = static_cast<int32_t>(random() % 130000);
        const int32_t percent = static_cast<int32_t>(random() % 101);
        const std::optional<ResultFlag> flag = JudgeLap(lap, earlier, percent);
        if (earlier.size() < 3 || percent == 0) {
            ASSERT_FALSE(flag);
            continue;
        }
        std::vector<int32_t> recent(earlier.end() - std::min<size_t>(earlier.size(), 5),
                                    earlier.end());
        std::sort(recent.begin(), recent.end());
        // The median has as many laps at or under it as at or over it.
        const int32_t median = MedianMs(recent);
        const auto under =
            std::count_if(recent.begin(), recent.end(), [&](int32_t ms) { return ms <= median; });
        const auto over =
            std::count_if(recent.begin(), recent.end(), [&](int32_t ms) { return ms >= median; });
        ASSERT_GE(under * 2, static_cast<long>(recent.size()));
        ASSERT_GE(over * 2, static_cast<long>(recent.size()));
        ASSERT_GE(median, recent.front());
        ASSERT_LE(median, recent.back());
        const bool tooShort = static_cast<double>(lap) < median * (percent / 100.0) - 1e-9;
        ASSERT_EQ(flag.has_value(), tooShort) << lap << " against " << median << " at " << percent;
        if (flag) {
            EXPECT_EQ(flag->laps, static_cast<int32_t>(recent.size()));
            EXPECT_EQ(flag->referenceMs, median);
            ASSERT_EQ(ParseFlagText(FlagText(*flag)), flag);
        }
    }
    // The example a timekeeper reads: a median of 62.3 s at 60 % flags 37.379 s, not 37.38 s.
    const std::vector<int32_t> laps = {61000, 62300, 65000, 62000, 70000};
    EXPECT_TRUE(JudgeLap(37379, laps, 60));
    EXPECT_FALSE(JudgeLap(37380, laps, 60));
    EXPECT_EQ(MedianMs(std::vector<int32_t>{10, 40, 20, 30}), 25);
}

TEST(ResultFlags, WindowAndMarkTexts) {
    const FlagRule rule{60, 20000, 90000};
    EXPECT_FALSE(JudgeTime(20000, rule));
    EXPECT_FALSE(JudgeTime(90000, rule));
    EXPECT_EQ(JudgeTime(19999, rule), (ResultFlag{FlagKind::kBelowWindow, 0, 20000, 0}));
    EXPECT_EQ(JudgeTime(90001, rule), (ResultFlag{FlagKind::kAboveWindow, 0, 90000, 0}));
    EXPECT_FALSE(JudgeTime(1, FlagRule{60, 0, 0}));
    EXPECT_FALSE(JudgeTime(99999999, FlagRule{60, 0, 0}));
    EXPECT_EQ(FlagText({FlagKind::kShortLap, 5, 62300, 60}), "?L5/62300/60");
    EXPECT_EQ(FlagText({FlagKind::kAboveWindow, 0, 90000, 0}), "?A90000");
    for (const char* text : {"", "?", "?L", "?L5/62300", "?L5/62300/", "?L5/-1/60", "?X100", "?B",
                             "?B12a", "L5/1/2", "01:02.300", "?L5/1/2/3", "(Timeout)"}) {
        EXPECT_FALSE(ParseFlagText(text)) << text;
    }
}

std::vector<std::vector<std::string>> StoredRows(const ResultTable& table) {
    std::vector<std::vector<std::string>> rows;
    for (int32_t row = 1; row < table.RowCount(); ++row) {
        rows.push_back(table.StoredRow(row));
    }
    return rows;
}

// Random commands, bookings, marks and their acceptance, with undo and redo: every earlier
// state comes back with its marks, and Row never shows a mark.
TEST(ResultFlags, UndoAndRedoCarryMarks) {
    test::ListsUnderTest lists;
    test::RandomListCommands commands(lists.entries, lists.results, lists.state, 31);
    std::mt19937 random(32);
    std::vector<std::vector<std::vector<std::string>>> states{StoredRows(lists.results)};
    size_t at = 0;
    for (int step = 0; step < 800; ++step) {
        const uint32_t roll = random() % 10;
        if (roll < 2 && at > 0) {
            ASSERT_TRUE(lists.undo.Undo());
            --at;
        } else if (roll < 3 && at + 1 < states.size()) {
            ASSERT_TRUE(lists.undo.Redo());
            ++at;
        } else {
            const int32_t row = 1 + static_cast<int32_t>(random() % lists.results.DataRowCount());
            if (roll < 6) {
                lists.results.SetCell(
                    lists.results.FlagColumn(), row,
                    random() % 3 == 0 ? "" : "?B" + std::to_string(random() % 1000000));
            } else {
                commands.RunOne();
            }
            std::optional<ListStep> taken = lists.recorder.TakeStep();
            if (!taken) {
                continue;
            }
            lists.undo.Record(std::move(*taken));
            states.resize(++at);
            states.push_back(StoredRows(lists.results));
        }
        ASSERT_EQ(StoredRows(lists.results), states[at]) << "step " << step;
        for (int32_t row = 1; row < lists.results.RowCount(); ++row) {
            ASSERT_EQ(static_cast<int32_t>(lists.results.Row(row).size()),
                      lists.results.ColumnCount());
        }
    }
}

TEST(ResultFlags, MarksSaveAfterTheColumnsAndOlderReadersIgnoreThem) {
    TempDir dir;
    ResultTable table(RaceMode::kCircuit);
    table.SetRow(table.RowForNewResult(), {"7", "A", "X", "1", "01:02.000", "01:02.000"});
    table.SetRow(table.RowForNewResult(),
                 {"7", "A", "X", "2", "00:20.000", "01:22.000", "?L3/62000/60"});
    ASSERT_TRUE(SaveResultFile(dir / "flagged.csv", table));
    EXPECT_EQ(ReadBytes(dir / "flagged.csv"),
              "7,A,X,1,01:02.000,01:02.000\r\n7,A,X,2,00:20.000,01:22.000,?L3/62000/60\r\n");

    ResultTable loaded(RaceMode::kCircuit);
    ASSERT_TRUE(LoadResultFile(dir / "flagged.csv", loaded));
    EXPECT_EQ(StoredRows(loaded), StoredRows(table));
    EXPECT_EQ(loaded.Flag(2), "?L3/62000/60");

    // A reader that knows no marks cuts each line once per column and stops there.
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadCp932Lines(dir / "flagged.csv", lines));
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string rest = lines[i];
        std::vector<std::string> cells;
        for (int32_t column = 0; column < 6; ++column) {
            cells.push_back(NextCsvField(rest));
        }
        EXPECT_EQ(cells, table.Row(static_cast<int32_t>(i) + 1));
    }

    // Accepted, the file is as one that never had a mark.
    table.SetCell(table.FlagColumn(), 2, "");
    ASSERT_TRUE(SaveResultFile(dir / "plain.csv", table));
    EXPECT_EQ(ReadBytes(dir / "plain.csv"),
              "7,A,X,1,01:02.000,01:02.000\r\n7,A,X,2,00:20.000,01:22.000\r\n");
    // A field after the columns that is no mark stays ignored.
    test::WriteBytes(dir / "extra.csv", "7,A,X,1,01:02.000,01:02.000,?zz,more\r\n");
    ASSERT_TRUE(LoadResultFile(dir / "extra.csv", loaded));
    EXPECT_EQ(loaded.StoredRow(1),
              (std::vector<std::string>{"7", "A", "X", "1", "01:02.000", "01:02.000"}));
}

BookedResult Lap(int32_t car, int32_t lap, int32_t ms) {
    BookedResult booked;
    booked.car = car;
    booked.timeMs = ms;
    booked.count = lap;
    booked.cells = {std::to_string(car),
                    "",
                    "",
                    std::to_string(lap),
                    FormatRaceTime(ms, TimeFormat::kMinutesSeconds, false),
                    ""};
    return booked;
}

// A short lap is booked with its mark, judged against unmarked laps of the same car only, and
// accepting it is a step of its own that undo takes back.
TEST(ResultFlags, BookingMarksShortLapsAndAcceptingIsUndoable) {
    test::ListsUnderTest lists;
    lists.results.Reset(RaceMode::kCircuit);
    ResultListCommands commands(lists.results, lists.entries, lists.state, nullptr);
    (void)lists.recorder.TakeStep();
    commands.AddResult(Lap(5, 1, 62000));
    commands.AddResult(Lap(6, 1, 30000));  // another car's pace is not car 5's
    commands.AddResult(Lap(5, 2, 61000));
    EXPECT_EQ(commands.AddResult(Lap(5, 3, 20000)), 4);  // two laps judge nothing yet
    EXPECT_EQ(lists.results.Flag(4), "");
    commands.AddResult(Lap(5, 4, 63000));
    const int32_t flagged = commands.AddResult(Lap(5, 5, 30000));
    EXPECT_EQ(lists.results.Flag(flagged), "?L4/61500/60");
    EXPECT_EQ(RecentLapsOf(lists.results, 5), (std::vector<int32_t>{62000, 61000, 20000, 63000}));
    const int32_t next = commands.AddResult(Lap(5, 6, 62500));
    EXPECT_EQ(lists.results.Flag(next), "");
    // The marked lap is left out of the car's pace.
    EXPECT_EQ(RecentLapsOf(lists.results, 5),
              (std::vector<int32_t>{62000, 61000, 20000, 63000, 62500}));
    (void)lists.recorder.TakeStep();

    lists.state.resultModified = false;
    EXPECT_TRUE(commands.AcceptFlag(flagged));
    EXPECT_FALSE(commands.AcceptFlag(flagged));
    EXPECT_TRUE(lists.state.resultModified);
    EXPECT_EQ(lists.results.Flag(flagged), "");
    std::optional<ListStep> accept = lists.recorder.TakeStep();
    ASSERT_TRUE(accept);
    lists.undo.Record(std::move(*accept));
    ASSERT_TRUE(lists.undo.Undo());
    EXPECT_EQ(lists.results.Flag(flagged), "?L4/61500/60");
    ASSERT_TRUE(lists.undo.Redo());
    EXPECT_EQ(lists.results.Flag(flagged), "");

    // Gymkhana and drag times against the window; a time-out is no time to judge.
    commands.FlagWith({60, 30000, 120000});
    lists.results.Reset(RaceMode::kGymkhana);
    BookedResult run = BookingOfRow({"3", "", "", "", "00:12.000", "", "", "", "1"});
    run.car = 3;
    run.timeMs = 12000;
    EXPECT_EQ(lists.results.Flag(commands.AddResult(run)), "?B30000");
    run.timeMs = 125000;
    run.timedOut = true;
    EXPECT_EQ(lists.results.Flag(commands.AddResult(run)), "");
}

}  // namespace
}  // namespace vantrel
