#pragma once
// Plays a receiver script into a pipe at the script's times, counted from Start, so that the
// receiver's reader thread reads, stamps and queues the codes exactly as it does a port's. The
// pipe stays open after the last block: the end of a script is not a lost link.
// Thread rule: Start, Stop, ReadFd on the owner's thread; Finished from any thread.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "sensors/receiver_script.h"

namespace vantrel {

class ReceiverScriptPlayer {
public:
    explicit ReceiverScriptPlayer(ReceiverScript script) : script_(std::move(script)) {}
    ~ReceiverScriptPlayer() { Stop(); }
    ReceiverScriptPlayer(const ReceiverScriptPlayer&) = delete;
    ReceiverScriptPlayer& operator=(const ReceiverScriptPlayer&) = delete;

    // Makes the pipe and plays the script from its beginning; time 0 is now. False, with
    // `error` set, when no pipe could be made.
    bool Start(std::string& error);
    // Ends the playing at once and closes both ends of the pipe. Safe when stopped.
    void Stop();
    // The non-blocking end to read; -1 when stopped.
    int ReadFd() const { return readFd_; }
    // True once every block has been written.
    bool Finished() const { return finished_.load(); }

private:
    void Run();
    // Writes the whole block, waiting for room while the reader is behind; false on Stop.
    bool WriteBlock(const ReceiverScriptBlock& block);

    ReceiverScript script_;
    int readFd_ = -1;
    int writeFd_ = -1;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable stopChanged_;
    bool stop_ = false;  // guarded by mutex_
    std::atomic<bool> finished_{false};
};

}  // namespace vantrel
