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
    ListJournal journal(live.Target(), live.recorder, live.undo,
                        {[&] { return files; }, {}, {}, {}, {}});
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

// A random step of every kind of change, with or without the files it changed and the run it
// finished.
ListStep RandomStep(std::mt19937& random) {
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto text = [&](int longest) {
        return std::string(static_cast<size_t>(pick(0, longest)), 'x');
    };
    ListStep step;
    step.kind = pick(0, 1) == 0 ? StepKind::kEdit : StepKind::kBooking;
    for (int i = pick(0, 4); i > 0; --i) {
        switch (pick(0, 2)) {
            case 0:
                step.changes.emplace_back(
                    CellChange{ListKind::kEntry, pick(1, 199), pick(0, 3), text(9), text(9)});
                break;
            case 1:
                step.changes.emplace_back(RowsChange{pick(0, 1) == 0, pick(1, 9),
                                                     TableRows(pick(1, 3), {text(5), text(7)})});
                break;
            default:
                step.changes.emplace_back(ResetChange{
                    RaceMode::kDrag, RaceMode::kCircuit, TableRows(pick(0, 2), {text(4)}), {}});
        }
    }
    for (int i = pick(0, 3); i > 0; --i) {
        step.counters.push_back({CounterKind::kLastPass, pick(0, 199), pick(0, 9), -pick(0, 9)});
    }
    if (pick(0, 1) == 0) {
        ListFiles before{{"/a", text(6)}, {"", "r.csv"}, true, false};
        step.files = FilesChange{before, {{"/b", "e.txt"}, {"/c", text(3)}, false, true}};
    }
    if (pick(0, 1) == 0) {
        step.finishedRun = CarNumber(pick(1, 4));
    }
    return step;
}

TEST(JournalContentTest, StepsRoundTripWithTheirFilesAndRunAndOldStepsStillRead) {
    std::mt19937 random(26);
    for (int i = 0; i < 500; ++i) {
        const ListStep step = RandomStep(random);
        const std::vector<uint8_t> bytes = EncodeStep(step);
        ASSERT_EQ(DecodeStep(bytes), step) << i;
        ASSERT_EQ(EncodedStepSize(step), bytes.size()) << i;
        const bool undone = i % 2 == 0;
        const std::optional<JournalHistoryStep> history =
            DecodeHistoryStep(EncodeHistoryStep(step, undone));
        ASSERT_TRUE(history);
        EXPECT_EQ(history->step, step);
        EXPECT_EQ(history->undone, undone);
        // A step cut short never reads as another step.
        const size_t cut = static_cast<size_t>(i) % bytes.size();
        EXPECT_FALSE(DecodeStep(std::span(bytes.data(), cut))) << i;
        // A step written before steps carried files and runs reads as it was written.
        ListStep old = step;
        old.files.reset();
        old.finishedRun.reset();
        std::vector<uint8_t> oldBytes = EncodeStep(old);
        EXPECT_EQ(oldBytes[0] & 0x80, 0) << "a plain step keeps the old layout";
        EXPECT_EQ(DecodeStep(oldBytes), old);
    }
    EXPECT_FALSE(DecodeHistoryStep({}));
    std::vector<uint8_t> unknownExtras = EncodeStep(RandomStep(random));
    unknownExtras[0] |= 0x80;
    unknownExtras.push_back(4);  // an extra this program does not know
    EXPECT_FALSE(DecodeStep(unknownExtras));
}

TEST(JournalContentTest, TheModeAndTheDragRecordsRoundTripAndRefuseWhatNoTabHolds) {
    for (const JournalMode mode : {JournalMode{RaceMode::kCircuit, 1}, JournalMode{}}) {
        EXPECT_EQ(DecodeMode(EncodeMode(mode)), mode);
    }
    std::vector<uint8_t> badMode = EncodeMode({RaceMode::kCircuit, 0});
    badMode[0] = 3;
    EXPECT_FALSE(DecodeMode(badMode));
    const JournalDrag drag{"17", 4};
    const std::vector<uint8_t> bytes = EncodeDrag(drag);
    EXPECT_EQ(DecodeDrag(bytes), drag);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_FALSE(DecodeDrag(std::span(bytes.data(), cut))) << cut;
    }
}

}  // namespace
}  // namespace vantrel
