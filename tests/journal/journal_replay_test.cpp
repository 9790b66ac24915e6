#include "journal/journal_replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>

#include "journal/journal_dump.h"
#include "journal/journal_place.h"
#include "journal/list_journal.h"
#include "journal/list_journal_dump.h"
#include "journal_test_support.h"
#include "support/random_list_commands.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using test::ListsSnapshot;
using test::SnapshotOf;

using Lists = test::ListsUnderTest;

struct RecordedEvent {
    std::vector<uint8_t> bytes;                // the journal file
    std::map<uint64_t, ListsSnapshot> states;  // the lists after the record with this seq
};

// A journal of random commands, undos and redos, with the lists after each.
RecordedEvent RecordEvent(const std::filesystem::path& folder, int32_t commands) {
    Lists lists;
    JournalFiles files{"", "NewEntry.txt", "", "NewResult.csv", false, false};
    ListJournal journal(lists.Target(), lists.recorder, lists.undo,
                        {[&] {
                             files.resultModified = lists.state.resultModified;
                             return files;
                         },
                         {},
                         {},
                         {},
                         {}});
    EXPECT_TRUE(journal.Begin(folder));
    RecordedEvent event;
    auto note = [&] { event.states[journal.Writer().NextSeq() - 1] = lists.Snapshot(); };
    note();
    test::RandomListCommands random(lists.entries, lists.results, lists.state, 99);
    std::mt19937 roll(5);
    for (int32_t i = 0; i < commands; ++i) {
        const uint32_t what = roll() % 8;
        if (what == 0) {
            journal.Undo();
        } else if (what == 1) {
            journal.Redo();
        } else {
            random.RunOne();
            lists.state.resultModified = true;
            journal.Poll();
        }
        note();
    }
    const std::filesystem::path path = journal.Path();
    journal.Writer().Close();
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes));
    event.bytes.assign(bytes.begin(), bytes.end());
    return event;
}

// The lists after the records up to `seq`: those of the first noted moment at or after it,
// since a command writes its one list record first and only files records after it.
const ListsSnapshot& ExpectedAt(const RecordedEvent& event, uint64_t seq) {
    return event.states.lower_bound(seq)->second;
}

ListsSnapshot Restored(const std::vector<JournalRecord>& records) {
    Lists lists;
    ReplayJournal(records, lists.Target(), lists.recorder, lists.undo);
    return lists.Snapshot();
}

TEST(JournalReplayTest, EveryCutAndFlippedBitRestoresTheListsOfTheLastWholeRecord) {
    test::TempDir dir;
    const RecordedEvent event = RecordEvent(dir.Path(), 150);
    const JournalReadResult whole = DecodeJournal(event.bytes);
    ASSERT_EQ(whole.damage, JournalDamage::kNone);
    ASSERT_GT(whole.records.size(), 100U);

    std::map<std::size_t, ListsSnapshot> restored;  // by the number of records kept
    auto check = [&](const std::vector<uint8_t>& bytes, const std::string& what) {
        const JournalReadResult read = DecodeJournal(bytes);
        const std::size_t kept = read.records.size();
        ASSERT_LE(kept, whole.records.size()) << what;
        for (std::size_t i = 0; i < kept; ++i) {
            ASSERT_EQ(read.records[i].payload, whole.records[i].payload) << what;
        }
        if (kept == 0) {
            return;
        }
        if (!restored.contains(kept)) {
            restored[kept] = Restored(read.records);
        }
        ASSERT_EQ(restored[kept], ExpectedAt(event, read.records.back().seq)) << what;
    };
    for (std::size_t cut = 0; cut <= event.bytes.size(); ++cut) {
        check({event.bytes.begin(), event.bytes.begin() + static_cast<std::ptrdiff_t>(cut)},
              "cut at " + std::to_string(cut));
    }
    std::mt19937 random(11);
    for (int32_t flip = 0; flip < 2000; ++flip) {
        std::vector<uint8_t> bytes = event.bytes;
        const std::size_t at = random() % bytes.size();
        bytes[at] ^= static_cast<uint8_t>(1U << (random() % 8));
        check(bytes, "bit flipped at " + std::to_string(at));
    }
}

