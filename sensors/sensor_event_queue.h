#pragma once
// The hand-over from the timing thread to the GUI: an ordered ring of sensor events that
// never blocks the producer. A full ring drops the event, counts it, and puts an EventsLost
// marker in the stream as soon as there is room, so the consumer sees where events were lost.
// Thread rule: Push from the timing thread only, Pop from the GUI thread only; LostTotal from
// any thread.

#include <atomic>
#include <cstdint>

#include "sensors/sensor_event.h"
#include "sensors/spsc_queue.h"

namespace vantrel {

class SensorEventQueue {
public:
    static constexpr std::size_t kCapacity = 4096;

    // Returns false when the event had to be dropped (counted in LostTotal).
    bool Push(const SensorEvent& event);
    bool Pop(SensorEvent& event) { return ring_.TryPop(event); }
    // The next event Pop would give, left in the queue.
    bool Peek(SensorEvent& event) const { return ring_.Peek(event); }
    bool Empty() const { return ring_.Empty(); }

    // Events dropped since construction.
    uint64_t LostTotal() const { return lostTotal_.load(std::memory_order_relaxed); }

private:
    SpscQueue<SensorEvent, kCapacity> ring_;
    uint32_t pendingLost_ = 0;  // dropped but not yet reported by a marker (producer only)
    std::atomic<uint64_t> lostTotal_{0};
};

}  // namespace vantrel
