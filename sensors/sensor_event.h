#pragma once
// What the timing thread tells the GUI: one plain record per sensor happening, stamped with
// the sample tick at which it was seen.
// Thread rule: any thread (plain values).

#include <array>
#include <cstdint>
#include <type_traits>

namespace vantrel {

// The four gymkhana/circuit inputs, in the order of the sampler's per-input arrays.
enum class SensorInput : uint8_t { kStart = 0, kFinish = 1, kSplit1 = 2, kSplit2 = 3 };
constexpr int kSensorInputCount = 4;

enum class SensorEventKind : uint8_t {
    kLampOn,        // the input became active: its lamp shows the on image
    kLampOff,       // the input was released: its lamp shows the off image
    kLabelRed,      // the input's label turns red (sent right after kLampOn)
    kOffDelayOver,  // the OFF delay ran out: the label goes back to the normal colour
    kActiveEdge,    // a pass that counts (outside the OFF delay)
    kReadFailed,    // the USB adapter could not be read; the session has to stop
    kLevelChange,   // recording only: the input bytes changed (status, data)
    kEventsLost,    // `count` events were dropped here because the queue was full
    // Drag events carry `line` and the run's line times as they stand after the tick.
    kDragLineOn,       // the line became active: indicator on, label red
    kDragLineOff,      // the line was released: indicator off
    kDragLabelNormal,  // the line's OFF delay ran out: label back to the normal colour
    kDragNewRun,       // line 0 (tree start) began a run
    kDragStartLine,    // line 1: the car left the start line
    kDragSplit,        // lines 2 to 5 after the start line
    kDragFinish,       // line 7 after the start line: the run is complete (the tree resets next)
    kDragRunReset,     // the run and the lamps were reset
    kDragLamps,        // the lamp byte changed (`lampByte`, a cleared bit is a lit lamp)
};

// The line times of one drag run, as the timing thread saw them when it sent the event.
constexpr int kDragLineCount = 8;
struct DragLineTimes {
    std::array<int32_t, kDragLineCount> times{};  // ms; meaningful where the line's bit is set
    uint8_t setLines = 0;                         // bit k: line k has a time
    int32_t greenDelayMs = 500;                   // the run's green delay: Pro 400, Stock 500

    bool IsSet(int line) const { return (setLines >> line) & 1; }
    void Set(int line, int32_t ms) {
        times[line] = ms;
        setLines = static_cast<uint8_t>(setLines | (1u << line));
    }
};

struct SensorEvent {
    SensorEventKind kind = SensorEventKind::kLampOn;
    SensorInput input = SensorInput::kStart;  // for the per-input kinds
    uint8_t statusByte = 0xFF;                // LevelChange: the status byte seen by the tick
    uint8_t dataByte = 0xFF;                  // LevelChange: the data byte seen by the tick
    uint32_t tick = 0;                        // sample tick (MsTick) of the sample
    uint32_t count = 0;                       // EventsLost: how many were dropped
    uint8_t line = 0;                         // drag kinds: the line (0..7)
    uint8_t lampByte = 0xFF;                  // DragLamps: the new lamp byte
    DragLineTimes drag;                       // drag kinds: the run's line times
};

// Copied by value through the fixed ring: it must stay a plain record.
static_assert(std::is_trivially_copyable_v<SensorEvent>);

}  // namespace vantrel
