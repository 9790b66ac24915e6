// The drag step on the timing thread, driven through the real sampler tick: line times, OFF
// delays, the green timer, red on an early start and the lamp byte written in the same tick.

#include "modes/drag_tree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "common/ms_clock.h"
#include "sensors/fake_sources.h"
#include "sensors/timing_loop.h"

namespace vantrel {
namespace {

using Kind = SensorEventKind;

class DragTreeTest : public ::testing::Test {
protected:
    DragTreeTest() : source(ReadRule::kParallelPort), sampler(clock, queue) {
        config.pollPeriodMs = 3;
        config.offDelayMs = 100;
        config.controlXor = 4;
        config.ioAddress = 0x378;
        config.source = &source;
        config.dragHook = &tree;
        sampler.Configure(config);
        sampler.SetActiveMode(RaceMode::kDrag);
        clock.Set(1000);
        sampler.Prime();
    }

    // Lines active (bit set) from the next tick on.
    void Active(uint8_t lines) { source.sample.dataByte = static_cast<uint8_t>(~lines); }
    std::vector<SensorEvent> TickAt(uint32_t t) {
        clock.Set(t);
        sampler.Tick();
        std::vector<SensorEvent> events;
        SensorEvent e;
        while (queue.Pop(e)) {
            events.push_back(e);
        }
        return events;
    }
    // A line pulse of one tick at `t`, released at the next tick.
    std::vector<SensorEvent> Pulse(int line, uint32_t t) {
        Active(static_cast<uint8_t>(1u << line));
        std::vector<SensorEvent> events = TickAt(t);
        Active(0);
        TickAt(t + 3);
        return events;
    }
    static const SensorEvent* Find(const std::vector<SensorEvent>& events, Kind kind) {
        for (const SensorEvent& e : events) {
            if (e.kind == kind) {
                return &e;
            }
        }
        return nullptr;
    }
    uint8_t Lamps() const { return sampler.State().lampByte; }
    uint8_t LastWrite() const { return source.lampWrites.back(); }

