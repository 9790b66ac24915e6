#pragma once
// A pseudo-terminal for the serial tests: the slave stands for the receiver's port (opened by
// path like a real one), the master for the receiver at the other end of the cable.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>

#include "sensors/received_block.h"

namespace vantrel::test {

struct PtyPair {
    PtyPair() {
        if (openpty(&master, &slave, nullptr, nullptr, nullptr) == 0) {
            path = ttyname(slave);
        }
    }
    ~PtyPair() {
        CloseMaster();
        if (slave >= 0) {
            close(slave);
        }
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // The cable is pulled: the slave side sees a hang-up.
    void CloseMaster() {
        if (master >= 0) {
            close(master);
            master = -1;
        }
    }
    bool Write(std::string_view bytes) const {
        size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = write(master, bytes.data() + sent, bytes.size() - sent);
            if (n <= 0) {
                return false;
            }
            sent += static_cast<size_t>(n);
        }
        return true;
    }
    // What the receiver end got, waiting up to `timeoutMs` for `count` bytes.
    std::string Read(size_t count, int timeoutMs = 5000) const {
        std::string got;
        pollfd in{master, POLLIN, 0};
        while (got.size() < count && poll(&in, 1, timeoutMs) > 0) {
            char buffer[256];
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            got.append(buffer, static_cast<size_t>(n));
        }
        return got;
    }

    int master = -1;
    int slave = -1;
    std::string path;
};

// Pops blocks until `done(blocks)` holds or ten seconds pass.
template <typename Queue, typename Done>
std::vector<ReceivedBlock> PopUntil(Queue& queue, Done done) {
    std::vector<ReceivedBlock> blocks;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    ReceivedBlock block;
    while (!done(blocks) && std::chrono::steady_clock::now() < deadline) {
        if (queue.TryPop(block)) {
            blocks.push_back(block);
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    return blocks;
}

inline std::string BytesOf(const ReceivedBlock& block) {
    return std::string(block.bytes.begin(), block.bytes.begin() + block.count);
}

}  // namespace vantrel::test
