#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
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
    EXPECT_NE(failing.find(msg::kJournalDiskFull.source), std::string::npos) << failing;
    EXPECT_FALSE(writer.WaitDurable(101, 100ms));
    EXPECT_GT(writer.PendingBytes(), 0u);
    EXPECT_EQ(writer.TakeStatusChange(), std::nullopt);  // reported once, though retried

    // A failed sync makes the writer write the batch again at the same offsets.
    disk.syncFailures = 2;
    disk.failWith = 0;
    AppendAll(writer, std::vector<JournalRecord>(records.begin() + 200, records.end()));
    EXPECT_TRUE(writer.WaitDurable(300, 10s));
    EXPECT_EQ(WaitStatus(writer), msg::kJournalWriteRecovered.source);
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
    EXPECT_NE(WaitStatus(stuck).find(msg::kJournalIoError.source), std::string::npos);
    const IoResult closed = stuck.Close();
    EXPECT_FALSE(closed);
    EXPECT_NE(closed.error.find(" 36 "), std::string::npos) << closed.error;  // 26 + 10 bytes
}

// File calls whose failed sync drops every byte written since the last good one, as the
// kernel may: pages it could not write back are marked clean and their bytes are gone.
struct LossySync {
    std::atomic<int> syncFailures{0};
    off_t synced = 0;  // the file's size at the last good sync
    JournalFileCalls Calls() {
        const JournalFileCalls real = SystemJournalFileCalls();
        return {real.write, [this, real](int fd) {
                    if (syncFailures > 0) {
                        --syncFailures;
                        EXPECT_EQ(::ftruncate(fd, synced), 0);
                        errno = EIO;
                        return -1;
                    }
                    const int result = real.sync(fd);
                    struct stat info {};
                    ::fstat(fd, &info);
                    synced = info.st_size;
                    return result;
                }};
    }
};

TEST(JournalWriter, AFailedSyncWritesTheBatchAgainWhenItsBytesWereDropped) {
    test::TempDir dir;
    const auto path = dir / "lossy.vtj";
    const auto records = test::SampleRecords(240, 1, 21);
    LossySync disk;
    JournalWriter writer(disk.Calls());
    writer.SetRetryInterval(5ms);
    ASSERT_TRUE(writer.Open(path, 1));
    AppendAll(writer, std::vector<JournalRecord>(records.begin(), records.begin() + 80));
    ASSERT_TRUE(writer.WaitDurable(80, 10s));

    // Three syncs in a row fail, each batch after them with more records in it.
    disk.syncFailures = 3;
    for (int part = 1; part < 3; ++part) {
        AppendAll(writer, std::vector<JournalRecord>(records.begin() + 80 * part,
                                                     records.begin() + 80 * (part + 1)));
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_NE(WaitStatus(writer).find(msg::kJournalIoError.source), std::string::npos);
    EXPECT_TRUE(writer.WaitDurable(240, 10s));
    EXPECT_EQ(disk.syncFailures, 0);
    ASSERT_TRUE(writer.Close());

    const JournalReadResult result = ReadJournalFile(path);
    EXPECT_EQ(result.damage, JournalDamage::kNone) << DamageText(result);
    ASSERT_EQ(result.records.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(result.records[i].payload, records[i].payload) << i;
    }
}

TEST(JournalWriter, ARecordTooLargeIsRefusedAndNothingEndsTheProgram) {
    test::TempDir dir;
    const auto path = dir / "large.vtj";
    JournalWriter writer;
    ASSERT_TRUE(writer.Open(path, 1));
    EXPECT_EQ(writer.Append(1, {1, 2, 3}), 1u);
    EXPECT_EQ(writer.Append(2, std::vector<uint8_t>(kJournalMaxPayload + 1, 7)), 0u);
    EXPECT_EQ(writer.Append(3, std::vector<uint8_t>(kJournalMaxPayload, 8)), 2u);
    // What a caller's encoding breaks stays in its place, empty.
    EXPECT_EQ(writer.AppendEncodedLater(
                  4, [] { return std::vector<uint8_t>(kJournalMaxPayload + 1, 9); }),
              3u);
    EXPECT_EQ(writer.AppendEncodedLater(
                  5, []() -> std::vector<uint8_t> { throw std::length_error("too long"); }),
              4u);
    EXPECT_EQ(writer.Append(6, {4}), 5u);
    ASSERT_TRUE(writer.Close());

    const JournalReadResult result = ReadJournalFile(path);
    EXPECT_EQ(result.damage, JournalDamage::kNone);
    ASSERT_EQ(result.records.size(), 5u);
    const std::vector<uint16_t> types = {1, 3, 4, 5, 6};
    for (size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(result.records[i].seq, i + 1);
        EXPECT_EQ(result.records[i].type, types[i]);
    }
    EXPECT_EQ(result.records[0].payload, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(result.records[1].payload.size(), kJournalMaxPayload);
    EXPECT_TRUE(result.records[2].payload.empty());
    EXPECT_TRUE(result.records[3].payload.empty());
    EXPECT_EQ(result.records[4].payload, (std::vector<uint8_t>{4}));
}

TEST(JournalWriter, RealFileSizeLimitThenRecovery) {
    using test::FileSizeLimit;
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
        EXPECT_NE(failing.find(msg::kJournalFileTooBig.source), std::string::npos) << failing;
        EXPECT_EQ(std::filesystem::file_size(path), 2000u);  // the short write's bytes
        EXPECT_LT(writer.DurableSeq(), 120u);
        limit.Lift();
        EXPECT_TRUE(writer.WaitDurable(120, 10s));
    }
    EXPECT_EQ(WaitStatus(writer), msg::kJournalWriteRecovered.source);
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
