// The receiver ring over random sequences of puts and takes, on one thread and on two: every
// byte stored comes out once, in order, with its own tick; a block is one put (split only at
// its full size); markers come out where they were put; every byte lost is told, before any
// byte put after it.

#include "sensors/receiver_ring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

namespace vantrel {
namespace {

// What the producer did, as the consumer must see it.
struct Expected {
    struct Byte {
        uint8_t value;
        uint32_t tick;
        uint64_t lostBefore;  // bytes counted lost before this one was put
        bool first;           // the first byte of its put
    };
    struct Mark {
        uint64_t at;  // bytes stored before it
        ReceivedKind kind;
        uint32_t tick;
        std::string text;
    };
    std::vector<Byte> bytes;
    std::vector<Mark> marks;
    uint64_t lost = 0;
};

// Puts one random step into `ring` and notes it in `expected`. `alone`: no consumer runs
// meanwhile, so a drop can be checked against the room left.
void RandomPut(std::mt19937& random, ReceiverRing& ring, Expected& expected, uint32_t& tick,
               bool alone) {
    tick += random() % 3;
    const unsigned what = random() % 10;
    if (what < 7) {
        // Now and then a put longer than a block.
        std::vector<uint8_t> bytes(random() % 50 == 0 ? random() % 3000 : random() % 40);
        for (uint8_t& byte : bytes) {
            byte = static_cast<uint8_t>(random());
        }
        const uint64_t lostBefore = expected.lost;
        const std::size_t stored = ring.PutBytes(bytes.data(), bytes.size(), tick);
        ASSERT_LE(stored, bytes.size());
        if (alone && stored < bytes.size()) {
            ASSERT_TRUE(stored == 0 || ring.Size() == ring.Capacity()) << "dropped with room";
        }
        for (std::size_t i = 0; i < stored; ++i) {
            expected.bytes.push_back({bytes[i], tick, lostBefore, i == 0});
        }
        expected.lost += bytes.size() - stored;
    } else if (what == 7) {
        const uint64_t count = random() % 5;
        ring.PutLost(count, tick);
        expected.lost += count;
    } else {
        const ReceivedKind kind = what == 8 ? ReceivedKind::kLinkLost : ReceivedKind::kLinkBack;
        const std::string text(random() % 200, static_cast<char>('a' + random() % 26));
        if (ring.PutMarker(kind, tick, text)) {
            expected.marks.push_back({expected.bytes.size(), kind, tick, text.substr(0, 118)});
        }
    }
    ASSERT_LE(ring.Size(), ring.Capacity());
    ASSERT_EQ(ring.LostTotal(), expected.lost);
}

// Checks the blocks taken, in order, against what was put.
class Checker {
public:
    explicit Checker(const Expected& expected) : expected_(expected) {}

    void Take(const ReceivedBlock& block) {
        if (block.kind == ReceivedKind::kBytesLost) {
            ASSERT_GT(block.lost, 0u);
            told_ += block.lost;
            previousFull_ = false;
            return;
        }
        if (block.kind != ReceivedKind::kBytes) {
            ASSERT_LT(mark_, expected_.marks.size());
            const Expected::Mark& mark = expected_.marks[mark_++];
            EXPECT_EQ(mark.at, byte_) << "marker out of place";
            EXPECT_EQ(block.kind, mark.kind);
            EXPECT_EQ(block.tick, mark.tick);
            EXPECT_EQ(std::string(block.bytes.begin(), block.bytes.begin() + block.count),
                      mark.text);
            previousFull_ = false;
            return;
        }
        ASSERT_GE(block.count, 1);
        ASSERT_LE(block.count, ReceivedBlock::kMaxBytes);
        for (uint16_t i = 0; i < block.count; ++i) {
            ASSERT_LT(byte_, expected_.bytes.size());
            const Expected::Byte& want = expected_.bytes[byte_++];
            ASSERT_EQ(block.bytes[i], want.value) << "byte " << byte_ - 1;
            ASSERT_EQ(block.tick, want.tick) << "byte " << byte_ - 1;
            ASSERT_EQ(told_, want.lostBefore) << "a loss told late or early, byte " << byte_ - 1;
            // A put is split only where a block is full, and never joined to another.
            if (i > 0) {
                ASSERT_FALSE(want.first) << "two puts in one block, byte " << byte_ - 1;
            } else if (!previousFull_) {
                ASSERT_TRUE(want.first) << "a put split needlessly, byte " << byte_ - 1;
            }
        }
        previousFull_ = block.count == ReceivedBlock::kMaxBytes;
    }
    void ExpectAllTaken() const {
        EXPECT_EQ(byte_, expected_.bytes.size());
        EXPECT_EQ(mark_, expected_.marks.size());
        EXPECT_EQ(told_, expected_.lost);
    }

private:
    const Expected& expected_;
    std::size_t byte_ = 0;
    std::size_t mark_ = 0;
    uint64_t told_ = 0;
    bool previousFull_ = false;
};

TEST(ReceiverRingTest, RandomPutsAndTakesOnOneThreadKeepEveryByteItsTickAndItsPlace) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        ReceiverRing ring(16 << (seed % 9));  // 16 to 4096 bytes, so it wraps and fills
        Expected expected;
        Checker checker(expected);
        uint32_t tick = 1000;
        for (int step = 0; step < 400; ++step) {
            ASSERT_NO_FATAL_FAILURE(RandomPut(random, ring, expected, tick, true));
            // The consumer stalls for stretches, so both rings fill now and then.
            const bool stalled = static_cast<uint32_t>(step / 100) % 2 == seed % 2;
            for (unsigned takes = stalled ? 0 : random() % 4; takes > 0; --takes) {
                ReceivedBlock block;
                if (!ring.TryPop(block)) {
                    break;
                }
                ASSERT_NO_FATAL_FAILURE(checker.Take(block));
            }
        }
        // Whatever is still pending is marked once the consumer has made room for it.
        ReceivedBlock block;
        bool flushed = false;
        while (!flushed) {
            flushed = ring.FlushLost();
            while (ring.TryPop(block)) {
                ASSERT_NO_FATAL_FAILURE(checker.Take(block));
            }
        }
        EXPECT_TRUE(ring.Empty());
        checker.ExpectAllTaken();
    }
}

