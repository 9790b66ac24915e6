#include "sensors/receiver_reader.h"

#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vantrel {

namespace {
// While the queue is full the reader looks for room this often (it reads nothing meanwhile).
constexpr int kRoomPollMs = 2;

std::string ErrnoText(int error) {
    return std::strerror(error);
}
}  // namespace

ReceiverReader::ReceiverReader(ReceivedQueue& queue, const MsClock& clock, EventWaker* waker)
    : queue_(queue), clock_(clock), waker_(waker) {}

ReceiverReader::~ReceiverReader() {
    Stop();
}

bool ReceiverReader::Start(int fd, std::string& error) {
    Stop();
    stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd_ < 0) {
        error = "cannot start the receiver thread: " + ErrnoText(errno);
        return false;
    }
    ended_.store(false);
    countsKnown_ = false;
    thread_ = std::thread([this, fd] { Run(fd); });
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

void ReceiverReader::Run(int fd) {
    CheckDriverLosses(fd);
    bool hungUp = false;
    while (true) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        // After a hang-up only the bytes still buffered are read, without waiting.
        const int ready = poll(fds, 2, hungUp ? 0 : -1);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (fds[1].revents != 0) {
            break;
        }
        if (ready < 0) {
            PushLinkLost("poll failed: " + ErrnoText(errno));
            break;
        }
        if ((fds[0].revents & POLLNVAL) != 0) {
            PushLinkLost("the port was closed");
            break;
        }
        hungUp = hungUp || (fds[0].revents & (POLLHUP | POLLERR)) != 0;
        if (!ReadOnce(fd, hungUp)) {
            break;
        }
    }
    ended_.store(true);
}

bool ReceiverReader::ReadOnce(int fd, bool hungUp) {
    ReceivedBlock block;
    const ssize_t n = read(fd, block.bytes.data(), ReceivedBlock::kMaxBytes);
    block.tick = clock_.MsTick();
    if (n > 0) {
        CheckDriverLosses(fd);
        block.count = static_cast<uint16_t>(n);
        if (!Push(block)) {
            return false;
        }
        bytesRead_.fetch_add(static_cast<uint64_t>(n), std::memory_order_relaxed);
        return true;
    }
    const int error = n < 0 ? errno : 0;
    if (n < 0 && (error == EINTR || (error == EAGAIN && !hungUp))) {
        return true;
    }
    // Nothing left to read from a port that hung up, end of file, or a read error (EIO when
    // the device or the other end went away).
    PushLinkLost(n == 0 || error == EAGAIN ? "the port was hung up"
                                           : "read failed: " + ErrnoText(error));
    return false;
}

void ReceiverReader::CheckDriverLosses(int fd) {
    // Real UARTs count what their buffers dropped; other devices (pseudo-terminals) cannot
    // tell, and then nothing is reported.
    serial_icounter_struct counts{};
    if (ioctl(fd, TIOCGICOUNT, &counts) != 0) {
        return;
    }
    const uint64_t lost = static_cast<uint64_t>(counts.overrun) + counts.buf_overrun;
    if (countsKnown_ && lost > driverLost_) {
        ReceivedBlock marker;
        marker.kind = ReceivedKind::kBytesLost;
        marker.tick = clock_.MsTick();
        marker.lost = static_cast<uint32_t>(lost - driverLost_);
        if (Push(marker)) {
            bytesLost_.fetch_add(marker.lost, std::memory_order_relaxed);
        }
    }
    countsKnown_ = true;
    driverLost_ = lost;
}

bool ReceiverReader::Push(const ReceivedBlock& block) {
    while (!queue_.TryPush(block)) {
        if (StopAsked(kRoomPollMs)) {
            return false;
        }
    }
    if (waker_ != nullptr) {
        waker_->Wake();
    }
    return true;
}

void ReceiverReader::PushLinkLost(const std::string& reason) {
    ReceivedBlock block;
    block.kind = ReceivedKind::kLinkLost;
    block.tick = clock_.MsTick();
    block.count = static_cast<uint16_t>(std::min<size_t>(reason.size(), block.bytes.size()));
    std::memcpy(block.bytes.data(), reason.data(), block.count);
    Push(block);
}

}  // namespace vantrel
