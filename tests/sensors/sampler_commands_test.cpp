// The command ring from the GUI to the tick: order, a full ring, and a sampler driven by
// nothing but its own commands and configuration (no session state anywhere).

#include "sensors/sampler_commands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "sensors/fake_sources.h"
#include "sensors/sampler.h"
#include "sensors/timing_loop.h"

namespace vantrel {
namespace {

using Kind = SamplerCommandKind;

std::vector<SamplerCommand> TakeAll(SamplerCommandRing& ring) {
    std::vector<SamplerCommand> taken;
    ring.Take([&taken](const SamplerCommand& command) { taken.push_back(command); });
    return taken;
}

TEST(SamplerCommandRingTest, CommandsArriveInOrderAndAFullRingKeepsTheNewestLevels) {
    auto ring = std::make_unique<SamplerCommandRing>();
    KeyLevels keys;
    keys.keyStart = true;
    ring->SendKeys(keys);
    ring->SendTreeButton(true);
    keys.keyStart = false;
    ring->SendKeys(keys);
    ring->SendRequest(Kind::kOffDelayReset);
    std::vector<SamplerCommand> taken = TakeAll(*ring);
    ASSERT_EQ(taken.size(), 4u);
    EXPECT_TRUE(taken[0].keys.keyStart);
    EXPECT_EQ(taken[1].kind, Kind::kTreeButtonDown);
    EXPECT_FALSE(taken[2].keys.keyStart);
    // A key command carries the keys alone, never where the tree button stood when it was sent.
    EXPECT_EQ(taken[2].kind, Kind::kKeyLevels);
    EXPECT_TRUE(ring->Levels().treeButtonDown);
    EXPECT_EQ(taken[3].kind, Kind::kOffDelayReset);
    EXPECT_TRUE(TakeAll(*ring).empty());

    // Nobody takes for a while: the ring fills, then the release and the requests sent after
    // it must still arrive, after everything sent before them.
    for (std::size_t i = 0; i < SamplerCommandRing::kCapacity + 40; ++i) {
        keys.keyFinish = i % 2 == 0;
        ring->SendKeys(keys);
    }
    ring->SendRequest(Kind::kRunReset);
    keys.keyFinish = false;
    ring->SendKeys(keys);
    ring->SendProTree(true);
    ring->SendRequest(Kind::kOffDelayReset);
    taken = TakeAll(*ring);
    ASSERT_GE(taken.size(), SamplerCommandRing::kCapacity);
    const SamplerCommand* lastKeys = nullptr;
    int runResets = 0;
    int offDelayResets = 0;
    int proStarts = 0;
    for (const SamplerCommand& command : taken) {
        runResets += command.kind == Kind::kRunReset ? 1 : 0;
        offDelayResets += command.kind == Kind::kOffDelayReset ? 1 : 0;
        proStarts += command.kind == Kind::kProStart ? 1 : 0;
        lastKeys = command.kind == Kind::kKeyLevels ? &command : lastKeys;
    }
    ASSERT_NE(lastKeys, nullptr);
    EXPECT_FALSE(lastKeys->keys.keyFinish);
    EXPECT_EQ(proStarts, 1);
    EXPECT_EQ(runResets, 1);
    EXPECT_EQ(offDelayResets, 1);

    // Afterwards the ring carries every change again.
    keys.keySplit1 = true;
    ring->SendKeys(keys);
    taken = TakeAll(*ring);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_TRUE(taken[0].keys.keySplit1);
    EXPECT_FALSE(taken[0].keys.keyFinish);
}

std::vector<SensorEvent> Drain(SensorEventQueue& queue) {
    std::vector<SensorEvent> events;
    SensorEvent event;
    while (queue.Pop(event)) {
        events.push_back(event);
    }
    return events;
}

int CountOf(const std::vector<SensorEvent>& events, SensorEventKind kind) {
    int n = 0;
    for (const SensorEvent& e : events) {
        n += e.kind == kind ? 1 : 0;
    }
    return n;
}

TEST(SamplerCommandRingTest, APressAndReleaseWithinOneTickReachTheRunningThreadAsOnePass) {
    std::atomic<bool> running{true};
    MonotonicMsClock clock;
    SensorEventQueue queue;
    NoneSource none;
    SamplerConfig config;
    config.pollPeriodMs = 20;  // long enough that both sends land between two ticks
    config.offDelayMs = 0;
    config.source = &none;
    Sampler sampler(clock, queue);
    sampler.Configure(config);
    sampler.Prime();
    TimingLoop loop(sampler, clock, running, nullptr);
    loop.Arm();

    KeyLevels keys;
    std::vector<SensorEvent> events;
    for (int pass = 0; pass < 3; ++pass) {
        keys.keyStart = true;
        sampler.SendKeys(keys);
        keys.keyStart = false;
        sampler.SendKeys(keys);
        // The next pass only once this one's lamp went off again (generous time-out).
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (CountOf(events, SensorEventKind::kLampOff) <= pass &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            for (const SensorEvent& e : Drain(queue)) {
                events.push_back(e);
            }
        }
    }
    running = false;
    loop.Join();
    for (const SensorEvent& e : Drain(queue)) {
        events.push_back(e);
    }
    EXPECT_EQ(CountOf(events, SensorEventKind::kActiveEdge), 3);
    // Each pass: lamp on, label red, the edge, then the lamp off at the next tick.
    std::vector<SensorEventKind> startKinds;
    for (const SensorEvent& e : events) {
        if (e.input == SensorInput::kStart && e.kind != SensorEventKind::kOffDelayOver) {
            startKinds.push_back(e.kind);
        }
    }
    const std::vector<SensorEventKind> onePass = {
        SensorEventKind::kLampOn, SensorEventKind::kLabelRed, SensorEventKind::kActiveEdge,
        SensorEventKind::kLampOff};
    ASSERT_EQ(startKinds.size(), 12u);
    for (std::size_t i = 0; i < startKinds.size(); ++i) {
        EXPECT_EQ(startKinds[i], onePass[i % 4]) << i;
    }
}

TEST(SamplerCommandRingTest, SamplerRunsOnItsOwnCommandsAndConfigurationAlone) {
    FakeMsClock clock(2000);
    SensorEventQueue queue;
    test::FixedSource source(ReadRule::kLevels);
    SamplerConfig config;
    config.offDelayMs = 100;
    config.source = &source;
    Sampler sampler(clock, queue);
    sampler.Configure(config);

    // A press and release before the session start makes no pass; a held key does.
    KeyLevels keys;
    keys.keyFinish = true;
    sampler.SendKeys(keys);
    keys.keyFinish = false;
    keys.keyStart = true;
    sampler.SendKeys(keys);
    sampler.Prime();
    clock.Advance(3);
    sampler.Tick();
    std::vector<SensorEvent> events = Drain(queue);
    ASSERT_EQ(CountOf(events, SensorEventKind::kActiveEdge), 1);
    EXPECT_EQ(events[2].input, SensorInput::kStart);

    // The drag commands wait in the sampler's state for the drag step.
    struct ReadingHook : DragHook {
        void SessionStart(SamplerState&) override {}
        int DragStep(SamplerState& state, const SamplerConfig&, SensorEventQueue&) override {
            seen.push_back(state.controls);
            state.controls.runResetRequested = false;
            return 0;
        }
        std::vector<SamplerControls> seen;
    } hook;
    config.dragHook = &hook;
    sampler.Configure(config);
    sampler.SetActiveMode(RaceMode::kDrag);
    sampler.Commands().SendProTree(true);
    sampler.Commands().SendTreeButton(true);
    sampler.Commands().SendRequest(SamplerCommandKind::kRunReset);
    keys.keyDragLines = 1 << 3;
    sampler.SendKeys(keys);
    clock.Advance(3);
    sampler.Tick();
    sampler.Commands().SendTreeButton(false);
    clock.Advance(3);
    sampler.Tick();
    ASSERT_EQ(hook.seen.size(), 2u);
    EXPECT_TRUE(hook.seen[0].proTree);
    EXPECT_TRUE(hook.seen[0].treeButtonPressed);
    EXPECT_TRUE(hook.seen[0].runResetRequested);
    EXPECT_EQ(hook.seen[0].keys.keyDragLines, 1 << 3);
    EXPECT_FALSE(hook.seen[1].treeButtonPressed);
    EXPECT_TRUE(hook.seen[1].treeButtonReleased);
    EXPECT_FALSE(hook.seen[1].runResetRequested);
    EXPECT_TRUE(Drain(queue).empty());  // the four inputs are not stepped in DRAG

    // Back in GYMKHANA the OFF-delay reset sent as a command restores the labels.
    sampler.SetActiveMode(RaceMode::kGymkhana);
    keys = KeyLevels{};
    sampler.SendKeys(keys);
    clock.Advance(3);
    sampler.Tick();
    Drain(queue);
    sampler.RequestOffDelayReset();
    clock.Advance(3);
    sampler.Tick();
    events = Drain(queue);
    // Finish's label comes back at once; Start's delay, still running, keeps its end.
    ASSERT_EQ(CountOf(events, SensorEventKind::kOffDelayOver), 1);
    EXPECT_EQ(events[0].input, SensorInput::kFinish);
}

// The tick's side of the controls, each command applied on its own in sending order.
struct ControlsModel {
    KeyLevels keys;
    KeyLevels pressed;  // pressed since the previous tick
    bool down = false;
    bool pro = false;
    bool edge = false;
    bool runReset = false;

