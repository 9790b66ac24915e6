// ReceiverHub on the offscreen platform: a real pseudo-terminal and a script through the same
// reader and queue, recording and replay, the lost link, Close and the nested drain. Waits have
// generous time-outs; no assertion is about speed.

#include "sensors/receiver_hub.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>

#include "common/safe_file.h"
#include "sensors/pty_pair.h"
#include "support/temp_dir.h"

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

}  // namespace
}  // namespace vantrel
