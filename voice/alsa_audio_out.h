#pragma once
// AudioOut on ALSA: the PCM "default" device (so PulseAudio and PipeWire desktops play
// through their ALSA plugin), or any device name ALSA knows ("null" and "file:..." in tests).
// Speech blocks until the sample has played; a tone plays on a thread of its own.
// Thread rule: as AudioOut.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "voice/audio_out.h"
#include "voice/wave_file.h"

namespace vantrel {

class AlsaAudioOut final : public AudioOut {
public:
    // `beep` sounds the simple beep (the window system's); empty: the terminal bell.
    explicit AlsaAudioOut(std::string device = "default", std::function<void()> beep = {});
    ~AlsaAudioOut() override;

    // 1 when the device opens for playback now, else 0.
    int32_t DeviceCount() override;
    bool PlaySync(std::span<const uint8_t> wave) override;
    bool PlayAsync(std::span<const uint8_t> wave) override;
    void Beep() override;
    void Interrupt() override;

private:
    bool Play(const PcmWave& wave, const std::atomic<bool>& stop);
    void JoinTone();

    std::string device_;
    std::function<void()> beep_;
    std::atomic<bool> interruptSpeech_{false};
    std::atomic<bool> stopTone_{false};
    std::mutex toneLock_;  // guards toneThread_ and toneSamples_
    std::thread toneThread_;
    std::vector<uint8_t> toneSamples_;
};

}  // namespace vantrel
