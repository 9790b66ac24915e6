// The CIRCUIT tab's rules without a window: passings from received blocks, digit keys and the
// printer port, the mask, both counting methods, the received list, batches and tones.
#include "modes/circuit_flow.h"

#include <gtest/gtest.h>

#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/circuit_race_harness.h"

namespace vantrel {
namespace {

constexpr uint32_t kStart = 2000000;

// Forwards to the result list and counts the batches around the bookings.
struct BatchCountingBooking final : ResultBooking {
    explicit BatchCountingBooking(ResultBooking& inner) : inner(inner) {}
    int32_t AddResult(BookedResult result) override {
        outsideBatch += depth == 0 ? 1 : 0;
        return inner.AddResult(std::move(result));
    }
    void BeginBatch() override {
        ++begins;
        maxDepth = std::max(maxDepth, ++depth);
        inner.BeginBatch();
    }
    void EndBatch() override {
        ++ends;
        --depth;
        inner.EndBatch();
    }
    ResultBooking& inner;
    int32_t begins = 0;
    int32_t ends = 0;
    int32_t depth = 0;
    int32_t maxDepth = 0;
    int32_t outsideBatch = 0;
};

class CircuitFlowTest : public ::testing::Test {
protected:
    CircuitFlowTest() {
        entries.SetCell(EntryTable::kName, 3, "Ito");
        entries.SetCell(EntryTable::kName, 10, "Kato");
        flow.Configure(setup);
    }
    // The session start as the window runs it: the mode reset, then the flow's start.
    void Start(int32_t countingMethod) {
        flow.SetCountingMethod(countingMethod);
        flow.ModeReset();
        entries.ClearLaps();
        session.ClearCarCounters();
        session.lastCarCode = 0;
        session.running = true;
        flow.StartSession(kStart);
    }
    void Digit(int digit, uint32_t atMs) {
        clock.Set(kStart + atMs);
        EXPECT_TRUE(flow.TakeDigitKey(digit));
    }
    void Block(std::vector<uint8_t> bytes, uint32_t atMs) {
        clock.Set(kStart + atMs);
        flow.TakeReceivedBytes(bytes.data(), static_cast<uint16_t>(bytes.size()), kStart + atMs);
    }
    // The result rows as the saved file has them.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int32_t row = 1; !results.IsEmpty() && row <= results.DataRowCount(); ++row) {
            const std::vector<std::string>& cells = results.Row(row);
            std::string line;
            for (size_t i = 0; i < cells.size(); ++i) {
                line += (i == 0 ? "" : ",") + cells[i];
            }
            rows.push_back(line);
        }
        return rows;
    }
    SensorEvent Edge(SensorInput input, uint32_t atMs,
                     SensorEventKind kind = SensorEventKind::kActiveEdge) const {
        SensorEvent event;
        event.kind = kind;
        event.input = input;
        event.tick = kStart + atMs;
        return event;
    }

    SessionState session;
    SetupSettings setup;
    EntryTable entries;
    ResultTable results{RaceMode::kCircuit};
    ResultListCommands commands{results, entries, session, nullptr};
    BatchCountingBooking booking{commands};
    SensorLog log;
    FakeMsClock clock{kStart};
    RecordingToneSink tones;
    RecordingCircuitView view;
    CircuitFlow flow{session, entries, booking, log, clock, tones, view};
};

