#pragma once
// A sound output for window tests: records what the announcer plays, by sample name where the
// sample is one of the built-in set, else by its rate ("8000 Hz"). With `forward` set, each
// sample is also played there and recorded only when that output played it. Thread-safe: the
// announcer plays on its own thread.

#include <mutex>
#include <string>
#include <vector>

#include "voice/audio_out.h"
#include "voice/builtin_samples.h"
#include "voice/wave_file.h"

namespace vantrel::test {

class RecordingAudio final : public AudioOut {
public:
    int32_t DeviceCount() override { return devices; }
    bool PlaySync(std::span<const uint8_t> wave) override {
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
    void Beep() override { Record("beep"); }
    void Interrupt() override {}

    std::vector<std::string> Played() {
        std::lock_guard lock(mutex_);
        return played_;
    }

    int32_t devices = 1;
    AudioOut* forward = nullptr;

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
};

}  // namespace vantrel::test
