#include "voice/announcer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
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

// Records what was played and waited, in one sequence: "WAV0", "~100", "async HITONE".
class Recorder final : public AudioOut, public AnnouncerClock {
public:
    int32_t DeviceCount() override { return devices; }
    bool PlaySync(std::span<const uint8_t> wave) override {
        std::unique_lock lock(mutex);
        events.push_back(NameOf(wave));
        if (blockPlays) {
            playing = true;
            changed.notify_all();
            changed.wait_for(lock, std::chrono::seconds(10), [this] { return interrupted; });
            playing = false;
            interrupted = false;
        }
        return true;
    }
    bool PlayAsync(std::span<const uint8_t> wave) override {
        std::lock_guard lock(mutex);
        events.push_back("async " + NameOf(wave));
        return true;
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
    bool blockPlays = false;
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
    CSound sound(audio, samples);
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

// On its own thread: a pause in the middle of a word returns at once, leaves nothing playing,
// and the announcement is spoken whole after the next resume.
TEST(AnnouncerThread, PauseCutsAWordShortAndKeepsTheAnnouncement) {
    Recorder audio;
    NamedSamples samples;
    CSound sound(audio, samples);
    sound.SetDelayMs(0);
    sound.SetVoiceOn(true);
    audio.blockPlays = true;
    sound.StartThread();
    sound.AnnounceTime(61000, CSound::RingRule::kDropWhenFull);
    sound.Resume();
    {
        std::unique_lock lock(audio.mutex);
        ASSERT_TRUE(
            audio.changed.wait_for(lock, std::chrono::seconds(10), [&] { return audio.playing; }));
    }
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

}  // namespace
}  // namespace vantrel
