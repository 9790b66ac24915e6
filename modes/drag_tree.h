#pragma once
// The drag race on the timing thread: the eight lines with their OFF delays, the run's line
// times, the green timer and the lamp byte, written to the control register in the tick that
// changes it. The GUI never decides a lamp or a time; it shows what the events tell it.
// Thread rule: timing thread only (the GUI thread only while that thread is stopped).

#include <array>
#include <cstdint>

#include "sensors/sampler.h"

namespace vantrel {

// Lamp byte bits; a cleared bit is a lit lamp, bits 4 to 7 stay set.
constexpr uint8_t kProLampBit = 0x01;
constexpr uint8_t kAmberLampBit = 0x02;
constexpr uint8_t kGreenLampBit = 0x04;
constexpr uint8_t kRedLampBit = 0x08;

// The green delays of the two start methods.
constexpr int32_t kProGreenDelayMs = 400;
constexpr int32_t kStockGreenDelayMs = 500;

class DragTree final : public DragHook {
public:
    void SessionStart(SamplerState& state) override;
    int DragStep(SamplerState& state, const SamplerConfig& config,
                 SensorEventQueue& events) override;
    // The run is reset and every lamp, the Pro indicator too, is written dark.
    int SessionEnd(SamplerState& state, const SamplerConfig& config,
                   SensorEventQueue& events) override;

    const DragLineTimes& Run() const { return run_; }

private:
    void ApplyControls(SamplerState& state);
    void RunReset(SamplerState& state);
    void StepLine(int line, SamplerState& state, const SamplerConfig& config);
    void LineAction(int line, SamplerState& state);
    void GreenTimer(SamplerState& state);
    void WriteLamps(SamplerState& state, const SamplerConfig& config);
    void ReportLamps(const SamplerState& state);
    void Emit(SensorEventKind kind, int line, const SamplerState& state);

    DragLineTimes run_;
    std::array<bool, kDragLineCount> offDelayActive_{};
    std::array<uint32_t, kDragLineCount> offDelayUntil_{};
    uint8_t reportedLamps_ = 0xFF;
    SensorEventQueue* events_ = nullptr;
    int emitted_ = 0;
};

}  // namespace vantrel
