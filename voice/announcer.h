#pragma once
// CSound, the voice announcer: a thread of its own that plays the tone requests and speaks
// the queued run and lap times, so timing never waits for sound.
//
// The ring of ten slots has one producer (the GUI thread: AnnounceTime) and one consumer (the
// announcer thread); a slot is written before its index is published and released only after
// it has been spoken, so neither side ever locks. The two tone flags are the only state under
// the lock. Waits (the read delay and the pauses between samples) go through AnnouncerClock
// so a test can run whole announcements without waiting.
//
// Life: created paused; Resume at session start, Pause at session stop (returns once the
// thread holds no lock and plays nothing, so the voice pack can then be dropped).
// Thread rule: every public function on the GUI thread, except where a line says otherwise.

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "voice/audio_out.h"
#include "voice/sample_set.h"
#include "voice/speak_time.h"

namespace vantrel {

// How the announcer waits. The real one is the announcer's own condition; a test's returns at
// once and records the pause.
class AnnouncerClock {
public:
    virtual ~AnnouncerClock() = default;
    // Waits `ms`; false when the wait was cut short because the announcer is pausing.
    virtual bool Wait(int32_t ms) = 0;
};

class CSound {
public:
    static constexpr int32_t kSlots = 10;

    // `audio` and `builtIn` must outlive the announcer. HasDevice is decided here, once.
    CSound(AudioOut& audio, const SampleSet& builtIn);
    // Stops the thread (if one was started).
    ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Starts the thread, paused. Tests leave it unstarted and call RunOnce instead.
    void StartThread();
    void Resume();
    // Session stop: waits until the thread holds no lock and plays nothing. An announcement cut
    // short stays in the ring and is spoken whole after the next Resume.
    void Pause();

    // The ring rules. Gymkhana: a full ring drops the time. Circuit: the time goes into the
    // free slot and waits there to be overwritten when the ring is full.
    enum class RingRule { kDropWhenFull, kOverwriteFreeSlot };
    void AnnounceTime(int32_t ms, RingRule rule);
    bool RingEmpty() const;
    bool RingFull() const;
    int32_t QueueRead() const { return queueRead_.load(std::memory_order_acquire); }
    int32_t QueueWrite() const { return queueWrite_.load(std::memory_order_acquire); }

    // Tone requests, under the lock; the thread clears them when it serves them.
    void RequestHiTone();
    void RequestLoTone();
    bool HiToneRequest() const;
    bool LoToneRequest() const;

    // "読み上げ", [Setup] ReadDelay (x 1000 ms) and BeepOn; the voice pack or the built-in set.
    void SetVoiceOn(bool on);
    bool VoiceOn() const { return voiceOn_.load(); }
    void SetDelayMs(int32_t ms) { delayMs_.store(ms); }
    int32_t DelayMs() const { return delayMs_.load(); }
    void SetBeepEnabled(bool on);
    bool BeepEnabled() const { return beepEnabled_.load(); }
    bool HasDevice() const { return hasDevice_; }
    // The set SoundModule stands for; null for the built-in one. Only while paused.
    void UseSamples(const SampleSet* pack) { soundModule_ = pack ? pack : &builtIn_; }

    // One pass of the thread's loop on the calling thread: the tones, then one announcement.
    // For tests, with `clock` (not owned) taking every wait.
    void SetClockForTest(AnnouncerClock* clock) { clock_ = clock; }
    void RunOnce();

private:
    class ConditionClock;

    void ThreadMain();
    bool HasWork() const;
    void ServeTones();
    bool TakeToneRequest(bool hi);
    // Plays one announcement; false when a pause cut it short.
    bool SpeakTime(int32_t slot);
    bool Wait(int32_t ms);

    AudioOut& audio_;
    const SampleSet& builtIn_;
    const SampleSet* soundModule_;
    const bool hasDevice_;

    std::array<SpokenTime, kSlots> voiceQueue_{};
    std::atomic<int32_t> queueRead_{0};
    std::atomic<int32_t> queueWrite_{0};

    mutable std::mutex toneLock_;
    bool hiToneRequest_ = false;
    bool loToneRequest_ = false;

    std::atomic<bool> voiceOn_{false};
    std::atomic<int32_t> delayMs_{3000};
    std::atomic<bool> beepEnabled_{false};

    // The thread's control: paused and terminate are read by every wait.
    mutable std::mutex controlLock_;
    std::condition_variable wake_;
    std::condition_variable parked_;
    bool paused_ = true;
    bool terminate_ = false;
    bool busy_ = false;  // the thread is serving (not parked)
    std::atomic<bool> stopping_{false};
    AnnouncerClock* clock_ = nullptr;
    std::thread thread_;
};

}  // namespace vantrel