TEST_F(CircuitFlowTest, LapTimingFromTheDigitKeys) {
    Start(0);
    Digit(3, 1000);  // car 3's first passing starts its clock
    EXPECT_TRUE(results.IsEmpty());
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 3), "0");
    EXPECT_EQ(tones.Take(), std::vector<Tone>{Tone::kHigh});
    Digit(0, 4000);   // "0" is car 10
    Digit(3, 37000);  // lap 1
    EXPECT_EQ(tones.Take(), (std::vector<Tone>{Tone::kHigh, Tone::kLow}));
    Digit(3, 57000);  // inside the 30 s mask: not counted
    EXPECT_TRUE(tones.Take().empty());
    Digit(3, 69000);   // lap 2
    Digit(0, 100000);  // car 10's lap 1
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 3), "2");
    EXPECT_EQ(view.Received(), (std::vector<std::string>{"3", "10", "3", "3", "3", "10"}));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"3,Ito,,1,00:36.000,00:36.000",
                                                "3,Ito,,2,00:32.000,01:08.000",
                                                "10,Kato,,1,01:36.000,01:36.000"}));
    EXPECT_EQ(view.selectedRow, 3);
    EXPECT_EQ(view.lastShownCars, std::vector<int32_t>{10});
    EXPECT_EQ(session.entryRow, 10);
    // One log line per lap, stamped when it is counted.
    ASSERT_EQ(log.Lines().size(), 3u);
    EXPECT_EQ(log.Lines().back(), std::to_string(TickAsSigned(kStart + 100000)) + ",10");
    // The time format of the options.
    setup.timeFormat = TimeFormat::kMilliseconds;
    flow.Configure(setup);
    Digit(3, 100000);
    EXPECT_EQ(Rows().back(), "3,Ito,,3,31000,99000");
}

TEST_F(CircuitFlowTest, CommonStartBlocksShareTheirTickAndARejectionStopsNothing) {
    Start(SessionState::kCommonStart);
    Block({0x31, 0x32, 0x2D, 0x35}, 75400);
    Block({0x31, 0x37, 0x30}, 80000);
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"1,,,1,01:15.400,01:15.400", "2,,,1,01:15.400,01:15.400",
                                        "5,,,1,01:15.400,01:15.400", "7,,,1,01:20.000,01:20.000"}));
    EXPECT_EQ(view.Received(), (std::vector<std::string>{"1", "2", "5", "1", "7", "0"}));
    // A digit key is a passing too, timed from the session start.
    Digit(9, 95250);
    EXPECT_EQ(results.Cell(4, 5), "01:35.250");
    EXPECT_EQ(results.Cell(5, 5), "01:35.250");
    // The list keeps the latest 201 lines, and no more are handed to it.
    std::vector<uint8_t> zeros(205, 0x30);
    Block(zeros, 90000);
    EXPECT_EQ(view.lastAppendSize, 201u);
    EXPECT_EQ(view.received.size(), 201u);
    EXPECT_EQ(view.received.front(), "0");
    // Invalid codes are overwritten with '-' where they were received, and skipped.
    uint8_t mixed[] = {0x00, 0x2F, 0x33, 0xF8, 0xFF, 0x30};
    flow.ProcessPassings(mixed, 6, kStart + 120000);
    EXPECT_EQ(std::string(mixed, mixed + 6), "--3--0");
    EXPECT_EQ(view.Received().back(), "0");
    EXPECT_EQ(view.received[199], "3");
    // A mode reset empties the list.
    flow.ModeReset();
    EXPECT_TRUE(view.received.empty());
}

TEST_F(CircuitFlowTest, APassingInsideTheMaskIsIgnoredAndTheRestOfItsBlockCounts) {
    flow.SetMaskText("30");
    Start(SessionState::kCommonStart);
    Block({CodeOfCar(4)}, 29999);  // 29 999 ms after the start: masked
    EXPECT_EQ(Rows(), (std::vector<std::string>{}));
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 4), "");
    // The echo right behind car 4 is masked; cars 5 and 6 after it in the block still count.
    Block({CodeOfCar(4), CodeOfCar(4), CodeOfCar(5), CodeOfCar(6)}, 30000);
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"4,,,1,00:30.000,00:30.000", "5,,,1,00:30.000,00:30.000",
                                        "6,,,1,00:30.000,00:30.000"}));
    // The mask runs from the last counted passing, not from the rejected ones.
    Block({CodeOfCar(4)}, 59999);
    Block({CodeOfCar(4)}, 60000);
    EXPECT_EQ(Rows().back(), "4,,,2,00:30.000,01:00.000");
    // A mask text that is no number is 20 s; 0 masks nothing.
    flow.SetMaskText("abc");
    EXPECT_EQ(session.maskTimeS, 20);
    Block({CodeOfCar(4)}, 79999);
    Block({CodeOfCar(4)}, 80000);
    EXPECT_EQ(Rows().back(), "4,,,3,00:20.000,01:20.000");
    flow.SetMaskText("0");
    Block({CodeOfCar(4), CodeOfCar(4)}, 80001);
    EXPECT_EQ(Rows().back(), "4,,,5,00:00.000,01:20.001");
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 4), "5");
}

