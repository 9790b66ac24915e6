// Classes in the journal: checkpoints carry them and still read without them, and a class
// edit comes back after a crash with its undo.
#include <gtest/gtest.h>

#include <random>

#include "common/safe_file.h"
#include "journal/journal_replay.h"
#include "journal/list_journal.h"
#include "support/random_list_commands.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using Lists = test::ListsUnderTest;

TEST(JournalClassTest, CheckpointsCarryClassesAndOnesWithoutClassesKeepTheirOldBytes) {
    std::mt19937 random(29);
    for (int round = 0; round < 50; ++round) {
        Lists lists;
        test::RandomListCommands commands(lists.entries, lists.results, lists.state, round);
        for (int i = 0; i < 40; ++i) {
            commands.RunOne();
        }
        lists.entries.SetCell(EntryTable::kClass, 1 + static_cast<int32_t>(random() % 199),
                              round % 5 == 0 ? "" : "PN" + std::to_string(round));
        const JournalCheckpoint point = CheckpointOf(lists.entries, lists.results, lists.state, {});
        const std::vector<uint8_t> bytes = EncodeCheckpoint(point);
        ASSERT_EQ(DecodeCheckpoint(bytes), point) << round;

        // Without its classes the checkpoint is the layout it had before classes: the
        // bytes with classes less the class block at the end.
        JournalCheckpoint plain = point;
        size_t block = 0;
        for (NameAndModel& entry : plain.entries) {
            block += 4 + entry.cls.size();
            entry.cls.clear();
        }
        const std::vector<uint8_t> plainBytes = EncodeCheckpoint(plain);
        ASSERT_EQ(DecodeCheckpoint(plainBytes), plain) << round;
        if (!lists.entries.HasClasses()) {
            ASSERT_EQ(plainBytes, bytes) << round;
            continue;
        }
        ASSERT_EQ(bytes.size(), plainBytes.size() + 4 + block) << round;
        ASSERT_TRUE(std::equal(plainBytes.begin(), plainBytes.end(), bytes.begin())) << round;
        // A class block cut short, or one for another number of cars, is refused.
        EXPECT_FALSE(DecodeCheckpoint(std::span(bytes.data(), bytes.size() - 1))) << round;
        std::vector<uint8_t> miscounted = bytes;
        miscounted[plainBytes.size()] ^= 1;
        EXPECT_FALSE(DecodeCheckpoint(miscounted)) << round;

        Lists restored;
        ApplyCheckpoint(point, restored.Target());
        ASSERT_EQ(restored.Snapshot(), lists.Snapshot()) << round;
    }
}

TEST(JournalClassTest, AClassEditComesBackAfterACrashAndCanBeUndone) {
    test::TempDir dir;
    Lists live;
    JournalFiles files{"/f", "e.txt", "/f", "r.csv", true, false};
    ListJournal journal(live.Target(), live.recorder, live.undo,
                        {[&] { return files; }, {}, {}, {}, {}});
    ASSERT_TRUE(journal.Begin(dir.Path()));
    live.entries.SetCell(EntryTable::kName, 4, "Suzuki");
    live.entries.SetCell(EntryTable::kClass, 4, "PN1");
    journal.Flush();
    const test::ListsSnapshot withClass = live.Snapshot();
    live.entries.InsertRow(2);  // car 4's entry and class move to car 5
    journal.Flush();
    ASSERT_EQ(live.entries.Class(5), "PN1");
    const test::ListsSnapshot moved = live.Snapshot();
    const std::filesystem::path path = journal.Path();
    journal.Writer().Close();  // no clean end: a crash

    Lists restored;
    ReplayJournal(ReadJournalFile(path).records, restored.Target(), restored.recorder,
                  restored.undo);
    EXPECT_EQ(restored.Snapshot(), moved);
    ASSERT_TRUE(restored.undo.Undo());
    EXPECT_EQ(restored.Snapshot(), withClass);
    ASSERT_TRUE(restored.undo.Undo());
    EXPECT_EQ(restored.entries.Class(4), "");
    EXPECT_FALSE(restored.entries.HasClasses());
    ASSERT_TRUE(restored.undo.Redo());
    ASSERT_TRUE(restored.undo.Redo());
    EXPECT_EQ(restored.Snapshot(), moved);
}

}  // namespace
}  // namespace vantrel
