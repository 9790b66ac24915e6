#pragma once
// One hand-over from the receiver's reader thread to the GUI: the bytes of one read, all
// stamped with the one millisecond tick taken right after the read returned. Markers in the
// same stream tell the GUI, in order, what else happened on the link.
// Thread rule: a plain value, copied between threads through the receiver queue.

#include <array>
#include <cstdint>
#include <type_traits>

#include "sensors/spsc_queue.h"

namespace vantrel {

enum class ReceivedKind : uint8_t {
    kBytes,      // bytes[0..count) arrived together at `tick`
    kLinkLost,   // the port went away; bytes[0..count) is the reason (ASCII). The last block.
    kBytesLost,  // the driver reported `lost` bytes dropped (overrun) before the next block
};

struct ReceivedBlock {
    static constexpr uint16_t kMaxBytes = 1024;

    std::array<uint8_t, kMaxBytes> bytes;
    uint16_t count = 0;
    uint32_t tick = 0;
    ReceivedKind kind = ReceivedKind::kBytes;
    uint32_t lost = 0;  // kBytesLost only
};
static_assert(std::is_trivially_copyable_v<ReceivedBlock>);

// The reader thread pushes, the GUI thread pops. 256 blocks of 1 KiB: a full queue makes the
// reader stop reading, so the bytes wait in the driver instead of growing memory.
using ReceivedQueue = SpscQueue<ReceivedBlock, 256>;

}  // namespace vantrel
