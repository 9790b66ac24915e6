// ReceiverHub on the offscreen platform: a real pseudo-terminal and a script through the same
// reader and ring, recording and replay, the lost link and its return, a full ring, Close and
// the nested drain. Waits have generous time-outs and no assertion is about how long anything
// takes, except the stamps' own promise: each byte keeps the tick of its arrival.

#include "sensors/receiver_hub.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>

#include <time.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <thread>

#include "common/messages.h"
#include "common/safe_file.h"
#include "sensors/pty_pair.h"
#include "sensors/realtime.h"
#include "support/temp_dir.h"
#include "widgets/ui_tr.h"

namespace vantrel {
namespace {

constexpr int kWaitMs = 10000;

std::vector<ReceivedBlock> BlocksOf(const QSignalSpy& spy) {
    std::vector<ReceivedBlock> blocks;
    for (const QList<QVariant>& call : spy) {
        blocks.push_back(call[0].value<ReceivedBlock>());
    }
    return blocks;
}

std::string AllBytes(const QSignalSpy& spy) {
    std::string all;
    for (const ReceivedBlock& block : BlocksOf(spy)) {
        all += test::BytesOf(block);
    }
    return all;
}

bool WaitForBytes(QSignalSpy& spy, size_t count) {
    while (AllBytes(spy).size() < count) {
        if (!spy.wait(kWaitMs)) {
            return false;
        }
    }
    return true;
}

// Waits, without running the event loop, until the reader has taken `count` bytes.
bool WaitForRead(const ReceiverHub& hub, uint64_t count) {
    for (int i = 0; i < 2000 && hub.BytesReceived() < count; ++i) {
        QTest::qSleep(5);
    }
    return hub.BytesReceived() >= count;
}

class ReceiverHubTest : public ::testing::Test {
protected:
    MonotonicMsClock clock;
    ReceiverHub hub{clock};
    QSignalSpy blocks{&hub, &ReceiverHub::blockReceived};
    QSignalSpy lost{&hub, &ReceiverHub::linkLost};
};

TEST_F(ReceiverHubTest, PortBlocksTransmitAndLostLinkReachTheGuiInOrder) {
    test::PtyPair pty;
    ASSERT_TRUE(hub.Open(pty.path, 9600)) << hub.LastError().toStdString();
    EXPECT_TRUE(hub.IsOpen());
    ASSERT_TRUE(pty.Write("\x31\x32\x2D\x35"));
    ASSERT_TRUE(WaitForBytes(blocks, 4));
    ASSERT_EQ(blocks.size(), 1);
    const ReceivedBlock first = BlocksOf(blocks)[0];
    EXPECT_EQ(test::BytesOf(first), "\x31\x32\x2D\x35");
    EXPECT_GE(static_cast<int32_t>(first.tick - hub.OpenTick()), 0);

    ASSERT_TRUE(hub.Transmit("01:23.456\r"));
    EXPECT_EQ(pty.Read(10), "01:23.456\r");

    ASSERT_TRUE(pty.Write("789"));
    ASSERT_TRUE(WaitForRead(hub, 7));  // queued, not yet handed on, when the link goes
    pty.CloseMaster();
    ASSERT_TRUE(lost.wait(kWaitMs));
    EXPECT_EQ(AllBytes(blocks),
              "\x31\x32\x2D\x35"
              "789");  // every byte came before the loss
    EXPECT_FALSE(lost[0][0].toString().isEmpty());
    QTest::qWait(50);
    EXPECT_EQ(lost.size(), 1);
    EXPECT_TRUE(hub.IsOpen());  // until the owner closes it
    EXPECT_FALSE(hub.Transmit("1\r"));
    hub.Close();
    EXPECT_FALSE(hub.IsOpen());
}

TEST_F(ReceiverHubTest, OpenFailuresTellTheReason) {
    EXPECT_FALSE(hub.Open("None", 9600));
    EXPECT_EQ(hub.LastError().toStdString(), "no serial port is chosen");
    EXPECT_FALSE(hub.Open("/nonexistent/ttyX", 9600));
    EXPECT_EQ(hub.LastError().toStdString(),
              "cannot find /nonexistent/ttyX: No such file or directory");
    EXPECT_FALSE(hub.IsOpen());
    EXPECT_FALSE(hub.Transmit("1"));
    hub.Close();  // safe when closed
}

TEST_F(ReceiverHubTest, CloseDeliversWhatIsQueuedAndNestedDrainKeepsTheOrder) {
    test::PtyPair pty;
    hub.SetManualDrain(true);
    ASSERT_TRUE(hub.Open(pty.path, 9600)) << hub.LastError().toStdString();
    ASSERT_TRUE(pty.Write("1"));
    ASSERT_TRUE(WaitForRead(hub, 1));
    ASSERT_TRUE(pty.Write("2"));
    ASSERT_TRUE(WaitForRead(hub, 2));
    QTest::qWait(20);
    EXPECT_EQ(blocks.size(), 0);  // nothing is handed on without a drain

    std::string seen;
    QObject::connect(&hub, &ReceiverHub::blockReceived, &hub, [&](const ReceivedBlock& block) {
        seen += test::BytesOf(block);
        hub.Drain();  // a handler's nested event loop: must not deliver "2" inside "1"
        seen += '.';
    });
    hub.Close();
    EXPECT_EQ(seen, "1.2.");
    EXPECT_FALSE(hub.IsOpen());
}

TEST_F(ReceiverHubTest, ScriptPlaysThroughTheReaderAndItsRecordingReplays) {
    const test::TempDir dir;
    const auto parsed = ParseReceiverScript("50 1 2\n+40 :\n150 0x41\n");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    hub.UseScript(parsed.script);
    hub.RecordTo(dir / "rx.txt");
    ASSERT_TRUE(hub.Open("COM1", 9600));  // the port name is not used
    ASSERT_TRUE(WaitForBytes(blocks, 4));
    EXPECT_TRUE(hub.Transmit("00:42.000\r"));
    EXPECT_EQ(hub.ScriptTransmitted(), "00:42.000\r");
    hub.Close();
    EXPECT_TRUE(hub.ScriptFinished());
    EXPECT_EQ(AllBytes(blocks), "12:A");
    std::vector<uint32_t> firstTimes;
    for (const ReceivedBlock& block : BlocksOf(blocks)) {
        firstTimes.push_back(block.tick - hub.OpenTick());
    }
    EXPECT_GE(firstTimes.front(), 50u);  // never before its scripted time
    EXPECT_GE(firstTimes.back(), 150u);

    const auto recorded = LoadReceiverScript(dir / "rx.txt");
    ASSERT_TRUE(recorded.ok) << recorded.error;
    ASSERT_EQ(recorded.script.blocks.size(), firstTimes.size());
    ReceiverHub replay(clock);
    QSignalSpy replayed(&replay, &ReceiverHub::blockReceived);
    replay.UseScript(recorded.script);
    ASSERT_TRUE(replay.Open("None", 9600));
    ASSERT_TRUE(WaitForBytes(replayed, 4));
    replay.Close();
    EXPECT_EQ(AllBytes(replayed), "12:A");
    for (size_t i = 0; i < recorded.script.blocks.size(); ++i) {
        EXPECT_EQ(recorded.script.blocks[i].atMs, firstTimes[i]);
    }
    EXPECT_GE(replayed.size(), 1);

    // The second opening plays the script again and is recorded to a numbered file.
    ASSERT_TRUE(hub.Open("COM1", 9600));
    hub.Close();
    EXPECT_TRUE(std::filesystem::exists(dir / "rx-2.txt"));
}

TEST_F(ReceiverHubTest, CommandLineOptionsTakeEffectOrTellTheFault) {
    const test::TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir / "bad.txt", "100 1\n200 twelve\n"));
    QString error;
    EXPECT_FALSE(ApplyReceiverOptions({"--receiver", (dir / "bad.txt").string()}, hub, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("bad.txt の 2 行目")));
    EXPECT_TRUE(error.contains(QStringLiteral("code 'twelve'")));
    EXPECT_FALSE(hub.UsesScript());