TEST_F(CircuitFlowTest, EachBlockIsOneBatchAndAsksEachToneOnce) {
    Start(0);
    tones.busy = true;  // circuit tones sound whatever waits to be spoken
    Block({CodeOfCar(1), CodeOfCar(2), CodeOfCar(3)}, 1000);
    EXPECT_EQ(booking.begins, 1);
    EXPECT_EQ(tones.Take(), std::vector<Tone>{Tone::kHigh});
    EXPECT_EQ(view.selectCalls, 0) << "no row was booked";
    // Laps of 1 and 2 and the first passings of 8 and 9 in one block.
    Block({CodeOfCar(8), CodeOfCar(1), 0x00, CodeOfCar(9), CodeOfCar(2)}, 61000);
    EXPECT_EQ(booking.begins, 2);
    EXPECT_EQ(booking.ends, 2);
    EXPECT_EQ(booking.maxDepth, 1);
    EXPECT_EQ(booking.outsideBatch, 0);
    EXPECT_EQ(tones.Take(), (std::vector<Tone>{Tone::kHigh, Tone::kLow}));
    EXPECT_EQ(view.selectCalls, 1);
    EXPECT_EQ(view.selectedRow, 2);
    EXPECT_EQ(view.lastShownCars, (std::vector<int32_t>{8, 1, 9, 2}));
    EXPECT_EQ(session.entryRow, 2);
    // Laps only: the low tone alone.
    Block({CodeOfCar(3), CodeOfCar(1), CodeOfCar(1)}, 122000);
    EXPECT_EQ(tones.Take(), std::vector<Tone>{Tone::kLow});
    EXPECT_EQ(view.selectedRow, 4);
    // Nothing but car 0 and garbage: no batch, no tone, nothing shown but the list.
    const int32_t shown = view.showCarsCalls;
    Block({0x30, 0x01, 0xFE}, 130000);
    EXPECT_EQ(booking.begins, 3);
    EXPECT_TRUE(tones.Take().empty());
    EXPECT_EQ(view.showCarsCalls, shown);
    EXPECT_EQ(tones.high, 2);
    EXPECT_EQ(tones.low, 2);
}