TEST(JournalReplayTest, ReplayRebuildsUndoAndTheModifiedFlags) {
    test::TempDir dir;
    Lists live;
    JournalFiles files{"/f", "e.txt", "/f", "r.csv", false, false};
    ListJournal journal(live.Target(), live.recorder, live.undo,
                        {[&] { return files; }, {}, {}, {}, {}});
    ASSERT_TRUE(journal.Begin(dir.Path()));
    live.results.SetRow(live.results.RowForNewResult(), {"5", "", "", "", "1:00.000"});
    journal.ResultBooked({}, 1);
    const ListsSnapshot afterFirst = live.Snapshot();
    live.results.SetRow(live.results.RowForNewResult(), {"6", "", "", "", "1:01.000"});
    journal.ResultBooked({}, 2);
    const std::filesystem::path path = journal.Path();
    journal.Writer().Close();

    const JournalReadResult read = ReadJournalFile(path);
    Lists restored;
    const JournalReplay replay =
        ReplayJournal(read.records, restored.Target(), restored.recorder, restored.undo);
    EXPECT_EQ(replay.bookings, 2);
    EXPECT_TRUE(replay.files.resultModified);
    EXPECT_TRUE(replay.HoldsUnsavedWork());
    EXPECT_EQ(replay.files.resultName, "r.csv");
    EXPECT_EQ(restored.Snapshot(), live.Snapshot());
    ASSERT_TRUE(restored.undo.Undo());
    EXPECT_EQ(restored.Snapshot(), afterFirst);
    EXPECT_FALSE(restored.recorder.TakeStep());
}

TEST(JournalReplayTest, SavedListsBeginAFreshJournalAndACleanEndOffersNothing) {
    test::TempDir dir;
    Lists live;
    JournalFiles files{"", "", "", "r.csv", false, true};
    ListJournal journal(live.Target(), live.recorder, live.undo,
                        {[&] { return files; }, {}, {}, {}, {}});
    ASSERT_TRUE(journal.Begin(dir.Path()));
    const std::filesystem::path first = journal.Path();
    journal.SessionStarted({RaceMode::kGymkhana, 0, 1000, "boot"});
    live.results.SetRow(live.results.RowForNewResult(), {"5", "", "", "", "1:00.000"});
    journal.Poll();
    EXPECT_EQ(journal.Path(), first);
    files.resultModified = false;  // saved, but the session goes on: no disk wait for a new one
    journal.Poll();
    EXPECT_EQ(journal.Path(), first);
    journal.SessionStopped();
    journal.Poll();
    ASSERT_NE(journal.Path(), first);
    EXPECT_FALSE(JournalInUse(first));
    EXPECT_FALSE(InspectJournal(ReadJournalFile(first).records).HoldsUnsavedWork());

    live.results.SetCell(4, 1, "1:00.500");
    files.resultModified = true;
    journal.Poll();
    const std::filesystem::path second = journal.Path();
    ASSERT_TRUE(
        journal.Writer().WaitDurable(journal.Writer().NextSeq() - 1, std::chrono::seconds(5)));
    Lists restored;
    ReplayJournal(ReadJournalFile(second).records, restored.Target(), restored.recorder,
                  restored.undo);
    EXPECT_EQ(restored.Snapshot(), live.Snapshot());
    ASSERT_TRUE(journal.End());
    EXPECT_FALSE(InspectJournal(ReadJournalFile(second).records).HoldsUnsavedWork());

    std::ostringstream dump;
    EXPECT_EQ(DumpJournal(first, dump, DescribeRecord), 0);
    const std::string text = dump.str();
    EXPECT_NE(text.find("checkpoint: 1 result rows"), std::string::npos) << text;
    EXPECT_NE(text.find("session start: mode 0"), std::string::npos) << text;
    EXPECT_NE(text.find("result row 1 column 0 \"\" -> \"5\""), std::string::npos) << text;
    EXPECT_NE(text.find("files: entry , result r.csv\n"), std::string::npos) << text;
}

