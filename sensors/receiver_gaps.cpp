#include "sensors/receiver_gaps.h"

#include <cstdio>

namespace vantrel {

void ReceiverGaps::Lost(uint32_t tick, int32_t msOfDay, std::string reason) {
    if (LinkDown()) {
        return;
    }
    ReceiverGap gap;
    gap.lostTick = tick;
    gap.lostMsOfDay = msOfDay;
    gap.reason = std::move(reason);
    gaps_.push_back(std::move(gap));
}

void ReceiverGaps::Back(uint32_t tick, int32_t msOfDay) {
    if (!LinkDown()) {
        return;
    }
    ReceiverGap& gap = gaps_.back();
    gap.back = true;
    gap.backTick = tick;
    gap.backMsOfDay = msOfDay;
}

std::string FormatTimeOfDay(int32_t msOfDay) {
    constexpr int32_t kDay = 24 * 3600 * 1000;
    const int32_t ms = ((msOfDay % kDay) + kDay) % kDay;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", ms / 3600000, ms / 60000 % 60,
                  ms / 1000 % 60, ms % 1000 / 10);
    return text;
}

std::string ReceiverLossLogText(const ReceiverGap& gap) {
    return "Receiver lost " + FormatTimeOfDay(gap.lostMsOfDay) + ": " + gap.reason;
}

std::string ReceiverGapLogText(const ReceiverGap& gap) {
    return "Receiver lost " + FormatTimeOfDay(gap.lostMsOfDay) + " - back " +
           FormatTimeOfDay(gap.backMsOfDay) + ", passings in between not received";
}

}  // namespace vantrel
