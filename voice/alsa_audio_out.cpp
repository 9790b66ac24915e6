#include "voice/alsa_audio_out.h"

#include <alsa/asoundlib.h>
#include <unistd.h>

namespace vantrel {

namespace {
// ALSA prints its own complaints to stderr; the program reports what matters itself.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

AlsaAudioOut::AlsaAudioOut(std::string device, std::function<void()> beep)
    : device_(std::move(device)), beep_(std::move(beep)) {
    snd_lib_error_set_handler(&QuietAlsa);
}

AlsaAudioOut::~AlsaAudioOut() {
    std::shared_ptr<PcmPlayback> tone;
    {
        std::lock_guard lock(lock_);
        tone = std::move(tone_);
    }
    if (tone) {
        tone->Stop();
        tone->Await(PcmPlayback::Clock::now(), kStopGrace);
    }
}

int32_t AlsaAudioOut::DeviceCount() {
    if (!DropReason().empty()) {
        return 0;
    }
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) != 0) {
        return 0;
    }
    snd_pcm_close(pcm);
    return 1;
}

bool AlsaAudioOut::PlaySync(std::span<const uint8_t> bytes) {
    const std::optional<PcmWave> wave = ParsePcmWave(bytes);
    if (!wave || !DropReason().empty()) {
        return false;
    }
    const auto deadline = PcmPlayback::Clock::now() + PcmPlayback::Length(*wave) + kStartGrace;
    auto playback = std::make_shared<PcmPlayback>(device_, *wave);
    {
        std::lock_guard lock(lock_);
        speech_ = playback;
    }
    const PcmPlayback::End end = Finish(*playback, deadline);
    {
        std::lock_guard lock(lock_);
        speech_.reset();
    }
    return end == PcmPlayback::End::kPlayed || end == PcmPlayback::End::kStopped;
}

bool AlsaAudioOut::PlayAsync(std::span<const uint8_t> bytes) {
    const std::optional<PcmWave> wave = ParsePcmWave(bytes);
    if (!wave || !DropReason().empty()) {
        return false;
    }
    std::shared_ptr<PcmPlayback> previous;
    {
        std::lock_guard lock(lock_);
        previous = std::move(tone_);
    }
    // A newer tone replaces one still playing; one that will not stop drops the device.
    if (previous) {
        previous->Stop();
        if (Finish(*previous, PcmPlayback::Clock::now()) == PcmPlayback::End::kHung) {
            return false;
        }
    }
    auto tone = std::make_shared<PcmPlayback>(device_, *wave);
    std::lock_guard lock(lock_);
    tone_ = std::move(tone);
    return true;
}

PcmPlayback::End AlsaAudioOut::Finish(PcmPlayback& playback,
                                      PcmPlayback::Clock::time_point deadline) {
    const PcmPlayback::End end = playback.Await(deadline, kStopGrace);
    if (end == PcmPlayback::End::kHung) {
        Drop(device_ + " stopped taking sound");
    }
    return end;
}

void AlsaAudioOut::Drop(const std::string& reason) {
    std::lock_guard lock(lock_);
    if (dropReason_.empty()) {
        dropReason_ = reason;
    }
}

std::string AlsaAudioOut::DropReason() const {
    std::lock_guard lock(lock_);
    return dropReason_;
}

void AlsaAudioOut::Beep() {
    if (beep_) {
        beep_();
    } else if (isatty(STDERR_FILENO)) {
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, "\a", 1);
    }
}

void AlsaAudioOut::Interrupt() {
    std::lock_guard lock(lock_);
    if (speech_) {
        speech_->Stop();
    }
    if (tone_) {
        tone_->Stop();
    }
}

}  // namespace vantrel
