#pragma once
// The timing thread: wakes at absolute deadlines every pollPeriodMs (CLOCK_MONOTONIC) and
// runs the timer callback, which runs one sampler tick unless the callback came early. Its
// last act, once `running` is cleared, is the sampler's session end (the drag lamps go dark).
// Thread rule: Arm, Join, IsIdle and WaitForSampleAt on the GUI thread; Callback on the timing
// thread (tests call it directly, with no thread); LastTickInterval and RealtimeGranted from
// any thread.

#include <atomic>
#include <cstdint>
#include <thread>

#include "common/ms_clock.h"
#include "sensors/sampler.h"

namespace vantrel {

// Told after a tick that queued events; wakes the consumer (coalesced by the implementer).
class EventWaker {
public:
    virtual ~EventWaker() = default;
    virtual void Wake() = 0;  // timing thread
};

class TimingLoop {
public:
    // `running` is the session flag: the thread ends after the first callback that finds it
    // cleared. `waker` may be null.
    TimingLoop(Sampler& sampler, const MsClock& clock, const std::atomic<bool>& running,
               EventWaker* waker);
    ~TimingLoop();
    TimingLoop(const TimingLoop&) = delete;
    TimingLoop& operator=(const TimingLoop&) = delete;

    // Starts the timing thread at the sampler's poll period unless one is still running (a
    // thread that ended because `running` was cleared is joined first).
    void Arm();
    // Waits until the timing thread has ended (clear `running` first); at most one period.
    // Without a thread, after callbacks run by hand, it runs the session end itself.
    void Join();
    bool IsIdle() const { return !thread_.joinable(); }
    // Waits until a tick sampled at or after `tick` has queued its events, so that every event
    // sampled before it is in the queue. Returns at once without a running thread, and after
    // a few poll periods at most.
    void WaitForSampleAt(uint32_t tick) const;

    // One timer callback: measures the interval since the previous callback and runs a tick
    // only when it is at least the poll period. Returns true when a tick ran.
    bool Callback();

    int32_t LastTickInterval() const { return lastTickInterval_.load(); }
    bool RealtimeGranted() const { return realtimeGranted_.load(); }

private:
    void Run(int32_t periodMs);
    // The sampler's session end; `wake` tells the waker about its events.
    void EndSession(bool wake);

    Sampler& sampler_;
    const MsClock& clock_;
    const std::atomic<bool>& running_;
    EventWaker* waker_;
    std::thread thread_;
    std::atomic<bool> threadEnded_{false};
    bool firstCallback_ = true;
    bool ticked_ = false;  // a tick ran since the last session end
    uint32_t previousCallback_ = 0;
    std::atomic<int32_t> lastTickInterval_{0};
    std::atomic<uint32_t> lastSampleTime_{0};  // sample tick of the latest tick, after its events
    std::atomic<bool> realtimeGranted_{false};
};

}  // namespace vantrel