    void Keys(const KeyLevels& next) {
        pressed = pressed | next.PressedSince(keys);
        keys = next;
    }
    void TreeButton(bool d) {
        edge = edge || d != down;
        down = d;
    }
};

// Records the controls each tick hands the drag step; a finish may release the button.
struct ControlsHook : DragHook {
    void SessionStart(SamplerState&) override {}
    int DragStep(SamplerState& state, const SamplerConfig&, SensorEventQueue&) override {
        seen = state.controls;
        state.controls.runResetRequested = false;
        if (finishNow && state.controls.treeButtonDown) {
            state.controls.treeButtonDown = false;
            finished = true;
        }
        return 0;
    }
    SamplerControls seen;
    bool finishNow = false;
    bool finished = false;
};

TEST(SamplerCommandRingTest, RandomCommandsReachTheTickAsIfEachWasAppliedInTurn) {
    FakeMsClock clock(1000);
    SensorEventQueue queue;
    NoneSource none;
    ControlsHook hook;
    SamplerConfig config;
    config.source = &none;
    config.dragHook = &hook;
    Sampler sampler(clock, queue);
    sampler.Configure(config);
    sampler.SetActiveMode(RaceMode::kDrag);
    sampler.Prime();

    std::mt19937 rng(20240611);
    ControlsModel model;
    KeyLevels keys;
    int sendsSinceTick = 0;
    int quiet = 0;  // sends left before the next tick may come: fills the ring
    for (int step = 0; step < 40000; ++step) {
        const unsigned r = rng() % 100;
        if (quiet == 0 && r < 25) {
            hook.finishNow = rng() % 3 == 0;
            hook.finished = false;
            clock.Advance(1);
            sampler.Tick();
            const SamplerControls& c = hook.seen;
            ASSERT_EQ(c.keys, model.keys) << step;
            ASSERT_EQ(c.proTree, model.pro) << step;
            ASSERT_EQ(c.treeButtonPressed || c.treeButtonReleased, model.edge) << step;
            ASSERT_EQ(c.runResetRequested, model.runReset) << step;
            ASSERT_EQ(c.treeButtonDown, model.down) << step;
            if (sendsSinceTick < static_cast<int>(SamplerCommandRing::kCapacity)) {
                ASSERT_EQ(c.keysSeen, model.pressed | model.keys) << step;  // nothing folded
            }
            if (hook.finished) {
                model.down = false;  // the finish released the button in the tick
            }
            model.pressed = KeyLevels{};
            model.edge = false;
            model.runReset = false;
            sendsSinceTick = 0;
            if (rng() % 50 == 0) {
                quiet = 200 + static_cast<int>(rng() % 400);
            }
            continue;
        }
        quiet = quiet > 0 ? quiet - 1 : 0;
        ++sendsSinceTick;
        if (r < 55) {
            const unsigned bit = rng() % 12;
            if (bit < 4) {
                const auto input = static_cast<SensorInput>(bit);
                keys.Set(input, !keys.Forces(input));
            } else {
                keys.keyDragLines = static_cast<uint8_t>(keys.keyDragLines ^ (1u << (bit - 4)));
            }
            sampler.SendKeys(keys);
            model.Keys(keys);
        } else if (r < 80) {
            const bool down = rng() % 2 == 0;
            sampler.Commands().SendTreeButton(down);
            model.TreeButton(down);
        } else if (r < 92) {
            const bool pro = rng() % 2 == 0;
            sampler.Commands().SendProTree(pro);
            model.pro = pro;
        } else {
            sampler.Commands().SendRequest(SamplerCommandKind::kRunReset);
            model.runReset = true;
        }
    }
}

TEST(SamplerCommandRingTest, ASenderAndATakerOnTwoThreadsKeepTheSendingOrder) {
    auto ring = std::make_unique<SamplerCommandRing>();
    constexpr int kSends = 200000;
    std::atomic<bool> sent{false};
    std::atomic<int> takenUpTo{0};  // the count of the newest key levels taken
    // The key levels count the sends (12 bits); every 64th send is a tree button edge.
    const auto keysOf = [](int n) {
        KeyLevels keys;
        keys.keyDragLines = static_cast<uint8_t>(n);
        keys.keyStart = (n & 0x100) != 0;
        keys.keyFinish = (n & 0x200) != 0;
        keys.keySplit1 = (n & 0x400) != 0;
        keys.keySplit2 = (n & 0x800) != 0;
        return keys;
    };
    const auto countOf = [](const KeyLevels& k) {
        return k.keyDragLines | (k.keyStart ? 0x100 : 0) | (k.keyFinish ? 0x200 : 0) |
               (k.keySplit1 ? 0x400 : 0) | (k.keySplit2 ? 0x800 : 0);
    };
    std::thread sender([&] {
        for (int n = 1; n <= kSends; ++n) {
            // Never so far ahead that the 12-bit count could pass the taker's.
            while (n - takenUpTo.load() > 1500) {
                std::this_thread::yield();
            }
            ring->SendKeys(keysOf(n));
            if (n % 64 == 0) {
                ring->SendTreeButton((n / 64) % 2 == 1);
            }
        }
        sent = true;
    });
    int last = 0;
    int outOfOrder = 0;
    int keyCommands = 0;
    bool down = false;
    const auto apply = [&](const SamplerCommand& command) {
        if (command.kind == Kind::kKeyLevels) {
            const int step = (countOf(command.keys) - last) & 0xFFF;
            outOfOrder += step == 0 || step >= 0x800 ? 1 : 0;
            last += step;
            takenUpTo = last;
            ++keyCommands;
        } else {
            down = command.kind == Kind::kTreeButtonDown;
        }
    };
    for (int pass = 0; !sent.load(); ++pass) {
        ring->Take(apply);
        if (pass % 16 == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(300));  // the ring fills
        }
    }
    sender.join();
    ring->Take(apply);
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_EQ(last, kSends);
    EXPECT_EQ(down, (kSends / 64) % 2 == 1);
    EXPECT_GT(keyCommands, 0);
}

}  // namespace
}  // namespace vantrel
