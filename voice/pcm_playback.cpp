#include "voice/pcm_playback.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace vantrel {

namespace {
constexpr unsigned kLatencyUs = 100000;  // a stopped sample ends within this
constexpr snd_pcm_uframes_t kChunkFrames = 1024;
constexpr int kWaitSliceMs = 20;  // how often a wait for room or drain looks at Stop

struct PcmHandle {
    snd_pcm_t* pcm = nullptr;
    ~PcmHandle() {
        if (pcm != nullptr) {
            snd_pcm_close(pcm);
        }
    }
};
}  // namespace

struct PcmPlayback::State {
    std::string device;
    uint32_t rate = 0;
    std::vector<uint8_t> samples;
    std::atomic<bool> stop{false};
    std::mutex lock;  // guards ended and played
    std::condition_variable changed;
    bool ended = false;
    bool played = false;
};

namespace {

// Plays every frame of `s` unless stopped; false when the device refused them.
bool WriteAll(snd_pcm_t* pcm, PcmPlayback::State& s) {
    const snd_pcm_uframes_t frames = s.samples.size() / 2;
    snd_pcm_uframes_t done = 0;
    while (done < frames && !s.stop.load()) {
        const snd_pcm_uframes_t chunk = std::min(kChunkFrames, frames - done);
        snd_pcm_sframes_t written = snd_pcm_writei(pcm, s.samples.data() + done * 2, chunk);
        if (written == -EAGAIN) {
            snd_pcm_wait(pcm, kWaitSliceMs);
            continue;
        }
        if (written < 0) {
            written = snd_pcm_recover(pcm, static_cast<int>(written), 1);
        }
        if (written < 0) {
            return false;  // the device went away: this sample is lost, the next may play
        }
        done += static_cast<snd_pcm_uframes_t>(written);
    }
    return true;
}

// Lets the buffered sound play out; a non-blocking drain is watched until it has ended.
void Drain(snd_pcm_t* pcm, const std::atomic<bool>& stop) {
    if (snd_pcm_drain(pcm) != -EAGAIN) {
        return;
    }
    while (snd_pcm_state(pcm) == SND_PCM_STATE_DRAINING && !stop.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kWaitSliceMs));
    }
}

bool Play(PcmPlayback::State& s) {
    PcmHandle handle;
    if (snd_pcm_open(&handle.pcm, s.device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) !=
            0 ||
        snd_pcm_set_params(handle.pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                           s.rate, 1, kLatencyUs) != 0) {
        return false;
    }
    if (!WriteAll(handle.pcm, s)) {
        return false;
    }
    if (s.stop.load()) {
        snd_pcm_drop(handle.pcm);
        return true;
    }
    Drain(handle.pcm, s.stop);
    if (s.stop.load()) {
        snd_pcm_drop(handle.pcm);
    }
    return true;
}

}  // namespace

PcmPlayback::PcmPlayback(const std::string& device, const PcmWave& wave)
    : state_(std::make_shared<State>()) {
    state_->device = device;
    state_->rate = wave.sampleRate;
    state_->samples.assign(wave.samples.begin(), wave.samples.end());
    thread_ = std::thread([state = state_] {
        const bool played = Play(*state);
        std::lock_guard lock(state->lock);
        state->ended = true;
        state->played = played;
        state->changed.notify_all();
    });
}

PcmPlayback::~PcmPlayback() {
    bool ended = false;
    {
        std::lock_guard lock(state_->lock);
        ended = state_->ended;
    }
    if (ended) {
        thread_.join();
    } else {
        state_->stop = true;
        thread_.detach();
    }
}

void PcmPlayback::Stop() {
    std::lock_guard lock(state_->lock);
    state_->stop = true;
    state_->changed.notify_all();
}

PcmPlayback::End PcmPlayback::Await(Clock::time_point deadline, Clock::duration stopGrace) {
    State& s = *state_;
    std::unique_lock lock(s.lock);
    s.changed.wait_until(lock, deadline, [&s] { return s.ended || s.stop.load(); });
    if (!s.ended && s.stop.load()) {
        s.changed.wait_for(lock, stopGrace, [&s] { return s.ended; });
    }
    if (!s.ended) {
        s.stop = true;  // should it ever wake up, it ends at once
        return End::kHung;
    }
    if (!s.played) {
        return End::kFailed;
    }
    return s.stop.load() ? End::kStopped : End::kPlayed;
}

PcmPlayback::Clock::duration PcmPlayback::Length(const PcmWave& wave) {
    if (wave.sampleRate == 0) {
        return {};
    }
    const auto frames = static_cast<int64_t>(wave.samples.size() / 2);
    return std::chrono::microseconds(frames * 1'000'000 / wave.sampleRate);
}

}  // namespace vantrel
