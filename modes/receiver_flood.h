#pragma once
// Tells a receiver flood (a loose connector or a faulty receiver sending garbage) from real
// traffic, block by block, as the blocks arrive: real cars cannot cross the line more than a
// few at a time, so a stream naming many distinct cars within a short window is garbage.
//
// The rule, for each received block of car numbers stamped `tick` (blocks come in stamp order):
//  1. The window is the passings of the receiver (held or booked) stamped less than kWindowMs
//     before `tick`, and the block's own.
//  2. The block is held when the window names more than `limit` distinct cars (it crosses
//     the limit), or when it comes less than kWindowMs after a block that crossed it (the
//     tail of a flood, under the limit by itself). Held blocks that did not cross do not make
//     the tail longer, so real traffic is booked at once again at most 2 x kWindowMs after the
//     last garbage, however busy the line.
//  3. Otherwise it is booked at once: normal traffic is never delayed. So the first blocks of a
//     flood, until the one that crosses the limit, are booked; at most `limit` distinct cars.
// Car 0 and invalid bytes are no passings and never count.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

namespace vantrel {

class ReceiverFloodGuard {
public:
    static constexpr uint32_t kWindowMs = 100;
    static constexpr int32_t kDefaultLimit = 8;

    explicit ReceiverFloodGuard(int32_t limit = kDefaultLimit) { SetLimit(limit); }
    // At least 1: a limit of 0 would hold every passing.
    void SetLimit(int32_t limit);
    int32_t Limit() const { return limit_; }

    // True when the block of `cars` received at `tick` is to be held (the rule above).
    bool HoldsBlock(const std::vector<int32_t>& cars, uint32_t tick);
    // Forgets the window (a session start).
    void Reset();

private:
    struct Passing {
        uint32_t tick;
        int32_t car;
    };
    // Passings in the window per car, kept as they come and go: a backlog drained at once
    // puts thousands of passings in one window.
    std::array<int32_t, 256> inWindow_{};
    int32_t distinct_ = 0;

    int32_t limit_ = kDefaultLimit;
    std::deque<Passing> window_;
    bool crossed_ = false;
    uint32_t lastCrossingTick_ = 0;
};

}  // namespace vantrel
