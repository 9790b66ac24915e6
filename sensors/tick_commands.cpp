#include "sensors/tick_commands.h"

#include "sensors/sampler.h"

namespace vantrel {

void SamplerControl::SetSensorKey(SensorInput input, bool down) {
    KeyLevels keys = sampler_.Commands().Levels().keys;
    if (keys.Forces(input) != down) {
        keys.Set(input, down);
        sampler_.SendKeys(keys);
    }
}

void SamplerControl::SetDragLineKeys(uint8_t lines) {
    KeyLevels keys = sampler_.Commands().Levels().keys;
    if (keys.keyDragLines != lines) {
        keys.keyDragLines = lines;
        sampler_.SendKeys(keys);
    }
}

void SamplerControl::SetTreeButton(bool down) {
    sampler_.Commands().SendTreeButton(down);
}

void SamplerControl::SetProTree(bool pro) {
    sampler_.Commands().SendProTree(pro);
}

void SamplerControl::ResetDragRun() {
    sampler_.Commands().SendRequest(SamplerCommandKind::kRunReset);
}

void SamplerControl::ResetOffDelays() {
    sampler_.RequestOffDelayReset();
}

}  // namespace vantrel
