#include "sensors/script_source.h"

namespace vantrel {

bool ScriptSource::Open() {
    open_ = true;
    started_ = false;
    next_ = 0;
    levels_ = RawSample{};
    finished_.store(script_.steps.empty());
    return true;
}

bool ScriptSource::Read(uint32_t now, RawSample& out) {
    if (!open_) {
        return false;
    }
    if (!started_) {
        started_ = true;
        origin_ = now;
    }
    const uint32_t elapsed = now - origin_;
    while (next_ < script_.steps.size() && script_.steps[next_].atMs <= elapsed) {
        const ScriptStep& step = script_.steps[next_++];
        uint8_t& byte = step.dataLine ? levels_.dataByte : levels_.statusByte;
        byte = static_cast<uint8_t>((byte & step.andMask) | step.orMask);
    }
    finished_.store(next_ == script_.steps.size());
    out = levels_;
    return true;
}

}  // namespace vantrel
