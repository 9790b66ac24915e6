#include "sensors/sampler_config.h"

namespace vantrel {

uint8_t SamplerConfig::Mask(SensorInput input) const {
    switch (input) {
        case SensorInput::kStart:
            return startMask;
        case SensorInput::kFinish:
            return finishMask;
        case SensorInput::kSplit1:
            return split1Mask;
        case SensorInput::kSplit2:
            return split2Mask;
    }
    return 0;
}

SamplerConfig MakeSamplerConfig(const SetupSettings& settings, int32_t outputMask) {
    SamplerConfig config;
    config.ioAddress = settings.ioAddress;
    config.pollPeriodMs = settings.resolution;
    config.offDelayMs = settings.delay;
    config.startMask = PinMask(settings.startPin);
    config.finishMask = PinMask(settings.finishPin);
    config.split1Mask = PinMask(settings.splitPin1);
    config.split2Mask = PinMask(settings.splitPin2);
    config.invert = settings.invert;
    config.controlXor = static_cast<uint8_t>(outputMask);
    return config;
}

}  // namespace vantrel
