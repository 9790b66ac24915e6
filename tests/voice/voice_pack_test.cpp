#include "voice/voice_pack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <random>

#include "support/temp_dir.h"
#include "voice/builtin_samples.h"
#include "voice/wave_file.h"

namespace vantrel {
namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::filesystem::path& file, std::span<const uint8_t> bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

uint32_t RateOf(std::span<const uint8_t> wave) {
    const std::optional<PcmWave> pcm = ParsePcmWave(wave);
    return pcm ? pcm->sampleRate : 0;
}

TEST(VoiceSamples, BothSetsHoldEverySampleAtTheirRates) {
    const BuiltInSamples builtIn;
    std::string error;
    const std::optional<VoicePack> pack = VoicePack::Read(VANTREL_PACK_PATH, &error);
    ASSERT_TRUE(pack) << error;
    EXPECT_EQ(pack->SampleCount(), kSampleCount);
    for (int32_t i = 0; i < kSampleCount; ++i) {
        const auto name = static_cast<SampleName>(i);
        const bool tone = name == SampleName::kHiTone || name == SampleName::kLoTone;
        EXPECT_EQ(RateOf(builtIn.Wave(name)), tone ? 16000u : 44100u) << SampleNameText(name);
        EXPECT_EQ(RateOf(pack->Wave(name)), 8000u) << SampleNameText(name);
        // Long enough to be heard, short enough for nine in a row.
        const size_t ms = ParsePcmWave(builtIn.Wave(name))->samples.size() / 2 * 1000 /
                          RateOf(builtIn.Wave(name));
        EXPECT_GT(ms, 50u) << SampleNameText(name);
        EXPECT_LT(ms, 1200u) << SampleNameText(name);
    }
}

// Whatever a file in the current folder holds, reading it never crashes and never trusts a
// sample that is not whole.
TEST(VoicePack, DamagedFilesAreRefusedOrReadSampleBySample) {
    test::TempDir dir;
    const std::vector<uint8_t> good = ReadAll(VANTREL_PACK_PATH);
    ASSERT_FALSE(good.empty());
    std::string error;

    WriteAll(dir / "empty", {});
    EXPECT_FALSE(VoicePack::Read(dir / "empty", &error));
    EXPECT_FALSE(VoicePack::Read(dir.Path(), &error));  // a folder
    const std::string text = "WAV0 MIN SEC\n";
    WriteAll(dir / "text", std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    EXPECT_FALSE(VoicePack::Read(dir / "text", &error));
    WriteAll(dir / "half", std::span(good).first(good.size() / 2));
    if (const auto half = VoicePack::Read(dir / "half", &error)) {
        EXPECT_LT(half->SampleCount(), kSampleCount);
    }

    // One sample's header spoiled: that word is silent, the others stay.
    const std::optional<VoicePack> pack = VoicePack::Read(VANTREL_PACK_PATH, &error);
    ASSERT_TRUE(pack);
    const std::span<const uint8_t> min = pack->Wave(SampleName::kMin);
    std::vector<uint8_t> spoiled = good;
    const auto at = static_cast<size_t>(
        std::search(good.begin(), good.end(), min.begin(), min.end()) - good.begin());
    ASSERT_LT(at, good.size());
    spoiled[at + 22] = 2;  // two channels
    WriteAll(dir / "spoiled", spoiled);
    const std::optional<VoicePack> partial = VoicePack::Read(dir / "spoiled", &error);
    ASSERT_TRUE(partial);
    EXPECT_TRUE(partial->Wave(SampleName::kMin).empty());
    EXPECT_EQ(partial->SampleCount(), kSampleCount - 1);

    // Random damage anywhere: every sample read is still a whole wave inside the file.
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> damaged = good;
        for (int flips = 0; flips < 8; ++flips) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        WriteAll(dir / "damaged", damaged);
        if (const auto read = VoicePack::Read(dir / "damaged", &error)) {
            for (int32_t i = 0; i < kSampleCount; ++i) {
                const auto wave = read->Wave(static_cast<SampleName>(i));
                EXPECT_TRUE(wave.empty() || ParsePcmWave(wave));
            }
        }
    }
}

TEST(VoicePack, FoundByItsNameEndingInTheFolderOnly) {
    test::TempDir dir;
    EXPECT_FALSE(FindVoicePack(dir.Path()));
    std::filesystem::create_directory(dir / "aSonvale.so");  // a folder is no pack
    WriteAll(dir / "bSonvale.so.txt", {});
    EXPECT_FALSE(FindVoicePack(dir.Path()));
    WriteAll(dir / "xSonvale.so", {});
    WriteAll(dir / "mySonvale.so", {});
    EXPECT_EQ(FindVoicePack(dir.Path()), dir / "mySonvale.so");
    EXPECT_FALSE(FindVoicePack(dir / "no such folder"));
}

uint64_t GetLe(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<size_t>(i)];
    }
    return value;
}

