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
        // The first read (the session start's prime) sets time 0; no tick sees it, so it
        // plays nothing, not even the changes at 0 ms.
        started_ = true;
        origin_ = now;
        out = levels_;
        return true;
    }
    const uint32_t elapsed = now - origin_;
    // One scripted moment per read: a tick that comes late still sees every change, in order,
    // each a tick later than the one before, and a short pulse is not lost.
    if (next_ < script_.steps.size() && script_.steps[next_].atMs <= elapsed) {
        const uint32_t moment = script_.steps[next_].atMs;
        while (next_ < script_.steps.size() && script_.steps[next_].atMs == moment) {
            const ScriptStep& step = script_.steps[next_++];
            uint8_t& byte = step.dataLine ? levels_.dataByte : levels_.statusByte;
            byte = static_cast<uint8_t>((byte & step.andMask) | step.orMask);
        }
    }
    finished_.store(next_ == script_.steps.size());
    out = levels_;
    return true;
}

}  // namespace vantrel
