#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <random>
#include <regex>
#include <sstream>

#include "journal/journal_dump.h"
#include "journal/journal_record.h"
#include "journal_test_support.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using test::EncodeJournal;
using test::SampleRecords;

// The file offsets where each record ends.
std::vector<size_t> RecordEnds(const std::vector<JournalRecord>& records) {
    std::vector<size_t> ends;
    size_t offset = kJournalHeaderSize;
    for (const JournalRecord& record : records) {
        offset += kJournalFrameSize + record.payload.size();
        ends.push_back(offset);
    }
    return ends;
}

TEST(JournalRecord, TruncatedAtEveryByteKeepsExactlyTheWholeRecords) {
    const auto records = SampleRecords(300, 41, 7);
    const auto bytes = EncodeJournal(records);
    const auto ends = RecordEnds(records);
    ASSERT_EQ(ends.back(), bytes.size());

    size_t whole = 0;  // records ending at or before the cut
    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        while (whole < ends.size() && ends[whole] <= cut) {
            ++whole;
        }
        const JournalReadResult result = DecodeJournal(std::span(bytes.data(), cut));
        const size_t expectedValid =
            cut < kJournalHeaderSize ? 0 : (whole == 0 ? kJournalHeaderSize : ends[whole - 1]);
        ASSERT_EQ(result.records.size(), whole) << cut;
        ASSERT_EQ(result.validBytes, expectedValid) << cut;
        const bool atBoundary = cut == expectedValid && cut >= kJournalHeaderSize;
        ASSERT_EQ(result.damage, atBoundary ? JournalDamage::kNone : JournalDamage::kTruncated)
            << cut;
    }
    const JournalReadResult full = DecodeJournal(bytes);
    EXPECT_EQ(full.records, records);
}

TEST(JournalRecord, FlippedBitsKeepExactlyTheRecordsBeforeTheDamage) {
    const auto records = SampleRecords(200, 1, 11);
    const auto clean = EncodeJournal(records);
    const auto ends = RecordEnds(records);
    std::mt19937 random(2024);
    for (int iteration = 0; iteration < 3000; ++iteration) {
        auto bytes = clean;
        size_t first = bytes.size();
        const int flips = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < flips; ++i) {
            // Now and then hit the header, which has no checksum of its own.
            const size_t at =
                random() % 10 == 0 ? random() % kJournalHeaderSize : random() % bytes.size();
            bytes[at] ^= static_cast<uint8_t>(1u << (random() % 8));
            first = std::min(first, at);
        }
        const JournalReadResult result = DecodeJournal(bytes);
        if (first < kJournalHeaderSize) {
            EXPECT_TRUE(result.damage == JournalDamage::kNotAJournal ||
                        result.damage == JournalDamage::kNewerVersion);
            EXPECT_TRUE(result.records.empty());
            continue;
        }
        const size_t damaged = std::upper_bound(ends.begin(), ends.end(), first) - ends.begin();
        ASSERT_NE(result.damage, JournalDamage::kNone) << iteration;
        ASSERT_EQ(result.records.size(), damaged) << iteration;
        ASSERT_TRUE(std::equal(result.records.begin(), result.records.end(), records.begin()));
        ASSERT_EQ(result.validBytes, damaged == 0 ? kJournalHeaderSize : ends[damaged - 1]);
    }
}

