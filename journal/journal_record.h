#pragma once
// The journal file: a header (8-byte magic, u32 format version, u32 reserved) and then
// self-checking records, each framed as u32 payload length, u32 CRC-32 (of the bytes after it
// up to the end of the payload), u64 seq, u16 type, i64 wallMs, payload. All little-endian.
// Sequence numbers run without a gap from the first record's, so a lost or repeated record is
// found. Reading keeps the records before the first damage and says what and where it was.
// Thread rule: any thread.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vantrel {

struct JournalRecord {
    uint64_t seq = 0;
    uint16_t type = 0;
    int64_t wallMs = 0;  // milliseconds since the Unix epoch
    std::vector<uint8_t> payload;

    bool operator==(const JournalRecord&) const = default;
};

inline constexpr uint32_t kJournalFormatVersion = 1;
inline constexpr size_t kJournalHeaderSize = 16;
// u32 length + u32 CRC + u64 seq + u16 type + i64 wallMs.
inline constexpr size_t kJournalFrameSize = 26;
// A longer payload is taken for damage, never allocated.
inline constexpr uint32_t kJournalMaxPayload = 64u << 20;

enum class JournalDamage {
    kNone,
    kTruncated,
    kBadChecksum,
    kBadSequence,
    kNewerVersion,
    kNotAJournal,
    kTooLarge,
    kUnreadable,  // the file could not be read at all (ioError says why)
};

struct JournalReadResult {
    std::vector<JournalRecord> records;  // every record before the damage
    uint64_t validBytes = 0;             // where the damage starts; the file size when clean
    JournalDamage damage = JournalDamage::kNone;
    std::string ioError;  // kUnreadable: the platform's reason with the file name
};

std::vector<uint8_t> EncodeJournalHeader();
void AppendEncodedRecord(std::vector<uint8_t>& out, const JournalRecord& record);

JournalReadResult DecodeJournal(std::span<const uint8_t> bytes);
JournalReadResult ReadJournalFile(const std::filesystem::path& path);

// The operator's text for the damage with its byte offset; "" for kNone.
std::string DamageText(const JournalReadResult& result);
std::string DamageText(JournalDamage damage, uint64_t offset);

// CRC-32 (the common reflected 0xEDB88320 one), continued from `crc` (0 to start).
uint32_t JournalCrc32(std::span<const uint8_t> bytes, uint32_t crc = 0);

}  // namespace vantrel
