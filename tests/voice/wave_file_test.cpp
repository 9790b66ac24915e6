#include "voice/wave_file.h"

#include <gtest/gtest.h>

#include "voice/wave_test_support.h"

namespace vantrel {
namespace {

TEST(WaveFile, ReadsMono16BitPcmAndRefusesEverythingElse) {
    const std::vector<uint8_t> good = test::MakeWave({1, -2, 3}, 44100);
    const std::optional<PcmWave> wave = ParsePcmWave(good);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->sampleRate, 44100u);
    EXPECT_EQ(wave->samples.size(), 6u);
    EXPECT_EQ(wave->samples[2], 0xFE);

    // A data length beyond the file is held to the bytes that are there.
    const std::vector<uint8_t> lying = test::MakeWave({1, 2}, 8000, 0x7FFFFFF0);
    ASSERT_TRUE(ParsePcmWave(lying));
    EXPECT_EQ(ParsePcmWave(lying)->samples.size(), 4u);
    // An odd length keeps whole samples only.
    std::vector<uint8_t> odd = test::MakeWave({1, 2}, 8000, 3);
    EXPECT_EQ(ParsePcmWave(odd)->samples.size(), 2u);

    EXPECT_FALSE(ParsePcmWave(test::MakeWave({1, 2}, 8000, -1, 2)));     // stereo
    EXPECT_FALSE(ParsePcmWave(test::MakeWave({1, 2}, 8000, -1, 1, 8)));  // 8 bits
    EXPECT_FALSE(ParsePcmWave(test::MakeWave({1, 2}, 0)));               // no rate
    std::vector<uint8_t> notRiff = good;
    notRiff[0] = 'X';
    EXPECT_FALSE(ParsePcmWave(notRiff));
    EXPECT_FALSE(ParsePcmWave({}));
    // Cut inside the format chunk, and a chunk length that runs to the end of memory.
    EXPECT_FALSE(ParsePcmWave(std::span(good).first(30)));
    std::vector<uint8_t> hugeChunk = good;
    hugeChunk[16] = hugeChunk[17] = hugeChunk[18] = hugeChunk[19] = 0xFF;
    EXPECT_FALSE(ParsePcmWave(hugeChunk));
}

}  // namespace
}  // namespace vantrel
