#pragma once
// Reading a RIFF WAVE sample as the announcer accepts it: PCM, mono, 16 bits. Whatever the
// header claims, the samples never reach past the bytes that are really there.
// Thread rule: any thread.

#include <cstdint>
#include <optional>
#include <span>

namespace vantrel {

struct PcmWave {
    uint32_t sampleRate = 0;
    std::span<const uint8_t> samples;  // 16-bit little-endian, mono, whole samples only
};

// nullopt for anything but a well-formed 16-bit mono PCM WAVE (a sample that cannot be
// played is silent).
std::optional<PcmWave> ParsePcmWave(std::span<const uint8_t> bytes);

}  // namespace vantrel
