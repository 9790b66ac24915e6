#include "voice/wave_file.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

namespace {
uint32_t Le32(std::span<const uint8_t> b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
           uint32_t{b[at + 3]} << 24;
}

uint16_t Le16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

bool IsTag(std::span<const uint8_t> b, size_t at, const char* tag) {
    return std::memcmp(b.data() + at, tag, 4) == 0;
}
}  // namespace

std::optional<PcmWave> ParsePcmWave(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || !IsTag(bytes, 0, "RIFF") || !IsTag(bytes, 8, "WAVE")) {
        return std::nullopt;
    }
    std::optional<PcmWave> wave;
    bool formatOk = false;
    size_t at = 12;
    while (bytes.size() - at >= 8) {
        const size_t length = std::min<size_t>(Le32(bytes, at + 4), bytes.size() - at - 8);
        const std::span<const uint8_t> body = bytes.subspan(at + 8, length);
        if (IsTag(bytes, at, "fmt ")) {
            if (body.size() < 16) {
                return std::nullopt;
            }
            const bool pcm = Le16(body, 0) == 1 && Le16(body, 2) == 1 && Le16(body, 14) == 16;
            const uint32_t rate = Le32(body, 4);
            if (!pcm || rate == 0 || rate > 384000) {
                return std::nullopt;
            }
            wave = PcmWave{rate, {}};
            formatOk = true;
        } else if (IsTag(bytes, at, "data")) {
            if (!formatOk) {
                return std::nullopt;
            }
            wave->samples = body.first(body.size() & ~size_t{1});
            return wave;
        }
        at += 8 + length + (length & 1);  // chunks are padded to even lengths
        if (at > bytes.size()) {
            break;
        }
    }
    return std::nullopt;
}

}  // namespace vantrel
