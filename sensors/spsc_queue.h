#pragma once
// A fixed-size lock-free ring for exactly one producer thread and one consumer thread.
// Thread rule: TryPush from the producer thread only, TryPop from the consumer thread only;
// Peek from the consumer thread only; Empty and Size from either (a snapshot).

#include <array>
#include <atomic>
#include <cstddef>

namespace vantrel {

template <typename T, std::size_t Capacity>
class SpscQueue {
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0,
                  "capacity must be a power of two");

public:
    // False when the ring is full; the item is then not stored.
    bool TryPush(const T& item) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) >= Capacity) {
            return false;
        }
        items_[tail & (Capacity - 1)] = item;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // False when the ring is empty.
    bool TryPop(T& item) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) {
            return false;
        }
        item = items_[head & (Capacity - 1)];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    // Copies the oldest item without taking it; false when the ring is empty.
    bool Peek(T& item) const {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) {
            return false;
        }
        item = items_[head & (Capacity - 1)];
        return true;
    }

    std::size_t Size() const {
        return tail_.load(std::memory_order_acquire) - head_.load(std::memory_order_acquire);
    }
    bool Empty() const { return Size() == 0; }
    static constexpr std::size_t kCapacity = Capacity;

private:
    std::array<T, Capacity> items_{};
    alignas(64) std::atomic<std::size_t> head_{0};  // next slot to read (consumer)
    alignas(64) std::atomic<std::size_t> tail_{0};  // next slot to write (producer)
};

}  // namespace vantrel
