#pragma once
// The sampler tick: reads the inputs once, applies the keyboard sensors, detects level changes
// and OFF delays per input and turns them into sensor events. It allocates nothing, takes no
// lock and does no I/O besides the source's read (and the drag step's lamp write).
// It reads only its own state: the configuration snapshot, the active mode and the commands
// of the GUI, which it takes at the start of each tick.
// Thread rule: Configure and Prime on the GUI thread while the timing thread is stopped;
// Tick, EndSession and State on the timing thread (or, while it is stopped, on the GUI thread);
// Commands, SendKeys and RequestOffDelayReset on the GUI thread; SetActiveMode from any thread.

#include <array>
#include <atomic>
#include <cstdint>

#include "common/ms_clock.h"
#include "common/race_mode.h"
#include "sensors/input_source.h"
#include "sensors/sampler_commands.h"
#include "sensors/sampler_config.h"
#include "sensors/sensor_event_queue.h"

namespace vantrel {

// What the GUI's commands have set, as the tick sees it once it has taken them.
struct SamplerControls {
    KeyLevels keys;      // the keyboard sensor levels now
    KeyLevels keysSeen;  // active now or pressed since the previous tick
    bool treeButtonDown = false;
    bool treeButtonPressed = false;   // went down since the previous tick
    bool treeButtonReleased = false;  // went up since the previous tick
    bool proTree = false;
    bool runResetRequested = false;  // left set for the drag step, which clears it
};

// The registers and per-input state of the latest tick. Per-input arrays are indexed by
// SensorInput (Start, Finish, Split1, Split2).
struct SamplerState {
    uint32_t sampleTime = 0;  // MsTick taken at the end of each read
    uint8_t dataByte = 0xFF;
    uint8_t statusByte = 0xFF;
    uint8_t controlByte = 0xFF;  // already XORed with controlXor
    uint8_t prevDataByte = 0xFF;
    uint8_t lampByte = 0xFF;  // drag lamps, a cleared bit is a lit lamp
    std::array<bool, kSensorInputCount> prevState{true, true, true, true};  // true = idle
    std::array<bool, kSensorInputCount> offDelayActive{};
    std::array<uint32_t, kSensorInputCount> offDelayUntil{};
    SamplerControls controls;
};

// The drag hook: while the DRAG tab is the active mode, the tick calls this after the read
// instead of the four-input step. The drag race logic (light tree, line times, lamp writes
// through config.source when ioAddress is not 0) implements it on the timing thread; it must
// keep to the tick's rules (no allocation, no lock, no I/O besides the lamp write).
class DragHook {
public:
    virtual ~DragHook() = default;
    // Session start, after the commands sent meanwhile were taken: the lamps go dark and no
    // run is under way.
    virtual void SessionStart(SamplerState& state) = 0;
    // Returns the events it queued.
    virtual int DragStep(SamplerState& state, const SamplerConfig& config,
                         SensorEventQueue& events) = 0;
    // Session end, after the last tick: no run may stay under way and no lamp lit on the port.
    // Returns the events it queued.
    virtual int SessionEnd(SamplerState& /*state*/, const SamplerConfig& /*config*/,
                           SensorEventQueue& /*events*/) {
        return 0;
    }
};

class Sampler {
public:
    Sampler(const MsClock& clock, SensorEventQueue& events);

    void Configure(const SamplerConfig& config) { config_ = config; }
    const SamplerConfig& Config() const { return config_; }

    // Which tab the tick works for: DRAG runs the drag step instead of the four inputs.
    void SetActiveMode(RaceMode mode) { activeMode_.store(mode, std::memory_order_relaxed); }

    // Session start: takes the commands sent meanwhile as levels (a key pressed and released
    // with no session running makes no pass), status and data idle, one read, the data byte
    // becomes the previous one.
    void Prime();
    // One tick: the commands, the read, then the drag step or the four inputs. Returns the
    // events queued.
    int Tick();
    // Session end, the timing thread's last act: takes the commands sent meanwhile, then (DRAG)
    // the drag step's end resets the run and writes every lamp dark. Returns the events queued.
    int EndSession();

    // The sending side of the command ring.
    SamplerCommandRing& Commands() { return commands_; }
    const SamplerCommandRing& Commands() const { return commands_; }
    void SendKeys(const KeyLevels& keys) { commands_.SendKeys(keys); }
    // Every input runs its OFF-delay expiry at the next tick (restores the label colours).
    void RequestOffDelayReset() { commands_.SendRequest(SamplerCommandKind::kOffDelayReset); }

    const SamplerState& State() const { return state_; }

private:
    void Read();
    void ReadUsb();
    void ReportReadFailure();
    void StepInput(SensorInput input);
    void TakeCommands();
    void ApplyCommand(const SamplerCommand& command);
    void ApplyOffDelayReset();
    void RecordLevels();
    void Emit(SensorEventKind kind, SensorInput input);

    const MsClock& clock_;
    SensorEventQueue& events_;
    SamplerConfig config_;
    SamplerState state_;
    SamplerCommandRing commands_;
    std::atomic<RaceMode> activeMode_{RaceMode::kGymkhana};
    bool offDelayResetRequested_ = false;
    bool readFailureReported_ = false;
    bool levelsRecorded_ = false;
    uint8_t recordedStatus_ = 0xFF;
    uint8_t recordedData_ = 0xFF;
    int emitted_ = 0;
};

}  // namespace vantrel
