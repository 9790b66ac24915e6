#pragma once
// The times the receiver's port was gone during one opening of the receiver. The passings in
// them were not received and are never guessed: each gap is told with its times of day.
// Thread rule: GUI thread only (a plain value).

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

struct ReceiverGap {
    uint32_t lostTick = 0;
    int32_t lostMsOfDay = 0;  // milliseconds since local midnight
    std::string reason;
    bool back = false;  // the port is open again
    uint32_t backTick = 0;
    int32_t backMsOfDay = 0;
};

class ReceiverGaps {
public:
    void Clear() { gaps_.clear(); }
    // Opens a gap; ignored while one is open (the port is lost once until it is back).
    void Lost(uint32_t tick, int32_t msOfDay, std::string reason);
    // Closes the open gap; ignored when none is open.
    void Back(uint32_t tick, int32_t msOfDay);
    bool LinkDown() const { return !gaps_.empty() && !gaps_.back().back; }
    const std::vector<ReceiverGap>& All() const { return gaps_; }

private:
    std::vector<ReceiverGap> gaps_;
};

// "HH:MM:SS.ss" of milliseconds since midnight, the hundredths truncated.
std::string FormatTimeOfDay(int32_t msOfDay);
// The sensor log's texts of a gap: "Receiver lost 12:03:04.51: <reason>" when it opens, and
// "Receiver lost 12:03:04.51 - back 12:03:09.20, passings in between not received".
std::string ReceiverLossLogText(const ReceiverGap& gap);
std::string ReceiverGapLogText(const ReceiverGap& gap);

}  // namespace vantrel
