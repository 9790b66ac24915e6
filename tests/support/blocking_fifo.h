#pragma once
// A sound device that blocks for real: ALSA's file plugin playing into a FIFO that nobody reads
// blocks in opening it, whatever ALSA's open mode. Release (or the end of the object) reads the
// FIFO until the writer has gone, so a writer still waiting is let go.

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

namespace vantrel::test {

class BlockingFifo {
public:
    explicit BlockingFifo(std::filesystem::path path) : path_(std::move(path)) {
        made_ = mkfifo(path_.c_str(), 0600) == 0;
        // A writer let go after the reader has gone must not end the test.
        std::signal(SIGPIPE, SIG_IGN);
    }
    ~BlockingFifo() { Release(); }
    BlockingFifo(const BlockingFifo&) = delete;
    BlockingFifo& operator=(const BlockingFifo&) = delete;

    bool Made() const { return made_; }
    // The ALSA device that plays into the FIFO.
    std::string Device() const { return "file:'" + path_.string() + "',raw"; }

    void Release() {
        if (!made_ || released_) {
            return;
        }
        released_ = true;
        const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return;
        }
        // Hang-up comes once a writer that opened after us has closed; two seconds at most.
        pollfd in{fd, POLLIN, 0};
        for (int i = 0; i < 200 && (in.revents & POLLHUP) == 0; ++i) {
            if (poll(&in, 1, 10) > 0 && (in.revents & POLLIN) != 0) {
                char buffer[4096];
                [[maybe_unused]] const ssize_t n = read(fd, buffer, sizeof buffer);
            }
        }
        close(fd);
    }

private:
    std::filesystem::path path_;
    bool made_ = false;
    bool released_ = false;
};

}  // namespace vantrel::test
