#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "journal/journal_place.h"
#include "journal/journal_writer.h"
#include "journal_test_support.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

TEST(JournalPlace, FolderChoice) {
    test::TempDir dir;
    const fs::path settings = dir / "settings";
    const fs::path state = JournalFolder(settings, false, {(dir / "xdg").string(), "/nowhere"});
    EXPECT_EQ(state, dir / "xdg" / "vantrel");
    struct stat info {};
    ASSERT_EQ(::stat(state.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // A relative XDG_STATE_HOME does not count.
    EXPECT_EQ(JournalFolder(settings, false, {"rel", (dir / "home").string()}),
              dir / "home" / ".local" / "state" / "vantrel");
    EXPECT_EQ(JournalFolder(settings, true, {(dir / "xdg").string(), ""}), settings);
    EXPECT_EQ(JournalFolder(settings, false, {"", ""}), settings);
    test::WriteBytes(dir / "file", "x");  // a state folder that cannot be made
    EXPECT_EQ(JournalFolder(settings, false, {(dir / "file").string(), ""}), settings);
}

TEST(JournalPlace, NamesSortNewestFirst) {
    setenv("TZ", "UTC", 1);
    tzset();
    test::TempDir dir;
    const auto at = std::chrono::system_clock::from_time_t(1700000000);
    EXPECT_EQ(JournalFileName(at, 42), "journal-20231114-221320-42.vtj");

    const fs::path first = NewJournalPath(dir.Path(), at);
    EXPECT_EQ(first.filename(), JournalFileName(at, ::getpid()));
    test::WriteBytes(first, "");
    const fs::path second = NewJournalPath(dir.Path(), at);
    EXPECT_EQ(second.filename().string(),
              "journal-20231114-221320-" + std::to_string(::getpid()) + "-2.vtj");
    test::WriteBytes(second, "");
    for (const char* name : {"journal-20231114-221319-9.vtj", "journal-20240101-000000-7.vtj",
                             "journal-20240101-000000-7.vtj.declined", "notes.txt"}) {
        test::WriteBytes(dir / name, "");
    }
    const std::vector<fs::path> expected = {dir / "journal-20240101-000000-7.vtj", second, first,
                                            dir / "journal-20231114-221319-9.vtj"};
    EXPECT_EQ(ListJournals(dir.Path()), expected);
    EXPECT_TRUE(ListJournals(dir / "missing").empty());
}

TEST(JournalPlace, KeepAsideNeverOverwrites) {
    test::TempDir dir;
    const fs::path journal = dir / "journal-20240101-000000-7.vtj";
    test::WriteBytes(journal, "one");
    const fs::path aside = KeepAside(journal, "declined");
    EXPECT_EQ(aside, dir / "journal-20240101-000000-7.vtj.declined");
    test::WriteBytes(journal, "two");
    EXPECT_EQ(KeepAside(journal, "declined"), dir / "journal-20240101-000000-7.vtj.declined.2");
    test::WriteBytes(journal, "three");
    EXPECT_EQ(KeepAside(journal, "damaged"), dir / "journal-20240101-000000-7.vtj.damaged");
    EXPECT_EQ(test::ReadBytes(aside), "one");
    EXPECT_EQ(test::ReadBytes(dir / "journal-20240101-000000-7.vtj.declined.2"), "two");
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_EQ(KeepAside(journal, "declined"), fs::path());  // nothing to set aside
}

TEST(JournalPlace, PruneSparesNewAndInUseJournals) {
    test::TempDir dir;
    const auto now = std::chrono::system_clock::now();
    const auto age = [&](const fs::path& path, int days) {
        const std::time_t when = std::chrono::system_clock::to_time_t(now) - days * 86400;
        const timespec times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    JournalWriter writer;
    const fs::path inUse = dir / "journal-20240101-000000-1.vtj";
    ASSERT_TRUE(writer.Open(inUse, 1));
    age(inUse, 30);
    for (const auto& [name, days] :
         std::vector<std::pair<std::string, int>>{{"journal-20240101-000000-2.vtj", 30},
                                                  {"journal-20240101-000000-3.vtj.declined.2", 30},
                                                  {"journal-20240201-000000-4.vtj", 3},
                                                  {"journal-20240201-000000-5.vtj.damaged", 3},
                                                  {"notes.txt", 30}}) {
        test::WriteBytes(dir / name, "x");
        age(dir / name, days);
    }
    EXPECT_EQ(PruneOldJournals(dir.Path(), 7, now), 2);
    EXPECT_TRUE(fs::exists(inUse));
    EXPECT_FALSE(fs::exists(dir / "journal-20240101-000000-2.vtj"));
    EXPECT_FALSE(fs::exists(dir / "journal-20240101-000000-3.vtj.declined.2"));
    EXPECT_TRUE(fs::exists(dir / "journal-20240201-000000-4.vtj"));
    EXPECT_TRUE(fs::exists(dir / "journal-20240201-000000-5.vtj.damaged"));
    EXPECT_TRUE(fs::exists(dir / "notes.txt"));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(PruneOldJournals(dir.Path(), 7, now), 1);  // no longer in use
}

TEST(JournalPlace, ASetAsideJournalKeepsItsDaysFromBeingSetAside) {
    test::TempDir dir;
    const auto now = std::chrono::system_clock::now();
    const auto ageDays = [&](const fs::path& path, int days) {
        const std::time_t when = std::chrono::system_clock::to_time_t(now) - days * 86400;
        const timespec times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    const fs::path declined = dir / "journal-20240101-000000-1.vtj";
    const fs::path untouched = dir / "journal-20240101-000000-2.vtj";
    const fs::path spared = dir / "journal-20240101-000000-3.vtj";
    for (const fs::path& path : {declined, untouched, spared}) {
        test::WriteBytes(path, "x");
        ageDays(path, 40);
    }
    const fs::path aside = KeepAside(declined, "declined");
    ASSERT_EQ(aside, declined.string() + ".declined");
    EXPECT_EQ(PruneOldJournals(dir.Path(), 30, now, spared), 1);
    EXPECT_TRUE(fs::exists(aside));
    EXPECT_FALSE(fs::exists(untouched));
    EXPECT_TRUE(fs::exists(spared));
    // Thirty days after it was set aside it goes.
    EXPECT_EQ(PruneOldJournals(dir.Path(), 30, now + std::chrono::hours(24 * 31)), 2);
    EXPECT_FALSE(fs::exists(aside));
}

TEST(JournalPlace, TheJournalToOfferPassesOverStartsThatNeverReachedTheDisk) {
    test::TempDir dir;
    EXPECT_FALSE(FindJournalToOffer(dir.Path()).has_value());
    const auto records = test::SampleRecords(4, 1, 3);
    const std::vector<uint8_t> whole = test::EncodeJournal(records);
    const std::string bytes(whole.begin(), whole.end());
    const fs::path older = dir / "journal-20240101-000000-1.vtj";
    test::WriteBytes(older, bytes);
    // Newer ones: nothing, a header alone, and a first record cut short.
    const size_t firstEnd = kJournalHeaderSize + kJournalFrameSize + records[0].payload.size();
    test::WriteBytes(dir / "journal-20240101-000001-1.vtj", "");
    test::WriteBytes(dir / "journal-20240101-000002-1.vtj", bytes.substr(0, kJournalHeaderSize));
    test::WriteBytes(dir / "journal-20240101-000003-1.vtj", bytes.substr(0, firstEnd - 1));
    std::optional<FoundJournal> found = FindJournalToOffer(dir.Path());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, older);
    EXPECT_EQ(found->read.records, records);

    // Damage of another kind, or one whole record, is a journal to look at.
    std::string flipped = bytes.substr(0, firstEnd);
    flipped.back() = static_cast<char>(flipped.back() ^ 1);
    test::WriteBytes(dir / "journal-20240101-000004-1.vtj", flipped);
    found = FindJournalToOffer(dir.Path());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, dir / "journal-20240101-000004-1.vtj");
    EXPECT_EQ(found->read.damage, JournalDamage::kBadChecksum);
    const fs::path one = dir / "journal-20240101-000005-1.vtj";
    test::WriteBytes(one, bytes.substr(0, firstEnd + 3));
    found = FindJournalToOffer(dir.Path());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, one);
    EXPECT_EQ(found->read.records.size(), 1u);

    // One held by a writer is passed over too.
    JournalWriter writer;
    ASSERT_TRUE(writer.Open(dir / "journal-20240101-000006-1.vtj", 1));
    writer.Append(1, {1});
    ASSERT_TRUE(writer.WaitDurable(1, 10s));
    EXPECT_EQ(FindJournalToOffer(dir.Path())->path, one);
}

}  // namespace
}  // namespace vantrel
