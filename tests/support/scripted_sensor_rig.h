#pragma once
// The timing side of a session without Qt and without a thread: a sampler on a fake clock
// reading a simulation script, ticked by hand through TimingLoop's timer callback, its events
// handed over in order as SensorHub's drain does; the event object or any flow takes them.
// Thread rule: one thread (the test's), which plays both the timing thread and the GUI.

#include <atomic>
#include <cstdint>
#include <utility>

#include "common/ms_clock.h"
#include "common/race_mode.h"
#include "sensors/sampler.h"
#include "sensors/script_source.h"
#include "sensors/sensor_event_queue.h"
#include "sensors/sensor_log.h"
#include "sensors/tick_commands.h"
#include "sensors/timing_loop.h"

namespace vantrel::test {

class ScriptedSensorRig {
public:
    // `config` gives the poll period, OFF delay and pin masks; the rig reads the script as its
    // source and runs `dragHook` (may be null) while DRAG is the mode. The clock starts at
    // `startTick`.
    ScriptedSensorRig(SimulationScript script, SamplerConfig config, uint32_t startTick,
                      DragHook* dragHook)
        : clock_(startTick), source_(std::move(script)) {
        config.source = &source_;
        config.dragHook = dragHook;
        config.ioAddress = 0;  // a script has no lamps to write
        sampler_.Configure(config);
    }

    // Session start: the mode the tick works for and the prime, which is the script's time 0.
    void Start(RaceMode mode) {
        sampler_.SetActiveMode(mode);
        source_.Open();
        sampler_.Prime();
        origin_ = clock_.MsTick();
        running_.store(true);
    }
    // One timer callback a poll period after the previous one; true when a tick ran.
    bool Step() {
        clock_.Advance(static_cast<uint32_t>(sampler_.Config().pollPeriodMs));
        return loop_.Callback();
    }

    // Hands every queued event to `take`, oldest first; a pass's log line is added first, as
    // SensorHub does. Recording levels stay behind; a lost-events marker is counted.
    template <typename Take>
    void DeliverEach(Take&& take) {
        SensorEvent event;
        while (queue_.Pop(event)) {
            if (event.kind == SensorEventKind::kLevelChange) {
                continue;
            }
            if (event.kind == SensorEventKind::kEventsLost) {
                lostMarkers_ += 1;
                continue;
            }
            log_.AddPassLine(event);
            take(event);
        }
    }
    // Milliseconds since the prime.
    uint32_t ElapsedMs() const { return clock_.MsTick() - origin_; }
    // The sample tick of the tick that sees a change scripted at `atMs`, when every scripted
    // moment falls in a poll period of its own and the rig has stepped without a gap.
    uint32_t SampleTickOf(uint32_t atMs) const {
        const uint32_t period = static_cast<uint32_t>(sampler_.Config().pollPeriodMs);
        const uint32_t periods = atMs == 0 ? 1 : (atMs + period - 1) / period;
        return origin_ + periods * period;
    }

    TickCommands& Commands() { return control_; }
    SensorLog& Log() { return log_; }
    FakeMsClock& Clock() { return clock_; }
    const Sampler& SamplerOf() const { return sampler_; }
    bool ScriptFinished() const { return source_.Finished(); }
    uint64_t EventsLost() const { return queue_.LostTotal() + lostMarkers_; }

private:
    FakeMsClock clock_;
    ScriptSource source_;
    SensorEventQueue queue_;
    Sampler sampler_{clock_, queue_};
    SamplerControl control_{sampler_};
    std::atomic<bool> running_{false};
    TimingLoop loop_{sampler_, clock_, running_, nullptr};
    SensorLog log_;
    uint32_t origin_ = 0;
    uint64_t lostMarkers_ = 0;
};

}  // namespace vantrel::test