    ASSERT_TRUE(WriteFileAtomic(dir / "race.txt", "100 1\n"));
    error.clear();
    EXPECT_TRUE(ApplyReceiverOptions({"--receiver", (dir / "race.txt").string(),
                                      "--record-receiver", (dir / "rec.txt").string()},
                                     hub, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(hub.UsesScript());
    ASSERT_TRUE(hub.Open("None", 9600));
    hub.Close();
    EXPECT_TRUE(std::filesystem::exists(dir / "rec.txt"));
}

// Writes `count` single codes 3 ms apart on the far end of `pty`, from a thread that asks for
// the real-time class so that its own delays do not count against the stamps. Each write is
// bracketed by readings of the hub's clock.
class CodeWriter {
public:
    struct Write {
        uint32_t before;
        uint32_t after;
    };
    CodeWriter(const test::PtyPair& pty, const MsClock& clock, int count)
        : thread_([&pty, &clock, count, this] { Run(pty, clock, count); }) {}
    ~CodeWriter() { Join(); }
    // Waits for the last write; the writes in order.
    const std::vector<Write>& Join() {
        if (thread_.joinable()) {
            thread_.join();
        }
        return writes_;
    }

private:
    void Run(const test::PtyPair& pty, const MsClock& clock, int count) {
        AskForRealtime(kReceiverThreadPriority + 1);
        timespec next{};
        clock_gettime(CLOCK_MONOTONIC, &next);
        for (int i = 0; i < count; ++i) {
            next.tv_nsec += 3'000'000;
            if (next.tv_nsec >= 1'000'000'000) {
                next.tv_nsec -= 1'000'000'000;
                ++next.tv_sec;
            }
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
            const char code = static_cast<char>('1' + i % 9);
            const uint32_t before = clock.MsTick();
            pty.Write(std::string_view(&code, 1));
            writes_.push_back({before, clock.MsTick()});
        }
    }

    std::vector<Write> writes_;
    std::thread thread_;
};

TEST_F(ReceiverHubTest, EveryByteKeepsItsArrivalTickWhileANestedLoopHoldsTheWindow) {
    constexpr int kCodes = 1000;
    constexpr int kHeldMs = 3000;
    test::PtyPair pty;
    ASSERT_TRUE(hub.Open(pty.path, 9600)) << hub.LastError().toStdString();
    // Like a message box on the first passing: it holds the window for 3 s while the receiver
    // sends on.
    bool held = false;
    QObject::connect(&hub, &ReceiverHub::blockReceived, &hub, [&] {
        if (!held) {
            held = true;
            QEventLoop box;
            QTimer::singleShot(kHeldMs, &box, &QEventLoop::quit);
            box.exec();
        }
    });
    CodeWriter writer(pty, clock, kCodes);
    ASSERT_TRUE(WaitForBytes(blocks, kCodes));
    const std::vector<CodeWriter::Write>& writes = writer.Join();
    EXPECT_TRUE(held);
    EXPECT_EQ(hub.BytesLost(), 0u);

    std::vector<uint32_t> stamps;
    for (const ReceivedBlock& block : BlocksOf(blocks)) {
        for (uint16_t i = 0; i < block.count; ++i) {
            ASSERT_EQ(block.bytes[i], '1' + stamps.size() % 9) << "byte " << stamps.size();
            stamps.push_back(block.tick);
        }
    }
    ASSERT_EQ(stamps.size(), static_cast<size_t>(kCodes));
    // The kernel's tty layer hands bytes to their reader from a worker thread of normal
    // priority, so on a loaded machine some reach even a real-time reader late; the reader
    // stamps what it is given at once, so most codes are stamped within 2 ms of their write and
    // none waits for the window (which held them up to seconds when the reader stopped).
    std::vector<int32_t> errors;
    for (int i = 0; i < kCodes; ++i) {
        ASSERT_GE(static_cast<int32_t>(stamps[i] - writes[i].before), 0) << "code " << i;
        errors.push_back(static_cast<int32_t>(stamps[i] - writes[i].after));
    }
    std::sort(errors.begin(), errors.end());
    EXPECT_LE(errors[kCodes / 2], 2) << "median stamp error in ms";
    EXPECT_LT(errors.back(), kHeldMs / 10) << "worst stamp error in ms";
}

TEST_F(ReceiverHubTest, APortThatVanishesAndComesBackIsReadAgainAndEachLossIsTold) {
    // A by-id style link stands for the USB adapter's path; unplugging removes it.
    const test::TempDir dir;
    const std::filesystem::path device = dir / "ttyUSB-receiver";
    auto pty = std::make_unique<test::PtyPair>();
    std::filesystem::create_symlink(pty->path, device);
    QSignalSpy back(&hub, &ReceiverHub::linkBack);
    ASSERT_TRUE(hub.Open(device.string(), 9600)) << hub.LastError().toStdString();
    ASSERT_TRUE(pty->Write("1"));
    ASSERT_TRUE(WaitForBytes(blocks, 1));

    for (int loss = 1; loss <= 2; ++loss) {
        SCOPED_TRACE("loss " + std::to_string(loss));
        pty->CloseMaster();
        std::filesystem::remove(device);
        ASSERT_TRUE(lost.size() == loss || lost.wait(kWaitMs));
        ASSERT_EQ(lost.size(), loss);
        EXPECT_TRUE(hub.Gaps().LinkDown());
        EXPECT_TRUE(hub.LinkStatusText().startsWith(Tr(msg::kWarnReceiverLost)));
        EXPECT_FALSE(hub.Transmit("1\r"));
        QTest::qWait(3 * ReceiverReader::kReopenPeriodMs);
        EXPECT_EQ(back.size(), loss - 1) << "nothing to open yet";

        pty = std::make_unique<test::PtyPair>();  // plugged in again
        std::filesystem::create_symlink(pty->path, device);
        ASSERT_TRUE(back.wait(kWaitMs));
        EXPECT_TRUE(hub.IsOpen());
        EXPECT_FALSE(hub.Gaps().LinkDown());
        const std::string code(1, static_cast<char>('1' + loss));
        ASSERT_TRUE(pty->Write(code));
        ASSERT_TRUE(WaitForBytes(blocks, 1 + loss));
        ASSERT_TRUE(hub.Transmit("01:23.456\r"));
        EXPECT_EQ(pty->Read(10), "01:23.456\r");
    }
    EXPECT_EQ(AllBytes(blocks), "123");
    const std::vector<ReceiverGap>& gaps = hub.Gaps().All();
    ASSERT_EQ(gaps.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(lost[i][1].toUInt(), gaps[i].lostTick);
        EXPECT_EQ(back[i][0].toUInt(), gaps[i].lostTick);
        EXPECT_EQ(back[i][1].toUInt(), gaps[i].backTick);
        EXPECT_GE(static_cast<int32_t>(gaps[i].backTick - gaps[i].lostTick),
                  3 * ReceiverReader::kReopenPeriodMs);
        EXPECT_FALSE(gaps[i].reason.empty());
    }
    const auto at = [](int32_t ms) { return QString::fromStdString(FormatTimeOfDay(ms)); };
    EXPECT_EQ(
        hub.LinkStatusText(),
        Tr(msg::kWarnReceiverGaps).arg(at(gaps[1].lostMsOfDay), at(gaps[1].backMsOfDay)).arg(2));
    EXPECT_EQ(hub.LinkStatusDetail().split(QLatin1Char('\n')).size(), 2);
    EXPECT_TRUE(hub.LinkStatusDetail().contains(at(gaps[0].backMsOfDay)));

    // A new opening starts without gaps.
    ASSERT_TRUE(hub.Open(device.string(), 9600));
    EXPECT_TRUE(hub.Gaps().All().empty());
    EXPECT_TRUE(hub.LinkStatusText().isEmpty());
}

TEST_F(ReceiverHubTest, BytesAFullRingCannotHoldAreCountedToldAndShown) {
    hub.SetRingCapacity(64);
    hub.SetManualDrain(true);  // the window does not get to the bytes meanwhile
    QSignalSpy dropped(&hub, &ReceiverHub::bytesLost);
    test::PtyPair pty;
    ASSERT_TRUE(hub.Open(pty.path, 9600)) << hub.LastError().toStdString();
    EXPECT_EQ(hub.RingCapacity(), 64u);
    const std::string flood(100, '7');
    ASSERT_TRUE(pty.Write(flood));
    ASSERT_TRUE(WaitForRead(hub, flood.size()));
    EXPECT_EQ(hub.BytesLost(), 36u);
    for (int i = 0; i < 2000 && dropped.isEmpty(); ++i) {
        QTest::qSleep(5);
        hub.Drain();
    }
    ASSERT_EQ(dropped.size(), 1);
    EXPECT_EQ(dropped[0][0].toUInt(), 36u);
    EXPECT_EQ(AllBytes(blocks), flood.substr(0, 64));
    EXPECT_EQ(hub.BytesLostSinceOpen(), 36u);
    EXPECT_EQ(hub.BytesLostText(), Tr(msg::kWarnReceiverBytesLost).arg(36));

    ASSERT_TRUE(pty.Write("12"));  // room again
    ASSERT_TRUE(WaitForRead(hub, flood.size() + 2));
    hub.Drain();
    EXPECT_EQ(AllBytes(blocks), flood.substr(0, 64) + "12");
    ASSERT_TRUE(hub.Open(pty.path, 9600));
    EXPECT_TRUE(hub.BytesLostText().isEmpty());
    EXPECT_EQ(hub.BytesLost(), 36u);  // counted since the hub was made
}

}  // namespace
}  // namespace vantrel
