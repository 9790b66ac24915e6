#pragma once
// The simulated source: plays a simulation script (or a session recording) through the same
// sampler tick as real hardware. Times count from the first read, which is the session
// start's prime. Each later read plays the changes of one scripted moment at most (all those
// due at it), so every change is seen by a tick, in order, and never before its time.
// Thread rule: Open, Close on the GUI thread while the timing thread is stopped; Read on the
// timing thread; Finished from any thread.

#include <atomic>
#include <cstddef>

#include "sensors/input_source.h"
#include "sensors/simulation_script.h"

namespace vantrel {

class ScriptSource final : public InputSource {
public:
    explicit ScriptSource(SimulationScript script) : script_(std::move(script)) {}

    ReadRule Rule() const override { return ReadRule::kLevels; }
    // Rewinds: the next read starts the script again with every line idle.
    bool Open() override;
    bool IsOpen() const override { return open_; }
    bool Read(uint32_t now, RawSample& out) override;
    void WriteLamp(uint8_t controlByte) override { lampByte_.store(controlByte); }
    void Close() override { open_ = false; }
    std::string LastError() const override { return {}; }

    // True once every step has been played.
    bool Finished() const { return finished_.load(); }
    uint8_t LastLampByte() const { return lampByte_.load(); }

private:
    SimulationScript script_;
    bool open_ = false;
    bool started_ = false;
    uint32_t origin_ = 0;
    size_t next_ = 0;
    RawSample levels_;
    std::atomic<bool> finished_{false};
    std::atomic<uint8_t> lampByte_{0xFF};
};

}  // namespace vantrel
