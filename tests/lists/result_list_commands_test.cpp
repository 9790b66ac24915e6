#include <gtest/gtest.h>

#include "list_test_support.h"
#include "lists/result_list_commands.h"

namespace vantrel {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class ResultListCommandsTest : public ::testing::Test {
protected:
    TempDir dir;
    IniFile ini{dir / "Vantrel.ini"};
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
    SessionState state;
    ResultListCommands commands{results, entries, state, &ini};

    void AddCar(int32_t car, const std::string& pen = "") {
        commands.AddResult(
            BookingOfRow({std::to_string(car), "n", "m", pen, "01:00.000", "", "", "", "1"}));
    }
};

TEST_F(ResultListCommandsTest, SaveRightAfterStartUpNeedsTheDialog) {
    EXPECT_TRUE(commands.SaveNeedsDialog());
    EXPECT_EQ(commands.File().Label(), "\"NewResult.csv\"");
}

TEST_F(ResultListCommandsTest, SaveRemembersSoTheNextSaveGoesStraightToTheFile) {
    AddCar(12);
    EXPECT_TRUE(state.resultModified);
    ASSERT_TRUE(commands.Save(dir / "heat1.csv"));
    EXPECT_FALSE(state.resultModified);
    EXPECT_FALSE(commands.SaveNeedsDialog());
    EXPECT_EQ(commands.File().FullPath(), dir / "heat1.csv");
    EXPECT_EQ(commands.File().Label(), "\"heat1.csv\"");
    EXPECT_EQ(IniFile(dir / "Vantrel.ini").ReadString("InitialDir", "ResultList", ""),
              dir.Path().string());
}

TEST_F(ResultListCommandsTest, SavingUnderTheDefaultNameStillAsksNextTime) {
    ASSERT_TRUE(commands.Save(dir / "NewResult.csv"));
    EXPECT_TRUE(commands.SaveNeedsDialog());
}

TEST_F(ResultListCommandsTest, LoadSetsTheFlagAndRemembers) {
    WriteBytes(dir / "in.csv", "5,a,b,,,,,,\r\n");
    ASSERT_TRUE(commands.Load(dir / "in.csv"));
    EXPECT_TRUE(state.resultModified);
    EXPECT_EQ(results.Cell(0, 1), "5");
    EXPECT_EQ(commands.File().name, "in.csv");
}

TEST_F(ResultListCommandsTest, FailedLoadSetsTheFlagAndKeepsRowsAndName) {
    AddCar(3);
    state.resultModified = false;
    EXPECT_FALSE(commands.Load(dir / "missing.csv"));
    EXPECT_TRUE(state.resultModified);
    EXPECT_EQ(results.Cell(0, 1), "3");
    EXPECT_EQ(commands.File().name, "NewResult.csv");
}

TEST_F(ResultListCommandsTest, ClearResetsRowsLapsCountersNameAndFlag) {
    AddCar(3);
    AddCar(4);
    ASSERT_TRUE(commands.Save(dir / "r.csv"));
    entries.SetCell(EntryTable::kLap, 3, "1");
    state.runCount[3] = 1;
    state.lastPassTime[4] = 777;
    state.resultModified = true;

    commands.Clear();
    EXPECT_TRUE(results.IsEmpty());
    EXPECT_EQ(results.DataRowCount(), 1);
    EXPECT_EQ(results.Mode(), RaceMode::kGymkhana);
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 3), "");
    EXPECT_EQ(state.runCount[3], 0);
    EXPECT_EQ(state.lastPassTime[4], 0u);
    EXPECT_FALSE(state.resultModified);
    EXPECT_TRUE(commands.SaveNeedsDialog());
    EXPECT_EQ(commands.File().folder, dir.Path().string());
}

TEST_F(ResultListCommandsTest, ChangeLayoutEmptiesAndClearsTheFlag) {
    AddCar(3);
    commands.ChangeLayout(RaceMode::kCircuit);
    EXPECT_EQ(results.ColumnCount(), 6);
    EXPECT_TRUE(results.IsEmpty());
    EXPECT_FALSE(state.resultModified);
}

TEST_F(ResultListCommandsTest, ResultsFillRowOneThenAppend) {
    AddCar(3);
    AddCar(4);
    EXPECT_EQ(results.DataRowCount(), 2);
    EXPECT_EQ(results.Cell(0, 2), "4");
}

