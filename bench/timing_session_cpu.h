#pragma once
// The CPU scenario of the timing harness: the real main window (offscreen) runs a session on
// the real clock and timing thread, and the process's CPU is measured while nothing happens on
// the course, as a whole and per thread.

#include <string>
#include <vector>

namespace vantrel::bench {

struct ThreadCpu {
    std::string name;
    double percent = 0;  // of one core
};

struct SessionCpuResult {
    double processPercent = 0;  // user + system time of the process over the wall time
    double seconds = 0;
    std::vector<ThreadCpu> threads;  // the busiest first
    long voluntarySwitches = 0;      // context switches per second (process)
};

// A DRAG session (`drag`) or a GYMKHANA one at `periodMs` for `seconds`, "None" as the port.
// Needs a QApplication.
SessionCpuResult RunWindowSessionCpu(int periodMs, double seconds, bool drag);

struct PortCpuResult {
    double processPercent = 0;  // the timing thread's work, nothing else runs
    double readsPerTick = 0;    // ppdev register reads
    double writesPerTick = 0;   // control register writes
    long ticks = 0;
};

// The timing thread alone in a DRAG session at `periodMs` for `seconds`, the tree idle, on the
// ppdev driver over a stand-in port that enters the kernel once per request as ppdev does.
PortCpuResult RunPortSessionCpu(int periodMs, double seconds);

}  // namespace vantrel::bench
