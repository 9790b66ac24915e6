#include "voice/announcer.h"

#include <algorithm>

#include "voice/voice_pack.h"

namespace vantrel {

namespace {
int32_t NextSlot(int32_t slot) {
    return (slot + 1) % CSound::kSlots;
}

std::shared_ptr<const SampleSet> ReadPack(const std::filesystem::path& file) {
    std::optional<VoicePack> pack = VoicePack::Read(file, nullptr);
    return pack ? std::make_shared<const VoicePack>(std::move(*pack)) : nullptr;
}
}  // namespace

CSound::CSound(AudioOut& audio, const SampleSet& builtIn, AnnouncerHooks hooks)
    : audio_(audio),
      builtIn_(std::shared_ptr<const SampleSet>(), &builtIn),
      hasDevice_(audio.DeviceCount() > 0),
      hooks_(std::move(hooks)),
      packReader_(&ReadPack),
      soundModule_(builtIn_) {}

CSound::~CSound() {
    std::unique_lock lock(controlLock_);
    terminate_ = true;
    stopping_ = true;
    wake_.notify_all();
    WaitParked(lock);
    lock.unlock();
    // A thread still busy here is inside a play, which AudioOut bounds.
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
    WaitParked(lock);
}

void CSound::WaitParked(std::unique_lock<std::mutex>& lock) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + kPauseWait;
    // A sample started just before the flag was seen is cut short too.
    while (busy_ && Clock::now() < deadline) {
        audio_.Interrupt();
        parked_.wait_until(lock, std::min(deadline, Clock::now() + std::chrono::milliseconds(20)));
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
    // Called under controlLock_.
    const bool tones = beepEnabled_.load() && (HiToneRequest() || LoToneRequest());
    return tones || pendingPack_.has_value() || (voiceOn_.load() && DeviceUsable() && !RingEmpty());
}

void CSound::RunOnce() {
    TakePendingPack();
    const std::shared_ptr<const SampleSet> module = SoundModule();
    if (beepEnabled_.load()) {
        ServeTones(*module);
    }
    if (voiceOn_.load() && DeviceUsable() && !RingEmpty()) {
        const int32_t slot = queueRead_.load(std::memory_order_acquire);
        if (SpeakTime(slot, *module)) {
            queueRead_.store(NextSlot(slot), std::memory_order_release);
        }
    }
}

void CSound::ServeTones(const SampleSet& module) {
    for (const bool hi : {true, false}) {
        if (!TakeToneRequest(hi)) {
            continue;
        }
        const std::span<const uint8_t> wave =
            module.Wave(hi ? SampleName::kHiTone : SampleName::kLoTone);
        if (DeviceUsable() && !audio_.PlayAsync(wave)) {
            CheckDropped();  // a missing tone is silent; a dropped device beeps from now on
        } else if (DeviceUsable()) {
            played_.fetch_add(1, std::memory_order_relaxed);
            bytesPlayed_.fetch_add(wave.size(), std::memory_order_relaxed);
        }
        if (!DeviceUsable() && hooks_.beep) {
            hooks_.beep();
        }
    }
}

void CSound::CheckDropped() {
    if (deviceDropped_.load()) {
        return;
    }
    const std::string reason = audio_.DropReason();
    if (reason.empty()) {
        return;
    }
    deviceDropped_ = true;
    if (hooks_.deviceDropped) {
        hooks_.deviceDropped(reason);
    }
}

bool CSound::TakeToneRequest(bool hi) {
    std::lock_guard lock(toneLock_);
    bool& request = hi ? hiToneRequest_ : loToneRequest_;
    const bool wanted = request;
    request = false;
    return wanted;
}

bool CSound::SpeakTime(int32_t slot, const SampleSet& module) {
    if (!Wait(delayMs_.load())) {
        return false;
    }
    SpokenTime& time = voiceQueue_[slot];
    time.minutes %= 100;
    for (const SpeakStep& step : SpeakSteps(time)) {
        const std::span<const uint8_t> wave = module.Wave(step.sample);
        if (stopping_.load()) {
            return false;
        }
        // A sample that cannot be played is skipped; a dropped device ends the announcement,
        // which stays in the ring as it would without a device.
        if (!wave.empty() && !audio_.PlaySync(wave)) {
            CheckDropped();
            if (!DeviceUsable()) {
                lost_.fetch_add(1, std::memory_order_relaxed);
                return false;
            }
        } else {
            bytesPlayed_.fetch_add(wave.size(), std::memory_order_relaxed);
        }
        if (stopping_.load() || !Wait(step.pauseMs)) {
            return false;
        }
    }
    played_.fetch_add(1, std::memory_order_relaxed);
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
        lost_.fetch_add(1, std::memory_order_relaxed);
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

void CSound::UsePackFile(const std::filesystem::path& file) {
    {
        std::lock_guard lock(controlLock_);
        ++packChanges_;
        pendingPack_ = file;
        soundModule_ = builtIn_;
    }
    wake_.notify_all();
}

void CSound::UseBuiltIn() {
    std::lock_guard lock(controlLock_);
    ++packChanges_;
    pendingPack_.reset();
    soundModule_ = builtIn_;
}

bool CSound::UsesBuiltIn() const {
    std::lock_guard lock(controlLock_);
    return soundModule_ == builtIn_;
}

std::shared_ptr<const SampleSet> CSound::SoundModule() const {
    std::lock_guard lock(controlLock_);
    return soundModule_;
}

void CSound::TakePendingPack() {
    std::filesystem::path file;
    uint64_t change = 0;
    {
        std::lock_guard lock(controlLock_);
        if (!pendingPack_) {
            return;
        }
        file = std::move(*pendingPack_);
        pendingPack_.reset();
        change = packChanges_;
    }
    std::shared_ptr<const SampleSet> pack = packReader_(file);  // off the GUI thread
    std::lock_guard lock(controlLock_);
    if (pack && change == packChanges_) {
        soundModule_ = std::move(pack);
    }
}

void CSound::SetBeepEnabled(bool on) {
    std::lock_guard lock(controlLock_);
    beepEnabled_ = on;
    wake_.notify_all();
}

}  // namespace vantrel
