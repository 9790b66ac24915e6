// What the records carry: the cars on course up to the limit, and a checkpoint taken while a
// circuit session runs, with every car's passing times.
#include "journal/journal_content.h"

#include <gtest/gtest.h>

#include <random>

#include "journal/journal_replay.h"
#include "journal/list_journal.h"
#include "support/random_list_commands.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using Lists = test::ListsUnderTest;

CarOnCourse CarNumber(int32_t n) {
    return {n, 10 + n, -100000 * n, 1000 * n, 2000 * n, n % 3};
}

TEST(JournalContentTest, ACourseRecordHoldsUpToFourCarsAndRefusesMore) {
    for (uint32_t count = 0; count <= kJournalCourseMax + 1; ++count) {
        JournalCourse course;
        for (uint32_t n = 1; n <= count; ++n) {
            course.cars.push_back(CarNumber(static_cast<int32_t>(n)));
        }
        const std::vector<uint8_t> payload = EncodeCourse(course);
        JournalBooking booking;
        booking.step.kind = StepKind::kBooking;
        booking.step.changes.emplace_back(CellChange{ListKind::kResult, 1, 0, "", "12"});
        booking.course = course;
        if (count <= kJournalCourseMax) {
            EXPECT_EQ(DecodeCourse(payload), course) << count;
            EXPECT_EQ(DecodeBooking(EncodeBooking(booking)), booking) << count;
        } else {
            EXPECT_EQ(DecodeCourse(payload), std::nullopt);
            EXPECT_EQ(DecodeBooking(EncodeBooking(booking)), std::nullopt);
        }
    }
    EXPECT_EQ(kJournalCourseMax, 4u);
}

TEST(JournalContentTest, AMidSessionCheckpointCarriesEveryCircuitCarsPassingTimes) {
    test::TempDir dir;
    Lists live;
    std::mt19937 random(26);
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        const auto laps = static_cast<int32_t>(random() % 40);
        live.state.runCount[car] = laps;
        // Ticks over 2^31 too: the tick is an unsigned 32-bit count that wraps.
        live.state.firstPassTime[car] = laps == 0 ? 0 : static_cast<uint32_t>(random());
        live.state.lastPassTime[car] = laps == 0 ? 0 : static_cast<uint32_t>(random());
        live.entries.SetCell(EntryTable::kLap, car, laps == 0 ? "" : std::to_string(laps));
    }
    live.recorder.Restart();  // where the journal begins, as after a restore
    JournalFiles files{"", "e.txt", "", "r.csv", false, true};
    ListJournal journal(live.Target(), live.recorder, live.undo, {[&] { return files; }, {}, {}});
    journal.SessionStarted({RaceMode::kCircuit, 1, 4000000000u, "boot"});
    ASSERT_TRUE(journal.Begin(dir.Path()));
    const test::ListsSnapshot atCheckpoint = live.Snapshot();
    const uint64_t checkpointSeq = journal.Writer().NextSeq() - 1;

    // One more lap of car 7 after the checkpoint, then a crash.
    live.state.lastPassTime[7] = 123;
    live.entries.SetCell(EntryTable::kLap, 7, std::to_string(++live.state.runCount[7]));
    live.results.SetRow(live.results.RowForNewResult(), {"7", "", "", "1", "1:00.000"});
    journal.ResultBooked({}, 1);
    const std::filesystem::path path = journal.Path();
    journal.Writer().Close();

    const JournalReadResult read = ReadJournalFile(path);
    ASSERT_EQ(read.damage, JournalDamage::kNone);
    ASSERT_EQ(read.records.front().type, static_cast<uint16_t>(JournalType::kCheckpoint));
    for (const uint64_t upTo : {checkpointSeq, read.records.back().seq}) {
        std::vector<JournalRecord> records;
        for (const JournalRecord& record : read.records) {
            if (record.seq <= upTo) {
                records.push_back(record);
            }
        }
        Lists restored;
        const JournalReplay replay =
            ReplayJournal(records, restored.Target(), restored.recorder, restored.undo);
        EXPECT_EQ(restored.Snapshot(), upTo == checkpointSeq ? atCheckpoint : live.Snapshot());
        ASSERT_TRUE(replay.session.has_value());
        EXPECT_EQ(replay.session->mode, RaceMode::kCircuit);
        EXPECT_EQ(replay.session->startTick, 4000000000u);
        EXPECT_EQ(replay.countingMethod, 1);
        EXPECT_TRUE(replay.unapplied.empty());
    }

    // The checkpoint's own encoding round-trips them too.
    const JournalCheckpoint point =
        CheckpointOf(live.entries, live.results, live.state, JournalFiles{});
    const std::optional<JournalCheckpoint> decoded = DecodeCheckpoint(EncodeCheckpoint(point));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, point);
    EXPECT_EQ(decoded->firstPassTime[1], live.state.firstPassTime[1]);
    EXPECT_EQ(decoded->lastPassTime[kCarSlots - 1], live.state.lastPassTime[kCarSlots - 1]);
}

// The start queue record: read back as written; a cut record or a car outside 0..199 is
// refused rather than put in the queue.
TEST(JournalContentTest, AStartQueueRecordRoundTripsAndRefusesWhatNoQueueHolds) {
    const JournalStarters starters{"12", {57, 199, 0, 3}};
    const std::vector<uint8_t> bytes = EncodeStarters(starters);
    EXPECT_EQ(DecodeStarters(bytes), starters);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_FALSE(DecodeStarters(std::span(bytes.data(), cut))) << cut;
    }
    EXPECT_FALSE(DecodeStarters(EncodeStarters({"1", {200, 0, 0, 0}})));
    EXPECT_FALSE(DecodeStarters(EncodeStarters({"1", {0, 0, -1, 0}})));
}

}  // namespace
}  // namespace vantrel
