#pragma once
// A sound output for window tests: records what the announcer plays, by sample name where the
// sample is one of the built-in set, else by its rate ("8000 Hz"), and the thread of every
// beep. With `forward` set, each sample is also played there (and interrupted and dropped
// with it) and recorded only when that output played it. Thread-safe: the announcer plays on
// its own thread.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "voice/audio_out.h"
#include "voice/builtin_samples.h"
#include "voice/wave_file.h"

namespace vantrel::test {

class RecordingAudio final : public AudioOut {
public:
    int32_t DeviceCount() override { return devices; }
    bool PlaySync(std::span<const uint8_t> wave) override {
        ++playsStarted;
        if (forward != nullptr && !forward->PlaySync(wave)) {
            return false;
        }
        Record(Name(wave));
        return true;
    }
    bool PlayAsync(std::span<const uint8_t> wave) override {
        Record("async " + Name(wave));
        return true;
    }
    void Beep() override {
        Record("beep");
        std::lock_guard lock(mutex_);
        beepThreads_.push_back(std::this_thread::get_id());
    }
    void Interrupt() override {
        if (forward != nullptr) {
            forward->Interrupt();
        }
    }
    std::string DropReason() const override {
        return forward != nullptr ? forward->DropReason() : std::string();
    }

    std::vector<std::string> Played() {
        std::lock_guard lock(mutex_);
        return played_;
    }

    std::vector<std::thread::id> BeepThreads() {
        std::lock_guard lock(mutex_);
        return beepThreads_;
    }

    int32_t devices = 1;
    AudioOut* forward = nullptr;
    std::atomic<int> playsStarted{0};  // PlaySync calls, counted as they begin

private:
    static std::string Name(std::span<const uint8_t> wave) {
        const auto& builtIn = BuiltInSampleBytes();
        for (int32_t i = 0; i < kSampleCount; ++i) {
            if (builtIn[static_cast<size_t>(i)].data() == wave.data()) {
                return std::string(SampleNameText(static_cast<SampleName>(i)));
            }
        }
        const std::optional<PcmWave> pcm = ParsePcmWave(wave);
        return pcm ? std::to_string(pcm->sampleRate) + " Hz" : "not a wave";
    }
    void Record(std::string what) {
        std::lock_guard lock(mutex_);
        played_.push_back(std::move(what));
    }

    std::mutex mutex_;
    std::vector<std::string> played_;
    std::vector<std::thread::id> beepThreads_;
};

}  // namespace vantrel::test
