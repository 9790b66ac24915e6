#pragma once
// The sensor tones a race mode asks for: a high tone for a start (or a car's first passing),
// a low one for a finish (or a lap). The announcer plays them when beeps are on in the
// options; a tone asked for while something waits to be spoken is dropped by the mode.
// Thread rule: GUI thread only.

namespace vantrel {

enum class Tone { kHigh, kLow };

class ToneSink {
public:
    virtual ~ToneSink() = default;
    // Whether something already waits to be played or spoken.
    virtual bool Busy() const = 0;
    virtual void RequestTone(Tone tone) = 0;
};

}  // namespace vantrel
