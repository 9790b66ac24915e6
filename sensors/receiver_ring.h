#pragma once
// The hand-over from the receiver's reader thread to the GUI: every byte with the tick of the
// read that took it from the driver, in a fixed ring sized for minutes of a busy receiver, and
// the link's markers (lost, back, bytes lost) at their places in the byte stream. The reader
// never waits for room: bytes that find the ring full are dropped and counted, and the count
// reaches the GUI as one kBytesLost marker at the place of the gap.
// Thread rule: Put*, FlushLost and LostPending from one producer thread; TryPop and Empty from
// one consumer thread; Size, Capacity and LostTotal from any thread; Reallocate while neither
// runs.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "sensors/received_block.h"
#include "sensors/spsc_queue.h"

namespace vantrel {

class ReceiverRing {
public:
    // 1 MiB of codes: 18 minutes of a receiver sending without a pause at 9600 bit/s.
    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 20;

    // `capacity` bytes, rounded up to a power of two (at least 16). The memory is touched
    // here, so the reader never faults a fresh page in.
    explicit ReceiverRing(std::size_t capacity = kDefaultCapacity);
    ReceiverRing(const ReceiverRing&) = delete;
    ReceiverRing& operator=(const ReceiverRing&) = delete;

    // Empties the ring and gives it `capacity` bytes; LostTotal is kept.
    void Reallocate(std::size_t capacity);

    // Stores what fits of bytes[0..count), each stamped `tick`; the rest is counted lost.
    // Returns the bytes stored. While a loss cannot be marked (the marker ring is full) the
    // bytes are counted lost too, so that the marker still sits where the gap begins.
    std::size_t PutBytes(const uint8_t* bytes, std::size_t count, uint32_t tick);
    // `count` bytes lost before the next ones (the driver overran), first noticed at `tick`.
    void PutLost(uint64_t count, uint32_t tick);
    // A kLinkLost or kLinkBack marker after every byte stored so far; `text` is cut to fit.
    // False (nothing stored) while the marker ring is full.
    bool PutMarker(ReceivedKind kind, uint32_t tick, std::string_view text = {});
    // Marks the bytes lost since the last marker; false while the marker ring is full. The
    // producer calls it when it has nothing else to put, so the count is told without waiting
    // for the next byte.
    bool FlushLost();
    bool LostPending() const { return lostPending_ > 0; }

    // The next block in stream order: the bytes of one PutBytes (at most kMaxBytes of them),
    // or the marker that comes next. False when nothing is waiting.
    bool TryPop(ReceivedBlock& block);
    bool Empty() const;

    std::size_t Capacity() const { return mask_ + 1; }
    // Bytes waiting (a snapshot).
    std::size_t Size() const;
    // Every byte counted lost since construction, told or not.
    uint64_t LostTotal() const { return lostTotal_.load(std::memory_order_relaxed); }

private:
    struct Marker {
        uint64_t at = 0;  // the stream position it comes before
        uint32_t tick = 0;
        uint32_t lost = 0;
        ReceivedKind kind = ReceivedKind::kBytes;
        uint8_t length = 0;
        std::array<uint8_t, 118> text{};
    };
    static constexpr std::size_t kMarkers = 64;

    bool PushMarker(ReceivedKind kind, uint32_t tick, uint32_t lost, std::string_view text);
    void CountLost(uint64_t count, uint32_t tick);
    static void FillFrom(const Marker& marker, ReceivedBlock& block);

    std::size_t mask_ = 0;
    std::unique_ptr<uint8_t[]> bytes_;
    std::unique_ptr<uint32_t[]> ticks_;
    std::unique_ptr<uint8_t[]> starts_;  // 1 where a PutBytes began: blocks keep reads apart
    SpscQueue<Marker, kMarkers> markers_;
    alignas(64) std::atomic<uint64_t> head_{0};  // next byte to take (consumer)
    alignas(64) std::atomic<uint64_t> tail_{0};  // next byte to store (producer)
    uint64_t lostPending_ = 0;                   // producer only: not yet marked
    uint32_t lostTick_ = 0;                      // producer only: tick of the first of them
    std::atomic<uint64_t> lostTotal_{0};
};

}  // namespace vantrel
