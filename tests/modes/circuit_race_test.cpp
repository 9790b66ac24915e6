// Whole circuit races in the core: 60 cars for 8 hours in each counting method, fed as
// received blocks on a fake clock, every lap checked against the laps of the real passings,
// the heap watched hour by hour; and a shorter race through the real result list.
#include <gtest/gtest.h>

#include "common/session_state.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/circuit_flow.h"
#include "modes/circuit_race_harness.h"

namespace vantrel {
namespace {

// Counts the batches the result list's sinks hear of.
struct BatchCountingSink final : ResultSink {
    void ResultBooked(const BookedResult& /*result*/, int32_t /*row*/) override { ++booked; }
    void BatchStarted() override { ++started; }
    void BatchEnded() override { ++ended; }
    int64_t booked = 0;
    int64_t started = 0;
    int64_t ended = 0;
};

// The expected tones of a block, in the order they are asked for.
std::vector<Tone> TonesOf(const RaceBlock& block) {
    std::vector<Tone> tones;
    if (block.highTone) {
        tones.push_back(Tone::kHigh);
    }
    if (block.lowTone) {
        tones.push_back(Tone::kLow);
    }
    return tones;
}

// What makes a race hard: its blocks hold several cars, echoes, car 0 and garbage bytes.
struct RaceMix {
    int64_t crowdedBlocks = 0;  // more than one counted passing
    int64_t carCodes = 0;       // codes of cars 1..199, echoes included
    int64_t countedPassings = 0;
    int64_t carZero = 0;
    int64_t garbage = 0;
};

RaceMix MixOf(const CircuitRace& race) {
    RaceMix mix;
    for (const RaceBlock& block : race.blocks) {
        mix.crowdedBlocks += block.laps > 1 ? 1 : 0;
        mix.countedPassings += block.laps;
        for (const uint8_t code : block.bytes) {
            const std::optional<int32_t> car = CarOfCode(code);
            mix.garbage += car ? 0 : 1;
            mix.carZero += car == 0 ? 1 : 0;
            mix.carCodes += car && *car > 0 ? 1 : 0;
        }
    }
    return mix;
}

void NameSomeCars(EntryTable& entries) {
    entries.SetCell(EntryTable::kName, 1, "Ito");
    entries.SetCell(EntryTable::kModel, 1, "N360");
    entries.SetCell(EntryTable::kName, 60, "Kato");
}

TEST(CircuitRaceTest, EightHoursOfSixtyCarsInEachCountingMethodWithFlatMemory) {
    for (const bool commonStart : {false, true}) {
        SCOPED_TRACE(commonStart ? "common start" : "lap timing");
        RaceOptions options;
        options.commonStart = commonStart;
        options.seed = commonStart ? 8 : 7;
        const CircuitRace race = MakeCircuitRace(options);
        ASSERT_GT(race.laps.size(), 60u * 8 * 30) << "at least 30 laps an hour a car";
        const RaceMix mix = MixOf(race);
        EXPECT_GT(mix.crowdedBlocks, 100);
        EXPECT_GT(mix.carCodes - mix.countedPassings, 60 * 8 * 10) << "echoes in the mask";
        EXPECT_GT(mix.carZero, 20);
        EXPECT_GT(mix.garbage, 1000);

        SessionState session;
        EntryTable entries;
        NameSomeCars(entries);
        CheckingBooking booking(race.laps, entries, TimeFormat::kMinutesSeconds, commonStart);
        SensorLog log;
        const uint32_t start = 0xFFFFFFFFu - 3u * 3600 * 1000;  // the tick wraps mid-race
        FakeMsClock clock(start);
        RecordingToneSink tones;
        RecordingCircuitView view;
        CircuitFlow flow(session, entries, booking, log, clock, tones, view);
        flow.SetCountingMethod(commonStart ? SessionState::kCommonStart : 0);
        flow.ModeReset();
        session.running = true;
        flow.StartSession(start);

        int64_t toneErrors = 0;
        int64_t selectErrors = 0;
        int64_t carBlocks = 0;
        std::vector<int64_t> heapByHour;  // after each hour, the log's own lines left out
        heapByHour.reserve(16);
        uint32_t nextHour = 3600 * 1000;
        for (const RaceBlock& block : race.blocks) {
            while (block.atMs >= nextHour) {
                heapByHour.push_back(LiveHeapBytes() - LogHeapBytes(log));
                nextHour += 3600 * 1000;
            }
            const int32_t selects = view.selectCalls;
            FeedBlock(flow, clock, start, block);
            toneErrors += tones.Take() == TonesOf(block) ? 0 : 1;
            const bool selected = view.selectCalls == selects + 1 &&
                                  view.selectedRow == static_cast<int32_t>(booking.Booked());
            selectErrors += (block.laps > 0) == selected ? 0 : 1;
            carBlocks += block.anyCar ? 1 : 0;
        }

        EXPECT_EQ(booking.Mismatches(), 0) << booking.FirstMismatch();
        EXPECT_EQ(booking.Booked(), race.laps.size());
        EXPECT_EQ(booking.Batches(), carBlocks) << "one batch per block with a car in it";
        EXPECT_EQ(booking.Depth(), 0);
        EXPECT_EQ(toneErrors, 0);
        EXPECT_EQ(selectErrors, 0);
        EXPECT_EQ(log.Lines().size(), race.laps.size()) << "one log line per lap";
        for (const auto& [car, laps] : race.count) {
            EXPECT_EQ(entries.Cell(EntryTable::kLap, car), std::to_string(laps)) << "car " << car;
            EXPECT_EQ(session.runCount[car], laps) << "car " << car;
        }
        ASSERT_GE(heapByHour.size(), 7u);
        for (size_t hour = 1; hour < heapByHour.size(); ++hour) {
            EXPECT_LE(heapByHour[hour] - heapByHour[0], 4096)
                << "the heap grew by the end of hour " << hour + 1;
        }
    }
}

// The same kind of race, two hours, through the result list itself: its rows are the
// reference laps, and its sinks hear of one batch per block.
TEST(CircuitRaceTest, TwoHoursThroughTheResultList) {
    RaceOptions options;
    options.commonStart = true;
    options.durationMs = 2u * 3600 * 1000;
    options.seed = 9;
    const CircuitRace race = MakeCircuitRace(options);
    SessionState session;
    EntryTable entries;
    NameSomeCars(entries);
    ResultTable results{RaceMode::kCircuit};
    ResultListCommands commands{results, entries, session, nullptr};
    BatchCountingSink sink;
    commands.AddSink(sink);
    SensorLog log;
    const uint32_t start = 5000;
    FakeMsClock clock(start);
    RecordingToneSink tones;
    RecordingCircuitView view;
    CircuitFlow flow(session, entries, commands, log, clock, tones, view);
    flow.SetCountingMethod(SessionState::kCommonStart);
    session.running = true;
    flow.StartSession(start);
    int64_t carBlocks = 0;
    for (const RaceBlock& block : race.blocks) {
        FeedBlock(flow, clock, start, block);
        carBlocks += block.anyCar ? 1 : 0;
    }
    ASSERT_EQ(results.DataRowCount(), static_cast<int32_t>(race.laps.size()));
    for (size_t i = 0; i < race.laps.size(); ++i) {
        const ExpectedLap& lap = race.laps[i];
        const std::vector<std::string> row = {
            std::to_string(lap.car),
            entries.Name(lap.car),
            entries.Model(lap.car),
            std::to_string(lap.lap),
            FormatRaceTime(lap.lapMs, TimeFormat::kMinutesSeconds, false),
            FormatRaceTime(lap.totalMs, TimeFormat::kMinutesSeconds, false)};
        ASSERT_EQ(results.Row(static_cast<int32_t>(i) + 1), row) << "row " << i + 1;
    }
    EXPECT_EQ(sink.booked, static_cast<int64_t>(race.laps.size()));
    EXPECT_EQ(sink.started, carBlocks);
    EXPECT_EQ(sink.ended, carBlocks);
    EXPECT_TRUE(session.resultModified);
    EXPECT_EQ(session.resultsBooked, race.laps.size());
}

}  // namespace
}  // namespace vantrel
