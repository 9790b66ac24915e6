#include "voice/alsa_audio_out.h"

#include <alsa/asoundlib.h>
#include <unistd.h>

#include <algorithm>

namespace vantrel {

namespace {
// ALSA prints its own complaints to stderr; the program reports what matters itself.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

struct PcmHandle {
    snd_pcm_t* pcm = nullptr;
    ~PcmHandle() {
        if (pcm != nullptr) {
            snd_pcm_close(pcm);
        }
    }
};

constexpr unsigned kLatencyUs = 100000;  // an interrupted sample stops within this
constexpr snd_pcm_uframes_t kChunkFrames = 1024;
}  // namespace

AlsaAudioOut::AlsaAudioOut(std::string device, std::function<void()> beep)
    : device_(std::move(device)), beep_(std::move(beep)) {
    snd_lib_error_set_handler(&QuietAlsa);
}

AlsaAudioOut::~AlsaAudioOut() {
    JoinTone();
}

int32_t AlsaAudioOut::DeviceCount() {
    PcmHandle handle;
    return snd_pcm_open(&handle.pcm, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) ==
                   0
               ? 1
               : 0;
}

bool AlsaAudioOut::Play(const PcmWave& wave, const std::atomic<bool>& stop) {
    PcmHandle handle;
    if (snd_pcm_open(&handle.pcm, device_.c_str(), SND_PCM_STREAM_PLAYBACK, 0) != 0 ||
        snd_pcm_set_params(handle.pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                           wave.sampleRate, 1, kLatencyUs) != 0) {
        return false;
    }
    const snd_pcm_uframes_t frames = wave.samples.size() / 2;
    snd_pcm_uframes_t done = 0;
    while (done < frames && !stop.load()) {
        const snd_pcm_uframes_t chunk = std::min(kChunkFrames, frames - done);
        snd_pcm_sframes_t written =
            snd_pcm_writei(handle.pcm, wave.samples.data() + done * 2, chunk);
        if (written < 0) {
            written = snd_pcm_recover(handle.pcm, static_cast<int>(written), 1);
        }
        if (written < 0) {
            return false;  // the device went away: this sample is lost, the next may play
        }
        done += static_cast<snd_pcm_uframes_t>(written);
    }
    if (stop.load()) {
        snd_pcm_drop(handle.pcm);
    } else {
        snd_pcm_drain(handle.pcm);
    }
    return true;
}

bool AlsaAudioOut::PlaySync(std::span<const uint8_t> bytes) {
    const std::optional<PcmWave> wave = ParsePcmWave(bytes);
    if (!wave) {
        return false;
    }
    interruptSpeech_ = false;
    return Play(*wave, interruptSpeech_);
}

bool AlsaAudioOut::PlayAsync(std::span<const uint8_t> bytes) {
    const std::optional<PcmWave> wave = ParsePcmWave(bytes);
    if (!wave) {
        return false;
    }
    JoinTone();
    std::lock_guard lock(toneLock_);
    stopTone_ = false;
    // The tone's own copy: the caller's bytes may go before the tone has ended.
    toneSamples_.assign(wave->samples.begin(), wave->samples.end());
    const uint32_t rate = wave->sampleRate;
    toneThread_ = std::thread([this, rate] { Play(PcmWave{rate, toneSamples_}, stopTone_); });
    return true;
}

void AlsaAudioOut::JoinTone() {
    std::lock_guard lock(toneLock_);
    stopTone_ = true;
    if (toneThread_.joinable()) {
        toneThread_.join();
    }
}

void AlsaAudioOut::Beep() {
    if (beep_) {
        beep_();
    } else if (isatty(STDERR_FILENO)) {
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, "\a", 1);
    }
}

void AlsaAudioOut::Interrupt() {
    interruptSpeech_ = true;
    stopTone_ = true;
}

}  // namespace vantrel
