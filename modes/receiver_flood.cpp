#include "modes/receiver_flood.h"

#include <algorithm>

namespace vantrel {

void ReceiverFloodGuard::SetLimit(int32_t limit) {
    limit_ = std::max<int32_t>(1, limit);
}

void ReceiverFloodGuard::Reset() {
    window_.clear();
    inWindow_.fill(0);
    distinct_ = 0;
    crossed_ = false;
}

bool ReceiverFloodGuard::HoldsBlock(const std::vector<int32_t>& cars, uint32_t tick) {
    // Unsigned differences keep the window right across the tick's wrap.
    while (!window_.empty() && tick - window_.front().tick >= kWindowMs) {
        distinct_ -= --inWindow_[static_cast<uint8_t>(window_.front().car)] == 0 ? 1 : 0;
        window_.pop_front();
    }
    for (const int32_t car : cars) {
        if (car > 0 && car < static_cast<int32_t>(inWindow_.size())) {
            window_.push_back({tick, car});
            distinct_ += inWindow_[static_cast<uint8_t>(car)]++ == 0 ? 1 : 0;
        }
    }
    if (distinct_ > limit_) {
        crossed_ = true;
        lastCrossingTick_ = tick;
        return true;
    }
    return crossed_ && tick - lastCrossingTick_ < kWindowMs;
}

}  // namespace vantrel
