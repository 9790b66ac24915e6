#include "voice/announcer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// Each sample's bytes are its own name, so a played wave tells which sample it was.
class NamedSamples final : public SampleSet {
public:
    std::span<const uint8_t> Wave(SampleName name) const override {
        const std::string_view text = SampleNameText(name);
        if (text == missing) {
            return {};
        }
        return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
    }
    std::string_view missing;
};

std::string NameOf(std::span<const uint8_t> wave) {
    return std::string(wave.begin(), wave.end());
}

// A voice pack's samples: each one's bytes are "pack " and its name.
class PackSamples final : public SampleSet {
public:
    PackSamples() {
        for (int32_t i = 0; i < kSampleCount; ++i) {
            texts_[static_cast<size_t>(i)] =
                "pack " + std::string(SampleNameText(static_cast<SampleName>(i)));
        }
    }
    std::span<const uint8_t> Wave(SampleName name) const override {
        const std::string& text = texts_[static_cast<size_t>(name)];
        return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
    }

private:
    std::array<std::string, kSampleCount> texts_;
};

// Records what was played and waited, in one sequence: "WAV0", "~100", "async HITONE". A
// dropped device plays and records nothing.
class Recorder final : public AudioOut, public AnnouncerClock {
public:
    int32_t DeviceCount() override { return devices; }
    bool PlaySync(std::span<const uint8_t> wave) override {
        std::unique_lock lock(mutex);
        if (dropped) {
            return false;
        }
        events.push_back(NameOf(wave));
        if (blockPlays) {
            playing = true;
            changed.notify_all();
            // A device that has stopped taking sound does not hear Interrupt either.
            changed.wait_for(lock, std::chrono::seconds(10),
                             [this] { return deaf ? released : interrupted; });
            playing = false;
            interrupted = false;
        }
        return true;
    }
    bool PlayAsync(std::span<const uint8_t> wave) override {
        std::lock_guard lock(mutex);
        if (dropped) {
            return false;
        }
        events.push_back("async " + NameOf(wave));
        return true;
    }
    std::string DropReason() const override { return dropped ? "gone" : ""; }
    void Release() {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
    void Beep() override {
        std::lock_guard lock(mutex);
        events.push_back("beep");
    }
    void Interrupt() override {
        std::lock_guard lock(mutex);
        interrupted = playing;
        changed.notify_all();
    }
    bool Wait(int32_t ms) override {
        std::lock_guard lock(mutex);
        events.push_back("~" + std::to_string(ms));
        return true;
    }
    std::vector<std::string> Take() {
        std::lock_guard lock(mutex);
        return std::exchange(events, {});
    }

    int32_t devices = 1;
    std::atomic<bool> dropped{false};
    bool blockPlays = false;
    bool deaf = false;
    bool released = false;
    bool playing = false;
    bool interrupted = false;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> events;
};

std::vector<std::string> Spoken(const std::string& m1, const std::string& m2, const std::string& s1,
                                const std::string& s2, const std::string& f1, const std::string& f2,
                                const std::string& f3) {
    return {"WAV" + m1, "~100", "WAV" + m2, "~100", "MIN",      "~300",
            "WAV" + s1, "~100", "WAV" + s2, "~100", "SEC",      "~300",
            "WAV" + f1, "~100", "WAV" + f2, "~100", "WAV" + f3, "~500"};
}

class AnnouncerTest : public ::testing::Test {
protected:
    AnnouncerTest() {
        sound.SetClockForTest(&audio);
        sound.SetVoiceOn(true);
    }
    std::vector<std::string> SpeakNext() {
        sound.RunOnce();
        return audio.Take();
    }

