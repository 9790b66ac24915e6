#pragma once
// Appends records to a journal file from a thread of its own. Append only stamps and queues
// the record; the writer thread frames and writes whatever has arrived and makes it durable
// with fdatasync, batch by batch. When the disk refuses (full, read-only, I/O error) every byte not
// yet durable stays in memory, writing is retried about once a second, and the change is
// reported once through TakeStatusChange. The file is held under an exclusive flock for the
// writer's life, so another program can tell the journal is in use.
// Thread rule: Open, Append, Close and TakeStatusChange on one thread (the GUI thread);
// DurableSeq and WaitDurable from any thread.

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/safe_file.h"

namespace vantrel {

// The file calls the writer thread makes; tests replace them to fail or write short.
struct JournalFileCalls {
    std::function<ssize_t(int fd, const void* data, size_t size, off_t offset)> write;
    std::function<int(int fd)> sync;
};
JournalFileCalls SystemJournalFileCalls();

class JournalWriter {
public:
    JournalWriter();
    explicit JournalWriter(JournalFileCalls calls);
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // Creates the file (never an existing one), writes and syncs the header and takes the
    // lock. `firstSeq` (1 or more) is the first record's sequence number.
    IoResult Open(const std::filesystem::path& path, uint64_t firstSeq);
    // Stamps the next sequence number and the wall-clock time and queues the record; never
    // waits for the disk. Returns the record's seq, 0 when the writer is not open or the
    // payload is over kJournalMaxPayload (then nothing is queued and no seq is used).
    uint64_t Append(uint16_t type, std::vector<uint8_t> payload);
    // As Append, with the payload made by `encode` on the writer thread, in its turn among the
    // records: a received block books hundreds of laps, whose encoding would otherwise hold
    // up the window. What `encode` reads must not change once handed over, and its payload
    // must stay within kJournalMaxPayload: a longer one, or one that `encode` fails to make,
    // is written empty in its place, so that the records stay whole and in order.
    uint64_t AppendEncodedLater(uint16_t type, std::function<std::vector<uint8_t>()> encode);
    // The seq of the last record on disk (firstSeq - 1 before the first).
    uint64_t DurableSeq() const { return durableSeq_.load(std::memory_order_acquire); }
    // True once `seq` is durable; false on timeout.
    bool WaitDurable(uint64_t seq, std::chrono::milliseconds timeout);
    // Writes everything queued (one last attempt when writing fails), releases the lock and
    // joins the thread. Fails, naming what was not written, when the disk still refuses.
    IoResult Close();
    // A message for the status bar, once when writing starts failing and once when it
    // recovers; nullopt when nothing changed since the last call.
    std::optional<std::string> TakeStatusChange();

    bool IsOpen() const { return fd_ >= 0; }
    const std::filesystem::path& Path() const { return path_; }
    uint64_t NextSeq() const { return nextSeq_; }
    // Bytes appended but not yet durable.
    size_t PendingBytes() const;
    // Since the writer was made, any thread: records and bytes made durable, failed attempts
    // to write or sync, and whether writing fails now.
    uint64_t RecordsDurable() const { return recordsDurable_.load(std::memory_order_relaxed); }
    uint64_t BytesDurable() const { return bytesDurable_.load(std::memory_order_relaxed); }
    uint64_t FailedWrites() const { return failedWrites_.load(std::memory_order_relaxed); }
    bool Failing() const { return failingNow_.load(std::memory_order_relaxed); }

    // Before Open: the retry interval after a failed write (1 s) and the wall clock (ms since
    // the Unix epoch; the system clock).
    void SetRetryInterval(std::chrono::milliseconds interval) { retryInterval_ = interval; }
    void SetWallClock(std::function<int64_t()> clock) { wallClock_ = std::move(clock); }

private:
    // A record waiting for the writer thread; `encode` makes the payload when it is set.
    struct Pending {
        uint64_t seq = 0;
        uint16_t type = 0;
        int64_t wallMs = 0;
        std::vector<uint8_t> payload;
        std::function<std::vector<uint8_t>()> encode;
    };

    uint64_t Queue(Pending pending, size_t bytes);
    void Run();
    // Frames what was taken from the queue behind the unwritten bytes of the batch.
    void AddToBatch(std::vector<Pending>& taken);
    bool FlushBatch();
    void NoteResult(bool ok);

    JournalFileCalls calls_;
    std::function<int64_t()> wallClock_;
    std::chrono::milliseconds retryInterval_{1000};
    std::filesystem::path path_;
    int fd_ = -1;
    uint64_t nextSeq_ = 0;
    std::atomic<uint64_t> durableSeq_{0};

    mutable std::mutex mutex_;
    std::condition_variable wake_;     // the writer thread: bytes arrived or stop
    std::condition_variable durable_;  // WaitDurable: durableSeq_ moved
    std::vector<Pending> incoming_;    // records not yet taken by the thread
    size_t incomingBytes_ = 0;         // their framed size, as far as known
    uint64_t incomingSeq_ = 0;         // the last seq in incoming_
    bool stop_ = false;
    bool failing_ = false;
    int lastError_ = 0;
    std::deque<std::string> statusChanges_;

    // The writer thread's own: the batch being written, from file offset batchOffset_.
    std::vector<uint8_t> batch_;
    uint64_t batchSeq_ = 0;
    size_t batchWritten_ = 0;
    off_t batchOffset_ = 0;
    int batchError_ = 0;
    std::atomic<size_t> batchSize_{0};
    std::atomic<uint64_t> recordsDurable_{0};
    std::atomic<uint64_t> bytesDurable_{0};
    std::atomic<uint64_t> failedWrites_{0};
    std::atomic<bool> failingNow_{false};

    std::thread thread_;
};

}  // namespace vantrel
