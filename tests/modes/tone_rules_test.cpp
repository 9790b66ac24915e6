// The sensor tones against the rules a timekeeper hears: in GYMKHANA a start (high) or finish
// (low) sounds when its sensor turns its label red and nothing waits to be spoken; on the
// CIRCUIT a car's first passing (high) and a lap (low) sound whatever waits. Both are checked
// over random sequences against a model written from those rules.
#include <gtest/gtest.h>

#include <random>

#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/circuit_flow.h"
#include "modes/circuit_race_harness.h"
#include "modes/gymkhana_flow.h"
#include "modes/recording_view.h"
#include "support/scripted_sensor_rig.h"

namespace vantrel {
namespace {

constexpr uint32_t kPeriodMs = 3;
constexpr uint32_t kOffDelayMs = 30;
constexpr SensorInput kInputs[] = {SensorInput::kFinish, SensorInput::kStart, SensorInput::kSplit1,
                                   SensorInput::kSplit2};
constexpr uint8_t kPins[] = {0x40, 0x10, 0x80, 0x20};  // in the order of kInputs

// One input as the rules describe it: the label turns red with the input's activation and
// back once the OFF delay after its last active sample has run out.
struct LabelModel {
    bool idle = true;
    bool red = false;
    bool delaying = false;
    uint32_t delayEnd = 0;

    // The tick's level; true when the activation asks for a tone.
    bool Step(bool nowIdle, uint32_t t, bool sounds) {
        bool tone = false;
        if (nowIdle != idle && idle) {
            tone = sounds && !red;
            red = true;
        }
        const bool wasIdle = idle;
        idle = nowIdle;
        if (delaying) {
            if (t < delayEnd) {
                delayEnd = wasIdle ? delayEnd : t + kOffDelayMs;
                return tone;
            }
            red = false;
            delaying = false;
        }
        if (nowIdle != wasIdle && !wasIdle) {
            delaying = true;
            delayEnd = t + kOffDelayMs;
        }
        return tone;
    }
};

struct TickTones final : ToneSink {
    bool busy = false;
    uint32_t tick = 0;
    std::vector<std::pair<uint32_t, Tone>> asked;
    bool Busy() const override { return busy; }
    void RequestTone(Tone tone) override { asked.emplace_back(tick, tone); }
};

TEST(ToneRulesTest, GymkhanaTonesFollowLabelsAndTheAnnouncerOverRandomPasses) {
    const uint32_t seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    constexpr uint32_t kTicks = 40000;
    // Levels per tick: each input flips now and then, so passes come inside and after the
    // OFF delay of the one before.
    SimulationScript script;
    std::vector<uint8_t> status(kTicks + 1, 0xFF);
    uint8_t levels = 0xFF;
    for (uint32_t k = 1; k <= kTicks; ++k) {
        for (uint8_t pin : kPins) {
            if (rng() % 9 == 0) {
                levels ^= pin;
            }
        }
        status[k] = levels;
        if (status[k] != status[k - 1]) {
            script.steps.push_back({k * kPeriodMs, false, 0x00, levels});
        }
    }
    SamplerConfig config;
    config.pollPeriodMs = kPeriodMs;
    config.offDelayMs = kOffDelayMs;
    config.finishMask = kPins[0];
    config.startMask = kPins[1];
    config.split1Mask = kPins[2];
    config.split2Mask = kPins[3];
    test::ScriptedSensorRig rig(script, config, 1000, nullptr);
    SessionState session;
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
    ResultListCommands commands{results, entries, session, nullptr};
    RecordingView view;
    GymkhanaFlow flow{session, entries, commands, view};
    TickTones tones;
    flow.Link({nullptr, nullptr, &tones});
    rig.Start(RaceMode::kGymkhana);

    std::vector<std::pair<uint32_t, Tone>> expected;
    LabelModel labels[4];
    int heldBack = 0;
    for (uint32_t k = 1; k <= kTicks; ++k) {
        tones.busy = rng() % 3 == 0;
        tones.tick = k;
        ASSERT_TRUE(rig.Step());
        rig.DeliverEach([&](const SensorEvent& event) { flow.TakeLampEvent(event); });
        for (int i = 0; i < 4; ++i) {
            const bool nowIdle = (status[k] & kPins[i]) != 0;
            const bool activation = labels[i].idle && !nowIdle;
            heldBack += i < 2 && tones.busy && activation && !labels[i].red ? 1 : 0;
            if (labels[i].Step(nowIdle, k * kPeriodMs, i < 2 && !tones.busy)) {
                expected.emplace_back(k, i == 0 ? Tone::kLow : Tone::kHigh);
            }
        }
    }
    EXPECT_EQ(rig.EventsLost(), 0u);
    ASSERT_GT(expected.size(), 100u);
    ASSERT_GT(heldBack, 100);  // the announcer held back some passes
    ASSERT_EQ(tones.asked.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(tones.asked[i], expected[i]) << "tone " << i;
    }
}

TEST(ToneRulesTest, CircuitTonesMarkFirstPassingsAndLapsWhateverWaits) {
    const uint32_t seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    constexpr uint32_t kStart = 500000;
    for (const int32_t method : {0, SessionState::kCommonStart}) {
        SessionState session;
        EntryTable entries;
        ResultTable results{RaceMode::kCircuit};
        ResultListCommands commands{results, entries, session, nullptr};
        SensorLog log;
        FakeMsClock clock{kStart};
        RecordingToneSink tones;
        RecordingCircuitView view;
        CircuitFlow flow{session, entries, commands, log, clock, tones, view};
        flow.SetCountingMethod(method);
        session.maskTimeS = 5;
        session.running = true;
        flow.StartSession(kStart);
        // The rules: a car's counted passings at least the mask apart; its first one in lap
        // timing only starts its clock, in common start it is lap 1 from the session start.
        std::array<int64_t, 10> last{};
        last.fill(method == SessionState::kCommonStart ? int64_t{kStart} : int64_t{-1});
        uint32_t t = kStart;
        int laps = 0;
        for (int block = 0; block < 3000; ++block) {
            t += rng() % 1500;
            std::vector<uint8_t> bytes;
            bool high = false;
            bool low = false;
            for (size_t n = 1 + rng() % 3; n > 0; --n) {
                const int car = 1 + static_cast<int>(rng() % 9);
                bytes.push_back(static_cast<uint8_t>(0x30 + car));
                if (last[car] < 0) {
                    high = true;
                    last[car] = t;
                } else if (t - last[car] >= 5000) {
                    low = true;
                    ++laps;
                    last[car] = t;
                }
            }
            tones.busy = rng() % 2 == 0;
            clock.Set(t);
            flow.TakeReceivedBytes(bytes.data(), static_cast<uint16_t>(bytes.size()), t);
            std::vector<Tone> want;
            if (high) {
                want.push_back(Tone::kHigh);
            }
            if (low) {
                want.push_back(Tone::kLow);
            }
            ASSERT_EQ(tones.Take(), want) << "method " << method << " block " << block;
        }
        EXPECT_GT(laps, 100);
    }
}

}  // namespace
}  // namespace vantrel
