#include "voice/announcer.h"

#include <chrono>

namespace vantrel {

namespace {
int32_t NextSlot(int32_t slot) {
    return (slot + 1) % CSound::kSlots;
}
}  // namespace

CSound::CSound(AudioOut& audio, const SampleSet& builtIn)
    : audio_(audio),
      builtIn_(builtIn),
      soundModule_(&builtIn),
      hasDevice_(audio.DeviceCount() > 0) {}

CSound::~CSound() {
    {
        std::lock_guard lock(controlLock_);
        terminate_ = true;
        stopping_ = true;
    }
    wake_.notify_all();
    audio_.Interrupt();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void CSound::StartThread() {
    if (!thread_.joinable()) {
        thread_ = std::thread(&CSound::ThreadMain, this);
    }
}

void CSound::Resume() {
    {
        std::lock_guard lock(controlLock_);
        paused_ = false;
        stopping_ = false;
    }
    wake_.notify_all();
}

void CSound::Pause() {
    std::unique_lock lock(controlLock_);
    paused_ = true;
    stopping_ = true;
    wake_.notify_all();
    // A sample started just before the flag was seen is cut short too.
    while (busy_) {
        audio_.Interrupt();
        parked_.wait_for(lock, std::chrono::milliseconds(20));
    }
}

void CSound::ThreadMain() {
    std::unique_lock lock(controlLock_);
    for (;;) {
        busy_ = false;
        parked_.notify_all();
        wake_.wait(lock, [this] { return terminate_ || (!paused_ && HasWork()); });
        if (terminate_) {
            return;
        }
        busy_ = true;
        lock.unlock();
        RunOnce();
        lock.lock();
    }
}

bool CSound::HasWork() const {
    const bool tones = beepEnabled_.load() && (HiToneRequest() || LoToneRequest());
    return tones || (voiceOn_.load() && hasDevice_ && !RingEmpty());
}

void CSound::RunOnce() {
    if (beepEnabled_.load()) {
        ServeTones();
    }
    if (voiceOn_.load() && hasDevice_ && !RingEmpty()) {
        const int32_t slot = queueRead_.load(std::memory_order_acquire);
        if (SpeakTime(slot)) {
            queueRead_.store(NextSlot(slot), std::memory_order_release);
        }
    }
}

void CSound::ServeTones() {
    for (const bool hi : {true, false}) {
        if (!TakeToneRequest(hi)) {
            continue;
        }
        if (hasDevice_) {
            audio_.PlayAsync(soundModule_->Wave(hi ? SampleName::kHiTone : SampleName::kLoTone));
        } else {
            audio_.Beep();
        }
    }
}

bool CSound::TakeToneRequest(bool hi) {
    std::lock_guard lock(toneLock_);
    bool& request = hi ? hiToneRequest_ : loToneRequest_;
    const bool wanted = request;
    request = false;
    return wanted;
}

bool CSound::SpeakTime(int32_t slot) {
    if (!Wait(delayMs_.load())) {
        return false;
    }
    SpokenTime& time = voiceQueue_[slot];
    time.minutes %= 100;
    for (const SpeakStep& step : SpeakSteps(time)) {
        const std::span<const uint8_t> wave = soundModule_->Wave(step.sample);
        if (!wave.empty()) {
            audio_.PlaySync(wave);  // a sample that cannot be played is skipped
        }
        if (stopping_.load() || !Wait(step.pauseMs)) {
            return false;
        }
    }
    return true;
}

bool CSound::Wait(int32_t ms) {
    if (clock_ != nullptr) {
        return clock_->Wait(ms) && !stopping_.load();
    }
    std::unique_lock lock(controlLock_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms),
                           [this] { return stopping_.load(); });
}

void CSound::AnnounceTime(int32_t ms, RingRule rule) {
    const int32_t write = queueWrite_.load(std::memory_order_relaxed);  // only we write it
    if (rule == RingRule::kDropWhenFull && RingFull()) {
        return;
    }
    voiceQueue_[write] = SplitTime(ms);
    if (!RingFull()) {
        {
            std::lock_guard lock(controlLock_);
            queueWrite_.store(NextSlot(write), std::memory_order_release);
        }
        wake_.notify_all();
    }
}

bool CSound::RingEmpty() const {
    return queueRead_.load(std::memory_order_acquire) ==
           queueWrite_.load(std::memory_order_acquire);
}

bool CSound::RingFull() const {
    return NextSlot(queueWrite_.load(std::memory_order_acquire)) ==
           queueRead_.load(std::memory_order_acquire);
}

void CSound::RequestHiTone() {
    {
        std::lock_guard lock(toneLock_);
        hiToneRequest_ = true;
    }
    std::lock_guard lock(controlLock_);
    wake_.notify_all();
}

void CSound::RequestLoTone() {
    {
        std::lock_guard lock(toneLock_);
        loToneRequest_ = true;
    }
    std::lock_guard lock(controlLock_);
    wake_.notify_all();
}

bool CSound::HiToneRequest() const {
    std::lock_guard lock(toneLock_);
    return hiToneRequest_;
}

bool CSound::LoToneRequest() const {
    std::lock_guard lock(toneLock_);
    return loToneRequest_;
}

void CSound::SetVoiceOn(bool on) {
    std::lock_guard lock(controlLock_);
    voiceOn_ = on;
    wake_.notify_all();
}

void CSound::SetBeepEnabled(bool on) {
    std::lock_guard lock(controlLock_);
    beepEnabled_ = on;
    wake_.notify_all();
}

}  // namespace vantrel
