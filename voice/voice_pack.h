#pragma once
// The voice pack: a shared library "*Sonvale.so" in the current folder that carries the 14
// samples as exported data. It is read as data, never loaded: the folder is often a results
// stick or a shared folder, and loading a library runs its code. Its dynamic symbol table is
// searched for the sample names and their bytes are copied out with every bound checked; a
// sample that is missing, out of bounds or not a 16-bit mono PCM WAVE is silent.
// Thread rule: a pack is read-only once read; any thread may read it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "voice/sample_set.h"

namespace vantrel {

class VoicePack final : public SampleSet {
public:
    // Nullopt (and `error`) when the file cannot be read or is no 64-bit little-endian ELF
    // library with a dynamic symbol table. A pack with none of the samples reads as empty.
    static std::optional<VoicePack> Read(const std::filesystem::path& file, std::string* error);

    // Moves keep the samples pointing into the bytes; a copy would not.
    VoicePack(VoicePack&&) = default;
    VoicePack& operator=(VoicePack&&) = default;
    VoicePack(const VoicePack&) = delete;
    VoicePack& operator=(const VoicePack&) = delete;

    std::span<const uint8_t> Wave(SampleName name) const override;
    int32_t SampleCount() const;

private:
    VoicePack() = default;

    std::vector<uint8_t> bytes_;
    std::array<std::span<const uint8_t>, kSampleCount> samples_{};
};

// The first regular file (in name order) in `folder` whose name ends in "Sonvale.so".
std::optional<std::filesystem::path> FindVoicePack(const std::filesystem::path& folder);

}  // namespace vantrel
