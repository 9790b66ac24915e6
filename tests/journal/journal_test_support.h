#pragma once
// Journals built in memory for the tests: records of varied sizes and their encoded file.

#include <cstdint>
#include <random>
#include <vector>

#include "journal/journal_record.h"
#include "support/file_size_limit.h"

namespace vantrel::test {

inline std::vector<JournalRecord> SampleRecords(int count, uint64_t firstSeq, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<JournalRecord> records;
    for (int i = 0; i < count; ++i) {
        JournalRecord record;
        record.seq = firstSeq + i;
        record.type = static_cast<uint16_t>(random() % 12);
        record.wallMs = 1700000000000 + i * 137;
        record.payload.resize(i % 7 == 0 ? 0 : random() % 120);
        for (uint8_t& b : record.payload) {
            b = static_cast<uint8_t>(random());
        }
        records.push_back(std::move(record));
    }
    return records;
}

inline std::vector<uint8_t> EncodeJournal(const std::vector<JournalRecord>& records) {
    std::vector<uint8_t> bytes = EncodeJournalHeader();
    for (const JournalRecord& record : records) {
        AppendEncodedRecord(bytes, record);
    }
    return bytes;
}

}  // namespace vantrel::test