    Recorder audio;
    NamedSamples samples;
    CSound sound{audio, samples};
};

TEST_F(AnnouncerTest, EveryDigitIsSpokenWithItsPauses) {
    sound.AnnounceTime(0, CSound::RingRule::kDropWhenFull);
    std::vector<std::string> expected = {"~3000"};
    for (const std::string& e : Spoken("0", "0", "0", "0", "0", "0", "0")) {
        expected.push_back(e);
    }
    EXPECT_EQ(SpeakNext(), expected);
    EXPECT_TRUE(sound.RingEmpty());

    sound.SetDelayMs(0);
    sound.AnnounceTime((125 * 60 + 3) * 1000 + 4, CSound::RingRule::kDropWhenFull);
    sound.AnnounceTime(100 * 60000, CSound::RingRule::kDropWhenFull);
    std::vector<std::string> first = SpeakNext();
    EXPECT_EQ(first.front(), "~0");  // no read delay: at once
    first.erase(first.begin());
    EXPECT_EQ(first, Spoken("2", "5", "0", "3", "0", "0", "4"));
    std::vector<std::string> second = SpeakNext();
    second.erase(second.begin());
    EXPECT_EQ(second, Spoken("0", "0", "0", "0", "0", "0", "0"));

    // A sample missing from the set is silent; the sequence goes on.
    samples.missing = "MIN";
    sound.AnnounceTime(7050, CSound::RingRule::kDropWhenFull);
    std::vector<std::string> withoutMin = SpeakNext();
    EXPECT_EQ(withoutMin.size(), 18u);
    EXPECT_EQ(withoutMin[5], "~300");
}

TEST_F(AnnouncerTest, RingRulesDropOrOverwriteWhenFull) {
    for (int32_t i = 0; i < 10; ++i) {
        sound.AnnounceTime(i * 1000, CSound::RingRule::kDropWhenFull);
    }
    EXPECT_TRUE(sound.RingFull());
    int spoken = 0;
    while (!sound.RingEmpty()) {
        std::vector<std::string> events = SpeakNext();
        EXPECT_EQ(events[9], "WAV" + std::to_string(spoken % 10)) << spoken;  // seconds digit
        ++spoken;
    }
    EXPECT_EQ(spoken, 9);  // the tenth finish was dropped

    // Circuit: with a full ring the lap waits in the free slot and the next lap overwrites it.
    for (int32_t i = 0; i < 9; ++i) {
        sound.AnnounceTime(1000, CSound::RingRule::kOverwriteFreeSlot);
    }
    sound.AnnounceTime(2000, CSound::RingRule::kOverwriteFreeSlot);
    EXPECT_TRUE(sound.RingFull());
    SpeakNext();
    sound.AnnounceTime(3000, CSound::RingRule::kOverwriteFreeSlot);
    std::vector<std::string> lastSeconds;
    while (!sound.RingEmpty()) {
        lastSeconds.push_back(SpeakNext()[9]);
    }
    ASSERT_EQ(lastSeconds.size(), 9u);
    EXPECT_EQ(lastSeconds.back(), "WAV3");  // 2000 was overwritten, never spoken
    EXPECT_EQ(lastSeconds[7], "WAV1");
}

TEST_F(AnnouncerTest, ToneRequestsWaitForTheBeepOptionAndComeBeforeSpeech) {
    sound.RequestHiTone();
    sound.RequestLoTone();
    sound.SetVoiceOn(false);
    sound.RunOnce();
    EXPECT_TRUE(audio.Take().empty());
    EXPECT_TRUE(sound.HiToneRequest());

    sound.SetBeepEnabled(true);
    sound.SetVoiceOn(true);
    sound.SetDelayMs(0);
    sound.AnnounceTime(1000, CSound::RingRule::kDropWhenFull);
    const std::vector<std::string> events = SpeakNext();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "async HITONE");
    EXPECT_EQ(events[1], "async LOTONE");
    EXPECT_EQ(events[2], "~0");
    EXPECT_FALSE(sound.HiToneRequest());
    EXPECT_FALSE(sound.LoToneRequest());
}

