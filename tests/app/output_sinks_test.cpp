// The announcer and the serial output as outputs of every booking, with "読み上げ" and
// "RS232C" as plain session state and no window.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <utility>
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
    SerialOutputSink serial(session, [&sent](std::string_view bytes, std::string*) {
        sent.emplace_back(bytes);
        return true;
    });
    serial.SetPortOpen(true);

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

// Over random openings, closings, ticks and writes that go out or fail, the serial output says
// it is sending exactly when the port is open and the latest write went out, tells every
// change once, and never writes to a closed port.
TEST(OutputSinksTest, SerialOutputTellsWhetherItIsSendingOverRandomSequences) {
    SessionState session;
    std::mt19937 random(424242);
    bool writeFails = false;
    int writes = 0;
    int changes = 0;
    SerialOutputSink serial(
        session,
        [&](std::string_view, std::string* error) {
            ++writes;
            if (writeFails) {
                *error = "output full";
            }
            return !writeFails;
        },
        [&changes] { ++changes; });
    EXPECT_EQ(serial.CurrentStatus(), SerialOutputSink::Status::kPortClosed);
    bool open = false;
    bool lastWriteFailed = false;
    for (int step = 0; step < 2000; ++step) {
        const auto before = std::make_pair(serial.CurrentStatus(), serial.LastError());
        const int writesBefore = writes;
        switch (random() % 4) {
            case 0:
                open = random() % 2 == 0;
                lastWriteFailed = false;
                serial.SetPortOpen(open);
                break;
            case 1:
                session.serialOutputOn = !session.serialOutputOn;
                break;
            case 2:
                writeFails = random() % 3 == 0;
                break;
            default: {
                BookedResult booked;
                booked.display.time = std::to_string(step);
                serial.ResultBooked(booked, step);
                const bool wrote = open && session.serialOutputOn;
                ASSERT_EQ(writes - writesBefore, wrote ? 1 : 0) << "step " << step;
                if (wrote) {
                    lastWriteFailed = writeFails;
                }
            }
        }
        const SerialOutputSink::Status expected = !open ? SerialOutputSink::Status::kPortClosed
                                                  : lastWriteFailed
                                                      ? SerialOutputSink::Status::kWriteFailed
                                                      : SerialOutputSink::Status::kSending;
        ASSERT_EQ(serial.CurrentStatus(), expected) << "step " << step;
        EXPECT_EQ(serial.LastError(), lastWriteFailed ? "output full" : "");
        const bool changed = before != std::make_pair(serial.CurrentStatus(), serial.LastError());
        EXPECT_EQ(changes, changed ? 1 : 0) << "step " << step;
        changes = 0;
    }
}

}  // namespace
}  // namespace vantrel