TEST(ReceiverRingTest, AFullRingDropsCountsAndTellsTheGapWhereItBegan) {
    ReceiverRing ring(16);
    const std::string first = "0123456789abcdefXYZ";
    EXPECT_EQ(ring.PutBytes(reinterpret_cast<const uint8_t*>(first.data()), first.size(), 7), 16u);
    EXPECT_EQ(ring.LostTotal(), 3u);
    EXPECT_TRUE(ring.LostPending());
    ReceivedBlock block;
    ASSERT_TRUE(ring.TryPop(block));
    EXPECT_EQ(std::string(block.bytes.begin(), block.bytes.begin() + block.count),
              first.substr(0, 16));
    EXPECT_FALSE(ring.TryPop(block)) << "the loss is told once it is marked";
    const uint8_t later = '!';
    EXPECT_EQ(ring.PutBytes(&later, 1, 9), 1u);  // room again: the mark goes first
    ASSERT_TRUE(ring.TryPop(block));
    EXPECT_EQ(block.kind, ReceivedKind::kBytesLost);
    EXPECT_EQ(block.lost, 3u);
    EXPECT_EQ(block.tick, 7u);
    ASSERT_TRUE(ring.TryPop(block));
    EXPECT_EQ(block.tick, 9u);

    ring.Reallocate(100);
    EXPECT_EQ(ring.Capacity(), 128u);
    EXPECT_TRUE(ring.Empty());
    EXPECT_EQ(ring.LostTotal(), 3u);
}

TEST(ReceiverRingTest, AProducerAndAConsumerThreadAgreeOverRandomPacing) {
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ReceiverRing ring(1024);
        Expected expected;
        std::atomic<bool> done{false};
        std::thread producer([&] {
            std::mt19937 random(seed);
            uint32_t tick = 0;
            for (int step = 0; step < 20000; ++step) {
                RandomPut(random, ring, expected, tick, false);
                if (random() % 64 == 0) {
                    std::this_thread::yield();
                }
            }
            while (!ring.FlushLost()) {
                std::this_thread::yield();
            }
            done.store(true);
        });
        std::vector<ReceivedBlock> taken;
        std::mt19937 pace(seed * 77);
        ReceivedBlock block;
        while (!done.load() || !ring.Empty()) {
            if (ring.TryPop(block)) {
                taken.push_back(block);
            } else if (pace() % 8 == 0) {
                std::this_thread::sleep_for(std::chrono::microseconds(pace() % 300));
            }
        }
        producer.join();
        // The producer's record is complete only now.
        Checker checker(expected);
        for (const ReceivedBlock& part : taken) {
            ASSERT_NO_FATAL_FAILURE(checker.Take(part));
        }
        checker.ExpectAllTaken();
    }
}

}  // namespace
}  // namespace vantrel
