#include "common/session_state.h"

namespace vantrel {

const char* RaceModeName(RaceMode mode) {
    switch (mode) {
        case RaceMode::Gymkhana:
            return "GYMKHANA";
        case RaceMode::Drag:
            return "DRAG";
        case RaceMode::Circuit:
            return "CIRCUIT";
    }
    return "GYMKHANA";
}

void SessionState::ClearCarCounters() {
    runCount.fill(0);
    lastPassTime.fill(0);
}

}  // namespace vantrel
