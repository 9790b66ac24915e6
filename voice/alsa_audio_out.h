#pragma once
// AudioOut on ALSA: the PCM "default" device (so PulseAudio and PipeWire desktops play
// through their ALSA plugin), or any device name ALSA knows ("null" and "file:..." in tests).
// Every sample plays on a thread of its own (PcmPlayback) and is waited for with a bound: a
// device that does not take a sample within its length and kStartGrace, or does not let go
// within kStopGrace of an Interrupt, is dropped for the rest of the run.
// Thread rule: as AudioOut.

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "voice/audio_out.h"
#include "voice/pcm_playback.h"

namespace vantrel {

class AlsaAudioOut final : public AudioOut {
public:
    // A sound server waking up may start a sample this late.
    static constexpr std::chrono::milliseconds kStartGrace{1000};
    // An interrupted sample ends within this on a device that works.
    static constexpr std::chrono::milliseconds kStopGrace{300};

    // `beep` sounds the simple beep (the window system's); empty: the terminal bell.
    explicit AlsaAudioOut(std::string device = "default", std::function<void()> beep = {});
    // Waits kStopGrace at most for a tone still playing.
    ~AlsaAudioOut() override;

    // 1 when the device opens for playback now, else 0 (always 0 once dropped).
    int32_t DeviceCount() override;
    bool PlaySync(std::span<const uint8_t> wave) override;
    bool PlayAsync(std::span<const uint8_t> wave) override;
    void Beep() override;
    void Interrupt() override;
    std::string DropReason() const override;

private:
    // Waits for `playback`; drops the device when it hung.
    PcmPlayback::End Finish(PcmPlayback& playback, PcmPlayback::Clock::time_point deadline);
    void Drop(const std::string& reason);

    std::string device_;
    std::function<void()> beep_;
    mutable std::mutex lock_;  // guards speech_, tone_ and dropReason_
    std::shared_ptr<PcmPlayback> speech_;
    std::shared_ptr<PcmPlayback> tone_;
    std::string dropReason_;
};

}  // namespace vantrel
