#include "sensors/sensor_event_queue.h"

namespace vantrel {

bool SensorEventQueue::Push(const SensorEvent& event) {
    if (pendingLost_ > 0) {
        SensorEvent marker;
        marker.kind = SensorEventKind::kEventsLost;
        marker.tick = event.tick;
        marker.count = pendingLost_;
        if (ring_.TryPush(marker)) {
            pendingLost_ = 0;
        }
    }
    // The marker must go first, so an event never overtakes the report of earlier losses.
    if (pendingLost_ == 0 && ring_.TryPush(event)) {
        return true;
    }
    ++pendingLost_;
    lostTotal_.fetch_add(1, std::memory_order_relaxed);
    return false;
}

}  // namespace vantrel
