#include "sensors/receiver_script_player.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace vantrel {

namespace {
// While the pipe is full (the reader paused) the player looks for room, and for Stop, this
// often.
constexpr int kRoomPollMs = 5;
}  // namespace

bool ReceiverScriptPlayer::Start(std::string& error) {
    Stop();
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::string("cannot play the receiver script: ") + std::strerror(errno);
        return false;
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    stop_ = false;
    finished_.store(script_.blocks.empty());
    thread_ = std::thread([this] { Run(); });
    return true;
}

void ReceiverScriptPlayer::Stop() {
    if (thread_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        stopChanged_.notify_all();
        thread_.join();
    }
    for (int* fd : {&readFd_, &writeFd_}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

void ReceiverScriptPlayer::Run() {
    const auto origin = std::chrono::steady_clock::now();
    for (const ReceiverScriptBlock& block : script_.blocks) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (stopChanged_.wait_until(lock, origin + std::chrono::milliseconds(block.atMs),
                                        [this] { return stop_; })) {
                return;
            }
        }
        if (!WriteBlock(block)) {
            return;
        }
    }
    finished_.store(true);
}

bool ReceiverScriptPlayer::WriteBlock(const ReceiverScriptBlock& block) {
    size_t sent = 0;
    while (sent < block.bytes.size()) {
        const ssize_t n = write(writeFd_, block.bytes.data() + sent, block.bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        std::unique_lock<std::mutex> lock(mutex_);
        if (stopChanged_.wait_for(lock, std::chrono::milliseconds(kRoomPollMs),
                                  [this] { return stop_; })) {
            return false;
        }
    }
    return true;
}

}  // namespace vantrel
