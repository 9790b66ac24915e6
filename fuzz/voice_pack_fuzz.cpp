// Any bytes as a voice-pack file, and as one WAVE sample: reading never reaches past the
// bytes, a refused pack says why, and every sample kept is a whole 16-bit mono PCM WAVE copied
// from the file as it stands.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz/fuzz_file.h"
#include "fuzz/fuzz_lines.h"
#include "voice/voice_pack.h"
#include "voice/wave_file.h"

using namespace vantrel;

namespace {

bool IsPieceOf(std::span<const uint8_t> piece, std::span<const uint8_t> whole) {
    return std::search(whole.begin(), whole.end(), piece.begin(), piece.end()) != whole.end();
}

void CheckWave(std::span<const uint8_t> bytes) {
    const std::optional<PcmWave> wave = ParsePcmWave(bytes);
    if (!wave) {
        return;
    }
    fuzz::Require(wave->sampleRate > 0 && wave->sampleRate <= 384000, "a playable rate");
    fuzz::Require(wave->samples.size() % 2 == 0, "whole 16-bit samples");
    fuzz::Require(wave->samples.empty() ||
                      (wave->samples.data() >= bytes.data() &&
                       wave->samples.data() + wave->samples.size() <= bytes.data() + bytes.size()),
                  "samples inside the bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFile file("libSonvale.so");
    const std::span<const uint8_t> bytes(data, size);
    CheckWave(bytes);
    file.Write(bytes);
    std::string error;
    const std::optional<VoicePack> pack = VoicePack::Read(file.Path(), &error);
    if (!pack) {
        fuzz::Require(!error.empty(), "a refused pack says why");
        return 0;
    }
    fuzz::Require(pack->SampleCount() >= 0 && pack->SampleCount() <= kSampleCount, "14 at most");
    for (int32_t i = 0; i < kSampleCount; ++i) {
        const std::span<const uint8_t> wave = pack->Wave(static_cast<SampleName>(i));
        if (wave.empty()) {
            continue;
        }
        fuzz::Require(ParsePcmWave(wave).has_value(), "a kept sample is a PCM WAVE");
        fuzz::Require(IsPieceOf(wave, bytes), "a kept sample is bytes of the file");
        CheckWave(wave);
    }
    return 0;
}
