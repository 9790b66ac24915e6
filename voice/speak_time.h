#pragma once
// What one announcement plays: nine samples, each followed by its pause, for a time split
// into minutes, seconds and milliseconds. Every digit is spoken, leading zeros included.
// Thread rule: any thread.

#include <array>
#include <cstdint>

#include "voice/sample_set.h"

namespace vantrel {

// One queued announcement (a slot of the ring).
struct SpokenTime {
    int32_t minutes = 0;
    int32_t seconds = 0;
    int32_t milliseconds = 0;
};

// t in ms split as the ring stores it: t / 60000, (t mod 60000) / 1000, t mod 1000.
SpokenTime SplitTime(int32_t ms);

struct SpeakStep {
    SampleName sample;
    int32_t pauseMs;
};
// The nine steps; minutes are spoken modulo 100.
std::array<SpeakStep, 9> SpeakSteps(const SpokenTime& time);

}  // namespace vantrel
