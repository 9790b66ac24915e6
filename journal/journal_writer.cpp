#include "journal/journal_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/ui_text.h"
#include "journal/journal_record.h"
#include "journal/journal_texts.h"

namespace vantrel {

namespace {

int64_t SystemWallMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string ReasonText(int error) {
    switch (error) {
        case ENOSPC:
            return Translated(msg::kJournalDiskFull);
        case EROFS:
        case EACCES:
        case EPERM:
            return Translated(msg::kJournalReadOnly);
        case EIO:
            return Translated(msg::kJournalIoError);
        case EFBIG:
            return Translated(msg::kJournalFileTooBig);
        case EDQUOT:
            return Translated(msg::kJournalQuota);
        default:
            return std::strerror(error);
    }
}

bool WriteAllAt(const JournalFileCalls& calls, int fd, const std::vector<uint8_t>& bytes,
                off_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.write(fd, bytes.data() + done, bytes.size() - done, offset + done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// A new file's name is durable only once its folder is synced.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Only a caller breaking AppendEncodedLater's promise gets an empty payload; an exception
// here would end the program from the writer thread.
std::vector<uint8_t> EncodeOrEmpty(const std::function<std::vector<uint8_t>()>& encode) {
    try {
        std::vector<uint8_t> payload = encode();
        if (payload.size() <= kJournalMaxPayload) {
            return payload;
        }
    } catch (...) {
    }
    return {};
}

}  // namespace

JournalFileCalls SystemJournalFileCalls() {
    return {[](int fd, const void* data, size_t size, off_t offset) {
                return ::pwrite(fd, data, size, offset);
            },
            [](int fd) { return ::fdatasync(fd); }};
}

JournalWriter::JournalWriter() : JournalWriter(SystemJournalFileCalls()) {}

JournalWriter::JournalWriter(JournalFileCalls calls)
    : calls_(std::move(calls)), wallClock_(SystemWallMs) {}

JournalWriter::~JournalWriter() {
    Close();
}

IoResult JournalWriter::Open(const std::filesystem::path& path, uint64_t firstSeq) {
    if (IsOpen() || firstSeq == 0) {
        return IoResult::Failure(path.string() + ": " + std::strerror(EINVAL));
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return IoResult::Failure(path.string() + ": " + std::strerror(errno));
    }
    errno = 0;
    const bool ready = ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                       WriteAllAt(calls_, fd, EncodeJournalHeader(), 0) && calls_.sync(fd) == 0;
    if (!ready) {
        const int error = errno != 0 ? errno : EIO;
        ::close(fd);
        ::unlink(path.c_str());
        return IoResult::Failure(path.string() + ": " + std::strerror(error));
    }
    SyncFolder(path.parent_path());
    path_ = path;
    fd_ = fd;
    nextSeq_ = firstSeq;
    durableSeq_.store(firstSeq - 1);
    batchSeq_ = firstSeq - 1;
    batchOffset_ = static_cast<off_t>(kJournalHeaderSize);
    stop_ = false;
    failing_ = false;
    thread_ = std::thread([this] { Run(); });
    return IoResult::Success();
}

uint64_t JournalWriter::Append(uint16_t type, std::vector<uint8_t> payload) {
    if (!IsOpen()) {
        return 0;
    }
    if (payload.size() > kJournalMaxPayload) {
        return 0;
    }
    const size_t bytes = kJournalFrameSize + payload.size();
    return Queue(Pending{nextSeq_, type, wallClock_(), std::move(payload), {}}, bytes);
}

uint64_t JournalWriter::AppendEncodedLater(uint16_t type,
                                           std::function<std::vector<uint8_t>()> encode) {
    if (!IsOpen()) {
        return 0;
    }
    return Queue(Pending{nextSeq_, type, wallClock_(), {}, std::move(encode)}, kJournalFrameSize);
}

uint64_t JournalWriter::Queue(Pending pending, size_t bytes) {
    bool wasEmpty = false;
    {
        std::lock_guard lock(mutex_);
        wasEmpty = incoming_.empty();
        incomingSeq_ = pending.seq;
        incoming_.push_back(std::move(pending));
        incomingBytes_ += bytes;
    }
    // The writer waits only while nothing has arrived, so only the first record wakes it.
    if (wasEmpty) {
        wake_.notify_one();
    }
    return nextSeq_++;
}

bool JournalWriter::WaitDurable(uint64_t seq, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return durable_.wait_for(lock, timeout, [&] { return DurableSeq() >= seq; });
}

size_t JournalWriter::PendingBytes() const {
    std::lock_guard lock(mutex_);
    return incomingBytes_ + batchSize_.load();
}

std::optional<std::string> JournalWriter::TakeStatusChange() {
    std::lock_guard lock(mutex_);
    if (statusChanges_.empty()) {
        return std::nullopt;
    }
    std::string text = std::move(statusChanges_.front());
    statusChanges_.pop_front();
    return text;
}

IoResult JournalWriter::Close() {
    if (!IsOpen()) {
        return IoResult::Success();
    }
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
    const size_t unwritten = incomingBytes_ + batch_.size();
    const int error = batchError_;
    ::close(fd_);  // also releases the lock
    fd_ = -1;
    incoming_.clear();
    incomingBytes_ = 0;
    batch_.clear();
    batchSize_ = 0;
    if (unwritten > 0) {
        return IoResult::Failure(
            path_.string() + ": " +
            Translated(msg::kJournalCloseUnwritten, {std::to_string(unwritten)}) + " (" +
            ReasonText(error) + ")");
    }
    return IoResult::Success();
}

void JournalWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (failing_) {
            wake_.wait_for(lock, retryInterval_, [&] { return stop_; });
        } else {
            wake_.wait(lock, [&] { return stop_ || !incoming_.empty(); });
        }
        const bool stopping = stop_;
        std::vector<Pending> taken;
        taken.swap(incoming_);
        const uint64_t takenSeq = incomingSeq_;
        batchSize_ += incomingBytes_;
        incomingBytes_ = 0;
        lock.unlock();
        if (!taken.empty()) {
            AddToBatch(taken);
            batchSeq_ = takenSeq;
        }
        const bool ok = batch_.empty() || FlushBatch();
        lock.lock();
        NoteResult(ok);
        if (stopping && (!ok || incoming_.empty())) {
            return;
        }
    }
}

void JournalWriter::AddToBatch(std::vector<Pending>& taken) {
    for (Pending& pending : taken) {
        JournalRecord record{pending.seq, pending.type, pending.wallMs, {}};
        record.payload =
            pending.encode ? EncodeOrEmpty(pending.encode) : std::move(pending.payload);
        AppendEncodedRecord(batch_, record);
    }
    batchSize_ = batch_.size();
}

// Writes the rest of the batch at its file offsets and syncs it. A short write resumes where
// it stopped; after a failed sync the whole batch is written again, as the kernel may have
// dropped the pages it could not write back.
bool JournalWriter::FlushBatch() {
    while (batchWritten_ < batch_.size()) {
        const ssize_t n = calls_.write(fd_, batch_.data() + batchWritten_,
                                       batch_.size() - batchWritten_, batchOffset_ + batchWritten_);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            batchError_ = n < 0 ? errno : ENOSPC;
            return false;
        }
        batchWritten_ += static_cast<size_t>(n);
    }
    if (calls_.sync(fd_) != 0) {
        batchError_ = errno;
        batchWritten_ = 0;
        return false;
    }
    batchOffset_ += static_cast<off_t>(batch_.size());
    bytesDurable_.fetch_add(batch_.size(), std::memory_order_relaxed);
    batch_.clear();
    batchWritten_ = 0;
    batchSize_ = 0;
    return true;
}

// Called with the mutex held.
void JournalWriter::NoteResult(bool ok) {
    failingNow_.store(!ok, std::memory_order_relaxed);
    if (ok) {
        recordsDurable_.fetch_add(batchSeq_ - durableSeq_.load(), std::memory_order_relaxed);
        durableSeq_.store(batchSeq_, std::memory_order_release);
        durable_.notify_all();
        if (failing_) {
            failing_ = false;
            statusChanges_.push_back(Translated(msg::kJournalWriteRecovered));
        }
    } else {
        failedWrites_.fetch_add(1, std::memory_order_relaxed);
        if (!failing_) {
            failing_ = true;
            statusChanges_.push_back(
                Translated(msg::kJournalWriteFailing, {ReasonText(batchError_)}));
        }
    }
}

}  // namespace vantrel
