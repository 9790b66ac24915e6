// The journal of the lists at the start of the program and at its limits: the journal it takes
// over from stays in place until the new one holds its work, set-aside journals keep their
// days, and lists or changes too large for a record never end the program.
#include "journal/list_journal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>

#include "journal/journal_place.h"
#include "journal/journal_replay.h"
#include "journal/journal_texts.h"
#include "journal_test_support.h"
#include "support/random_list_commands.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Lists = test::ListsUnderTest;

// The lists of a program and the journal that keeps them; the files say whether the result
// list is saved.
struct Program {
    Lists lists;
    JournalFiles files{"", "", "", "r.csv", false, false};
    ListJournal journal{
        lists.Target(), lists.recorder, lists.undo, {[this] { return files; }, {}, {}, {}, {}}};

    void Book(int32_t car) {
        lists.results.SetRow(lists.results.RowForNewResult(),
                             {std::to_string(car), "", "", "", "1:00.000"});
        files.resultModified = lists.state.resultModified = true;
        journal.ResultBooked({}, 1);
    }
    // Puts back what `found` holds, as the restore does.
    JournalReplay Restore(const FoundJournal& found) {
        const JournalReplay replay =
            ReplayJournal(found.read.records, lists.Target(), lists.recorder, lists.undo);
        files = replay.files;
        return replay;
    }
};

// A journal left by a program killed with `runs` runs booked and not saved.
fs::path CrashedJournal(const fs::path& folder, int32_t runs) {
    Program program;
    EXPECT_TRUE(program.journal.Begin(folder));
    for (int32_t car = 1; car <= runs; ++car) {
        program.Book(car);
    }
    return program.journal.Path();  // no clean end is written
}

// The restore the next start would offer, with how many runs it holds.
int32_t OfferedRuns(const fs::path& folder, fs::path* path = nullptr) {
    const std::optional<FoundJournal> found = FindJournalToOffer(folder);
    if (!found) {
        return -1;
    }
    if (path != nullptr) {
        *path = found->path;
    }
    const JournalReplay replay = InspectJournal(found->read.records);
    return replay.HoldsUnsavedWork() ? replay.bookings : 0;
}

TEST(ListJournalTest, TheOldJournalGoesAsideOnlyOnceTheNewOneHoldsItsWork) {
    test::TempDir dir;
    const fs::path old = CrashedJournal(dir.Path(), 3);
    fs::path offered;
    ASSERT_EQ(OfferedRuns(dir.Path(), &offered), 3);
    ASSERT_EQ(offered, old);
    {
        Program restarted;
        restarted.Restore(*FindJournalToOffer(dir.Path()));
        ASSERT_TRUE(restarted.journal.Begin(dir.Path(), ListJournal::Previous{old, "restored"}));
        EXPECT_EQ(restarted.journal.PreviousPath(), fs::path(old.string() + ".restored"));
        EXPECT_FALSE(fs::exists(old));
        // Killed here: the new journal offers the same runs.
        EXPECT_EQ(OfferedRuns(dir.Path(), &offered), -1);  // in use while it runs
    }
    EXPECT_EQ(OfferedRuns(dir.Path(), &offered), 3);
    EXPECT_NE(offered, old);
}

TEST(ListJournalTest, ADiskThatRefusesTheNewJournalLeavesTheOldOneInPlace) {
    test::TempDir dir;
    const fs::path old = CrashedJournal(dir.Path(), 2);
    {
        // The header fits, the checkpoint does not; the program is killed so.
        test::FileSizeLimit full(kJournalHeaderSize + 100);
        Program restarted;
        restarted.Restore(*FindJournalToOffer(dir.Path()));
        restarted.journal.Writer().SetRetryInterval(10ms);
        ASSERT_TRUE(restarted.journal.Begin(dir.Path(), ListJournal::Previous{old, "restored"}));
        EXPECT_EQ(restarted.journal.PreviousPath(), old);
        restarted.journal.Poll();
        EXPECT_TRUE(fs::exists(old));
        ASSERT_TRUE(restarted.journal.TakeStatusChange().has_value());  // writing fails
    }
    fs::path offered;
    EXPECT_EQ(OfferedRuns(dir.Path(), &offered), 2);
    EXPECT_EQ(offered, old);

    // Once the disk takes the new journal, the old one goes aside.
    Program restarted;
    restarted.Restore(*FindJournalToOffer(dir.Path()));
    test::FileSizeLimit full(kJournalHeaderSize + 100);
    restarted.journal.Writer().SetRetryInterval(10ms);
    ASSERT_TRUE(restarted.journal.Begin(dir.Path(), ListJournal::Previous{old, "restored"}));
    EXPECT_TRUE(fs::exists(old));
    full.Lift();
    for (int i = 0; i < 1000 && fs::exists(old); ++i) {
        std::this_thread::sleep_for(10ms);
        restarted.journal.Poll();
    }
    EXPECT_EQ(restarted.journal.PreviousPath(), fs::path(old.string() + ".restored"));
    EXPECT_FALSE(fs::exists(old));
}