TEST(AnnouncerWithoutDevice, BeepsForTonesAndNeverSpeaks) {
    Recorder audio;
    audio.devices = 0;
    NamedSamples samples;
    CSound sound(audio, samples, {.beep = [&audio] { audio.Beep(); }, .deviceDropped = {}});
    sound.SetClockForTest(&audio);
    EXPECT_FALSE(sound.HasDevice());
    sound.SetVoiceOn(true);
    sound.SetBeepEnabled(true);
    sound.RequestLoTone();
    sound.AnnounceTime(5000, CSound::RingRule::kDropWhenFull);
    sound.RunOnce();
    EXPECT_EQ(audio.Take(), std::vector<std::string>{"beep"});
    EXPECT_FALSE(sound.RingEmpty());  // queued, not spoken
}

// Starts the announcer's thread on one time and waits until a word is playing.
void AnnounceAndWaitForAWord(CSound& sound, Recorder& audio) {
    sound.StartThread();
    sound.AnnounceTime(61000, CSound::RingRule::kDropWhenFull);
    sound.Resume();
    std::unique_lock lock(audio.mutex);
    ASSERT_TRUE(
        audio.changed.wait_for(lock, std::chrono::seconds(10), [&] { return audio.playing; }));
}

// On its own thread: a pause in the middle of a word returns at once, leaves nothing playing,
// and the announcement is spoken whole after the next resume.
TEST(AnnouncerThread, PauseCutsAWordShortAndKeepsTheAnnouncement) {
    Recorder audio;
    NamedSamples samples;
    CSound sound(audio, samples);
    sound.SetDelayMs(0);
    sound.SetVoiceOn(true);
    audio.blockPlays = true;
    ASSERT_NO_FATAL_FAILURE(AnnounceAndWaitForAWord(sound, audio));
    sound.Pause();
    {
        std::lock_guard lock(audio.mutex);
        EXPECT_FALSE(audio.playing);
    }
    EXPECT_FALSE(sound.RingEmpty());
    EXPECT_EQ(audio.Take(), std::vector<std::string>{"WAV0"});

    audio.blockPlays = false;
    sound.SetClockForTest(&audio);  // paused: the thread waits for Resume and reads no clock
    sound.Resume();
    for (int i = 0; i < 1000 && !sound.RingEmpty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(sound.RingEmpty());
    sound.Pause();
    std::vector<std::string> expected = {"~0"};
    for (const std::string& e : Spoken("0", "1", "0", "1", "0", "0", "0")) {
        expected.push_back(e);
    }
    EXPECT_EQ(audio.Take(), expected);
}

// Whatever is asked of it, once the device is dropped the announcer tells its owner exactly
// once, plays nothing more, turns every tone into the simple beep and keeps what it could not
// speak; before that it never beeps.
TEST(AnnouncerDroppedDevice, IsToldOnceAndNeverPlayedAgainOverRandomSequences) {
    std::mt19937 random(2718);
    for (int round = 0; round < 60; ++round) {
        Recorder audio;
        NamedSamples samples;
        int told = 0;
        int beeps = 0;
        CSound sound(audio, samples,
                     {.beep = [&beeps] { ++beeps; },
                      .deviceDropped =
                          [&told](const std::string& reason) {
                              ++told;
                              EXPECT_EQ(reason, "gone");
                          }});
        sound.SetClockForTest(&audio);
        sound.SetDelayMs(0);
        sound.SetVoiceOn(true);
        sound.SetBeepEnabled(true);
        bool noticed = false;
        for (int step = 0; step < 80; ++step) {
            switch (random() % 6) {
                case 0:
                    sound.AnnounceTime(static_cast<int32_t>(random() % 600000),
                                       CSound::RingRule::kDropWhenFull);
                    break;
                case 1:
                    sound.RequestHiTone();
                    break;
                case 2:
                    sound.RequestLoTone();
                    break;
                case 3:
                    audio.dropped = audio.dropped || random() % 5 == 0;
                    break;
                default: {
                    const int tones = int{sound.HiToneRequest()} + int{sound.LoToneRequest()};
                    const bool speech = !sound.RingEmpty();
                    const int32_t read = sound.QueueRead();
                    const int beepsBefore = beeps;
                    sound.RunOnce();
                    int plays = 0;
                    for (const std::string& event : audio.Take()) {
                        plays += event.front() != '~' ? 1 : 0;
                    }
                    noticed = noticed || (audio.dropped && (tones > 0 || speech));
                    ASSERT_EQ(told, noticed ? 1 : 0) << "round " << round << " step " << step;
                    EXPECT_EQ(sound.DeviceUsable(), !noticed);
                    if (audio.dropped) {
                        EXPECT_EQ(plays, 0);
                        EXPECT_EQ(beeps - beepsBefore, tones);
                        EXPECT_EQ(sound.QueueRead(), read) << "nothing spoken is released";
                    } else {
                        EXPECT_EQ(beeps, 0);
                        EXPECT_EQ(plays, tones + (speech ? 9 : 0));
                    }
                }
            }
        }
    }
}

// A voice pack is read by the announcer thread, never by the caller; a session stop does not
// wait for a slow read, and a pack read too late for its session is not taken.
TEST(AnnouncerThread, AVoicePackIsReadOnItsOwnThreadAndALateOneIsLeft) {
    Recorder audio;
    NamedSamples builtIn;
    CSound sound(audio, builtIn);
    sound.SetDelayMs(0);
    sound.SetVoiceOn(true);
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool release = false;
    std::vector<std::filesystem::path> read;
    std::thread::id readerThread;
    sound.SetPackReader([&](const std::filesystem::path& file) {
        std::unique_lock lock(mutex);
        readerThread = std::this_thread::get_id();
        read.push_back(file);
        entered = true;
        changed.notify_all();
        changed.wait(lock, [&] { return release; });
        return std::make_shared<const PackSamples>();
    });
    sound.StartThread();
    sound.UsePackFile("first.so");
    sound.Resume();
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return entered; }));
        EXPECT_NE(readerThread, std::this_thread::get_id());
    }
    sound.Pause();  // returns with the reader still busy
    sound.UseBuiltIn();
    {
        std::lock_guard lock(mutex);
        release = true;
        changed.notify_all();
    }
    sound.Pause();  // the thread has let go of the late pack once it is parked again
    EXPECT_TRUE(sound.UsesBuiltIn());

    sound.SetClockForTest(&audio);
    sound.UsePackFile("second.so");
    sound.AnnounceTime(1000, CSound::RingRule::kDropWhenFull);
    sound.Resume();
    for (int i = 0; i < 1000 && !sound.RingEmpty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    sound.Pause();
    EXPECT_FALSE(sound.UsesBuiltIn());
    std::vector<std::string> expected = {"~0"};
    for (const std::string& e : Spoken("0", "0", "0", "1", "0", "0", "0")) {
        expected.push_back(e.front() == '~' ? e : "pack " + e);
    }
    EXPECT_EQ(audio.Take(), expected);
    std::lock_guard lock(mutex);
    EXPECT_EQ(read, (std::vector<std::filesystem::path>{"first.so", "second.so"}));
}

// A device that stops taking sound holds the play whatever Interrupt says: the session stop
// still returns, and leaves the play to the device.
TEST(AnnouncerThread, PauseReturnsWhileADeafDeviceHoldsThePlay) {
    Recorder audio;
    NamedSamples samples;
    CSound sound(audio, samples);
    sound.SetDelayMs(0);
    sound.SetVoiceOn(true);
    audio.blockPlays = true;
    audio.deaf = true;
    ASSERT_NO_FATAL_FAILURE(AnnounceAndWaitForAWord(sound, audio));
    sound.Pause();
    {
        std::lock_guard lock(audio.mutex);
        EXPECT_TRUE(audio.playing);
    }
    audio.Release();  // the end of the program then joins the thread
}

}  // namespace
}  // namespace vantrel
