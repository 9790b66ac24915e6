// The receiver's reader thread on a pseudo-terminal opened by SerialLink: blocks and their
// ticks, a large burst, a flood the consumer does not take, a hang-up, and Stop.

#include "sensors/receiver_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "sensors/pty_pair.h"
#include "sensors/serial_link.h"

namespace vantrel {
namespace {

class CountingWaker final : public EventWaker {
public:
    void Wake() override { ++wakes; }
    std::atomic<int> wakes{0};
};

// A clock that moves by one on every reading, so that every block's tick tells which reading
// stamped it.
class SteppingClock final : public MsClock {
public:
    uint32_t MsTick() const override { return ++now_; }

private:
    mutable std::atomic<uint32_t> now_{0};
};

size_t TotalBytes(const std::vector<ReceivedBlock>& blocks) {
    size_t total = 0;
    for (const ReceivedBlock& block : blocks) {
        total += block.kind == ReceivedKind::kBytes ? block.count : 0;
    }
    return total;
}

std::string Joined(const std::vector<ReceivedBlock>& blocks) {
    std::string all;
    for (const ReceivedBlock& block : blocks) {
        if (block.kind == ReceivedKind::kBytes) {
            all += test::BytesOf(block);
        }
    }
    return all;
}

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return bytes;
}

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 2000 && !done(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

class ReceiverReaderTest : public ::testing::Test {
protected:
    void Start() {
        ASSERT_TRUE(link.Open(pty.path, 9600)) << link.LastError();
        std::string error;
        ASSERT_TRUE(reader.Start(link.Fd(), error)) << error;
    }

    test::PtyPair pty;
    SerialLink link;
    std::unique_ptr<ReceiverRing> queue = std::make_unique<ReceiverRing>();
    SteppingClock clock;
    CountingWaker waker;
    ReceiverReader reader{*queue, clock, &waker};
};

TEST_F(ReceiverReaderTest, BytesWrittenAtOnceArriveAsOneBlockWithOneTick) {
    Start();
    ASSERT_TRUE(pty.Write("\x31\x32\x2D\x35"));
    auto blocks = test::PopUntil(*queue, [](const auto& got) { return !got.empty(); });
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].kind, ReceivedKind::kBytes);
    EXPECT_EQ(test::BytesOf(blocks[0]), "\x31\x32\x2D\x35");
    EXPECT_GE(waker.wakes.load(), 1);

    ASSERT_TRUE(pty.Write("7"));
    blocks = test::PopUntil(*queue, [](const auto& got) { return !got.empty(); });
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(test::BytesOf(blocks[0]), "7");
    EXPECT_EQ(reader.BytesRead(), 5u);
    EXPECT_EQ(reader.BytesLost(), 0u);  // a pseudo-terminal cannot tell, and drops nothing
}

TEST_F(ReceiverReaderTest, LargeBurstArrivesCompleteInOrderInBlocksOfAtMost1024) {
    Start();
    const std::string burst = Pattern(64 * 1024);
    std::thread writer([&] { pty.Write(burst); });
    const auto blocks =
        test::PopUntil(*queue, [&](const auto& got) { return TotalBytes(got) >= burst.size(); });
    writer.join();
    EXPECT_EQ(Joined(blocks), burst);
    uint32_t previousTick = 0;
    for (const ReceivedBlock& block : blocks) {
        EXPECT_EQ(block.kind, ReceivedKind::kBytes);
        EXPECT_GE(block.count, 1);
        EXPECT_LE(block.count, ReceivedBlock::kMaxBytes);
        EXPECT_GT(block.tick, previousTick);  // one reading per block, in order
        previousTick = block.tick;
    }
}

