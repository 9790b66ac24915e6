#include "voice/sample_set.h"

namespace vantrel {

std::string_view SampleNameText(SampleName name) {
    static constexpr std::array<std::string_view, kSampleCount> kNames = {
        "WAV0", "WAV1", "WAV2", "WAV3", "WAV4", "WAV5",   "WAV6",
        "WAV7", "WAV8", "WAV9", "MIN",  "SEC",  "HITONE", "LOTONE"};
    const auto index = static_cast<size_t>(name);
    return index < kNames.size() ? kNames[index] : std::string_view();
}

SampleName DigitSample(int32_t digit) {
    return static_cast<SampleName>(digit < 0 ? 0 : digit > 9 ? 9 : digit);
}

}  // namespace vantrel
