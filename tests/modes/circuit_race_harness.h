#pragma once
// What a circuit race needs to run in the core: a view and a tone sink that remember a bounded
// amount, a race of received blocks made from known passings (with echoes inside the mask, car
// 0 and garbage bytes) together with the laps it must book, a booking that checks every lap
// against those as it comes instead of storing it, and the live heap size.
// Thread rule: GUI thread only.

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/ms_clock.h"
#include "common/time_text.h"
#include "lists/entry_table.h"
#include "lists/result_sink.h"
#include "modes/circuit_flow.h"
#include "modes/mode_flow.h"
#include "modes/receiver_codes.h"
#include "modes/tone_sink.h"
#include "sensors/received_block.h"
#include "sensors/sensor_log.h"

namespace vantrel {

// Keeps the received list as the page does (the newest 201 lines) and the latest of the rest.
struct RecordingCircuitView : CircuitView {
    std::deque<std::string> received;
    size_t lastAppendSize = 0;
    int32_t clears = 0;
    std::vector<int32_t> lastShownCars;
    int32_t showCarsCalls = 0;
    int32_t selectedRow = 0;
    int32_t selectCalls = 0;
    std::optional<CircuitSettings> settings;
    int32_t settingsShown = 0;

    void AppendReceived(const std::vector<std::string>& lines) override {
        lastAppendSize = lines.size();
        received.insert(received.end(), lines.begin(), lines.end());
        while (received.size() > static_cast<size_t>(kReceivedListLines)) {
            received.pop_front();
        }
    }
    void ClearReceived() override {
        received.clear();
        ++clears;
    }
    void ShowCars(const std::vector<int32_t>& cars) override {
        lastShownCars = cars;
        ++showCarsCalls;
    }
    void SelectResultRow(int32_t row) override {
        selectedRow = row;
        ++selectCalls;
    }
    void ShowSettings(const CircuitSettings& shown) override {
        settings = shown;
        ++settingsShown;
    }
    std::vector<std::string> Received() const { return {received.begin(), received.end()}; }
};

// Remembers the tones asked for since the last Take().
struct RecordingToneSink : ToneSink {
    bool busy = false;
    std::vector<Tone> asked;
    int64_t high = 0;
    int64_t low = 0;

