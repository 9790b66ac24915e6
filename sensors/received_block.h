#pragma once
// One hand-over from the receiver's reader thread to the GUI: bytes that share the one
// millisecond tick taken right after the read that took them from the driver. Markers in the
// same stream tell the GUI, in order, what else happened on the link.
// Thread rule: a plain value.

#include <array>
#include <cstdint>
#include <type_traits>

namespace vantrel {

enum class ReceivedKind : uint8_t {
    kBytes,      // bytes[0..count) arrived together at `tick`
    kLinkLost,   // the port went away at `tick`; bytes[0..count) is the reason (ASCII)
    kBytesLost,  // `lost` bytes were dropped (by the driver, or a full ring) before the next block
    kLinkBack,   // the port lost before is open again; reading went on at `tick`
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

}  // namespace vantrel
