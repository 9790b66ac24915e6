#pragma once
// The three race formats, in the order of their tabs.
// Thread rule: any thread.

#include <cstdint>

namespace vantrel {

enum class RaceMode : int32_t { kGymkhana = 0, kDrag = 1, kCircuit = 2 };

constexpr int32_t kMaxCarNumber = 199;
constexpr int32_t kCarSlots = 200;  // per-car arrays are indexed by car number 0..199

// "GYMKHANA", "DRAG", "CIRCUIT": tab captions and sensor-log texts.
const char* RaceModeName(RaceMode mode);

}  // namespace vantrel
