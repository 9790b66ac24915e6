#pragma once
// Builds RIFF WAVE bytes for the announcer's tests.

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::test {

inline void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// A WAVE of `samples` (16-bit mono) at `rate`; `dataLength` overrides the data chunk's length
// field (a header that lies), `channels` and `bits` the format.
inline std::vector<uint8_t> MakeWave(const std::vector<int16_t>& samples, uint32_t rate = 8000,
                                     int64_t dataLength = -1, uint16_t channels = 1,
                                     uint16_t bits = 16) {
    std::vector<uint8_t> out;
    const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    PutLe(out, 36 + data, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);
    PutLe(out, channels, 2);
    PutLe(out, rate, 4);
    PutLe(out, rate * channels * bits / 8, 4);
    PutLe(out, channels * bits / 8, 2);
    PutLe(out, bits, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLe(out, dataLength < 0 ? data : static_cast<uint32_t>(dataLength), 4);
    for (const int16_t s : samples) {
        PutLe(out, static_cast<uint16_t>(s), 2);
    }
    return out;
}

}  // namespace vantrel::test
