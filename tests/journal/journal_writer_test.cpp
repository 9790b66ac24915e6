#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <thread>

#include "journal/journal_place.h"
#include "journal/journal_record.h"
#include "journal/journal_texts.h"
#include "journal/journal_writer.h"
#include "journal_test_support.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

// Appends every record's type and payload, every third one encoded later (which must happen
// on the writer thread); checks that the seqs come back in order.
void AppendAll(JournalWriter& writer, const std::vector<JournalRecord>& records) {
    static std::atomic<int> encodedByCaller{0};
    const std::thread::id caller = std::this_thread::get_id();
    for (const JournalRecord& record : records) {
        if (record.seq % 3 == 0) {
            auto encode = [payload = record.payload, caller] {
                encodedByCaller += std::this_thread::get_id() == caller ? 1 : 0;
                return payload;
            };
            ASSERT_EQ(writer.AppendEncodedLater(record.type, encode), record.seq);
        } else {
            ASSERT_EQ(writer.Append(record.type, record.payload), record.seq);
        }
    }
    EXPECT_EQ(encodedByCaller, 0);
}

// Polls for the writer's next status message.
std::string WaitStatus(JournalWriter& writer) {
    for (int i = 0; i < 500; ++i) {
        if (auto text = writer.TakeStatusChange()) {
            return *text;
        }
        std::this_thread::sleep_for(10ms);
    }
    return "(no status change)";
}

TEST(JournalWriter, AppendedRecordsReadBackAndTheFileIsLocked) {
    test::TempDir dir;
    const auto path = dir / "a.vtj";
    auto records = test::SampleRecords(3000, 100, 9);
    JournalWriter writer;
    int64_t now = 1700000000000;
    writer.SetWallClock([&] { return now++; });
    ASSERT_TRUE(writer.Open(path, 100));
    EXPECT_EQ(writer.DurableSeq(), 99u);
    EXPECT_TRUE(JournalInUse(path));
    EXPECT_FALSE(writer.Open(dir / "b.vtj", 1));  // already open

    // Half while the writer thread is busy syncing the earlier ones, a wait, then the rest.
    std::vector<JournalRecord> first(records.begin(), records.begin() + 1500);
    AppendAll(writer, first);
    EXPECT_TRUE(writer.WaitDurable(1599, 10s));
    EXPECT_GE(writer.DurableSeq(), 1599u);
    EXPECT_EQ(writer.PendingBytes(), 0u);
    AppendAll(writer, std::vector<JournalRecord>(records.begin() + 1500, records.end()));
    ASSERT_TRUE(writer.Close());  // flushes what is still queued
    EXPECT_EQ(writer.DurableSeq(), 3099u);
    EXPECT_FALSE(JournalInUse(path));
    EXPECT_EQ(writer.Append(1, {}), 0u);
    EXPECT_EQ(writer.TakeStatusChange(), std::nullopt);

    for (size_t i = 0; i < records.size(); ++i) {
        records[i].wallMs = 1700000000000 + static_cast<int64_t>(i);
    }
    const JournalReadResult result = ReadJournalFile(path);
    EXPECT_EQ(result.damage, JournalDamage::kNone);
    EXPECT_EQ(result.records, records);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // An existing file is never opened over, and is left as it was.
    JournalWriter second;
    EXPECT_FALSE(second.Open(path, 1));
    EXPECT_EQ(ReadJournalFile(path).records.size(), records.size());
    EXPECT_FALSE(second.Open(dir / "c.vtj", 0));
}

// File calls that write at most 7 bytes at a time and fail while `failWith` is set.
struct FlakyDisk {
    std::atomic<int> failWith{0};
    std::atomic<int> syncFailures{0};
    JournalFileCalls Calls() {
        const JournalFileCalls real = SystemJournalFileCalls();
        return {[this, real](int fd, const void* data, size_t size, off_t offset) -> ssize_t {
                    if (const int error = failWith.load()) {
                        errno = error;
                        return -1;
                    }
                    return real.write(fd, data, std::min<size_t>(size, 7), offset);
                },
                [this, real](int fd) {
                    if (syncFailures > 0) {
                        --syncFailures;
                        errno = EIO;
                        return -1;
                    }
                    return real.sync(fd);
                }};
    }
};

