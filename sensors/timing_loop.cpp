#include "sensors/timing_loop.h"

#include <pthread.h>
#include <time.h>

#include <cerrno>
#include <chrono>

#include "sensors/realtime.h"

namespace vantrel {

namespace {

constexpr int64_t kNsPerMs = 1'000'000;
// Deadlines sit this far after a millisecond boundary, so that a wake-up a little late still
// reads the same MsTick and is not taken for an early callback.
constexpr int64_t kDeadlineOffsetNs = 100'000;

int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void SleepUntil(int64_t deadlineNs) {
    timespec deadline{};
    deadline.tv_sec = static_cast<time_t>(deadlineNs / 1'000'000'000);
    deadline.tv_nsec = static_cast<long>(deadlineNs % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

}  // namespace

TimingLoop::TimingLoop(Sampler& sampler, const MsClock& clock, const std::atomic<bool>& running,
                       EventWaker* waker)
    : sampler_(sampler), clock_(clock), running_(running), waker_(waker) {}

TimingLoop::~TimingLoop() {
    if (thread_.joinable()) {
        thread_.join();  // the owner clears `running` first; this waits one period at most
    }
}

void TimingLoop::Arm() {
    if (thread_.joinable() && threadEnded_.load()) {
        thread_.join();
    }
    if (thread_.joinable()) {
        return;
    }
    threadEnded_.store(false);
    thread_ = std::thread([this, period = sampler_.Config().pollPeriodMs] { Run(period); });
}

void TimingLoop::Join() {
    if (thread_.joinable()) {
        thread_.join();  // the thread ran the session end
    } else if (ticked_) {
        EndSession(false);  // the caller drains what it queued
    }
}

void TimingLoop::EndSession(bool wake) {
    ticked_ = false;
    const int events = sampler_.EndSession();
    if (wake && events > 0 && waker_ != nullptr) {
        waker_->Wake();
    }
}

bool TimingLoop::Callback() {
    const uint32_t now = clock_.MsTick();
    const int32_t interval = static_cast<int32_t>(now - previousCallback_);
    lastTickInterval_.store(interval);
    previousCallback_ = now;
    // An early callback is skipped; its time still counts as the previous callback.
    if (!firstCallback_ && interval < sampler_.Config().pollPeriodMs) {
        return false;
    }
    firstCallback_ = false;
    ticked_ = true;
    const int events = sampler_.Tick();
    lastSampleTime_.store(sampler_.State().sampleTime, std::memory_order_release);
    if (events > 0 && waker_ != nullptr) {
        waker_->Wake();
    }
    return true;
}

void TimingLoop::WaitForSampleAt(uint32_t tick) const {
    if (IsIdle()) {
        return;
    }
    const int32_t period = sampler_.Config().pollPeriodMs;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(4 * period + 20);
    while (!threadEnded_.load() &&
           static_cast<int32_t>(lastSampleTime_.load(std::memory_order_acquire) - tick) < 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

void TimingLoop::Run(int32_t periodMs) {
    pthread_setname_np(pthread_self(), "vantrel-timing");  // for top -H and the harness
    realtimeGranted_.store(AskForRealtime(kTimingThreadPriority));
    const int64_t periodNs = static_cast<int64_t>(periodMs < 1 ? 1 : periodMs) * kNsPerMs;
    int64_t deadline = (MonotonicNs() / kNsPerMs + 1) * kNsPerMs + kDeadlineOffsetNs;
    while (true) {
        SleepUntil(deadline);
        Callback();
        if (!running_.load()) {
            // The stop's reset and dark lamps reach the port before the thread is gone.
            EndSession(true);
            threadEnded_.store(true);
            return;
        }
        deadline += periodNs;
        const int64_t now = MonotonicNs();
        if (now - deadline > periodNs) {
            // Far behind (suspend, long preemption): start again from the next boundary
            // instead of firing a burst of callbacks.
            deadline = (now / kNsPerMs + 1) * kNsPerMs + kDeadlineOffsetNs;
        }
    }
}

}  // namespace vantrel