// A sink that writes what it is handed into a log shared with the other sinks.
struct RecordingSink final : ResultSink {
    RecordingSink(std::string name, std::vector<std::string>& log)
        : name(std::move(name)), log(log) {}
    void ResultBooked(const BookedResult& result, int32_t row) override {
        log.push_back(name + " car " + std::to_string(result.car) + " " +
                      std::to_string(result.timeMs) + "ms #" + std::to_string(result.count) +
                      " row " + std::to_string(row));
    }
    std::string name;
    std::vector<std::string>& log;
};

BookedResult Booking(int32_t car, int32_t timeMs, int32_t count) {
    BookedResult result;
    result.car = car;
    result.timeMs = timeMs;
    result.count = count;
    result.cells = {std::to_string(car),  "n", "m", "", "01:00.000", "", "", "",
                    std::to_string(count)};
    return result;
}

TEST_F(ResultListCommandsTest, ABookedResultIsWrittenThenReachesEverySinkOnceInOrder) {
    std::vector<std::string> log;
    RecordingSink first("first", log);
    RecordingSink second("second", log);
    commands.AddSink(first);
    commands.AddSink(second);
    int32_t newResults = 0;
    NewResultWatch watch([&] { ++newResults; });
    results.AddObserver(&watch);

    EXPECT_EQ(commands.AddResult(Booking(7, 61000, 1)), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"first car 7 61000ms #1 row 1",
                                             "second car 7 61000ms #1 row 1"}));
    EXPECT_EQ(results.Row(1), Booking(7, 61000, 1).cells);
    EXPECT_TRUE(state.resultModified);

    log.clear();
    state.resultModified = false;
    EXPECT_EQ(commands.AddResult(Booking(9, 59000, 2)), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"first car 9 59000ms #2 row 2",
                                             "second car 9 59000ms #2 row 2"}));
    EXPECT_EQ(results.DataRowCount(), 2);
    EXPECT_EQ(results.Cell(0, 1), "7");
    EXPECT_EQ(results.Cell(8, 2), "2");
    EXPECT_TRUE(state.resultModified);
    EXPECT_EQ(state.resultsBooked, 2u);
    EXPECT_EQ(newResults, 2);

    // After a Clear the next result takes row 1 again, and the sinks hear that row.
    commands.Clear();
    log.clear();
    EXPECT_EQ(commands.AddResult(Booking(4, 70000, 1)), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"first car 4 70000ms #1 row 1",
                                             "second car 4 70000ms #1 row 1"}));
    EXPECT_EQ(results.DataRowCount(), 1);
    results.RemoveObserver(&watch);
}

TEST_F(ResultListCommandsTest, ButtonsSetTheFlagAndSayWhenToRebuild) {
    AddCar(3, "2");
    state.resultModified = false;
    EXPECT_TRUE(commands.PressButton(ResultButton::kPenaltyMinus, 1).rebuildRanking);
    EXPECT_TRUE(state.resultModified);
    state.resultModified = false;
    EXPECT_TRUE(commands.PressButton(ResultButton::kLecture, 1).rebuildRanking);
    EXPECT_TRUE(state.resultModified);
}

TEST_F(ResultListCommandsTest, ButtonsOnTheEmptyListDoNothing) {
    EXPECT_FALSE(commands.PressButton(ResultButton::kPenaltyPlus, 1).changed);
    EXPECT_FALSE(state.resultModified);
}

TEST_F(ResultListCommandsTest, DeletingTheOnlyRowLeavesOneEmptyRowForTheNextResult) {
    AddCar(3);
    state.resultModified = false;
    EXPECT_EQ(commands.DeleteRow(1), 1);
    EXPECT_EQ(results.DataRowCount(), 1);
    EXPECT_TRUE(results.IsEmpty());
    EXPECT_EQ(results.Row(1), std::vector<std::string>(9));
    EXPECT_TRUE(state.resultModified);  // a deletion is a change worth saving
    AddCar(8);
    EXPECT_EQ(results.DataRowCount(), 1);
    EXPECT_EQ(results.Cell(0, 1), "8");
}

TEST_F(ResultListCommandsTest, DeleteMovesLaterRowsUpAndKeepsACurrentRow) {
    AddCar(1);
    AddCar(2);
    AddCar(3);
    EXPECT_EQ(commands.DeleteRow(2), 2);
    EXPECT_EQ(results.Cell(0, 2), "3");
    EXPECT_EQ(commands.DeleteRow(2), 1);
    EXPECT_EQ(state.resultRow, 1);
    EXPECT_EQ(results.DataRowCount(), 1);
}

