// The announcer through the window: "読み上げ", the spoken run time, the sensor tones and the
// voice pack found in the working folder.
#include <QCheckBox>
#include <QElapsedTimer>
#include <chrono>
#include <thread>

#include "app/sensor_warning_panel.h"
#include "common/messages.h"
#include "support/blocking_fifo.h"
#include "support/manual_timing_fixture.h"
#include "voice/alsa_audio_out.h"
#include "voice/announcer.h"
#include "voice/speak_time.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

class VoiceWindowTest : public WorkingFolderTest {
protected:
    // Waits (real time: the announcer paces itself) until `count` samples were played.
    std::vector<std::string> WaitForPlayed(size_t count) {
        QElapsedTimer waited;
        waited.start();
        while (audio.Played().size() < count && waited.elapsed() < 15000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return audio.Played();
    }
    // Processes events until `done` holds or ten seconds pass.
    static bool WaitUntil(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return done();
    }
    int32_t LastRunMs() const { return lastRunMs_; }
    // One run of car 1: start, `ms` on course, finish; the booked time is kept.
    void OneRun(uint32_t ms) {
        const uint32_t start = Pass(Qt::Key_F11);
        Run(ms);
        const uint32_t finish = Pass(Qt::Key_F12);
        lastRunMs_ = static_cast<int32_t>(finish - start);
    }

private:
    int32_t lastRunMs_ = 0;
};

std::vector<std::string> SpokenNames(int32_t ms) {
    std::vector<std::string> names;
    for (const SpeakStep& step : SpeakSteps(SplitTime(ms))) {
        names.emplace_back(SampleNameText(step.sample));
    }
    return names;
}

TEST_F(VoiceWindowTest, AFinishIsSpokenWhenReadAloudIsTickedAndTonesMarkThePasses) {
    AlsaAudioOut alsa("null");  // every spoken sample goes through ALSA too
    audio.forward = &alsa;
    Open("IoAddress=None\r\nDelay=100\r\nReadDelay=0\r\nBeepOn=1\r\n");
    auto* voice = Find<QCheckBox>("CheckBox1");
    ASSERT_TRUE(voice->isEnabled());
    EXPECT_FALSE(voice->isChecked());  // every run of the program starts silent
    voice->click();
    ASSERT_TRUE(voice->isChecked());
    PressAltS();
    EXPECT_EQ(window->StatusText(1), QStringLiteral("Default voice"));
    Run(30);
    OneRun(4000);
    std::vector<std::string> expected = {"async HITONE", "async LOTONE"};
    for (const std::string& name : SpokenNames(LastRunMs())) {
        expected.push_back(name);
    }
    EXPECT_EQ(WaitForPlayed(expected.size()), expected);

    // Unticked, the next run is booked but not spoken; the tones still sound once the last
    // announcement has let go of the ring (after its closing pause).
    voice->click();
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < 800) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    Run(6000);
    OneRun(2000);
    EXPECT_EQ(WaitForPlayed(expected.size() + 2).size(), expected.size() + 2);
    PressAltS();  // the announcer is paused once the stop returns
    EXPECT_TRUE(window->StatusText(1).isEmpty());
    audio.forward = nullptr;
}

TEST_F(VoiceWindowTest, WithoutASoundDeviceTickingSaysSoAndStaysTicked) {
    audio.devices = 0;
    Open("IoAddress=None\r\n");
    Find<QCheckBox>("CheckBox1")->click();
    const std::vector<PromptCall> errors = prompter.CallsOf(PromptCall::kError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, Tr(msg::k132));
    EXPECT_TRUE(Find<QCheckBox>("CheckBox1")->isChecked());
}