TEST(JournalRecord, SequenceVersionMagicAndLengthDamage) {
    // The first seq may be anything; a gap or a repeat after it is damage.
    for (const uint64_t bad : {uint64_t{8}, uint64_t{6}, uint64_t{5}}) {
        auto records = SampleRecords(3, 5, 3);
        records[2].seq = bad;
        const auto bytes = EncodeJournal(records);
        const JournalReadResult result = DecodeJournal(bytes);
        EXPECT_EQ(result.damage, JournalDamage::kBadSequence);
        EXPECT_EQ(result.records.size(), 2u);
        EXPECT_EQ(result.validBytes, RecordEnds(records)[1]);
    }

    auto newer = EncodeJournal(SampleRecords(2, 1, 3));
    newer[8] = 2;
    EXPECT_EQ(DecodeJournal(newer).damage, JournalDamage::kNewerVersion);
    EXPECT_TRUE(DecodeJournal(newer).records.empty());

    const std::string text = "1,山田,01:23.456\r\n2,鈴木,01:24.000\r\n";
    const JournalReadResult notJournal =
        DecodeJournal(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    EXPECT_EQ(notJournal.damage, JournalDamage::kNotAJournal);
    EXPECT_EQ(notJournal.validBytes, 0u);

    // A length far over the cap is damage, not an allocation, even when the bytes are there.
    auto huge = EncodeJournal(SampleRecords(2, 1, 3));
    const size_t second = RecordEnds(SampleRecords(2, 1, 3))[0];
    huge[second + 3] = 0x7F;
    huge.resize(huge.size() + 1000);
    const JournalReadResult tooLarge = DecodeJournal(huge);
    EXPECT_EQ(tooLarge.damage, JournalDamage::kTooLarge);
    EXPECT_EQ(tooLarge.records.size(), 1u);
    EXPECT_EQ(tooLarge.validBytes, second);
    EXPECT_NE(DamageText(tooLarge).find(std::to_string(second)), std::string::npos);
    EXPECT_EQ(DamageText(JournalDamage::kNone, 0), "");
}

TEST(JournalRecord, FileReadingAndDump) {
    test::TempDir dir;
    setenv("TZ", "UTC", 1);
    tzset();
    const auto records = SampleRecords(3, 10, 5);
    auto bytes = EncodeJournal(records);
    test::WriteBytes(dir / "clean.vtj", std::string(bytes.begin(), bytes.end()));
    bytes.pop_back();
    test::WriteBytes(dir / "cut.vtj", std::string(bytes.begin(), bytes.end()));

    EXPECT_EQ(ReadJournalFile(dir / "clean.vtj").records, records);
    const JournalReadResult missing = ReadJournalFile(dir / "none.vtj");
    EXPECT_EQ(missing.damage, JournalDamage::kUnreadable);
    EXPECT_NE(DamageText(missing).find("none.vtj"), std::string::npos);
    EXPECT_EQ(ReadJournalFile(dir.Path()).damage, JournalDamage::kUnreadable);  // a folder

    const auto describe = [](const JournalRecord& r) {
        return "type " + std::to_string(r.type) + " " + std::to_string(r.payload.size()) + "B";
    };
    std::ostringstream clean;
    EXPECT_EQ(DumpJournal(dir / "clean.vtj", clean, describe), 0);
    EXPECT_EQ(clean.str().substr(0, clean.str().find('\n')),
              "10 2023-11-14 22:13:20.000 type " + std::to_string(records[0].type) + " " +
                  std::to_string(records[0].payload.size()) + "B");
    const std::string cleanText = clean.str();
    EXPECT_EQ(std::count(cleanText.begin(), cleanText.end(), '\n'), 3);

    std::ostringstream cut;
    EXPECT_EQ(DumpJournal(dir / "cut.vtj", cut, describe), 1);
    const std::string lastLine = DamageText(JournalDamage::kTruncated, RecordEnds(records)[1]);
    EXPECT_NE(cut.str().find("\n" + lastLine + "\n"), std::string::npos) << cut.str();
    const std::string cutText = cut.str();
    EXPECT_EQ(std::count(cutText.begin(), cutText.end(), '\n'), 3);

    std::ostringstream none;
    EXPECT_EQ(DumpJournal(dir / "none.vtj", none, describe), 2);
    EXPECT_EQ(JournalLineHead({7, 0, 1700000000123 - 86400000, {}}), "7 2023-11-13 22:13:20.123");
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST(JournalCrcTest, IsTheCommonCrc32InEveryLengthAndSplit) {
    const std::string check = "123456789";
    EXPECT_EQ(JournalCrc32({reinterpret_cast<const uint8_t*>(check.data()), check.size()}),
              0xCBF43926u);
    // Against the plain bitwise definition, for lengths around the eight-byte steps.
    std::vector<uint8_t> bytes(100);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    }
    for (size_t length = 0; length <= bytes.size(); ++length) {
        uint32_t bitwise = 0xFFFFFFFFu;
        for (size_t i = 0; i < length; ++i) {
            bitwise ^= bytes[i];
            for (int k = 0; k < 8; ++k) {
                bitwise = (bitwise & 1) ? 0xEDB88320u ^ (bitwise >> 1) : bitwise >> 1;
            }
        }
        const std::span<const uint8_t> all(bytes.data(), length);
        ASSERT_EQ(JournalCrc32(all), ~bitwise) << length;
        const size_t half = length / 3;
        ASSERT_EQ(JournalCrc32(all.subspan(half), JournalCrc32(all.first(half))), ~bitwise);
    }
}

}  // namespace
}  // namespace vantrel