TEST(JournalWriter, FailingDiskKeepsEveryByteAndReportsOnce) {
    test::TempDir dir;
    const auto path = dir / "flaky.vtj";
    const auto records = test::SampleRecords(300, 1, 4);
    FlakyDisk disk;
    JournalWriter writer(disk.Calls());
    writer.SetRetryInterval(20ms);
    ASSERT_TRUE(writer.Open(path, 1));
    AppendAll(writer, std::vector<JournalRecord>(records.begin(), records.begin() + 100));
    ASSERT_TRUE(writer.WaitDurable(100, 10s));

    disk.failWith = ENOSPC;
    AppendAll(writer, std::vector<JournalRecord>(records.begin() + 100, records.begin() + 200));
    const std::string failing = WaitStatus(writer);
    EXPECT_NE(failing.find(msg::kJournalDiskFull), std::string::npos) << failing;
    EXPECT_FALSE(writer.WaitDurable(101, 100ms));
    EXPECT_GT(writer.PendingBytes(), 0u);
    EXPECT_EQ(writer.TakeStatusChange(), std::nullopt);  // reported once, though retried

    // A failed sync makes the writer write the batch again at the same offsets.
    disk.syncFailures = 2;
    disk.failWith = 0;
    AppendAll(writer, std::vector<JournalRecord>(records.begin() + 200, records.end()));
    EXPECT_TRUE(writer.WaitDurable(300, 10s));
    EXPECT_EQ(WaitStatus(writer), msg::kJournalWriteRecovered);
    EXPECT_EQ(writer.TakeStatusChange(), std::nullopt);
    ASSERT_TRUE(writer.Close());

    const JournalReadResult result = ReadJournalFile(path);
    EXPECT_EQ(result.damage, JournalDamage::kNone);
    ASSERT_EQ(result.records.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(result.records[i].payload, records[i].payload) << i;
    }

    // Closing while the disk still refuses says what was not written instead of hanging.
    JournalWriter stuck(disk.Calls());
    stuck.SetRetryInterval(20ms);
    ASSERT_TRUE(stuck.Open(dir / "stuck.vtj", 1));
    disk.failWith = EIO;
    stuck.Append(1, std::vector<uint8_t>(10, 1));
    EXPECT_NE(WaitStatus(stuck).find(msg::kJournalIoError), std::string::npos);
    const IoResult closed = stuck.Close();
    EXPECT_FALSE(closed);
    EXPECT_NE(closed.error.find(" 36 "), std::string::npos) << closed.error;  // 26 + 10 bytes
}

// Lowers this process's file-size limit so that real writes fail with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { Lift(); }
    void Lift() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST(JournalWriter, RealFileSizeLimitThenRecovery) {
    test::TempDir dir;
    const auto path = dir / "limited.vtj";
    const auto records = test::SampleRecords(120, 1, 8);
    JournalWriter writer;
    writer.SetRetryInterval(20ms);
    ASSERT_TRUE(writer.Open(path, 1));
    {
        FileSizeLimit limit(2000);
        AppendAll(writer, records);
        const std::string failing = WaitStatus(writer);
        EXPECT_NE(failing.find(msg::kJournalFileTooBig), std::string::npos) << failing;
        EXPECT_EQ(std::filesystem::file_size(path), 2000u);  // the short write's bytes
        EXPECT_LT(writer.DurableSeq(), 120u);
        limit.Lift();
        EXPECT_TRUE(writer.WaitDurable(120, 10s));
    }
    EXPECT_EQ(WaitStatus(writer), msg::kJournalWriteRecovered);
    ASSERT_TRUE(writer.Close());
    const JournalReadResult result = ReadJournalFile(path);
    EXPECT_EQ(result.damage, JournalDamage::kNone);
    ASSERT_EQ(result.records.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(result.records[i].payload, records[i].payload) << i;
    }

    // A folder this user may not write: the journal cannot be made, and says why.
    std::filesystem::create_directory(dir / "ro");
    std::filesystem::permissions(
        dir / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (geteuid() != 0) {
        JournalWriter readOnly;
        const IoResult opened = readOnly.Open(dir / "ro" / "j.vtj", 1);
        EXPECT_FALSE(opened);
        EXPECT_NE(opened.error.find("j.vtj"), std::string::npos);
    }
}

}  // namespace
}  // namespace vantrel