// A session that ran at the kill is offered back even when both lists were saved: each car's
// passings and the common start are in no file. Once it stops, nothing is offered.
TEST(JournalReplayTest, ARunningSessionIsOfferedBackWhenTheListsWereSaved) {
    test::TempDir dir;
    Lists live;
    JournalFiles files{"", "", "", "r.csv", false, true};
    ListJournal journal(live.Target(), live.recorder, live.undo,
                        {[&] { return files; }, {}, {}, {}, {}});
    ASSERT_TRUE(journal.Begin(dir.Path()));
    journal.SessionStarted({RaceMode::kCircuit, SessionState::kCommonStart, 5000, "boot"});
    live.state.runCount[7] = 1;
    live.state.firstPassTime[7] = 5000;
    live.state.lastPassTime[7] = 65000;
    live.results.SetRow(live.results.RowForNewResult(), {"7", "", "", "1", "1:00.000"});
    journal.Poll();
    files.resultModified = false;  // saved while the race goes on
    journal.Poll();
    ASSERT_TRUE(
        journal.Writer().WaitDurable(journal.Writer().NextSeq() - 1, std::chrono::seconds(5)));
    const std::filesystem::path running = journal.Path();
    const std::vector<JournalRecord> records = ReadJournalFile(running).records;
    const JournalReplay seen = InspectJournal(records);
    EXPECT_TRUE(seen.HoldsUnsavedWork());
    ASSERT_TRUE(seen.session.has_value());
    EXPECT_EQ(seen.session->startTick, 5000u);
    EXPECT_EQ(seen.session->countingMethod, SessionState::kCommonStart);
    Lists restored;
    ReplayJournal(records, restored.Target(), restored.recorder, restored.undo);
    EXPECT_EQ(restored.state.runCount[7], 1);
    EXPECT_EQ(restored.state.lastPassTime[7], 65000u);

    journal.SessionStopped();
    journal.Poll();
    ASSERT_TRUE(journal.End());
    EXPECT_FALSE(InspectJournal(ReadJournalFile(running).records).HoldsUnsavedWork());
}

// An undo of a run booked before a save began a fresh journal, or before a restore, is in no
// record a restore could undo: it must come back undone after the next kill all the same.
TEST(JournalReplayTest, AnUndoOfAStepFromBeforeTheJournalStaysUndoneAfterARestore) {
    test::TempDir dir;
    Lists live;
    JournalFiles files{"", "", "", "r.csv", false, true};
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    ListJournal first(live.Target(), live.recorder, live.undo,
                      {[&] { return files; }, {}, {}, {}, {}});
    ASSERT_TRUE(first.Begin(dir / "a"));
    const auto book = [&](ListJournal& journal, const std::string& car) {
        const int32_t row = live.results.RowForNewResult();
        live.results.SetRow(row, {car, "", "", "", "1:00.000"});
        journal.ResultBooked({}, row);
    };
    const auto restoredFrom = [](ListJournal& journal) {
        EXPECT_TRUE(
            journal.Writer().WaitDurable(journal.Writer().NextSeq() - 1, std::chrono::seconds(5)));
        Lists restored;
        ReplayJournal(ReadJournalFile(journal.Path()).records, restored.Target(), restored.recorder,
                      restored.undo);
        return restored.Snapshot();
    };
    for (const char* car : {"1", "2", "3"}) {
        book(first, car);
    }
    // The third run's undo after a save: the save began a fresh journal.
    files.resultModified = false;
    first.Poll();
    ASSERT_TRUE(first.Undo());
    files.resultModified = true;
    book(first, "4");
    EXPECT_EQ(restoredFrom(first), live.Snapshot());

    // The same after a restore: the history came from the old journal.
    Lists again;
    ReplayJournal(ReadJournalFile(first.Path()).records, again.Target(), again.recorder,
                  again.undo);
    ListJournal second(again.Target(), again.recorder, again.undo,
                       {[&] { return files; }, {}, {}, {}, {}});
    ASSERT_TRUE(second.Begin(dir / "b"));
    ASSERT_TRUE(second.Undo());  // the fourth run, booked in the old journal
    ASSERT_TRUE(second.Redo());
    ASSERT_TRUE(second.Undo());
    EXPECT_TRUE(
        second.Writer().WaitDurable(second.Writer().NextSeq() - 1, std::chrono::seconds(5)));
    Lists restored;
    ReplayJournal(ReadJournalFile(second.Path()).records, restored.Target(), restored.recorder,
                  restored.undo);
    EXPECT_EQ(restored.Snapshot(), again.Snapshot());
    EXPECT_EQ(again.results.DataRowCount(), 2);
}

TEST(JournalReplayTest, AWholeJournalOfRandomCommandsAppliesEveryRecord) {
    test::TempDir dir;
    const RecordedEvent event = RecordEvent(dir.Path(), 400);
    const JournalReadResult read = DecodeJournal(event.bytes);
    ASSERT_EQ(read.damage, JournalDamage::kNone);
    const JournalReplay replay = InspectJournal(read.records);
    EXPECT_TRUE(replay.unapplied.empty()) << UnappliedText(replay.unapplied.front());
}

