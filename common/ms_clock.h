#pragma once
// The millisecond tick: unsigned 32-bit milliseconds of the monotonic clock, wrapping at
// 2^32 ms. Injected everywhere so that tests can run a session on a fake clock.
// Thread rule: any thread.

#include <atomic>
#include <cstdint>

namespace vantrel {

class MsClock {
public:
    virtual ~MsClock() = default;
    virtual uint32_t MsTick() const = 0;
};

// The real clock (CLOCK_MONOTONIC).
class MonotonicMsClock final : public MsClock {
public:
    uint32_t MsTick() const override;
};

// A clock that moves only when told to.
class FakeMsClock final : public MsClock {
public:
    explicit FakeMsClock(uint32_t start = 1000) : now_(start) {}
    uint32_t MsTick() const override { return now_.load(); }
    void Set(uint32_t ms) { now_.store(ms); }
    void Advance(uint32_t ms) { now_.fetch_add(ms); }

private:
    std::atomic<uint32_t> now_;
};

// A tick as the logs show it: the 32-bit counter read as a signed number.
inline int32_t TickAsSigned(uint32_t tick) {
    return static_cast<int32_t>(tick);
}

}  // namespace vantrel