    FakeMsClock clock;
    SensorEventQueue queue;
    test::FixedSource source;
    DragTree tree;
    Sampler sampler;
    SamplerConfig config;
};

TEST_F(DragTreeTest, StockStartLightsGreenAtTheFirstTickPastTheDelayAndWritesItThen) {
    const std::vector<SensorEvent> start = Pulse(0, 1000);
    ASSERT_NE(Find(start, Kind::kDragNewRun), nullptr);
    EXPECT_EQ(Lamps(), 0xFF & ~kAmberLampBit);
    EXPECT_EQ(LastWrite(), (0xFF & ~kAmberLampBit) ^ 4);
    TickAt(1498);
    EXPECT_NE(Lamps() & kGreenLampBit, 0);
    const std::vector<SensorEvent> green = TickAt(1501);
    EXPECT_EQ(Lamps() & kGreenLampBit, 0);
    EXPECT_EQ(LastWrite(), Lamps() ^ 4) << "the green lamp is written in the tick it lights";
    const SensorEvent* lamps = Find(green, Kind::kDragLamps);
    ASSERT_NE(lamps, nullptr);
    EXPECT_EQ(lamps->lampByte, Lamps());
    // A start line now is no false start: red stays dark.
    Pulse(1, 1600);
    EXPECT_NE(Lamps() & kRedLampBit, 0);
}

TEST_F(DragTreeTest, EarlyStartLineLightsRedInItsTickAndGreenNeverFollows) {
    sampler.Commands().SendProTree(true);
    Pulse(0, 1000);
    const std::vector<SensorEvent> early = Pulse(1, 1399);  // Pro limit 400 ms
    const SensorEvent* start = Find(early, Kind::kDragStartLine);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->drag.greenDelayMs, kProGreenDelayMs);
    EXPECT_EQ(start->drag.times[1] - start->drag.times[0], 399);
    EXPECT_EQ(Lamps() & kRedLampBit, 0);
    TickAt(2000);
    EXPECT_NE(Lamps() & kGreenLampBit, 0) << "no green after a red lamp";
    // At exactly the delay the start is clean.
    sampler.Commands().SendRequest(SamplerCommandKind::kRunReset);
    Pulse(0, 3000);
    Pulse(1, 3400);
    EXPECT_EQ(Lamps() & (kGreenLampBit | kRedLampBit), kRedLampBit);
}

TEST_F(DragTreeTest, FinishHandsOverEveryTimeAndResetsTheTree) {
    sampler.Commands().SendTreeButton(true);
    Pulse(0, 1000);
    Pulse(1, 1600);
    Pulse(2, 2000);
    Pulse(5, 5000);
    Pulse(6, 8000);
    const std::vector<SensorEvent> finish = Pulse(7, 9250);
    const SensorEvent* done = Find(finish, Kind::kDragFinish);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(done->tick, 9250u);
    for (int line : {0, 1, 2, 5, 6, 7}) {
        EXPECT_TRUE(done->drag.IsSet(line)) << line;
    }
    EXPECT_FALSE(done->drag.IsSet(3));
    EXPECT_EQ(done->drag.times[7] - done->drag.times[6], 1250);
    ASSERT_NE(Find(finish, Kind::kDragRunReset), nullptr);
    EXPECT_EQ(tree.Run().setLines, 0);
    EXPECT_EQ(Lamps(), 0xFF);
    // The GUI's release after the finish is no new edge: a run begun meanwhile stays.
    Pulse(0, 9400);
    sampler.Commands().SendTreeButton(false);
    EXPECT_EQ(Find(TickAt(9500), Kind::kDragRunReset), nullptr);
    EXPECT_TRUE(tree.Run().IsSet(0));
}

TEST_F(DragTreeTest, LinesWithoutTheirRunGiveNoResultAndNoLamp) {
    // Finish and splits without a start line: no event, no row.
    EXPECT_EQ(Find(Pulse(3, 1000), Kind::kDragSplit), nullptr);
    EXPECT_EQ(Find(Pulse(7, 1100), Kind::kDragFinish), nullptr);
    // A run started by the start line alone: no lamp changes, no tree start time.
    const std::vector<SensorEvent> start = Pulse(1, 1200);
    ASSERT_NE(Find(start, Kind::kDragStartLine), nullptr);
    EXPECT_EQ(Lamps(), 0xFF);
    const SensorEvent* done = Find(Pulse(7, 3000), Kind::kDragFinish);
    ASSERT_NE(done, nullptr);
    EXPECT_FALSE(done->drag.IsSet(0));
}

TEST_F(DragTreeTest, AllEightLinesAtOnceMakeOneRunWithoutASpeed) {
    Active(0xFF);
    const std::vector<SensorEvent> events = TickAt(1003);
    const SensorEvent* done = Find(events, Kind::kDragFinish);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(done->drag.setLines, 0xFF);
    EXPECT_EQ(Lamps(), 0xFF) << "the finish reset the tree in the same tick";
    // Held for minutes, the lines start nothing more until they are released.
    clock.Set(200000);
    EXPECT_EQ(Find(TickAt(200003), Kind::kDragNewRun), nullptr);
}

TEST_F(DragTreeTest, LineRenewedInsideItsOffDelayKeepsItsTimeButShowsOnItsIndicator) {
    Pulse(1, 1000);
    Pulse(2, 1100);  // released at 1103: OFF delay to 1203
    const std::vector<SensorEvent> again = Pulse(2, 1150);
    EXPECT_NE(Find(again, Kind::kDragLineOn), nullptr);
    EXPECT_EQ(Find(again, Kind::kDragSplit), nullptr);
    EXPECT_EQ(tree.Run().times[2], 1100);
    // Held active, the delay keeps counting from the latest active sample.
    TickAt(1250);
    const std::vector<SensorEvent> over = TickAt(1260);
    ASSERT_NE(Find(over, Kind::kDragLabelNormal), nullptr);
    EXPECT_EQ(Find(Pulse(2, 1300), Kind::kDragSplit)->drag.times[2], 1300);
}

TEST_F(DragTreeTest, OperatorCommandsTakeEffectAtTheNextTick) {
    // "Amber ON": reset and amber at once; Pro lights its indicator with every reset.
    sampler.Commands().SendProTree(true);
    sampler.Commands().SendTreeButton(true);
    TickAt(1003);
    EXPECT_EQ(Lamps(), 0xFE & ~kAmberLampBit);
    // A digit key forces its line for as long as it is held, and a short press still counts.
    KeyLevels keys;
    keys.keyDragLines = 1 << 0;
    sampler.SendKeys(keys);
    sampler.SendKeys(KeyLevels{});
    ASSERT_NE(Find(TickAt(1006), Kind::kDragNewRun), nullptr);
    TickAt(1009);
    // "Abort": the run and its lamps go; the Pro indicator stays lit.
    sampler.Commands().SendTreeButton(false);
    ASSERT_NE(Find(TickAt(1012), Kind::kDragRunReset), nullptr);
    EXPECT_EQ(Lamps(), 0xFE);
    EXPECT_EQ(tree.Run().setLines, 0);
    // A session start puts every lamp out, the Pro indicator too.
    sampler.Commands().SendRequest(SamplerCommandKind::kRunReset);
    sampler.Prime();
    EXPECT_EQ(Lamps(), 0xFF);
    // "None" and "USB" write no lamps.
    source.lampWrites.clear();
    config.ioAddress = 0;
    sampler.Configure(config);
    Pulse(0, 2000);
    EXPECT_TRUE(source.lampWrites.empty());
}

TEST_F(DragTreeTest, AKeyReleaseTakenAfterTheFinishLeavesTheRunBegunMeanwhileAlone) {
    sampler.Commands().SendTreeButton(true);
    Pulse(0, 1000);
    Pulse(1, 1600);
    // The finish comes from the keyboard: digit 8 held down.
    KeyLevels finishKey;
    finishKey.keyDragLines = 0x80;
    sampler.SendKeys(finishKey);
    ASSERT_NE(Find(TickAt(9000), Kind::kDragFinish), nullptr);
    // The next car's tree start on the port before the window has taken the finish or the
    // key's release.
    const std::vector<SensorEvent> next = Pulse(0, 9100);
    ASSERT_NE(Find(next, Kind::kDragNewRun), nullptr);
    EXPECT_EQ(Lamps(), 0xFF & ~kAmberLampBit);
    // Now the key's release, then the window's release of the tree button after the finish.
    sampler.SendKeys(KeyLevels{});
    EXPECT_EQ(Find(TickAt(9200), Kind::kDragRunReset), nullptr);
    sampler.Commands().SendTreeButton(false);
    EXPECT_EQ(Find(TickAt(9300), Kind::kDragRunReset), nullptr);
    EXPECT_TRUE(tree.Run().IsSet(0));
    EXPECT_EQ(tree.Run().times[0], 9100);
    // The run goes on: its green lamp comes on at its own delay.
    TickAt(9599);
    EXPECT_NE(Lamps() & kGreenLampBit, 0);
    TickAt(9600);
    EXPECT_EQ(Lamps(), 0xFF & ~kAmberLampBit & ~kGreenLampBit);
}

TEST_F(DragTreeTest, TheSessionEndResetsTheRunAndWritesEveryLampDarkBeforeItReturns) {
    // Ticks run by hand: joining the loop with no thread runs the session end.
    std::atomic<bool> running{true};
    TimingLoop loop(sampler, clock, running, nullptr);
    sampler.Commands().SendProTree(true);
    sampler.Commands().SendTreeButton(true);
    clock.Set(1003);
    loop.Callback();
    Active(0x01);
    clock.Set(1006);
    loop.Callback();
    EXPECT_EQ(LastWrite(), (0xFE & ~kAmberLampBit) ^ 4);
    running = false;
    loop.Join();
    EXPECT_EQ(LastWrite(), 0xFF ^ 4);
    EXPECT_EQ(Lamps(), 0xFF);
    EXPECT_EQ(tree.Run().setLines, 0);
    std::vector<Kind> kinds;
    for (SensorEvent e; queue.Pop(e);) {
        kinds.push_back(e.kind);
    }
    ASSERT_GE(kinds.size(), 2u);
    EXPECT_EQ(kinds[kinds.size() - 2], Kind::kDragRunReset);
    EXPECT_EQ(kinds.back(), Kind::kDragLamps);
    // Once is enough: a second join writes nothing.
    const size_t writes = source.lampWrites.size();
    loop.Join();
    EXPECT_EQ(source.lampWrites.size(), writes);
}

// A port that tells which thread wrote each lamp byte.
class ThreadPort final : public InputSource {
public:
    ReadRule Rule() const override { return ReadRule::kParallelPort; }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(uint32_t, RawSample& out) override {
        reader = std::this_thread::get_id();
        out.dataByte = 0xFF;
        out.statusByte = 0x7F;
        out.controlByte = control;
        return true;
    }
    void WriteLamp(uint8_t byte) override {
        control = byte;
        std::lock_guard lock(mutex);
        writes.push_back({byte, std::this_thread::get_id()});
    }
    void Close() override {}
    std::string LastError() const override { return {}; }
    uint8_t LastByte() {
        std::lock_guard lock(mutex);
        return writes.empty() ? 0 : writes.back().first;
    }

