#include "sensors/receiver_ring.h"

#include <algorithm>
#include <limits>

namespace vantrel {

namespace {
std::size_t PowerOfTwoAtLeast(std::size_t wanted) {
    std::size_t size = 16;
    while (size < wanted) {
        size <<= 1;
    }
    return size;
}
}  // namespace

ReceiverRing::ReceiverRing(std::size_t capacity) {
    Reallocate(capacity);
}

void ReceiverRing::Reallocate(std::size_t capacity) {
    const std::size_t size = PowerOfTwoAtLeast(capacity);
    // Value-initialised, so every page is written now rather than at the first byte stored.
    bytes_ = std::make_unique<uint8_t[]>(size);
    ticks_ = std::make_unique<uint32_t[]>(size);
    starts_ = std::make_unique<uint8_t[]>(size);
    mask_ = size - 1;
    Marker dropped;
    while (markers_.TryPop(dropped)) {
    }
    head_.store(0);
    tail_.store(0);
    lostPending_ = 0;
}

std::size_t ReceiverRing::PutBytes(const uint8_t* bytes, std::size_t count, uint32_t tick) {
    if (!FlushLost()) {
        CountLost(count, tick);
        return 0;
    }
    const uint64_t tail = tail_.load(std::memory_order_relaxed);
    const uint64_t used = tail - head_.load(std::memory_order_acquire);
    const std::size_t stored = std::min<uint64_t>(count, Capacity() - used);
    for (std::size_t i = 0; i < stored; ++i) {
        bytes_[(tail + i) & mask_] = bytes[i];
        ticks_[(tail + i) & mask_] = tick;
        starts_[(tail + i) & mask_] = i == 0 ? 1 : 0;
    }
    tail_.store(tail + stored, std::memory_order_release);
    if (stored < count) {
        CountLost(count - stored, tick);
    }
    return stored;
}

void ReceiverRing::PutLost(uint64_t count, uint32_t tick) {
    CountLost(count, tick);
}

void ReceiverRing::CountLost(uint64_t count, uint32_t tick) {
    if (count == 0) {
        return;
    }
    if (lostPending_ == 0) {
        lostTick_ = tick;
    }
    lostPending_ += count;
    lostTotal_.fetch_add(count, std::memory_order_relaxed);
}

bool ReceiverRing::FlushLost() {
    while (lostPending_ > 0) {
        const uint64_t part =
            std::min<uint64_t>(lostPending_, std::numeric_limits<uint32_t>::max());
        if (!PushMarker(ReceivedKind::kBytesLost, lostTick_, static_cast<uint32_t>(part), {})) {
            return false;
        }
        lostPending_ -= part;
    }
    return true;
}

bool ReceiverRing::PutMarker(ReceivedKind kind, uint32_t tick, std::string_view text) {
    return FlushLost() && PushMarker(kind, tick, 0, text);
}

bool ReceiverRing::PushMarker(ReceivedKind kind, uint32_t tick, uint32_t lost,
                              std::string_view text) {
    Marker marker;
    marker.at = tail_.load(std::memory_order_relaxed);
    marker.tick = tick;
    marker.lost = lost;
    marker.kind = kind;
    marker.length = static_cast<uint8_t>(std::min(text.size(), marker.text.size()));
    std::copy_n(text.begin(), marker.length, marker.text.begin());
    return markers_.TryPush(marker);
}

bool ReceiverRing::TryPop(ReceivedBlock& block) {
    const uint64_t head = head_.load(std::memory_order_relaxed);
    // The tail first: a marker put before the bytes seen here is then seen as well.
    const uint64_t tail = tail_.load(std::memory_order_acquire);
    Marker marker;
    const bool hasMarker = markers_.Peek(marker);
    if (hasMarker && marker.at == head) {
        markers_.TryPop(marker);
        FillFrom(marker, block);
        return true;
    }
    const uint64_t end = hasMarker ? std::min(tail, marker.at) : tail;
    if (head == end) {
        return false;
    }
    const uint32_t tick = ticks_[head & mask_];
    uint64_t at = head;
    uint16_t count = 0;
    while (at < end && count < ReceivedBlock::kMaxBytes &&
           (count == 0 || starts_[at & mask_] == 0)) {
        block.bytes[count++] = bytes_[at & mask_];
        ++at;
    }
    block.kind = ReceivedKind::kBytes;
    block.count = count;
    block.tick = tick;
    block.lost = 0;
    head_.store(at, std::memory_order_release);
    return true;
}

void ReceiverRing::FillFrom(const Marker& marker, ReceivedBlock& block) {
    block.kind = marker.kind;
    block.tick = marker.tick;
    block.lost = marker.lost;
    block.count = marker.length;
    std::copy_n(marker.text.begin(), marker.length, block.bytes.begin());
}

bool ReceiverRing::Empty() const {
    return Size() == 0 && markers_.Empty();
}

std::size_t ReceiverRing::Size() const {
    return static_cast<std::size_t>(tail_.load(std::memory_order_acquire) -
                                    head_.load(std::memory_order_acquire));
}

}  // namespace vantrel
