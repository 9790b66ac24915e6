#pragma once
// The receiver's reader thread: waits on the port (or a script's pipe) with poll, reads at most
// one block of bytes per wake, stamps it with the millisecond tick taken right after the read
// returned and hands it to the GUI through the receiver queue, in order, waking the GUI.
// A full queue pauses reading: the bytes wait in the driver, nothing is dropped or allocated.
// A port that goes away ends the thread with one kLinkLost block after every byte read before.
// Thread rule: Start, Stop and Running on the owner's thread; the queue's consumer on another.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "common/ms_clock.h"
#include "sensors/received_block.h"
#include "sensors/timing_loop.h"

namespace vantrel {

class ReceiverReader {
public:
    // `waker` may be null; it is called from the reader thread after every block pushed.
    ReceiverReader(ReceivedQueue& queue, const MsClock& clock, EventWaker* waker);
    ~ReceiverReader();
    ReceiverReader(const ReceiverReader&) = delete;
    ReceiverReader& operator=(const ReceiverReader&) = delete;

    // Starts reading `fd` (non-blocking; the caller keeps it open until Stop). False, with
    // `error` set, when the thread could not be set up.
    bool Start(int fd, std::string& error);
    // Ends the thread at once (a wait for room or for bytes is interrupted); bytes already
    // queued stay queued. Safe when not running.
    void Stop();
    bool Running() const { return thread_.joinable(); }
    // Whether the thread has ended by itself (link lost).
    bool Ended() const { return ended_.load(); }

    // Bytes handed over since construction, and bytes the driver reported lost.
    uint64_t BytesRead() const { return bytesRead_.load(std::memory_order_relaxed); }
    uint64_t BytesLost() const { return bytesLost_.load(std::memory_order_relaxed); }

private:
    void Run(int fd);
    // Reads one block; false once the link is gone (the kLinkLost block is pushed).
    bool ReadOnce(int fd, bool hungUp);
    void CheckDriverLosses(int fd);
    // Waits for room; false when Stop was asked for meanwhile.
    bool Push(const ReceivedBlock& block);
    void PushLinkLost(const std::string& reason);
    bool StopAsked(int timeoutMs) const;

    ReceivedQueue& queue_;
    const MsClock& clock_;
    EventWaker* waker_;
    std::thread thread_;
    int stopFd_ = -1;  // eventfd: readable once Stop is asked for
    std::atomic<bool> ended_{false};
    bool countsKnown_ = false;  // reader thread only
    uint64_t driverLost_ = 0;   // reader thread only: the driver's overrun count last seen
    std::atomic<uint64_t> bytesRead_{0};
    std::atomic<uint64_t> bytesLost_{0};
};

}  // namespace vantrel
