#pragma once
// Where the sampler's input bytes come from: the parallel port, the USB adapter, nothing, a
// simulation script or a recorded session. All of them go through the same sampler tick.
// Thread rule: Open, Close and LastError on the GUI thread while the timing thread is
// stopped; Read and WriteLamp on the timing thread only; Rule and IsOpen from any thread.

#include <cstdint>
#include <string>

namespace vantrel {

// How the sampler's read step treats the bytes of a source.
enum class ReadRule : uint8_t {
    kParallelPort,  // port registers: BUSY bit flipped, optional inversion
    kUsbPins,       // the adapter's pin byte as status byte; data idle; no flip, no inversion
    kIdle,          // "None": every input idle
    kLevels,        // simulation and replay: status and data bytes exactly as given
};

// One read of the three registers (or what stands for them). 1 bits are idle levels.
struct RawSample {
    uint8_t dataByte = 0xFF;
    uint8_t statusByte = 0xFF;
    uint8_t controlByte = 0xFF;
};

class InputSource {
public:
    virtual ~InputSource() = default;

    virtual ReadRule Rule() const = 0;
    // True when the source is ready; false sets LastError.
    virtual bool Open() = 0;
    virtual bool IsOpen() const = 0;
    // Reads one sample taken at tick `now`. False when the read failed (`out` is then
    // unspecified).
    virtual bool Read(uint32_t now, RawSample& out) = 0;
    // Writes the lamp byte to the control register; sources without lamps ignore it.
    virtual void WriteLamp(uint8_t controlByte) = 0;
    virtual void Close() = 0;
    virtual std::string LastError() const = 0;
};

// "None": no hardware, every input idle.
class NoneSource final : public InputSource {
public:
    ReadRule Rule() const override { return ReadRule::kIdle; }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(uint32_t, RawSample& out) override {
        out = RawSample{};
        return true;
    }
    void WriteLamp(uint8_t) override {}
    void Close() override {}
    std::string LastError() const override { return {}; }
};

}  // namespace vantrel
