#pragma once
// The sound output the announcer plays through: ALSA in the program, a recorder in tests.
// No play waits on a device that has stopped taking sound: it returns within the sample's
// length and a short grace, and soon after Interrupt; a device that overruns that is dropped
// for good (DropReason says why) and every later play fails at once.
// Thread rule: PlaySync and PlayAsync on the announcer thread; Beep on the GUI thread;
// DeviceCount, Interrupt and DropReason on any thread.

#include <cstdint>
#include <span>
#include <string>

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
    // The simple beep for a machine without a sound device (the window system's own).
    virtual void Beep() = 0;
    // Ends whatever is playing; the next play starts normally.
    virtual void Interrupt() = 0;
    // Why the device was dropped; empty while it is in use.
    virtual std::string DropReason() const { return {}; }
};

}  // namespace vantrel