    std::thread::id reader;
    uint8_t control = 0xFF ^ 4;
    std::mutex mutex;
    std::vector<std::pair<uint8_t, std::thread::id>> writes;
};

TEST(DragTreeSessionTest, TheStopReachesThePortFromTheTimingThreadBeforeItEnds) {
    MonotonicMsClock clock;
    SensorEventQueue queue;
    ThreadPort port;
    DragTree tree;
    SamplerConfig config;
    config.pollPeriodMs = 1;
    config.controlXor = 4;
    config.ioAddress = 0x378;
    config.source = &port;
    config.dragHook = &tree;
    Sampler sampler(clock, queue);
    sampler.Configure(config);
    sampler.SetActiveMode(RaceMode::kDrag);
    sampler.Prime();
    std::atomic<bool> running{true};
    TimingLoop loop(sampler, clock, running, nullptr);
    loop.Arm();
    sampler.Commands().SendTreeButton(true);
    const uint8_t amber = (0xFF & ~kAmberLampBit) ^ 4;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (port.LastByte() != amber && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(port.LastByte(), amber);
    // The window's stop clears the session flag and waits for the thread before it tells the
    // drag flow, whose reset then reaches no tick of this session.
    running = false;
    loop.Join();
    sampler.Commands().SendTreeButton(false);
    sampler.Commands().SendRequest(SamplerCommandKind::kRunReset);
    ASSERT_FALSE(port.writes.empty());
    EXPECT_EQ(port.writes.back().first, 0xFF ^ 4);
    EXPECT_EQ(port.writes.back().second, port.reader) << "written by the timing thread";
    EXPECT_NE(port.writes.back().second, std::this_thread::get_id());
    bool reset = false;
    uint8_t shown = 0;
    for (SensorEvent e; queue.Pop(e);) {
        reset = reset || e.kind == SensorEventKind::kDragRunReset;
        shown = e.kind == SensorEventKind::kDragLamps ? e.lampByte : shown;
    }
    EXPECT_TRUE(reset);
    EXPECT_EQ(shown, 0xFF) << "the window is told the lamps are dark";
}

// Two trees fed the same port and the same operator, one of them also told about timing keys
// of the other modes at random moments: its lamps, run times and events must not differ.
struct TreeRig {
    explicit TreeRig(uint8_t& data) : data_(data), source(ReadRule::kParallelPort) {
        config.pollPeriodMs = 3;
        config.offDelayMs = 30;
        config.controlXor = 4;
        config.ioAddress = 0x378;
        config.source = &source;
        config.dragHook = &tree;
        sampler.Configure(config);
        sampler.SetActiveMode(RaceMode::kDrag);
        clock.Set(1000);
        sampler.Prime();
    }
    std::vector<SensorEvent> TickAt(uint32_t t) {
        clock.Set(t);
        source.sample.dataByte = data_;
        sampler.Tick();
        std::vector<SensorEvent> events;
        for (SensorEvent e; queue.Pop(e);) {
            events.push_back(e);
        }
        return events;
    }

    uint8_t& data_;
    FakeMsClock clock;
    SensorEventQueue queue;
    test::FixedSource source;
    DragTree tree;
    Sampler sampler{clock, queue};
    SamplerConfig config;
};

TEST(DragTreeSessionTest, KeysSentAtAnyMomentNeverMoveTheTree) {
    std::mt19937 rng(77);
    uint8_t data = 0xFF;
    TreeRig plain(data);
    TreeRig keyed(data);
    bool guiDown = false;  // the window's tree button
    int releaseIn = -1;    // ticks until the window takes a finish and releases its button
    KeyLevels keys;
    uint32_t t = 1000;
    for (int tick = 0; tick < 60000; ++tick) {
        // The operator: presses and aborts now and then; a car's lines as pulses.
        const unsigned r = rng() % 1000;
        if (r < 4) {
            guiDown = !guiDown;
            plain.sampler.Commands().SendTreeButton(guiDown);
            keyed.sampler.Commands().SendTreeButton(guiDown);
        } else if (r < 6) {
            plain.sampler.Commands().SendProTree(r == 4);
            keyed.sampler.Commands().SendProTree(r == 4);
        }
        if (rng() % 3 == 0) {
            const auto input = static_cast<SensorInput>(rng() % 4);
            keys.Set(input, !keys.Forces(input));
            keyed.sampler.SendKeys(keys);
        }
        data = rng() % 40 == 0 ? static_cast<uint8_t>(~(1u << (rng() % 8))) : 0xFF;
        t += 3;
        const std::vector<SensorEvent> a = plain.TickAt(t);
        const std::vector<SensorEvent> b = keyed.TickAt(t);
        ASSERT_EQ(a.size(), b.size()) << tick;
        for (size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(a[i].kind, b[i].kind) << tick;
            ASSERT_EQ(a[i].lampByte, b[i].lampByte) << tick;
            ASSERT_EQ(a[i].drag.setLines, b[i].drag.setLines) << tick;
            ASSERT_EQ(a[i].drag.times, b[i].drag.times) << tick;
            if (a[i].kind == Kind::kDragFinish && guiDown) {
                releaseIn = static_cast<int>(rng() % 200);
            }
        }
        ASSERT_EQ(plain.sampler.State().lampByte, keyed.sampler.State().lampByte) << tick;
        ASSERT_EQ(plain.source.lampWrites, keyed.source.lampWrites) << tick;
        if (releaseIn >= 0 && releaseIn-- == 0) {
            guiDown = false;
            plain.sampler.Commands().SendTreeButton(false);
            keyed.sampler.Commands().SendTreeButton(false);
        }
    }
}

}  // namespace
}  // namespace vantrel
