// Receiver passings held as a flood, without a window: held rather than booked, listed with
// their stamps, then booked (some, all or none) in stamp order at their own ticks, the mask
// applied as if they had been booked on arrival; the rest discarded into the sensor log.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/circuit_flow.h"
#include "modes/circuit_laps.h"
#include "modes/circuit_race_harness.h"

namespace vantrel {
namespace {

constexpr uint32_t kStart = 5000000;

class HeldPassingsTest : public ::testing::Test {
protected:
    HeldPassingsTest() {
        flow.Configure(setup);
        flow.OnHeldChanged([this] { ++heldChanges; });
    }
    void Start() {
        flow.ModeReset();
        session.ClearCarCounters();
        session.running = true;
        flow.StartSession(kStart);
    }
    void Block(const std::vector<int32_t>& cars, uint32_t atMs) {
        std::vector<uint8_t> bytes;
        for (const int32_t car : cars) {
            bytes.push_back(CodeOfCar(car));
        }
        clock.Set(kStart + atMs);
        flow.TakeReceivedBytes(bytes.data(), static_cast<uint16_t>(bytes.size()), kStart + atMs);
    }
    std::vector<std::string> Column(int32_t column) const {
        std::vector<std::string> cells;
        for (int32_t row = 1; !results.IsEmpty() && row <= results.DataRowCount(); ++row) {
            cells.push_back(results.Cell(column, row));
        }
        return cells;
    }
    size_t LogLinesWith(const std::string& text) const {
        return static_cast<size_t>(std::count_if(
            log.Lines().begin(), log.Lines().end(),
            [&](const std::string& line) { return line.find(text) != std::string::npos; }));
    }

    SessionState session;
    SetupSettings setup;
    EntryTable entries;
    ResultTable results{RaceMode::kCircuit};
    ResultListCommands commands{results, entries, session, nullptr};
    SensorLog log;
    FakeMsClock clock{kStart};
    RecordingToneSink tones;
    RecordingCircuitView view;
    CircuitFlow flow{session, entries, commands, log, clock, tones, view};
    int32_t heldChanges = 0;
};

TEST_F(HeldPassingsTest, AFloodIsHeldThenTheChosenAreBookedInStampOrderAtTheirOwnTicks) {
    Start();
    Block({1}, 1000);  // car 1's first passing, booked at once
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 1), "0");
    // Twelve cars in one block: held, shown in the received list, not booked.
    Block({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 40000);
    Block({5}, 40050);  // the flood goes on
    EXPECT_TRUE(results.IsEmpty());
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 2), "");
    EXPECT_EQ(view.received.size(), 14u);
    ASSERT_EQ(flow.Held().size(), 13u);
    EXPECT_EQ(flow.Held().front(), (HeldPassing{1, kStart + 40000}));
    EXPECT_EQ(flow.Held().back(), (HeldPassing{5, kStart + 40050}));
    EXPECT_EQ(heldChanges, 2);
    EXPECT_EQ(LogLinesWith(",Held 1 2 3 4 5 6 7 8 9 10 11 12"), 1u);
    // A passing 100 ms after the last held block is traffic again, booked at once.
    Block({3}, 40150);
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 3), "0");
    ASSERT_EQ(flow.Held().size(), 13u);

    // Booked later, while the clock has moved on: car 1's lap counts to its own stamp, car 5
    // starts at 40 000 and its passing 50 ms later falls inside the mask; car 3's held passing
    // is older than the one counted since, so it cannot be booked before it.
    clock.Set(kStart + 90000);
    std::vector<bool> book(13, false);
    book[0] = book[2] = book[4] = book[12] = true;
    EXPECT_EQ(flow.SettleHeld(book), 1);
    EXPECT_EQ(Column(kCircuitCar), std::vector<std::string>{"1"});
    EXPECT_EQ(Column(kCircuitLapTime), std::vector<std::string>{"00:39.000"});
    EXPECT_EQ(session.firstPassTime[5], kStart + 40000);
    EXPECT_EQ(session.lastPassTime[5], kStart + 40000);
    EXPECT_EQ(session.lastPassTime[3], kStart + 40150);
    EXPECT_TRUE(flow.Held().empty());
    EXPECT_EQ(heldChanges, 3);
    // The nine not chosen are discarded and named in the log with their stamps.
    EXPECT_EQ(LogLinesWith(",Held discarded "), 9u);
    EXPECT_EQ(LogLinesWith("Held discarded 2 received " + std::to_string(kStart + 40000)), 1u);
}

TEST_F(HeldPassingsTest, OnlyTheListedAreSettledAndASessionStartDiscardsTheRest) {
    setup.floodCars = 3;
    flow.Configure(setup);
    Start();
    Block({1, 2, 3}, 1000);  // three cars are not more than three
    EXPECT_TRUE(flow.Held().empty());
    Block({4, 5, 6, 7}, 50000);
    Block({8}, 50020);
    ASSERT_EQ(flow.Held().size(), 5u);
    // The list showed the first four; the one held after it stays held.
    EXPECT_EQ(flow.SettleHeld({true, true, true, true}), 0);  // first passings, no lap
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 7), "0");
    EXPECT_EQ(flow.Held(), (std::vector<HeldPassing>{{8, kStart + 50020}}));
    // All of a lap-timing flood: the laps come with their own lap times.
    Block({1, 2, 3, 4}, 90000);
    EXPECT_EQ(flow.SettleHeld(std::vector<bool>(flow.Held().size(), true)), 4);
    EXPECT_EQ(Column(kCircuitLapTime),
              (std::vector<std::string>{"01:29.000", "01:29.000", "01:29.000", "00:40.000"}));
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 8), "0");
    Block({9, 10, 11, 12}, 200000);
    ASSERT_EQ(flow.Held().size(), 4u);
    Start();
    EXPECT_TRUE(flow.Held().empty());
    EXPECT_EQ(LogLinesWith(",Held discarded "), 4u);
    // A limit from the settings takes effect at once; a start forgets the window.
    setup.floodCars = 20;
    flow.Configure(setup);
    Block({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 300000);
    EXPECT_TRUE(flow.Held().empty());
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 12), "0");
}

}  // namespace
}  // namespace vantrel