    bool Busy() const override { return busy; }
    void RequestTone(Tone tone) override {
        asked.push_back(tone);
        ++(tone == Tone::kHigh ? high : low);
    }
    std::vector<Tone> Take() {
        std::vector<Tone> taken = asked;
        asked.clear();
        return taken;
    }
};

// A lap as the reference expects it booked.
struct ExpectedLap {
    int32_t car = 0;
    int32_t lap = 0;
    int32_t lapMs = 0;
    int32_t totalMs = 0;
};

struct RaceOptions {
    int32_t cars = 60;
    uint32_t durationMs = 8u * 3600 * 1000;
    bool commonStart = false;
    int32_t maskS = 30;
    uint32_t minLapMs = 60000;  // above the mask, so that every real passing counts
    uint32_t maxLapMs = 120000;
    uint32_t seed = 1;
};

struct RaceBlock {
    uint32_t atMs = 0;  // after the session start
    std::vector<uint8_t> bytes;
    // What the block must do: laps booked, and the tones asked for once each.
    int32_t laps = 0;
    bool highTone = false;
    bool lowTone = false;
    bool anyCar = false;  // a valid code of a car 1..199: the block is one batch
};

struct CircuitRace {
    RaceOptions options;
    std::vector<RaceBlock> blocks;     // in time order
    std::vector<ExpectedLap> laps;     // in the order they must be booked
    std::map<int32_t, int32_t> count;  // car -> laps it ends with (0: only a first passing)
};

namespace race_detail {

constexpr uint32_t kQuantumMs = 50;  // passings on a grid, so that cars meet in one block

inline uint8_t Garbage(std::mt19937& random) {
    const uint32_t pick = random() % (0x30 + 8);
    return static_cast<uint8_t>(pick < 0x30 ? pick : 0xF8 + (pick - 0x30));
}

using PassingTimes = std::map<int32_t, std::vector<uint32_t>>;  // car -> its real passings

// The real passings of every car, on the grid, after the session start.
inline PassingTimes Passings(const RaceOptions& o, std::mt19937& random) {
    PassingTimes passings;
    const uint32_t spread = o.maxLapMs - o.minLapMs + 1;
    for (int32_t car = 1; car <= o.cars; ++car) {
        uint32_t t = 0;
        while (true) {
            t += o.minLapMs + random() % spread;
            t -= t % kQuantumMs;
            if (t > o.durationMs) {
                break;
            }
            passings[car].push_back(t);
        }
    }
    return passings;
}

struct RaceCodes {
    std::map<uint32_t, std::vector<uint8_t>> at;            // time -> the block's codes
    std::map<std::pair<int32_t, uint32_t>, size_t> realAt;  // (car, time) -> passing index
};

// Every real passing's code, some echoed in its block or later inside the mask (only where
// a mask swallows them), and a few blocks of car 0 and garbage only.
inline RaceCodes Codes(const RaceOptions& o, const PassingTimes& passings, std::mt19937& random) {
    RaceCodes codes;
    const uint32_t maskMs = o.maskS > 0 ? static_cast<uint32_t>(o.maskS) * 1000 : 0;
    for (const auto& [car, times] : passings) {
        for (size_t i = 0; i < times.size(); ++i) {
            codes.realAt[{car, times[i]}] = i;
            codes.at[times[i]].push_back(CodeOfCar(car));
            const uint32_t dice = random() % 8;
            if (maskMs == 0) {
                continue;
            }
            if (dice == 0) {
                codes.at[times[i]].push_back(CodeOfCar(car));
            } else if (dice < 3) {
                const uint32_t late = kQuantumMs * (1 + random() % (maskMs / kQuantumMs - 1));
                codes.at[times[i] + late].push_back(CodeOfCar(car));
            }
        }
    }
    for (int32_t i = 0; i < 40; ++i) {
        codes.at[kQuantumMs * (1 + random() % (o.durationMs / kQuantumMs))].push_back(
            random() % 2 ? uint8_t{0x30} : Garbage(random));
    }
    return codes;
}

// Cars of one block in any order, with garbage bytes and now and then car 0 among them.
inline void Scramble(std::vector<uint8_t>& codes, std::mt19937& random) {
    std::shuffle(codes.begin(), codes.end(), random);
    for (uint32_t n = random() % 3; n > 0; --n) {
        codes.insert(codes.begin() + random() % (codes.size() + 1), Garbage(random));
    }
    if (random() % 16 == 0) {
        codes.insert(codes.begin() + random() % (codes.size() + 1), uint8_t{0x30});
    }
}

// What `block` must do, from the real passings alone: in lap timing a car's first passing
// starts its clock, in common start it is lap 1 from the session start; the first copy of a
// real passing in its block is the passing, any other copy an echo.
inline void Expect(RaceBlock& block, const PassingTimes& passings, RaceCodes& codes,
                   CircuitRace& race) {
    const bool commonStart = race.options.commonStart;
    for (const uint8_t code : block.bytes) {
        const std::optional<int32_t> car = CarOfCode(code);
        if (!car || *car == 0) {
            continue;
        }
        block.anyCar = true;
        const auto real = codes.realAt.find({*car, block.atMs});
        if (real == codes.realAt.end()) {
            continue;
        }
        const size_t index = real->second;
        codes.realAt.erase(real);
        const std::vector<uint32_t>& times = passings.at(*car);
        if (!commonStart && index == 0) {
            block.highTone = true;
            race.count[*car] = 0;
            continue;
        }
        const uint32_t from = commonStart ? 0 : times[0];
        const uint32_t previous = index == 0 ? 0 : times[index - 1];
        const auto lap = static_cast<int32_t>(commonStart ? index + 1 : index);
        race.laps.push_back({*car, lap, static_cast<int32_t>(times[index] - previous),
                             static_cast<int32_t>(times[index] - from)});
        race.count[*car] = lap;
        ++block.laps;
        block.lowTone = true;
    }
}

}  // namespace race_detail

// A race of `o.cars` cars as received blocks, and the laps it must book.
inline CircuitRace MakeCircuitRace(const RaceOptions& o) {
    std::mt19937 random(o.seed);
    const race_detail::PassingTimes passings = race_detail::Passings(o, random);
    race_detail::RaceCodes codes = race_detail::Codes(o, passings, random);
    CircuitRace race;
    race.options = o;
    for (auto& [at, blockCodes] : codes.at) {
        race_detail::Scramble(blockCodes, random);
        RaceBlock block;
        block.atMs = at;
        block.bytes = blockCodes;
        race_detail::Expect(block, passings, codes, race);
        race.blocks.push_back(std::move(block));
    }
    return race;
}

// Hands one block to the flow as the receiver would: stamped `startTick` + its time, with
// the clock there too. Blocks longer than a read are not made by MakeCircuitRace.
inline void FeedBlock(ModeFlow& flow, FakeMsClock& clock, uint32_t startTick,
                      const RaceBlock& block) {
    std::array<uint8_t, ReceivedBlock::kMaxBytes> bytes{};
    const size_t count = std::min(block.bytes.size(), bytes.size());
    std::copy_n(block.bytes.begin(), count, bytes.begin());
    clock.Set(startTick + block.atMs);
    flow.TakeReceivedBytes(bytes.data(), static_cast<uint16_t>(count), startTick + block.atMs);
}

// A booking that compares each lap with the next expected one as it arrives and keeps only
// counts: its own size does not grow with the race.
class CheckingBooking final : public ResultBooking {
public:
    CheckingBooking(const std::vector<ExpectedLap>& expected, const EntryTable& entries,
                    TimeFormat format, bool commonStart)
        : expected_(expected), entries_(entries), format_(format), commonStart_(commonStart) {}

