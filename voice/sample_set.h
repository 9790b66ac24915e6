#pragma once
// The fourteen sound samples the announcer plays, by name, and where they come from: the set
// built into the program or a voice pack. A sample is a whole RIFF WAVE file.
// Thread rule: a set is read-only once made; any thread may read it.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vantrel {

enum class SampleName : int32_t {
    kWav0 = 0,  // "WAV0".."WAV9": the digits zero to nine
    kWav9 = 9,
    kMin = 10,  // "MIN"
    kSec,       // "SEC"
    kHiTone,    // "HITONE"
    kLoTone,    // "LOTONE"
};
inline constexpr int32_t kSampleCount = 14;

// "WAV0".."WAV9", "MIN", "SEC", "HITONE", "LOTONE".
std::string_view SampleNameText(SampleName name);
// The digit's sample: 0..9 give "WAV0".."WAV9".
SampleName DigitSample(int32_t digit);

class SampleSet {
public:
    virtual ~SampleSet() = default;
    // The sample's WAVE bytes; empty when the set has no such sample (it is then silent).
    virtual std::span<const uint8_t> Wave(SampleName name) const = 0;
};

}  // namespace vantrel