TEST_F(ReceiverReaderTest, FloodNotTakenIsReadOnArrivalAndWhatTheRingCannotHoldIsTold) {
    queue->Reallocate(64 * 1024);
    Start();
    const std::string pattern = Pattern(1024 * 1024);
    // Blocking writes: a reader that stopped reading at a full ring would hold them.
    ASSERT_TRUE(pty.Write(pattern));
    ASSERT_TRUE(WaitFor([&] { return reader.BytesRead() == pattern.size(); }));
    EXPECT_EQ(queue->Size(), queue->Capacity());
    EXPECT_EQ(reader.BytesLost(), pattern.size() - queue->Capacity());

    // The ring holds the first bytes, each as stamped; the rest is told as lost after them.
    const uint64_t dropped = pattern.size() - queue->Capacity();
    const auto lostIn = [](const std::vector<ReceivedBlock>& blocks) {
        uint64_t lost = 0;
        for (const ReceivedBlock& block : blocks) {
            lost += block.kind == ReceivedKind::kBytesLost ? block.lost : 0;
        }
        return lost;
    };
    const auto blocks =
        test::PopUntil(*queue, [&](const auto& got) { return lostIn(got) >= dropped; });
    EXPECT_EQ(Joined(blocks), pattern.substr(0, queue->Capacity()));
    EXPECT_EQ(lostIn(blocks), dropped);
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks.back().kind, ReceivedKind::kBytesLost);

    ASSERT_TRUE(pty.Write("after"));
    const auto later = test::PopUntil(*queue, [](const auto& got) { return !got.empty(); });
    EXPECT_EQ(Joined(later), "after");
}

TEST_F(ReceiverReaderTest, HangUpDeliversEveryByteThenOneLinkLostAndEnds) {
    Start();
    ASSERT_TRUE(pty.Write("123"));
    ASSERT_TRUE(pty.Write("456"));
    // A hang-up makes the kernel discard what nobody has read yet; what was read must stay.
    for (int i = 0; i < 2000 && reader.BytesRead() < 6; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    pty.CloseMaster();
    const auto blocks = test::PopUntil(*queue, [](const auto& got) {
        return !got.empty() && got.back().kind == ReceivedKind::kLinkLost;
    });
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(Joined(blocks), "123456");
    EXPECT_EQ(blocks.back().kind, ReceivedKind::kLinkLost);
    EXPECT_FALSE(test::BytesOf(blocks.back()).empty());  // the reason
    for (size_t i = 0; i + 1 < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].kind, ReceivedKind::kBytes);
    }
    for (int i = 0; i < 1000 && !reader.Ended(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(reader.Ended());
    ReceivedBlock extra;
    EXPECT_FALSE(queue->TryPop(extra));  // exactly one marker
}

TEST_F(ReceiverReaderTest, StopEndsAWaitForBytesAndAWaitForRoom) {
    Start();
    EXPECT_TRUE(reader.Running());
    reader.Stop();  // waiting for bytes: a stop that relied on a time-out would hang here
    EXPECT_FALSE(reader.Running());
    EXPECT_TRUE(queue->Empty());  // a stop is no lost link

    // A full marker ring is the one wait left: the port hangs up while no marker fits.
    const std::string fill(queue->Capacity(), '7');
    queue->PutBytes(reinterpret_cast<const uint8_t*>(fill.data()), fill.size(), 1);
    while (queue->PutMarker(ReceivedKind::kLinkBack, 1)) {  // no reader runs: the only producer
    }
    std::string error;
    ASSERT_TRUE(reader.Start(link.Fd(), error)) << error;
    ASSERT_TRUE(pty.Write("9"));
    ASSERT_TRUE(WaitFor([&] { return reader.BytesRead() == 1; }));
    EXPECT_EQ(reader.BytesLost(), 1u);  // the full ring dropped it without waiting
    pty.CloseMaster();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    reader.Stop();  // waiting for room for the lost marker
    EXPECT_FALSE(reader.Running());
    EXPECT_EQ(queue->Size(), queue->Capacity());
}

}  // namespace
}  // namespace vantrel