// Records of a journal in order, seq from 1.
std::vector<JournalRecord> Numbered(
    std::vector<std::pair<JournalType, std::vector<uint8_t>>> list) {
    std::vector<JournalRecord> records;
    for (auto& [type, payload] : list) {
        records.push_back({records.size() + 1, static_cast<uint16_t>(type),
                           1700000000000 + static_cast<int64_t>(records.size()),
                           std::move(payload)});
    }
    return records;
}

TEST(JournalReplayTest, RecordsThatCannotBeAppliedAreCountedAndNamedByReplayAndDump) {
    Lists start;
    JournalFiles files{"", "", "", "r.csv", false, true};
    ListStep booked;
    booked.kind = StepKind::kBooking;
    booked.changes.emplace_back(CellChange{ListKind::kResult, 1, 0, "", "5"});
    booked.counters.push_back({CounterKind::kRunCount, 5, 0, 1});
    ListStep offTheList;  // a cell of a row the list does not have
    offTheList.changes.emplace_back(CellChange{ListKind::kResult, 9, 1, "", "x"});
    ListStep name;
    name.changes.emplace_back(CellChange{ListKind::kEntry, 5, EntryTable::kName, "", "山田"});
    std::vector<JournalRecord> records = Numbered({
        {JournalType::kCheckpoint,
         EncodeCheckpoint(CheckpointOf(start.entries, start.results, start.state, files))},
        {JournalType::kBooking, EncodeBooking({booked, {}})},
        {JournalType::kUndo, {}},
        {JournalType::kUndo, {}},  // 4: nothing left to undo
        {JournalType::kRedo, {}},
        {JournalType::kRedo, {}},  // 6: nothing left to redo
        {JournalType::kBooking, {1, 2, 3}},
        {static_cast<JournalType>(77), {}},
        {JournalType::kStep, EncodeStep(offTheList)},
        {JournalType::kStep, EncodeStep(name)},
    });
    Lists restored;
    const JournalReplay replay =
        ReplayJournal(records, restored.Target(), restored.recorder, restored.undo);
    const std::vector<UnappliedRecord> expected = {
        {4, static_cast<uint16_t>(JournalType::kUndo), UnappliedReason::kNothingToUndo},
        {6, static_cast<uint16_t>(JournalType::kRedo), UnappliedReason::kNothingToRedo},
        {7, static_cast<uint16_t>(JournalType::kBooking), UnappliedReason::kUnreadable},
        {8, 77, UnappliedReason::kUnknownType},
        {9, static_cast<uint16_t>(JournalType::kStep), UnappliedReason::kDoesNotFit},
    };
    EXPECT_EQ(replay.unapplied, expected);
    // What could be applied was.
    EXPECT_EQ(restored.results.Cell(0, 1), "5");
    EXPECT_EQ(restored.state.runCount[5], 1);
    EXPECT_EQ(restored.entries.Name(5), "山田");
    EXPECT_EQ(replay.bookings, 1);

    test::TempDir dir;
    const std::vector<uint8_t> bytes = test::EncodeJournal(records);
    test::WriteBytes(dir / "j.vtj", std::string(bytes.begin(), bytes.end()));
    std::ostringstream dump;
    EXPECT_EQ(DumpListJournal(dir / "j.vtj", dump), 0);
    std::vector<std::string> lines;
    std::istringstream in(dump.str());
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), records.size() + 1) << dump.str();
    for (size_t i = 0; i < records.size(); ++i) {
        const bool marked = lines[i].find(" [cannot be applied: ") != std::string::npos;
        const bool unapplied = std::any_of(expected.begin(), expected.end(),
                                           [&](const auto& u) { return u.seq == records[i].seq; });
        EXPECT_EQ(marked, unapplied) << lines[i];
    }
    EXPECT_NE(lines[3].find("undo [cannot be applied: nothing to undo]"), std::string::npos);
    EXPECT_EQ(lines.back(),
              "5 records cannot be applied at restore: 4 undo (nothing to undo), 6 redo (nothing "
              "to redo), 7 booking (unreadable payload), 8 type 77 (unknown record type), 9 edit "
              "(does not fit the lists, applied only in part)");
    // A journal whose records all apply ends with its last record.
    std::ostringstream whole;
    records.resize(3);
    const std::vector<uint8_t> clean = test::EncodeJournal(records);
    test::WriteBytes(dir / "clean.vtj", std::string(clean.begin(), clean.end()));
    EXPECT_EQ(DumpListJournal(dir / "clean.vtj", whole), 0);
    EXPECT_EQ(whole.str().find("cannot be applied"), std::string::npos) << whole.str();
}

}  // namespace
}  // namespace vantrel
