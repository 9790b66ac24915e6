// Whole circuit races through the event object: 60 cars for 8 hours in each counting method,
// every received block handed to the event as the receiver hands it, every lap checked in the
// event's result list against the laps of the real passings, then the standings the event
// rebuilds from that list.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "app/meet.h"
#include "modes/circuit_race_harness.h"
#include "support/quiet_outputs.h"

namespace vantrel {
namespace {

// Compares every booked lap, as the result list holds it, with the next expected one.
class LapChecker final : public ResultSink {
public:
    LapChecker(const std::vector<ExpectedLap>& expected, const Meet& meet, bool commonStart)
        : expected_(expected), meet_(meet), commonStart_(commonStart) {}

    void ResultBooked(const BookedResult& result, int32_t row) override {
        if (booked_ >= expected_.size()) {
            Mismatch("a lap more than expected, car " + std::to_string(result.car));
            return;
        }
        const ExpectedLap& e = expected_[booked_++];
        const ResultTable& table = meet_.Results();
        const bool total = commonStart_ ? result.totalMs == e.totalMs : !result.totalMs;
        const std::array<std::string, 4> want = {
            std::to_string(e.car), std::to_string(e.lap),
            FormatRaceTime(e.lapMs, TimeFormat::kMinutesSeconds, false),
            FormatRaceTime(e.totalMs, TimeFormat::kMinutesSeconds, false)};
        const std::array<std::string, 4> got = {table.Cell(0, row), table.Cell(3, row),
                                                table.Cell(4, row), table.Cell(5, row)};
        if (result.car != e.car || result.count != e.lap || result.timeMs != e.lapMs || !total ||
            got != want || row != static_cast<int32_t>(booked_)) {
            Mismatch("lap " + std::to_string(booked_) + ": car " + std::to_string(result.car) +
                     " lap " + std::to_string(result.count) + ", expected car " +
                     std::to_string(e.car) + " lap " + std::to_string(e.lap));
        }
    }
    void BatchStarted() override { ++batches_; }

    size_t Booked() const { return booked_; }
    int64_t Batches() const { return batches_; }
    int64_t Mismatches() const { return mismatches_; }
    const std::string& FirstMismatch() const { return first_; }

private:
    void Mismatch(std::string what) {
        if (mismatches_++ == 0) {
            first_ = std::move(what);
        }
    }

    const std::vector<ExpectedLap>& expected_;
    const Meet& meet_;
    bool commonStart_;
    size_t booked_ = 0;
    int64_t batches_ = 0;
    int64_t mismatches_ = 0;
    std::string first_;
};

TEST(CircuitMeetingTest, EightHoursOfSixtyCarsThroughTheEventInEachCountingMethod) {
    for (const bool commonStart : {false, true}) {
        SCOPED_TRACE(commonStart ? "common start" : "lap timing");
        RaceOptions options;
        options.commonStart = commonStart;
        options.seed = commonStart ? 18 : 17;
        const CircuitRace race = MakeCircuitRace(options);

        const uint32_t start = 0xFFFFFFFFu - 3u * 3600 * 1000;  // the tick wraps mid-race
        FakeMsClock clock(start);
        test::QuietTicks ticks;
        SensorLog log;
        test::QuietPrompter prompter;
        RecordingToneSink tones;
        Meet meet({&clock, &ticks, &log, &prompter, &tones});
        LapChecker checker(race.laps, meet, commonStart);
        ResultSinks sinks;
        sinks.standings = &checker;
        meet.ConnectSinks(sinks);
        meet.EnterMode(RaceMode::kCircuit);
        meet.Circuit().SetCountingMethod(commonStart ? SessionState::kCommonStart : 0);
        meet.ModeReset();
        meet.StartSession(start);

        int64_t carBlocks = 0;
        for (const RaceBlock& block : race.blocks) {
            std::array<uint8_t, ReceivedBlock::kMaxBytes> bytes{};
            const size_t count = std::min(block.bytes.size(), bytes.size());
            std::copy_n(block.bytes.begin(), count, bytes.begin());
            clock.Set(start + block.atMs);
            meet.TakeReceivedBlock(RaceMode::kCircuit, bytes.data(), static_cast<uint16_t>(count),
                                   start + block.atMs);
            carBlocks += block.anyCar ? 1 : 0;
        }
        EXPECT_EQ(checker.Mismatches(), 0) << checker.FirstMismatch();
        EXPECT_EQ(checker.Booked(), race.laps.size());
        EXPECT_EQ(checker.Batches(), carBlocks) << "one batch per block with a car in it";
        EXPECT_EQ(meet.Results().DataRowCount(), static_cast<int32_t>(race.laps.size()));
        EXPECT_TRUE(meet.Session().resultModified);

        // The standings: laps then total in common start, the best lap in lap timing.
        std::map<int32_t, ExpectedLap> last;
        std::map<int32_t, int32_t> best;
        for (const ExpectedLap& lap : race.laps) {
            last[lap.car] = lap;
            best[lap.car] = best.contains(lap.car) ? std::min(best[lap.car], lap.lapMs) : lap.lapMs;
        }
        ASSERT_TRUE(meet.RebuildStandings().ok);
        const RankTable& table = meet.RaceStandings().Table();
        ASSERT_EQ(table.UsedCount(), static_cast<int32_t>(last.size()));
        for (const auto& [car, lap] : last) {
            const int32_t index = table.IndexOf(car);
            ASSERT_GE(index, 0) << car;
            if (commonStart) {
                EXPECT_EQ(table[index].Key, lap.lap) << car;
                EXPECT_EQ(table[index].Total, lap.totalMs) << car;
            } else {
                EXPECT_EQ(table[index].Key, best[car]) << car;
            }
        }
    }
}

}  // namespace
}  // namespace vantrel