TEST_F(CircuitFlowTest, ThePrinterPortCreditsTheSelectedCar) {
    EXPECT_FALSE(flow.ReadsSensors());
    EXPECT_TRUE(flow.UsesReceiverPort());
    flow.SetInputPort(SessionState::kPrinterPort);
    EXPECT_TRUE(flow.ReadsSensors());
    EXPECT_FALSE(flow.UsesReceiverPort());
    EXPECT_FALSE(flow.OpensUsbAdapter());
    Start(0);
    session.entryRow = 12;
    flow.TakeSensorEvent(Edge(SensorInput::kStart, 5000));
    EXPECT_EQ(session.lastPassTime[12], kStart + 5000) << "stamped with the edge's tick";
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 12), "0");
    // Other inputs and other kinds of event are no passings.
    flow.TakeSensorEvent(Edge(SensorInput::kFinish, 40000));
    flow.TakeSensorEvent(Edge(SensorInput::kStart, 41000, SensorEventKind::kOffDelayOver));
    flow.TakeSensorEvent(Edge(SensorInput::kStart, 42000, SensorEventKind::kLampOn));
    EXPECT_EQ(view.Received(), std::vector<std::string>{"12"});
    // A received passing moves the selection, and the next pass is that car's.
    Block({CodeOfCar(5)}, 43000);
    flow.TakeSensorEvent(Edge(SensorInput::kStart, 80000));
    EXPECT_EQ(Rows(), std::vector<std::string>{"5,,,1,00:37.000,00:37.000"});
    EXPECT_EQ(session.entryRow, 5);
    // With the serial port as input the sensors are left alone.
    session.running = false;
    flow.SetInputPort(0);
    session.running = true;
    flow.TakeSensorEvent(Edge(SensorInput::kStart, 200000));
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(CircuitFlowTest, SettingsLiveInTheSessionAndHoldDuringASession) {
    flow.SetCountingMethod(SessionState::kCommonStart);
    flow.SetInputPort(SessionState::kPrinterPort);
    flow.SetMaskText("45");
    EXPECT_EQ(session.countingMethod, SessionState::kCommonStart);
    EXPECT_EQ(session.circuitInput, SessionState::kPrinterPort);
    EXPECT_EQ(session.maskTimeS, 45);
    flow.ShowSettings();
    ASSERT_TRUE(view.settings);
    EXPECT_EQ(view.settings->countingMethod, SessionState::kCommonStart);
    EXPECT_EQ(view.settings->inputPort, SessionState::kPrinterPort);
    EXPECT_EQ(view.settings->maskTimeS, 45);
    // While a session runs the method and the port stay, and the page is told so; the mask
    // may change.
    session.running = true;
    const int32_t shown = view.settingsShown;
    flow.SetCountingMethod(0);
    flow.SetInputPort(0);
    flow.SetMaskText("10");
    EXPECT_EQ(session.countingMethod, SessionState::kCommonStart);
    EXPECT_EQ(session.circuitInput, SessionState::kPrinterPort);
    EXPECT_EQ(session.maskTimeS, 10);
    EXPECT_EQ(view.settingsShown, shown + 2);
    EXPECT_EQ(view.settings->countingMethod, SessionState::kCommonStart);
    EXPECT_EQ(view.settings->inputPort, SessionState::kPrinterPort);
    // The mode's fixed answers.
    EXPECT_EQ(flow.Mode(), RaceMode::kCircuit);
    EXPECT_FALSE(flow.CarsRunning());
    EXPECT_FALSE(flow.UsesResultButtons());
}

// Random short races, in both methods and with random masks, against the laps their real
// passings give.
TEST(CircuitFlowPropertyTest, RandomRacesBookTheLapsOfTheirRealPassings) {
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        std::mt19937 dice(seed);
        RaceOptions options;
        options.seed = seed;
        options.cars = 1 + static_cast<int32_t>(dice() % 30);
        options.durationMs = 600000 + dice() % 1800000;
        options.commonStart = dice() % 2 == 0;
        options.maskS = static_cast<int32_t>(dice() % 40);
        options.minLapMs = static_cast<uint32_t>(options.maskS) * 1000 + 1000 + dice() % 20000;
        options.maxLapMs = options.minLapMs + dice() % 60000;
        const CircuitRace race = MakeCircuitRace(options);
        SessionState session;
        session.countingMethod = options.commonStart ? SessionState::kCommonStart : 0;
        session.maskTimeS = options.maskS;
        EntryTable entries;
        CheckingBooking booking(race.laps, entries, TimeFormat::kMinutesSeconds,
                                options.commonStart);
        SensorLog log;
        const uint32_t start = dice();  // any tick, across the wrap too
        FakeMsClock clock(start);
        RecordingToneSink tones;
        RecordingCircuitView view;
        CircuitFlow flow(session, entries, booking, log, clock, tones, view);
        session.running = true;
        flow.StartSession(start);
        int64_t toneErrors = 0;
        for (const RaceBlock& block : race.blocks) {
            FeedBlock(flow, clock, start, block);
            const std::vector<Tone> asked = tones.Take();
            std::vector<Tone> expected;
            if (block.highTone) {
                expected.push_back(Tone::kHigh);
            }
            if (block.lowTone) {
                expected.push_back(Tone::kLow);
            }
            toneErrors += asked == expected ? 0 : 1;
        }
        EXPECT_EQ(booking.Mismatches(), 0) << "seed " << seed << ": " << booking.FirstMismatch();
        EXPECT_EQ(booking.Booked(), race.laps.size()) << "seed " << seed;
        EXPECT_EQ(toneErrors, 0) << "seed " << seed;
        for (const auto& [car, laps] : race.count) {
            EXPECT_EQ(entries.Cell(EntryTable::kLap, car), std::to_string(laps)) << "seed " << seed;
        }
    }
}

}  // namespace
}  // namespace vantrel
