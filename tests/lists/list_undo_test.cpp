#include "lists/list_undo.h"

#include <gtest/gtest.h>

#include <random>

#include "support/random_list_commands.h"

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
    EXPECT_TRUE(lists.state.entryModified);
    EXPECT_FALSE(lists.undo.Undo());
}

}  // namespace
}  // namespace vantrel
