#pragma once
// The real-time class for the threads that stamp time: the timing thread and the receiver's
// reader. A refusal (no rtprio limit, no capability) leaves the thread in the normal class.
// Thread rule: any thread, for itself.

namespace vantrel {

// The timing thread switches lamps and stamps sensor edges; the reader only stamps bytes, so
// it yields to the timing thread when both are ready.
constexpr int kTimingThreadPriority = 50;
constexpr int kReceiverThreadPriority = 49;

// Asks SCHED_FIFO at `priority` for the calling thread; true when granted.
bool AskForRealtime(int priority);

}  // namespace vantrel
