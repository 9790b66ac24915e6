// What a drag run becomes: its texts, its row, its try count; and the car-number rules.

#include "modes/drag_result.h"

#include <gtest/gtest.h>

#include "common/session_state.h"
#include "lists/entry_table.h"

namespace vantrel {
namespace {

DragLineTimes LineTimes(std::initializer_list<std::pair<int, int32_t>> lines,
                        int32_t greenDelay = 500) {
    DragLineTimes run;
    run.greenDelayMs = greenDelay;
    for (const auto& [line, ms] : lines) {
        run.Set(line, ms);
    }
    return run;
}

TEST(DragResultTest, SpeedThroughTheTrap) {
    EXPECT_EQ(DragSpeedText(1250), "57.600");
    EXPECT_EQ(DragSpeedText(1234), "58.347");
    EXPECT_EQ(DragSpeedText(0), "") << "trap and finish in one tick";
    EXPECT_EQ(DragSpeedText(-3), "");
}

TEST(DragResultTest, CarNumberBoxRules) {
    for (const char* text : {"250", "-5", "199", "200"}) {
        EXPECT_EQ(DragCarOfText(text), 1) << text;
    }
    EXPECT_EQ(DragCarOfText("0"), 0);
    EXPECT_EQ(DragCarOfText("198"), 198);
    EXPECT_EQ(DragCarOfText("abc"), std::nullopt);
    EXPECT_EQ(DragCarOfText(""), std::nullopt);
    EXPECT_EQ(DragCarOfRunBox("199", 7), 199);
    EXPECT_EQ(DragCarOfRunBox("777", 7), 1);
    EXPECT_EQ(DragCarOfRunBox("x", 7), 7);
    EXPECT_EQ(NextDragCar(5), 6);
    EXPECT_EQ(NextDragCar(199), 1);
    EXPECT_EQ(NextDragCar(0), 1);
}

TEST(DragResultTest, FullRunRowAndTryCount) {
    EntryTable entries;
    entries.SetCell(EntryTable::kName, 7, "Aoki");
    entries.SetCell(EntryTable::kModel, 7, "S800");
    SessionState session;
    session.runCount[7] = 2;
    // Tree 10000, start 10480 (Stock: early), splits, trap 18750, finish 20000.
    const DragLineTimes run = LineTimes({{0, 10000},
                                         {1, 10480},
                                         {2, 11700},
                                         {3, 14000},
                                         {4, 16000},
                                         {5, 17500},
                                         {6, 18750},
                                         {7, 20000}});
    const BookedResult booked = BookDragRun(run, 7, TimeFormat::kMinutesSeconds, entries, session);
    const std::vector<std::string> expected = {"7",      "Aoki",   "S800",   "Fly",    "09.520",
                                               "00.480", "10.000", "01.220", "03.520", "05.520",
                                               "07.020", "57.600", "3"};
    EXPECT_EQ(booked.cells, expected);
    EXPECT_EQ(session.runCount[7], 3);
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 7), "3");
    EXPECT_EQ(booked.timeMs, 9520);
    EXPECT_EQ(booked.count, 3);
    ASSERT_TRUE(booked.record.has_value());
    EXPECT_EQ(booked.record->memo5, "09.520");
    EXPECT_TRUE(booked.record->keepSplits);
    EXPECT_EQ(booked.display.time, "09.520");
    EXPECT_FALSE(booked.announcement.announce);

    // At the green delay the start is clean; milliseconds format is plain.
    const DragLineTimes clean = LineTimes({{0, 0}, {1, 500}, {7, 6000}});
    const BookedResult ok = BookDragRun(clean, 7, TimeFormat::kMilliseconds, entries, session);
    EXPECT_EQ(ok.cells[kDragFly], "");
    EXPECT_EQ(ok.cells[kDragEt], "5500");
    EXPECT_EQ(ok.cells[kDragSpeed], "") << "no speed-trap time";
}

TEST(DragResultTest, PartialRunsAndCarsTheListsDoNotHold) {
    EntryTable entries;
    SessionState session;
    // Started by the start line alone: no R/T, no E.T+R/T, no "Fly".
    const BookedResult alone = BookDragRun(LineTimes({{1, 100}, {7, 5100}}), 3,
                                           TimeFormat::kMinutesSeconds, entries, session);
    EXPECT_EQ(alone.cells[kDragRt], "");
    EXPECT_EQ(alone.cells[kDragEtPlusRt], "");
    EXPECT_EQ(alone.cells[kDragFly], "");
    EXPECT_EQ(alone.cells[kDragEt], "05.000");
    // A split before the start line was never shown, so it is not written.
    const BookedResult early = BookDragRun(LineTimes({{2, 50}, {1, 100}, {7, 5100}}), 3,
                                           TimeFormat::kMinutesSeconds, entries, session);
    EXPECT_EQ(early.cells[kDragSplit18], "");
    // Car 0 counts in slot 0 but writes no entry row; a car past the lists indexes nothing.
    EXPECT_EQ(
        BookDragRun(LineTimes({{1, 0}, {7, 900}}), 0, TimeFormat::kMilliseconds, entries, session)
            .cells[kDragTry],
        "1");
    const BookedResult wild = BookDragRun(LineTimes({{1, 0}, {7, 900}}), 4000,
                                          TimeFormat::kMilliseconds, entries, session);
    EXPECT_EQ(wild.cells[kDragCar], "4000");
    EXPECT_EQ(wild.cells[kDragTry], "0");
}

}  // namespace
}  // namespace vantrel