    int32_t AddResult(BookedResult result) override {
        if (depth_ == 0) {
            Mismatch("a lap booked outside a batch");
        }
        if (booked_ >= expected_.size()) {
            Mismatch("a lap more than expected, car " + std::to_string(result.car));
        } else {
            Check(result, expected_[booked_]);
        }
        return static_cast<int32_t>(++booked_);
    }
    void BeginBatch() override {
        ++batches_;
        if (++depth_ > 1) {
            Mismatch("a batch inside a batch");
        }
    }
    void EndBatch() override { --depth_; }

    size_t Booked() const { return booked_; }
    int64_t Batches() const { return batches_; }
    int32_t Depth() const { return depth_; }
    int64_t Mismatches() const { return mismatches_; }
    const std::string& FirstMismatch() const { return first_; }

private:
    void Check(const BookedResult& r, const ExpectedLap& e) {
        const std::vector<std::string> cells = {std::to_string(e.car),
                                                entries_.Name(e.car),
                                                entries_.Model(e.car),
                                                std::to_string(e.lap),
                                                FormatRaceTime(e.lapMs, format_, false),
                                                FormatRaceTime(e.totalMs, format_, false)};
        const bool total = commonStart_ ? r.totalMs == e.totalMs : !r.totalMs.has_value();
        if (r.car != e.car || r.count != e.lap || r.timeMs != e.lapMs || !total ||
            r.cells != cells || r.announcement.timeMs != e.lapMs) {
            Mismatch("lap " + std::to_string(booked_ + 1) + ": car " + std::to_string(r.car) +
                     " lap " + std::to_string(r.count) + " " + std::to_string(r.timeMs) +
                     " ms, expected car " + std::to_string(e.car) + " lap " +
                     std::to_string(e.lap) + " " + std::to_string(e.lapMs) + " ms");
        }
    }
    void Mismatch(std::string what) {
        if (mismatches_++ == 0) {
            first_ = std::move(what);
        }
    }

    const std::vector<ExpectedLap>& expected_;
    const EntryTable& entries_;
    TimeFormat format_;
    bool commonStart_;
    size_t booked_ = 0;
    int64_t batches_ = 0;
    int32_t depth_ = 0;
    int64_t mismatches_ = 0;
    std::string first_;
};

// Bytes that C++ objects hold on the heap now; defined by circuit_race_heap.cpp, which the
// test binary must link (it replaces the global operator new and delete to count them).
int64_t LiveHeapBytes();

// What the sensor log's lines hold on the heap: it keeps one line per lap by design.
inline int64_t LogHeapBytes(const SensorLog& log) {
    auto bytes = static_cast<int64_t>(log.Lines().capacity() * sizeof(std::string));
    for (const std::string& line : log.Lines()) {
        if (line.capacity() > std::string().capacity()) {
            bytes += static_cast<int64_t>(line.capacity() + 1);
        }
    }
    return bytes;
}

}  // namespace vantrel