void PutLe64(std::vector<uint8_t>& bytes, size_t at, uint64_t value) {
    for (int i = 0; i < 8; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// Where the dynamic symbol table's section header lies in the pack.
size_t SymbolTableHeader(const std::vector<uint8_t>& pack) {
    const uint64_t table = GetLe(pack, 0x28, 8);
    const uint64_t entrySize = GetLe(pack, 0x3A, 2);
    for (uint64_t i = 0; i < GetLe(pack, 0x3C, 2); ++i) {
        const auto at = static_cast<size_t>(table + i * entrySize);
        if (GetLe(pack, at + 4, 4) == 11) {
            return at;
        }
    }
    return 0;
}

// A symbol table whose entry size makes the step past its last entry wrap round to just below
// 2^64: the reader refuses the table instead of reading there.
TEST(VoicePack, ASymbolTableWithAnImpossibleEntrySizeIsRefused) {
    test::TempDir dir;
    const std::vector<uint8_t> good = ReadAll(VANTREL_PACK_PATH);
    const size_t header = SymbolTableHeader(good);
    ASSERT_NE(header, 0u);
    const uint64_t offset = GetLe(good, header + 0x18, 8);
    std::string error;
    for (const uint64_t entrySize : {~uint64_t{0} - offset - 9, uint64_t{0}, uint64_t{23},
                                     uint64_t{1} << 63, uint64_t{good.size()}}) {
        std::vector<uint8_t> crafted = good;
        PutLe64(crafted, header + 0x38, entrySize);
        WriteAll(dir / "crafted", crafted);
        EXPECT_FALSE(VoicePack::Read(dir / "crafted", &error)) << entrySize;
        EXPECT_EQ(error, "no dynamic symbol table");
    }
}

// Any offset, size or entry size in the section headers, however far outside the file: the
// reader never reads outside it (the sanitizer build would say so) and keeps only whole waves
// that are bytes of the file.
TEST(VoicePack, SectionHeadersFromAnywhereNeverReachOutsideTheFile) {
    test::TempDir dir;
    const std::vector<uint8_t> good = ReadAll(VANTREL_PACK_PATH);
    const uint64_t table = GetLe(good, 0x28, 8);
    const uint64_t count = GetLe(good, 0x3C, 2);
    const uint64_t size = good.size();
    const std::vector<uint64_t> edges = {
        0,         1,        8,    23,       24,         25,         64,    256,       257,
        size - 24, size - 1, size, size + 1, 1ull << 32, 1ull << 63, ~0ull, ~0ull - 7, ~0ull - 23};
    std::mt19937_64 random(99);
    std::string error;
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> crafted = good;
        for (int change = 0; change < 3; ++change) {
            const size_t at = static_cast<size_t>(table + (random() % count) * 64);
            const size_t field = std::array<size_t, 4>{0x10, 0x18, 0x20, 0x38}[random() % 4];
            const uint64_t value =
                random() % 2 == 0 ? edges[random() % edges.size()] : random() % (size * 2);
            PutLe64(crafted, at + field, value);
        }
        WriteAll(dir / "crafted", crafted);
        const std::optional<VoicePack> read = VoicePack::Read(dir / "crafted", &error);
        if (!read) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        for (int32_t i = 0; i < kSampleCount; ++i) {
            const std::span<const uint8_t> wave = read->Wave(static_cast<SampleName>(i));
            if (!wave.empty()) {
                EXPECT_TRUE(ParsePcmWave(wave));
                EXPECT_NE(std::search(crafted.begin(), crafted.end(), wave.begin(), wave.end()),
                          crafted.end());
            }
        }
    }
}

}  // namespace
}  // namespace vantrel
