#pragma once
// The sampler's configuration: an immutable snapshot taken at session start (or when the
// options are applied) and handed to the timing thread as a whole.
// Thread rule: any thread (plain values; build it on the GUI thread).

#include <array>
#include <cstdint>

#include "common/setup_settings.h"
#include "sensors/sensor_event.h"

namespace vantrel {

class InputSource;
class DragHook;

struct SamplerConfig {
    int32_t ioAddress = 0;     // parallel-port base address, 0 for "None" and "USB"
    int32_t pollPeriodMs = 3;  // timer period, 1..20
    int32_t offDelayMs = 5000;
    uint8_t startMask = 0x10;  // status bit of each input; 0 = not connected ("NC")
    uint8_t finishMask = 0x40;
    uint8_t split1Mask = 0;
    uint8_t split2Mask = 0;
    bool invert = false;            // "センサー入力反転"
    uint8_t controlXor = 4;         // [Output] Mask
    bool recordLevels = false;      // send LevelChange events for a session recording
    InputSource* source = nullptr;  // not owned; nullptr reads as "None"
    DragHook* dragHook = nullptr;   // not owned; the drag step, run while DRAG is active

    uint8_t Mask(SensorInput input) const;
};

// The snapshot for the settings of the options dialog and the [Output] `Mask` value.
SamplerConfig MakeSamplerConfig(const SetupSettings& settings, int32_t outputMask);

}  // namespace vantrel