TEST_F(VoiceWindowTest, TheVoiceStateFollowsTheBoxHoweverItIsTicked) {
    audio.devices = 0;
    Open("IoAddress=None\r\n");
    auto* voice = Find<QCheckBox>("CheckBox1");
    EXPECT_FALSE(window->State().voiceOn);
    // Without a device the box stays ticked and times are still queued.
    voice->click();
    ASSERT_TRUE(voice->isChecked());
    EXPECT_TRUE(window->State().voiceOn);
    voice->setChecked(false);  // as the program itself would untick it
    EXPECT_FALSE(window->State().voiceOn);
    voice->setChecked(true);
    EXPECT_TRUE(window->State().voiceOn);
    voice->click();
    EXPECT_FALSE(window->State().voiceOn);
}

TEST_F(VoiceWindowTest, AVoicePackInTheWorkingFolderIsUsedForTheSession) {
    std::filesystem::copy_file(VANTREL_PACK_PATH, dir / "xSonvale.so");
    Open("IoAddress=None\r\nDelay=100\r\nReadDelay=0\r\n");
    Find<QCheckBox>("CheckBox1")->click();
    PressAltS();
    EXPECT_EQ(window->StatusText(1), QStringLiteral("xSonvale.so"));
    Run(30);
    OneRun(1000);
    const std::vector<std::string> played = WaitForPlayed(9);
    ASSERT_EQ(played.size(), 9u);
    for (const std::string& sample : played) {
        EXPECT_EQ(sample, "8000 Hz");  // the pack's samples, not the built-in ones
    }
    PressAltS();
    EXPECT_TRUE(window->StatusText(1).isEmpty());
}

// The sound device stops taking sound in the middle of a word: the session stop still returns
// after the announcer's bounded wait, and the device is dropped, reported once in the status
// bar and not played again.
TEST_F(VoiceWindowTest, ASoundDeviceThatBlocksIsDroppedAndTheStopDoesNotWaitForIt) {
    BlockingFifo fifo(dir / "sink");
    ASSERT_TRUE(fifo.Made());
    AlsaAudioOut alsa(fifo.Device());
    audio.forward = &alsa;
    Open("IoAddress=None\r\nDelay=100\r\nReadDelay=0\r\n");
    Find<QCheckBox>("CheckBox1")->click();
    PressAltS();
    Run(30);
    OneRun(1000);
    ASSERT_TRUE(WaitUntil([this] { return audio.playsStarted > 0; }));

    const auto before = std::chrono::steady_clock::now();
    PressAltS();
    const auto stopTook = std::chrono::steady_clock::now() - before;
    EXPECT_FALSE(window->SessionRunning());
    // The stop waits CSound::kPauseWait at most; the rest of it takes milliseconds.
    EXPECT_LT(stopTook, CSound::kPauseWait + std::chrono::milliseconds(500));

    auto* warning = Find<SensorWarningPanel>("SensorWarning");
    const QString dropped = Tr(msg::kWarnSoundDropped);
    ASSERT_TRUE(WaitUntil([&] { return warning->text().contains(dropped); }));
    EXPECT_TRUE(warning->toolTip().contains(QString::fromStdString(fifo.Device())));

    // The next session neither plays on the device nor tells again; the warning stays.
    PressAltS();
    Run(30);
    OneRun(2000);
    QElapsedTimer chance;  // the announcer's chance to (wrongly) try the device again
    chance.start();
    while (chance.elapsed() < 300) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(audio.playsStarted, 1);
    EXPECT_EQ(warning->text().count(dropped), 1);
    PressAltS();
    audio.forward = nullptr;
}

// Without a sound device a tone is the window system's simple beep, sounded by the GUI thread
// (the announcer only asks for it).
TEST_F(VoiceWindowTest, WithoutASoundDeviceTheToneBeepsOnTheGuiThread) {
    audio.devices = 0;
    Open("IoAddress=None\r\nDelay=100\r\nBeepOn=1\r\n");
    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);
    EXPECT_EQ(WaitForPlayed(1), std::vector<std::string>{"beep"});
    const std::vector<std::thread::id> threads = audio.BeepThreads();
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads[0], std::this_thread::get_id());
    PressAltS();
}

}  // namespace
}  // namespace vantrel::test
