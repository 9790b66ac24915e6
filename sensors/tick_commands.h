#pragma once
// What the GUI side asks of the timing thread's next tick: the timing keys, the drag tree's
// button, Pro/Stock, a run reset and an OFF-delay reset. The race modes' flows talk to the
// tick through this face only; SamplerControl sends it through a sampler's command ring.
// Thread rule: GUI thread only.

#include <cstdint>

#include "sensors/sensor_event.h"

namespace vantrel {

class Sampler;

class TickCommands {
public:
    virtual ~TickCommands() = default;
    // A timing key's simulated level, taken by the next tick whether or not a session runs.
    virtual void SetSensorKey(SensorInput input, bool down) = 0;
    // Drag lines forced active by the digit keys (bit k: line k, the key k+1).
    virtual void SetDragLineKeys(uint8_t lines) = 0;
    virtual void SetTreeButton(bool down) = 0;
    virtual void SetProTree(bool pro) = 0;
    // The drag run starts over at the next tick.
    virtual void ResetDragRun() = 0;
    // Every input runs its OFF-delay expiry at the next tick (labels normal).
    virtual void ResetOffDelays() = 0;
};

class SamplerControl final : public TickCommands {
public:
    explicit SamplerControl(Sampler& sampler) : sampler_(sampler) {}

    void SetSensorKey(SensorInput input, bool down) override;
    void SetDragLineKeys(uint8_t lines) override;
    void SetTreeButton(bool down) override;
    void SetProTree(bool pro) override;
    void ResetDragRun() override;
    void ResetOffDelays() override;

private:
    Sampler& sampler_;
};

}  // namespace vantrel