TEST(ListJournalTest, WithoutAJournalTheOldOneStaysUntilNothingIsUnsaved) {
    test::TempDir dir;
    const fs::path old = CrashedJournal(dir.Path(), 1);
    test::WriteBytes(dir / "not-a-folder", "x");
    Program restarted;
    restarted.Restore(*FindJournalToOffer(dir.Path()));
    EXPECT_FALSE(
        restarted.journal.Begin(dir / "not-a-folder", ListJournal::Previous{old, "restored"}));
    restarted.journal.Poll();
    EXPECT_EQ(restarted.journal.PreviousPath(), old);
    EXPECT_TRUE(fs::exists(old));
    restarted.files.resultModified = false;  // saved
    restarted.journal.Poll();
    EXPECT_EQ(restarted.journal.PreviousPath(), fs::path(old.string() + ".restored"));
}

TEST(ListJournalTest, ADeclinedJournalKeepsItsDaysFromTheDecline) {
    test::TempDir dir;
    const fs::path old = CrashedJournal(dir.Path(), 1);
    const fs::path older = dir / "journal-20200101-000000-1.vtj";
    test::WriteBytes(older, "x");
    const std::time_t longAgo = std::time(nullptr) - 40 * 86400;
    const timespec times[2] = {{longAgo, 0}, {longAgo, 0}};
    for (const fs::path& path : {old, older}) {
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    {
        Program declined;
        ASSERT_TRUE(declined.journal.Begin(dir.Path(), ListJournal::Previous{old, "declined"}));
        EXPECT_EQ(declined.journal.PreviousPath(), fs::path(old.string() + ".declined"));
        EXPECT_FALSE(fs::exists(older));
        ASSERT_TRUE(declined.journal.End());
    }
    Program next;
    ASSERT_TRUE(next.journal.Begin(dir.Path()));
    EXPECT_TRUE(fs::exists(old.string() + ".declined"));
}

TEST(ListJournalTest, ChangesAndListsTooLargeForARecordNeverEndTheProgram) {
    test::TempDir dir;
    Program program;
    ASSERT_TRUE(program.journal.Begin(dir.Path()));
    // One long text replaced by another: the step holds both, too much for one record; the
    // checkpoint after it holds one.
    const size_t half = kJournalMaxPayload / 2 + 1000;
    program.lists.results.SetCell(1, 1, std::string(half, 'a'));
    program.journal.Flush();
    program.lists.results.SetCell(1, 1, std::string(half, 'b'));
    program.journal.Flush();
    program.lists.results.SetCell(2, 1, "after");
    program.journal.Flush();
    EXPECT_TRUE(program.journal.IsOpen());
    EXPECT_EQ(program.journal.TakeStatusChange(), std::nullopt);
    ASSERT_TRUE(program.lists.undo.Undo());  // undo in memory still walks every step
    ASSERT_TRUE(program.lists.undo.Undo());
    EXPECT_EQ(program.lists.results.Cell(1, 1), std::string(half, 'a'));
    ASSERT_TRUE(program.lists.undo.Redo());
    ASSERT_TRUE(program.lists.undo.Redo());
    const test::ListsSnapshot fitting = program.lists.Snapshot();
    const fs::path path = program.journal.Path();
    ASSERT_TRUE(program.journal.Writer().WaitDurable(program.journal.Writer().NextSeq() - 1, 20s));
    auto restored = [&] {
        Lists lists;
        const JournalReplay replay = ReplayJournal(ReadJournalFile(path).records, lists.Target(),
                                                   lists.recorder, lists.undo);
        EXPECT_TRUE(replay.unapplied.empty());
        return lists.Snapshot();
    };
    EXPECT_EQ(restored(), fitting);

    // Lists that no checkpoint can hold stop the journal, which says so; what it wrote stays.
    program.lists.entries.SetCell(EntryTable::kName, 5, std::string(kJournalMaxPayload, 'n'));
    program.journal.Flush();
    EXPECT_FALSE(program.journal.IsOpen());
    EXPECT_EQ(program.journal.TakeStatusChange(), std::string(msg::kJournalListsTooLarge.source));
    program.journal.Poll();
    EXPECT_EQ(restored(), fitting);
}

TEST(ListJournalTest, ALoadTooLargeForTheJournalIsRefusedWithTheReason) {
    const auto limitText = [](const char* text) {
        std::string result = text;
        result.replace(result.find("%1"), 2, "64");
        return result;
    };
    Program program;
    const TableRows small = {{"1", "山田", "", "", "1:00.000"}};
    EXPECT_EQ(program.journal.LoadRefusal(small), "");
    const TableRows large(4, {"1", std::string(kJournalMaxPayload / 6, 'x')});
    EXPECT_EQ(program.journal.LoadRefusal(large), "");
    program.lists.results.SetRows(large);
    EXPECT_EQ(program.journal.LoadRefusal(small), "");
    EXPECT_EQ(program.journal.LoadRefusal(large), limitText(msg::kJournalLoadClearFirst.source));
    const TableRows tooLarge(11, {"1", std::string(kJournalMaxPayload / 10, 'x')});
    EXPECT_EQ(program.journal.LoadRefusal(tooLarge), limitText(msg::kJournalLoadTooLarge.source));
}

}  // namespace
}  // namespace vantrel
