#include "voice/speak_time.h"

#include <cstdlib>

namespace vantrel {

SpokenTime SplitTime(int32_t ms) {
    return {ms / 60000, (ms % 60000) / 1000, ms % 1000};
}

std::array<SpeakStep, 9> SpeakSteps(const SpokenTime& time) {
    // A negative part has no digits to speak; its magnitude is spoken.
    const int32_t minutes = std::abs(time.minutes % 100);
    const int32_t seconds = std::abs(time.seconds % 100);
    const int32_t millis = std::abs(time.milliseconds % 1000);
    return {{{DigitSample(minutes / 10), 100},
             {DigitSample(minutes % 10), 100},
             {SampleName::kMin, 300},
             {DigitSample(seconds / 10), 100},
             {DigitSample(seconds % 10), 100},
             {SampleName::kSec, 300},
             {DigitSample(millis / 100), 100},
             {DigitSample((millis % 100) / 10), 100},
             {DigitSample(millis % 10), 500}}};
}

}  // namespace vantrel
