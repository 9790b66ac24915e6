#include "sensors/receiver_reader.h"

#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sensors/realtime.h"

namespace vantrel {

namespace {
// While the marker ring is full the reader looks for room this often (the link is gone then,
// nothing waits to be stamped).
constexpr int kRoomPollMs = 2;
// Bytes dropped by a full ring are told after this long without another byte to put.
constexpr int kLostFlushMs = 50;

std::string ErrnoText(int error) {
    return std::strerror(error);
}
}  // namespace

ReceiverReader::ReceiverReader(ReceiverRing& ring, const MsClock& clock, EventWaker* waker)
    : ring_(ring), clock_(clock), waker_(waker) {}

ReceiverReader::~ReceiverReader() {
    Stop();
}

bool ReceiverReader::Start(int fd, std::string& error, ReceiverReopener* reopener) {
    Stop();
    stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd_ < 0) {
        error = "cannot start the receiver thread: " + ErrnoText(errno);
        return false;
    }
    ended_.store(false);
    realtimeGranted_.store(false);
    thread_ = std::thread([this, fd, reopener] { Run(fd, reopener); });
    return true;
}

void ReceiverReader::Stop() {
    if (stopFd_ < 0) {
        return;
    }
    const uint64_t one = 1;
    if (write(stopFd_, &one, sizeof one) < 0) {
        // An eventfd write fails only on counter overflow, which one write cannot reach.
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    close(stopFd_);
    stopFd_ = -1;
}

bool ReceiverReader::StopAsked(int timeoutMs) const {
    pollfd stop{stopFd_, POLLIN, 0};
    return poll(&stop, 1, timeoutMs) > 0;
}

void ReceiverReader::Wake() {
    if (waker_ != nullptr) {
        waker_->Wake();
    }
}

void ReceiverReader::Run(int fd, ReceiverReopener* reopener) {
    realtimeGranted_.store(realtimeWanted_ && AskForRealtime(kReceiverThreadPriority));
    while (ReadUntilLost(fd) && reopener != nullptr) {
        fd = AwaitReturn(*reopener);
        if (fd < 0) {
            break;
        }
    }
    ended_.store(true);
}

bool ReceiverReader::ReadUntilLost(int fd) {
    countsKnown_ = false;
    CheckDriverLosses(fd, clock_.MsTick());
    bool hungUp = false;
    while (true) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        // After a hang-up only the bytes still buffered are read, without waiting.
        const int timeout = hungUp ? 0 : (ring_.LostPending() ? kLostFlushMs : -1);
        const int ready = poll(fds, 2, timeout);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (fds[1].revents != 0) {
            return false;
        }
        if (ready < 0) {
            return LinkLost("poll failed: " + ErrnoText(errno));
        }
        if (ready == 0 && !hungUp) {
            if (ring_.FlushLost()) {
                Wake();
            }
            continue;
        }
        if ((fds[0].revents & POLLNVAL) != 0) {
            return LinkLost("the port was closed");
        }
        hungUp = hungUp || (fds[0].revents & (POLLHUP | POLLERR)) != 0;
        if (!ReadOnce(fd, hungUp)) {
            return true;
        }
    }
}

bool ReceiverReader::ReadOnce(int fd, bool hungUp) {
    const ssize_t n = read(fd, buffer_.data(), buffer_.size());
    const uint32_t tick = clock_.MsTick();
    if (n > 0) {
        CheckDriverLosses(fd, tick);
        ring_.PutBytes(buffer_.data(), static_cast<size_t>(n), tick);
        bytesRead_.fetch_add(static_cast<uint64_t>(n), std::memory_order_relaxed);
        Wake();
        return true;
    }
    const int error = n < 0 ? errno : 0;
    if (n < 0 && (error == EINTR || (error == EAGAIN && !hungUp))) {
        return true;
    }
    // Nothing left to read from a port that hung up, end of file, or a read error (EIO when
    // the device or the other end went away).
    LinkLost(n == 0 || error == EAGAIN ? "the port was hung up"
                                       : "read failed: " + ErrnoText(error));
    return false;
}

void ReceiverReader::CheckDriverLosses(int fd, uint32_t tick) {
    // Real UARTs count what their buffers dropped; other devices (pseudo-terminals) cannot
    // tell, and then nothing is reported.
    serial_icounter_struct counts{};
    if (ioctl(fd, TIOCGICOUNT, &counts) != 0) {
        return;
    }
    const uint64_t lost = static_cast<uint64_t>(counts.overrun) + counts.buf_overrun;
    if (countsKnown_ && lost > driverLost_) {
        ring_.PutLost(lost - driverLost_, tick);
    }
    countsKnown_ = true;
    driverLost_ = lost;
}

int ReceiverReader::AwaitReturn(ReceiverReopener& reopener) {
    while (!StopAsked(kReopenPeriodMs)) {
        const int fd = reopener.Reopen();
        if (fd >= 0) {
            return PutMarker(ReceivedKind::kLinkBack, {}) ? fd : -1;
        }
    }
    return -1;
}

bool ReceiverReader::LinkLost(std::string_view reason) {
    PutMarker(ReceivedKind::kLinkLost, reason);
    return true;
}

bool ReceiverReader::PutMarker(ReceivedKind kind, std::string_view text) {
    const uint32_t tick = clock_.MsTick();
    while (!ring_.PutMarker(kind, tick, text)) {
        if (StopAsked(kRoomPollMs)) {
            return false;
        }
    }
    Wake();
    return true;
}

}  // namespace vantrel
