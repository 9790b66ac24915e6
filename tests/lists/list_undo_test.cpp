#include "lists/list_undo.h"

#include <gtest/gtest.h>

#include <random>

#include "lists/entry_list_commands.h"
#include "lists/result_list_commands.h"
#include "support/random_list_commands.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using test::ListsSnapshot;
using test::SnapshotOf;

using Lists = test::ListsUnderTest;

// Every state the lists went through, with undo and redo moving between them.
TEST(ListUndoTest, UndoAndRedoOfRandomCommandsReturnToEveryEarlierState) {
    Lists lists;
    test::RandomListCommands commands(lists.entries, lists.results, lists.state, 2026);
    std::mt19937 random(7);
    std::vector<ListsSnapshot> states{lists.Snapshot()};
    std::size_t at = 0;
    for (int32_t command = 0; command < 1000; ++command) {
        const uint32_t roll = random() % 10;
        if (roll < 2 && at > 0) {
            ASSERT_TRUE(lists.undo.Undo());
            --at;
        } else if (roll < 3 && at + 1 < states.size()) {
            ASSERT_TRUE(lists.undo.Redo());
            ++at;
        } else {
            commands.RunOne();
            std::optional<ListStep> step = lists.recorder.TakeStep();
            if (!step) {
                continue;
            }
            lists.undo.Record(std::move(*step));
            states.resize(++at);
            states.push_back(lists.Snapshot());
        }
        ASSERT_EQ(lists.Snapshot(), states[at]) << "after command " << command;
        ASSERT_FALSE(lists.recorder.TakeStep()) << "undo or redo was recorded as a change";
    }
    while (lists.undo.Undo()) {
        ASSERT_EQ(lists.Snapshot(), states[--at]);
    }
    EXPECT_EQ(at, 0U);
    while (lists.undo.Redo()) {
        ASSERT_EQ(lists.Snapshot(), states[++at]);
    }
    EXPECT_EQ(at + 1, states.size());
}

TEST(ListUndoTest, BookingStepGroupsRowLapAndCountAndMarksTheListModified) {
    Lists lists;
    lists.state.runCount[7] = 1;
    lists.entries.SetCell(EntryTable::kLap, 7, "1");
    lists.recorder.TakeStep();
    ++lists.state.runCount[7];
    lists.entries.SetCell(EntryTable::kLap, 7, "2");
    lists.results.SetRow(lists.results.RowForNewResult(), {"7", "", "", "", "1:02.345"});
    std::optional<ListStep> step = lists.recorder.TakeStep(StepKind::kBooking);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->kind, StepKind::kBooking);
    EXPECT_EQ(step->counters, (std::vector<CounterChange>{{CounterKind::kRunCount, 7, 1, 2}}));
    lists.undo.Record(std::move(*step));
    lists.state.resultModified = false;
    lists.state.entryModified = false;

    ASSERT_TRUE(lists.undo.Undo());
    EXPECT_TRUE(lists.results.IsEmpty());
    EXPECT_EQ(lists.entries.Cell(EntryTable::kLap, 7), "1");
    EXPECT_EQ(lists.state.runCount[7], 1);
    EXPECT_TRUE(lists.state.resultModified);
    EXPECT_FALSE(lists.state.entryModified);  // "Lap" is a count, not part of the entry file
    EXPECT_FALSE(lists.undo.Undo());
    ASSERT_TRUE(lists.undo.Redo());
    EXPECT_FALSE(lists.state.entryModified);
    lists.entries.SetCell(EntryTable::kName, 7, "A");  // a name is in the file
    lists.undo.Record(*lists.recorder.TakeStep());
    ASSERT_TRUE(lists.undo.Undo());
    EXPECT_TRUE(lists.state.entryModified);
}

// Undoing a load names the file the rows came from again, with its flag: a save without dialog
// afterwards must not write the old rows over the file that was loaded. Redo names it again.
TEST(ListUndoTest, UndoOfALoadPutsBackTheFileAndTheFlag) {
    test::TempDir dir;
    Lists lists;
    ResultListCommands results(lists.results, lists.entries, lists.state, nullptr);
    EntryListCommands entries(lists.entries, lists.state, nullptr);
    const auto files = [&] {
        return ListFiles{entries.File(), results.File(), lists.state.entryModified,
                         lists.state.resultModified};
    };
    lists.recorder.WatchFiles(files);
    lists.undo.WriteFilesWith([&](const ListFiles& f) {
        entries.RestoreFile(f.entry);
        results.RestoreFile(f.result);
        lists.state.entryModified = f.entryModified;
        lists.state.resultModified = f.resultModified;
    });
    const auto record = [&] {
        if (std::optional<ListStep> step = lists.recorder.TakeStep()) {
            lists.undo.Record(std::move(*step));
        }
    };
    for (int32_t row = 1; row <= 3; ++row) {
        results.AddResult({});
        lists.results.SetCell(ResultTable::kCar, row, std::to_string(row));
        record();
    }
    ASSERT_TRUE(results.Save(dir / "a.csv"));
    for (int32_t row = 4; row <= 5; ++row) {
        results.AddResult({});
        lists.results.SetCell(ResultTable::kCar, row, std::to_string(row));
    }
    ASSERT_TRUE(results.Save(dir / "b.csv"));
    results.Clear();
    record();
    ASSERT_TRUE(results.Save(dir / "c.csv"));  // a save alone is no step
    ASSERT_FALSE(lists.recorder.TakeStep());
    const ListFiles beforeLoad = files();

    ASSERT_TRUE(results.Load(dir / "b.csv"));
    record();
    ASSERT_EQ(lists.results.DataRowCount(), 5);
    const ListFiles loaded = files();
    EXPECT_EQ(loaded.result.name, "b.csv");

    ASSERT_TRUE(lists.undo.Undo());
    EXPECT_EQ(files(), beforeLoad);
    EXPECT_EQ(results.File().name, "c.csv");
    EXPECT_FALSE(lists.state.resultModified);
    ASSERT_TRUE(lists.undo.Redo());
    EXPECT_EQ(files(), loaded);
    EXPECT_EQ(lists.results.DataRowCount(), 5);

    // An edit after the load leaves the files alone: undoing it keeps "b.csv".
    lists.results.SetCell(ResultTable::kCar, 2, "9");
    record();
    ASSERT_TRUE(lists.undo.Undo());
    EXPECT_EQ(results.File().name, "b.csv");

    // The entry list the same way: undoing its load names the list it replaced again.
    test::WriteBytes(dir / "e.txt", "Ito,N360\r\n");
    ASSERT_TRUE(entries.Load(dir / "e.txt"));
    record();
    EXPECT_EQ(entries.File().name, "e.txt");
    ASSERT_TRUE(lists.undo.Undo());
    EXPECT_EQ(entries.File().name, "NewEntry.txt");
    EXPECT_EQ(lists.entries.Name(1), "");
}

}  // namespace
}  // namespace vantrel
