#include <gtest/gtest.h>

#include "journal/journal_replay.h"
#include "journal/list_journal.h"
#include "lists/result_list_commands.h"
#include "support/random_list_commands.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using Lists = test::ListsUnderTest;

std::vector<std::vector<std::string>> StoredRows(const ResultTable& table) {
    std::vector<std::vector<std::string>> rows;
    for (int32_t row = 1; row < table.RowCount(); ++row) {
        rows.push_back(table.StoredRow(row));
    }
    return rows;
}

BookedResult Lap(int32_t car, int32_t lap, int32_t ms) {
    BookedResult booked =
        BookingOfRow({std::to_string(car), "", "", std::to_string(lap), std::to_string(ms), ""});
    booked.car = car;
    booked.timeMs = ms;
    return booked;
}

std::vector<std::vector<std::string>> Replayed(const std::filesystem::path& path, Lists& into) {
    const JournalReadResult read = ReadJournalFile(path);
    (void)ReplayJournal(read.records, into.Target(), into.recorder, into.undo);
    return StoredRows(into.results);
}

// Marks booked, accepted and still open come back from the journal's steps and from its
// checkpoint, and undo after the restore takes the acceptance back with its mark.
TEST(ResultFlagJournal, MarksSurviveRestoreFromStepsAndCheckpoint) {
    test::TempDir dir;
    Lists live;
    live.results.Reset(RaceMode::kCircuit);
    ResultListCommands commands(live.results, live.entries, live.state, nullptr);
    JournalFiles files{"", "", "", "r.csv", false, true};
    ListJournal journal(live.Target(), live.recorder, live.undo,
                        {[&] { return files; }, {}, {}, {}, {}});
    commands.AddSink(journal);
    ASSERT_TRUE(journal.Begin(dir.Path()));
    for (int32_t lap = 1; lap <= 3; ++lap) {
        commands.AddResult(Lap(9, lap, 60000));
    }
    const int32_t accepted = commands.AddResult(Lap(9, 4, 20000));
    const int32_t open = commands.AddResult(Lap(9, 5, 21000));
    ASSERT_EQ(live.results.Flag(open), "?L3/60000/60");
    ASSERT_TRUE(commands.AcceptFlag(accepted));
    journal.Flush();
    const std::vector<std::vector<std::string>> before = StoredRows(live.results);
    journal.Writer().Close();

    Lists fromSteps;
    EXPECT_EQ(Replayed(journal.Path(), fromSteps), before);
    ASSERT_TRUE(fromSteps.undo.Undo());
    EXPECT_EQ(fromSteps.results.Flag(accepted), "?L3/60000/60");

    test::TempDir second;
    Lists again;
    again.results.Replace(RaceMode::kCircuit, before);
    ListJournal fresh(again.Target(), again.recorder, again.undo,
                      {[&] { return files; }, {}, {}, {}, {}});
    ASSERT_TRUE(fresh.Begin(second.Path()));  // begins with a checkpoint of the lists
    fresh.Writer().Close();
    Lists fromCheckpoint;
    EXPECT_EQ(Replayed(fresh.Path(), fromCheckpoint), before);
    EXPECT_EQ(fromCheckpoint.results.Flag(open), "?L3/60000/60");
}

}  // namespace
}  // namespace vantrel
