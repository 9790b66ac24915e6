// The command ring from the GUI to the tick: order, a full ring, and a sampler driven by
// nothing but its own commands and configuration (no session state anywhere).

#include "sensors/sampler_commands.h"

#include <gtest/gtest.h>

#include <chrono>
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
    EXPECT_TRUE(taken[0].levels.keys.keyStart);
    EXPECT_EQ(taken[1].kind, Kind::kTreeButtonDown);
    EXPECT_FALSE(taken[2].levels.keys.keyStart);
    EXPECT_TRUE(taken[2].levels.treeButtonDown);
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
    EXPECT_FALSE(taken.back().levels.keys.keyFinish);
    EXPECT_TRUE(taken.back().levels.proTree);
    int runResets = 0;
    int offDelayResets = 0;
    for (const SamplerCommand& command : taken) {
        runResets += command.kind == Kind::kRunReset ? 1 : 0;
        offDelayResets += command.kind == Kind::kOffDelayReset ? 1 : 0;
    }
    EXPECT_EQ(runResets, 1);
    EXPECT_EQ(offDelayResets, 1);

    // Afterwards the ring carries every change again.
    keys.keySplit1 = true;
    ring->SendKeys(keys);
    taken = TakeAll(*ring);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_TRUE(taken[0].levels.keys.keySplit1);
    EXPECT_FALSE(taken[0].levels.keys.keyFinish);
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

}  // namespace
}  // namespace vantrel
