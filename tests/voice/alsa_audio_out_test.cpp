// The real ALSA path, on devices that need no sound card: "null", the file plugin, and the file
// plugin on a FIFO nobody reads (a device that blocks).
#include "voice/alsa_audio_out.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/blocking_fifo.h"
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

// A device that blocks is given up on after the sample's length and the start grace, dropped
// for the rest of the run with its reason, and never waited on again.
TEST(AlsaAudioOut, ADeviceThatBlocksIsDroppedAndNeverWaitedOnAgain) {
    test::TempDir dir;
    test::BlockingFifo fifo(dir / "sink");
    ASSERT_TRUE(fifo.Made());
    AlsaAudioOut out(fifo.Device());
    ASSERT_EQ(out.DeviceCount(), 1);  // opening alone takes no sound yet
    const std::vector<uint8_t> wave = test::MakeWave(std::vector<int16_t>(800, 100), 8000);
    EXPECT_FALSE(out.PlaySync(wave));
    EXPECT_EQ(out.DropReason(), fifo.Device() + " stopped taking sound");
    EXPECT_FALSE(out.PlaySync(wave));
    EXPECT_FALSE(out.PlayAsync(wave));
    EXPECT_EQ(out.DeviceCount(), 0);
}

// Interrupted, a play on a device that blocks returns within the stop grace, long before its
// sample would have ended, and the device is dropped; a tone on it is let go the same way.
TEST(AlsaAudioOut, AnInterruptedPlayOnABlockedDeviceReturnsAtOnce) {
    test::TempDir dir;
    test::BlockingFifo fifo(dir / "sink");
    ASSERT_TRUE(fifo.Made());
    AlsaAudioOut out(fifo.Device());
    EXPECT_TRUE(out.PlayAsync(test::MakeWave(std::vector<int16_t>(800, 100), 8000)));
    const auto minute = std::vector<int16_t>(8000 * 60, 100);
    const std::vector<uint8_t> wave = test::MakeWave(minute, 8000);
    std::atomic<bool> returned{false};
    const auto start = std::chrono::steady_clock::now();
    std::thread speech([&] {
        EXPECT_FALSE(out.PlaySync(wave));
        returned = true;
    });
    while (!returned) {
        out.Interrupt();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    speech.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_FALSE(out.DropReason().empty());
}

}  // namespace
}  // namespace vantrel
