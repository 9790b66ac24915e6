#pragma once
// The samples carried inside the program: speech at 44100 Hz, tones at 16000 Hz.
// Thread rule: any thread (read-only data).

#include <array>
#include <cstdint>
#include <span>

#include "voice/sample_set.h"

namespace vantrel {

// Indexed by SampleName.
const std::array<std::span<const uint8_t>, kSampleCount>& BuiltInSampleBytes();

class BuiltInSamples final : public SampleSet {
public:
    std::span<const uint8_t> Wave(SampleName name) const override {
        return BuiltInSampleBytes()[static_cast<size_t>(name)];
    }
};

}  // namespace vantrel
