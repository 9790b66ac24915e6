// The flood guard over random streams: it decides as a full rescan of the stream would, real
// races (a common start of 30 cars within 2 s, 199 cars lapping) are never held, and bursts
// of garbage are held from the block that crosses the limit on.
#include "modes/receiver_flood.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "common/car_code.h"

namespace vantrel {
namespace {

struct Block {
    uint32_t tick = 0;
    std::vector<int32_t> cars;
    bool garbage = false;
};

// The rule as its header states it, by looking at the whole stream again for every block.
std::vector<bool> RescanHolds(const std::vector<Block>& blocks, int32_t limit) {
    std::vector<bool> crosses(blocks.size(), false);
    std::vector<bool> held(blocks.size(), false);
    for (size_t i = 0; i < blocks.size(); ++i) {
        std::set<int32_t> distinct;
        bool tail = false;
        for (size_t j = 0; j <= i; ++j) {
            if (blocks[i].tick - blocks[j].tick >= ReceiverFloodGuard::kWindowMs) {
                continue;
            }
            for (const int32_t car : blocks[j].cars) {
                if (car > 0) {
                    distinct.insert(car);
                }
            }
            tail = tail || (j < i && crosses[j]);
        }
        crosses[i] = static_cast<int32_t>(distinct.size()) > limit;
        held[i] = crosses[i] || tail;
    }
    return held;
}

std::vector<bool> GuardHolds(const std::vector<Block>& blocks, ReceiverFloodGuard& guard) {
    std::vector<bool> held;
    for (const Block& block : blocks) {
        held.push_back(guard.HoldsBlock(block.cars, block.tick));
    }
    return held;
}

// Passings as a receiver reports them: each lane of the line takes one car at a time (a car
// needs 60 ms to clear it), and the reader stamps a byte at the end of the read that took it,
// reads coming 1 to 16 ms apart (a USB adapter's latency), so a read may hold several.
std::vector<Block> Stamped(std::vector<std::pair<uint32_t, int32_t>> passings, std::mt19937& rng) {
    std::sort(passings.begin(), passings.end());
    std::vector<Block> blocks;
    std::uniform_int_distribution<uint32_t> period(1, 16);
    uint32_t readAt = passings.empty() ? 0 : passings.front().first;
    for (const auto& [at, car] : passings) {
        while (readAt < at) {
            readAt += period(rng);
        }
        if (blocks.empty() || blocks.back().tick != readAt) {
            blocks.push_back({readAt, {}});
        }
        blocks.back().cars.push_back(car);
    }
    return blocks;
}

// A race on a line of three lanes: a common start of 30 cars within 2 s, then up to 199
// cars lapping for ten minutes, each car's code echoed now and then.
std::vector<std::pair<uint32_t, int32_t>> RacePassings(uint32_t start, std::mt19937& rng) {
    std::vector<std::pair<uint32_t, int32_t>> wanted;
    std::vector<int32_t> cars(199);
    std::iota(cars.begin(), cars.end(), 1);
    std::shuffle(cars.begin(), cars.end(), rng);
    for (size_t i = 0; i < 30; ++i) {
        wanted.emplace_back(static_cast<uint32_t>(rng() % 2000), cars[i]);
    }
    const size_t field = 30 + rng() % 170;
    for (size_t i = 0; i < field; ++i) {
        const uint32_t lapMs = 20000 + static_cast<uint32_t>(rng() % 100000);
        for (uint32_t at = 2000 + static_cast<uint32_t>(rng() % lapMs); at < 600000;
             at += lapMs + static_cast<uint32_t>(rng() % 3000)) {
            wanted.emplace_back(at, cars[i]);
        }
    }
    std::sort(wanted.begin(), wanted.end());
    // In time order, each car takes the lane free first, waiting for it when none is.
    constexpr uint32_t kLaneClearMs = 60;
    std::array<uint32_t, 3> laneFree{};
    std::vector<std::pair<uint32_t, int32_t>> passings;
    for (auto [at, car] : wanted) {
        uint32_t& lane = *std::min_element(laneFree.begin(), laneFree.end());
        at = std::max(at, lane);
        lane = at + kLaneClearMs;
        passings.emplace_back(start + at, car);
        if (rng() % 10 == 0) {
            passings.emplace_back(start + at + rng() % 30, car);  // the receiver's echo
        }
    }
    return passings;
}

TEST(ReceiverFloodGuard, DecidesAsARescanOfTheStreamOverRandomStreams) {
    std::mt19937 rng(std::random_device{}());
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto limit = static_cast<int32_t>(1 + rng() % 20);
        // Some streams run across the tick's wrap.
        uint32_t tick = round % 3 == 0 ? 0xFFFFFFFFu - static_cast<uint32_t>(rng() % 5000)
                                       : static_cast<uint32_t>(rng());
        std::vector<Block> blocks;
        for (int i = 0; i < 400; ++i) {
            tick += rng() % 4 == 0 ? static_cast<uint32_t>(rng() % 300) : rng() % 15;
            Block block{tick, {}};
            const bool burst = (i / 40) % 2 == 1;
            for (size_t n = rng() % (burst ? 12 : 3); n > 0; --n) {
                block.cars.push_back(static_cast<int32_t>(rng() % (burst ? 200 : 12)));
            }
            blocks.push_back(block);
        }
        ReceiverFloodGuard guard(limit);
        const std::vector<bool> expected = RescanHolds(blocks, limit);
        ASSERT_EQ(GuardHolds(blocks, guard), expected);
        // A reset forgets the flood and the window.
        guard.Reset();
        Block quiet{blocks.back().tick + 1, {1}};
        EXPECT_FALSE(guard.HoldsBlock(quiet.cars, quiet.tick));
    }
    // The limit is at least one car.
    ReceiverFloodGuard guard(0);
    EXPECT_EQ(guard.Limit(), 1);
    EXPECT_FALSE(guard.HoldsBlock({7, 7, 7}, 10));
    EXPECT_TRUE(guard.HoldsBlock({8}, 20));
}

TEST(ReceiverFloodGuard, RealRacesAreNeverHeldAndGarbageIsHeldFromTheCrossingBlockOn) {
    std::mt19937 rng(std::random_device{}());
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const uint32_t start = static_cast<uint32_t>(rng() % 0x80000000u);
        auto passings = RacePassings(start, rng);
        {
            ReceiverFloodGuard guard;
            const std::vector<Block> race = Stamped(passings, rng);
            const std::vector<bool> held = GuardHolds(race, guard);
            ASSERT_EQ(std::count(held.begin(), held.end(), true), 0);
        }
        // A burst of random bytes at 9600 bit/s (a byte a millisecond) in the middle of it.
        const uint32_t burstAt = start + 2000 + static_cast<uint32_t>(rng() % 500000);
        const auto burstBytes = static_cast<uint32_t>(200 + rng() % 5000);
        for (uint32_t i = 0; i < burstBytes; ++i) {
            const std::optional<int32_t> car = CarOfCode(static_cast<uint8_t>(rng()));
            if (car && *car != 0) {
                passings.emplace_back(burstAt + i, -*car);  // negative: garbage, for the check
            }
        }
        std::vector<Block> stream = Stamped(passings, rng);
        for (Block& block : stream) {
            for (int32_t& car : block.cars) {
                block.garbage = block.garbage || car < 0;
                car = std::abs(car);
            }
        }
        ReceiverFloodGuard guard;
        const std::vector<bool> held = GuardHolds(stream, guard);
        std::set<int32_t> garbageBooked;
        bool crossed = false;
        uint32_t lastGarbage = 0;
        for (size_t i = 0; i < stream.size(); ++i) {
            if (stream[i].garbage) {
                lastGarbage = stream[i].tick;
                ASSERT_TRUE(held[i] || !crossed) << "garbage booked after the flood was found";
                crossed = crossed || held[i];
                if (!held[i]) {
                    garbageBooked.insert(stream[i].cars.begin(), stream[i].cars.end());
                }
            } else if (crossed &&
                       stream[i].tick - lastGarbage >= 2 * ReceiverFloodGuard::kWindowMs) {
                ASSERT_FALSE(held[i]) << "a passing after the flood is booked at once";
            }
        }
        EXPECT_TRUE(crossed);
        EXPECT_LE(garbageBooked.size(), static_cast<size_t>(ReceiverFloodGuard::kDefaultLimit));
    }
}

}  // namespace
}  // namespace vantrel
