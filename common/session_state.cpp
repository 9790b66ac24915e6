#include "common/session_state.h"

namespace vantrel {

const char* RaceModeName(RaceMode mode) {
    switch (mode) {
        case RaceMode::kGymkhana:
            return "GYMKHANA";
        case RaceMode::kDrag:
            return "DRAG";
        case RaceMode::kCircuit:
            return "CIRCUIT";
    }
    return "GYMKHANA";
}

void SessionState::ClearCarCounters() {
    runCount.fill(0);
    lastPassTime.fill(0);
}

}  // namespace vantrel