TEST_F(ResultListCommandsTest, BeginSetsTheFlagEndLeavesIt) {
    commands.BeginEdit();
    EXPECT_TRUE(commands.EditState().Editing());
    EXPECT_TRUE(state.resultModified);
    state.resultModified = false;
    AddCar(3);
    state.resultModified = false;
    EXPECT_EQ(commands.EndEdit(1), CarCellCheck::kRefreshed);
    EXPECT_FALSE(commands.EditState().Editing());
    EXPECT_FALSE(state.resultModified);
}

TEST_F(ResultListCommandsTest, EnterOnTheEmptyRowOfAnEmptyListIsAnInputError) {
    EXPECT_EQ(commands.EndEdit(1), CarCellCheck::kNotANumber);
    EXPECT_EQ(results.Cell(ResultTable::kName, 1), "");
}

TEST_F(ResultListCommandsTest, EndEditTakesNameAndModelOfTheTypedCar) {
    entries.SetCell(EntryTable::kName, 7, "Seven");
    entries.SetCell(EntryTable::kModel, 7, "S7");
    entries.SetCell(EntryTable::kName, 199, "Last");
    AddCar(3);
    commands.BeginEdit();
    results.SetCell(ResultTable::kCar, 1, "7");
    EXPECT_EQ(commands.EndEdit(1), CarCellCheck::kRefreshed);
    EXPECT_EQ(results.Cell(ResultTable::kName, 1), "Seven");
    EXPECT_EQ(results.Cell(ResultTable::kModel, 1), "S7");

    results.SetCell(ResultTable::kCar, 1, "300");
    EXPECT_EQ(commands.EndEdit(1), CarCellCheck::kRefreshed);
    EXPECT_EQ(results.Cell(ResultTable::kName, 1), "Last");
    EXPECT_EQ(results.Cell(ResultTable::kCar, 1), "300");

    results.SetCell(ResultTable::kCar, 1, "x7");
    EXPECT_EQ(commands.EndEdit(1), CarCellCheck::kNotANumber);
    EXPECT_EQ(results.Cell(ResultTable::kName, 1), "Last");
}

TEST_F(ResultListCommandsTest, ANewResultNeverTakesTheRowOfAnOlderOne) {
    // A loaded file whose first line is blank: row 1 has no car, but rows 2 and 3 do.
    WriteBytes(dir / "gap.csv", ",,,,,,,,\r\n5,a,b,,01:00.000,,,,1\r\n6,c,d,,01:01.000,,,,1\r\n");
    ASSERT_TRUE(commands.Load(dir / "gap.csv"));
    AddCar(7);
    ASSERT_EQ(results.DataRowCount(), 4);
    EXPECT_EQ(results.Cell(0, 3), "6");
    EXPECT_EQ(results.Cell(0, 4), "7");

    // A hand edit that empties row 1's "Car" of a longer list.
    results.SetCell(ResultTable::kCar, 1, "");
    results.SetCell(ResultTable::kCar, 2, "");
    AddCar(8);
    ASSERT_EQ(results.DataRowCount(), 5);
    EXPECT_EQ(results.Cell(0, 4), "7");
    EXPECT_EQ(results.Cell(0, 5), "8");
}

TEST_F(ResultListCommandsTest, AModeChangeMakesANewListThatIsSavedUnderANewName) {
    int nameChanges = 0;
    commands.OnFileNameChanged([&nameChanges] { ++nameChanges; });
    AddCar(3);
    ASSERT_TRUE(commands.Save(dir / "heat.csv"));
    EXPECT_EQ(nameChanges, 1);
    EXPECT_FALSE(commands.SaveNeedsDialog());
    commands.ChangeLayout(RaceMode::kDrag);
    EXPECT_EQ(nameChanges, 2);
    EXPECT_EQ(commands.File().name, "NewResult.csv");
    EXPECT_TRUE(commands.SaveNeedsDialog());
    EXPECT_EQ(commands.File().folder, dir.Path().string());  // the dialog starts there

    // The empty list over a file holding results is asked about; over nothing, or over a
    // file of commas only, it is not.
    EXPECT_TRUE(commands.SaveWouldEmptyFile(dir / "heat.csv"));
    EXPECT_FALSE(commands.SaveWouldEmptyFile(dir / "none.csv"));
    WriteBytes(dir / "empty.csv", ",,,,,,,,,,,,\r\n");
    EXPECT_FALSE(commands.SaveWouldEmptyFile(dir / "empty.csv"));
    AddCar(4);
    EXPECT_FALSE(commands.SaveWouldEmptyFile(dir / "heat.csv"));
}

}  // namespace
}  // namespace vantrel
