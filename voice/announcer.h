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
// thread holds no lock and plays nothing, or after kPauseWait at most). The samples in use are
// shared with the thread, so a voice pack can be dropped whenever Pause returns; a pack is
// read by the announcer thread itself, before it plays anything.
// Thread rule: every public function on the GUI thread, except where a line says otherwise.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
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

// What the announcer asks of its owner. Both are called on the announcer thread and must
// return at once: the owner hands them to its GUI thread.
struct AnnouncerHooks {
    // Sound the simple beep (AudioOut::Beep, a GUI-thread call): a tone without a device.
    std::function<void()> beep;
    // The sound device was dropped (AudioOut::DropReason); told once.
    std::function<void(const std::string& reason)> deviceDropped;
};

// Reads a voice pack; null when the file is no usable pack. Runs on the announcer thread.
using PackReader = std::function<std::shared_ptr<const SampleSet>(const std::filesystem::path&)>;

class CSound {
public:
    static constexpr int32_t kSlots = 10;
    // The longest a session stop or the end of the program waits for the thread.
    static constexpr std::chrono::milliseconds kPauseWait{500};

    // `audio` and `builtIn` must outlive the announcer. HasDevice is decided here, once.
    CSound(AudioOut& audio, const SampleSet& builtIn, AnnouncerHooks hooks = {});
    // Stops the thread (if one was started), waiting for it as Pause does, then joins it.
    ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Starts the thread, paused. Tests leave it unstarted and call RunOnce instead.
    void StartThread();
    void Resume();
    // Session stop: waits (kPauseWait at most) until the thread holds no lock and plays
    // nothing. An announcement cut short stays in the ring and is spoken whole after the next
    // Resume.
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
    // False once the device was dropped: tones become the simple beep and speech stops.
    bool DeviceUsable() const { return hasDevice_ && !deviceDropped_.load(); }
    // Since the announcer was made, any thread: sounds played whole (announcements and tones),
    // their sample bytes, and times dropped for a full ring or cut by a failed play.
    uint64_t SoundsPlayed() const { return played_.load(std::memory_order_relaxed); }
    uint64_t BytesPlayed() const { return bytesPlayed_.load(std::memory_order_relaxed); }
    uint64_t SoundsLost() const { return lost_.load(std::memory_order_relaxed); }

    // Session start: the pack in `file` stands in for the built-in samples once the thread has
    // read it (a file that is no pack leaves the built-in ones). Session stop: UseBuiltIn.
    void UsePackFile(const std::filesystem::path& file);
    void UseBuiltIn();
    // The reader of UsePackFile; by default VoicePack::Read.
    void SetPackReader(PackReader reader) { packReader_ = std::move(reader); }
    // Whether the samples in use are the built-in ones. Any thread.
    bool UsesBuiltIn() const;

    // One pass of the thread's loop on the calling thread: the tones, then one announcement.
    // For tests, with `clock` (not owned) taking every wait.
    void SetClockForTest(AnnouncerClock* clock) { clock_ = clock; }
    void RunOnce();

private:
    class ConditionClock;

    void ThreadMain();
    bool HasWork() const;
    // Waits (kPauseWait at most) for the thread to park, interrupting what it plays.
    void WaitParked(std::unique_lock<std::mutex>& lock);
    void TakePendingPack();
    std::shared_ptr<const SampleSet> SoundModule() const;
    void ServeTones(const SampleSet& module);
    bool TakeToneRequest(bool hi);
    // Plays one announcement; false when a pause cut it short.
    bool SpeakTime(int32_t slot, const SampleSet& module);
    bool Wait(int32_t ms);
    // Tells the owner, once, when a play failed because the device was dropped.
    void CheckDropped();

    AudioOut& audio_;
    const std::shared_ptr<const SampleSet> builtIn_;  // not owned
    const bool hasDevice_;
    const AnnouncerHooks hooks_;
    std::atomic<bool> deviceDropped_{false};
    std::atomic<uint64_t> played_{0};
    std::atomic<uint64_t> bytesPlayed_{0};
    std::atomic<uint64_t> lost_{0};
    PackReader packReader_;

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
    // SoundModule: the pack once read, else the built-in set; a pack waiting to be read, and
    // the count of pack changes, so a pack read too late for its session is not taken.
    std::shared_ptr<const SampleSet> soundModule_;
    std::optional<std::filesystem::path> pendingPack_;
    uint64_t packChanges_ = 0;
    std::atomic<bool> stopping_{false};
    AnnouncerClock* clock_ = nullptr;
    std::thread thread_;
};

}  // namespace vantrel
