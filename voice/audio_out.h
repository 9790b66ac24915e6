#pragma once
// The sound output the announcer plays through: ALSA in the program, a recorder in tests.
// Thread rule: PlaySync, PlayAsync and Beep on the announcer thread; DeviceCount on any
// thread; Interrupt on any thread (it ends a sample in play at once).

#include <cstdint>
#include <span>

namespace vantrel {

class AudioOut {
public:
    virtual ~AudioOut() = default;
    // Playback devices present now.
    virtual int32_t DeviceCount() = 0;
    // Plays a whole RIFF WAVE and returns when it has ended (or was interrupted); false when it
    // could not be played (the announcement goes on with the next sample).
    virtual bool PlaySync(std::span<const uint8_t> wave) = 0;
    // Starts a RIFF WAVE and returns at once; a newer tone replaces one still playing.
    virtual bool PlayAsync(std::span<const uint8_t> wave) = 0;
    // The simple beep for a machine without a sound device.
    virtual void Beep() = 0;
    // Ends whatever is playing; the next play starts normally.
    virtual void Interrupt() = 0;
};

}  // namespace vantrel
