#pragma once
// The receiver's reader thread: waits on the port (or a script's pipe) with poll, reads what the
// driver holds as soon as it arrives, stamps it with the millisecond tick taken right after the
// read returned and puts every byte with its stamp into the receiver ring, waking the GUI. It
// never waits for the GUI: a ring left full drops and counts what does not fit. It runs in the
// real-time class when the system grants it.
// A port that goes away gives one kLinkLost marker after every byte read before; with a
// reopener the thread then tries the port again every kReopenPeriodMs and goes on reading,
// after a kLinkBack marker, once it is back; without one the thread ends.
// Thread rule: SetRealtime, Start, Stop and Running on the owner's thread; the ring's consumer
// on another; the counters from any thread.

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>

#include "common/ms_clock.h"
#include "sensors/receiver_ring.h"
#include "sensors/timing_loop.h"

namespace vantrel {

// Opens the lost port again. Called on the reader thread only, while it reads nothing.
class ReceiverReopener {
public:
    virtual ~ReceiverReopener() = default;
    // The new non-blocking descriptor, or -1 while the port is not back.
    virtual int Reopen() = 0;
};

class ReceiverReader {
public:
    static constexpr int kReopenPeriodMs = 200;

    // `waker` may be null; it is told from the reader thread after everything put in the ring.
    ReceiverReader(ReceiverRing& ring, const MsClock& clock, EventWaker* waker);
    ~ReceiverReader();
    ReceiverReader(const ReceiverReader&) = delete;
    ReceiverReader& operator=(const ReceiverReader&) = delete;

    // Whether the thread asks for the real-time class (the default), from the next Start on.
    void SetRealtime(bool wanted) { realtimeWanted_ = wanted; }
    // Starts reading `fd` (non-blocking; the caller keeps it open until Stop or until the
    // reopener replaces it). False, with `error` set, when the thread could not be set up.
    bool Start(int fd, std::string& error, ReceiverReopener* reopener = nullptr);
    // Ends the thread at once (a wait for bytes or for the port's return is interrupted);
    // what is in the ring stays there. Safe when not running.
    void Stop();
    bool Running() const { return thread_.joinable(); }
    // Whether the thread has ended by itself (link lost, no reopener).
    bool Ended() const { return ended_.load(); }
    bool RealtimeGranted() const { return realtimeGranted_.load(); }

    // Bytes taken from the port since construction (those the ring dropped included).
    uint64_t BytesRead() const { return bytesRead_.load(std::memory_order_relaxed); }
    // Bytes lost since construction: dropped by the driver or by a full ring.
    uint64_t BytesLost() const { return ring_.LostTotal(); }

private:
    void Run(int fd, ReceiverReopener* reopener);
    // Reads `fd` until the link is lost (true, the kLinkLost marker is put) or Stop (false).
    bool ReadUntilLost(int fd);
    // Reads once; false once the link is gone (the kLinkLost marker is put).
    bool ReadOnce(int fd, bool hungUp);
    void CheckDriverLosses(int fd, uint32_t tick);
    // The descriptor of the port once it is back, or -1 on Stop.
    int AwaitReturn(ReceiverReopener& reopener);
    // Waits for room for a marker; false when Stop was asked for meanwhile.
    bool PutMarker(ReceivedKind kind, std::string_view text);
    bool LinkLost(std::string_view reason);
    bool StopAsked(int timeoutMs) const;
    void Wake();

    ReceiverRing& ring_;
    const MsClock& clock_;
    EventWaker* waker_;
    std::thread thread_;
    int stopFd_ = -1;  // eventfd: readable once Stop is asked for
    bool realtimeWanted_ = true;
    std::atomic<bool> realtimeGranted_{false};
    std::atomic<bool> ended_{false};
    bool countsKnown_ = false;  // reader thread only
    uint64_t driverLost_ = 0;   // reader thread only: the driver's overrun count last seen
    std::array<uint8_t, ReceivedBlock::kMaxBytes> buffer_{};  // reader thread only
    std::atomic<uint64_t> bytesRead_{0};
};

}  // namespace vantrel
