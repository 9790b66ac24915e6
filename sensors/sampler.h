#pragma once
// The sampler tick: reads the inputs once, applies the keyboard sensors, detects level changes
// and OFF delays per input and turns them into sensor events. It allocates nothing, takes no
// lock and does no I/O besides the source's read (and the drag step's lamp write).
// Thread rule: Configure and Prime on the GUI thread while the timing thread is stopped;
// Tick and State on the timing thread (or, while it is stopped, on the GUI thread);
// RequestOffDelayReset from any thread.

#include <array>
#include <atomic>
#include <cstdint>

#include "common/session_state.h"
#include "common/ms_clock.h"
#include "sensors/input_source.h"
#include "sensors/sampler_config.h"
#include "sensors/sensor_event_queue.h"

namespace vantrel {

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
};

// The drag hook: while the DRAG tab is the active mode, the tick calls this after the read
// instead of the four-input step. The drag race logic (light tree, line times, lamp writes
// through config.source when ioAddress is not 0) implements it on the timing thread; it must
// keep to the tick's rules (no allocation, no lock, no I/O besides the lamp write).
class DragHook {
public:
    virtual ~DragHook() = default;
    virtual void DragStep(SamplerState& state, const SamplerConfig& config,
                          SensorEventQueue& events) = 0;
};

class Sampler {
public:
    Sampler(const SessionState& session, const MsClock& clock, SensorEventQueue& events);

    void Configure(const SamplerConfig& config) { config_ = config; }
    const SamplerConfig& Config() const { return config_; }

    // Session start: status and data idle, one read, the data byte becomes the previous one.
    void Prime();
    // One tick: read, then the drag step or the four inputs. Returns the events queued.
    int Tick();
    // Every input runs its OFF-delay expiry at the next tick (restores the label colours).
    void RequestOffDelayReset() { offDelayResetRequested_.store(true); }

    const SamplerState& State() const { return state_; }

private:
    void Read();
    void ReadUsb();
    void ReportReadFailure();
    void StepInput(SensorInput input);
    bool KeyForced(SensorInput input) const;
    void ApplyOffDelayReset();
    void RecordLevels();
    void Emit(SensorEventKind kind, SensorInput input);

    const SessionState& session_;
    const MsClock& clock_;
    SensorEventQueue& events_;
    SamplerConfig config_;
    SamplerState state_;
    std::atomic<bool> offDelayResetRequested_{false};
    bool readFailureReported_ = false;
    bool levelsRecorded_ = false;
    uint8_t recordedStatus_ = 0xFF;
    uint8_t recordedData_ = 0xFF;
    int emitted_ = 0;
};

}  // namespace vantrel
