#pragma once
// One sample played on an ALSA device by a thread of its own, so that whoever waits for it can
// give up on a device that has stopped taking sound: ALSA's plugins may block in a plain write
// (a file plugin on a pipe, a hung sound server) whatever the open mode. The thread owns a copy
// of the samples and its share of the state, so a playback given up on finishes, or hangs,
// alone without touching anything of its owner.
// Thread rule: construction, Await and destruction on one thread; Stop on any thread.

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "voice/wave_file.h"

namespace vantrel {

class PcmPlayback {
public:
    using Clock = std::chrono::steady_clock;

    // Starts playing `wave` on `device` (opened non-blocking).
    PcmPlayback(const std::string& device, const PcmWave& wave);
    // Joins a playback that has ended; one that has not is left to end alone.
    ~PcmPlayback();
    PcmPlayback(const PcmPlayback&) = delete;
    PcmPlayback& operator=(const PcmPlayback&) = delete;

    // Asks the playback to end soon: what is buffered is dropped.
    void Stop();

    enum class End {
        kPlayed,   // played to its end
        kStopped,  // ended early because Stop was asked
        kFailed,   // the device refused it (missing, gone, bad settings)
        kHung,     // did not end in time: the device has stopped taking sound
    };
    // Waits until the playback ends or `deadline` passes; once Stop has been asked it waits
    // `stopGrace` at most from then on.
    End Await(Clock::time_point deadline, Clock::duration stopGrace);

    // How long `wave` lasts when played.
    static Clock::duration Length(const PcmWave& wave);

    struct State;  // shared with the playing thread

private:
    std::shared_ptr<State> state_;
    std::thread thread_;
};

}  // namespace vantrel
