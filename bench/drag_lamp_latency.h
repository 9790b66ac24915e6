#pragma once
// The drag scenario of the timing harness: the real timing thread runs the drag light tree
// against a port stand-in while the GUI thread freezes for 1 s at a time and a disk writer
// runs. It measures how late the green and red lamps are written.

#include <cstdint>

#include "timing_support.h"

namespace vantrel::bench {

struct DragLatencyResult {
    Percentiles interval;  // ms between reads
    Percentiles green;     // ms from the moment green fell due to its lamp write
    Percentiles red;       // ms from the read first showing the start line to the red write
    int greenRuns = 0;
    int greenInDueTick = 0;  // green written in the first tick at or past its due moment
    int redRuns = 0;
    int redInSameTick = 0;  // red written in the tick whose read first showed the start line
    int missed = 0;         // runs whose green or red lamp never came
    uint64_t lost = 0;      // events dropped by the queue
    double seconds = 0;
    bool realtime = false;
};

// Every tenth run is a green run (Pro tree, no start line); the others are false starts, the
// start line a few ms after the tree start. Each run ends with a run reset from the command
// ring.
DragLatencyResult RunDragLatency(int periodMs, int runs);

}  // namespace vantrel::bench
