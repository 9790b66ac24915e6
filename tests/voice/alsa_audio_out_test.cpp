// The real ALSA path, on devices that need no sound card: "null" and the file plugin.
#include "voice/alsa_audio_out.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/temp_dir.h"
#include "voice/wave_test_support.h"

namespace vantrel {
namespace {

TEST(AlsaAudioOut, PlaysWholeSamplesToTheDevice) {
    test::TempDir dir;
    const std::string raw = (dir / "out.raw").string();
    AlsaAudioOut file("file:'" + raw + "',raw");
    ASSERT_EQ(file.DeviceCount(), 1);
    std::vector<int16_t> samples(800);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(i * 37);
    }
    const std::vector<uint8_t> wave = test::MakeWave(samples, 8000);
    ASSERT_TRUE(file.PlaySync(wave));
    std::ifstream in(raw, std::ios::binary);
    const std::vector<uint8_t> written{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GE(written.size(), samples.size() * 2);
    EXPECT_TRUE(std::equal(wave.end() - samples.size() * 2, wave.end(), written.begin()));

    // A tone plays on its own; a newer one replaces it; the object ends cleanly meanwhile.
    AlsaAudioOut null("null");
    EXPECT_TRUE(null.PlayAsync(wave));
    EXPECT_TRUE(null.PlayAsync(wave));
    EXPECT_FALSE(null.PlaySync(std::vector<uint8_t>{'R', 'I', 'F', 'F'}));
}

TEST(AlsaAudioOut, NoDeviceIsReportedAndSkipped) {
    int beeps = 0;
    AlsaAudioOut missing("no_such_device_here", [&beeps] { ++beeps; });
    EXPECT_EQ(missing.DeviceCount(), 0);
    EXPECT_FALSE(missing.PlaySync(test::MakeWave({1, 2, 3})));
    missing.Beep();
    EXPECT_EQ(beeps, 1);
}

}  // namespace
}  // namespace vantrel
