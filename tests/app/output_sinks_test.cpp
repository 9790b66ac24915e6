// The announcer and the serial output as outputs of every booking, with "読み上げ" and
// "RS232C" as plain session state and no window.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/serial_output_sink.h"
#include "common/session_state.h"
#include "support/recording_audio.h"
#include "voice/announcer.h"
#include "voice/announcer_sink.h"
#include "voice/builtin_samples.h"
#include "voice/speak_time.h"

namespace vantrel {
namespace {

class NoWait final : public AnnouncerClock {
public:
    bool Wait(int32_t /*ms*/) override { return true; }
};

TEST(OutputSinksTest, VoiceAndSerialOutputObeyTheSessionStateOverRandomBookings) {
    SessionState session;
    test::RecordingAudio audio;
    BuiltInSamples samples;
    CSound sound(audio, samples);
    NoWait noWait;
    sound.SetClockForTest(&noWait);
    sound.SetDelayMs(0);
    sound.SetVoiceOn(true);  // the announcer speaks what is queued; the sink decides what is
    AnnouncerSink voice(sound, session);
    std::vector<std::string> sent;
    SerialOutputSink serial(session, [&sent](std::string_view bytes) { sent.emplace_back(bytes); });

    std::mt19937 random(20240501);
    std::vector<std::string> expectedSent;
    std::vector<std::string> expectedSpoken;
    for (int32_t row = 1; row <= 400; ++row) {
        // The flags change between bookings the way the operator and the program tick them.
        if (random() % 4 == 0) {
            session.voiceOn = !session.voiceOn;
        }
        if (random() % 4 == 0) {
            session.serialOutputOn = !session.serialOutputOn;
        }
        BookedResult booked;
        booked.timeMs = static_cast<int32_t>(random() % 600000);
        booked.display.time = std::to_string(booked.timeMs);
        booked.announcement = {random() % 3 != 0, booked.timeMs, random() % 2 == 0};
        const int32_t write = sound.QueueWrite();
        voice.ResultBooked(booked, row);
        serial.ResultBooked(booked, row);

        const bool queued = sound.QueueWrite() != write;
        ASSERT_EQ(queued, session.voiceOn && booked.announcement.announce) << "row " << row;
        if (queued) {
            for (const SpeakStep& step : SpeakSteps(SplitTime(booked.timeMs))) {
                expectedSpoken.emplace_back(SampleNameText(step.sample));
            }
        }
        if (session.serialOutputOn) {
            expectedSent.push_back(booked.display.time + "\r");
        }
        while (!sound.RingEmpty()) {
            sound.RunOnce();
        }
    }
    EXPECT_EQ(sent, expectedSent);
    EXPECT_EQ(audio.Played(), expectedSpoken);
    EXPECT_FALSE(sent.empty());
    EXPECT_FALSE(expectedSpoken.empty());
}

}  // namespace
}  // namespace vantrel
