#include "journal/journal_record.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "common/ui_text.h"
#include "journal/journal_bytes.h"
#include "journal/journal_texts.h"

namespace vantrel {

namespace {

// The high byte and CR LF / ^Z catch a file mangled by a text transfer.
constexpr std::array<uint8_t, 8> kMagic = {0x89, 'V', 'T', 'J', '\r', '\n', 0x1A, '\n'};

// Eight tables, so that the checksum takes eight bytes a step ("slicing by 8"): every booked
// run is checked, on the window's thread.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

CrcTables MakeCrcTables() {
    CrcTables tables{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        tables[0][i] = c;
    }
    for (size_t slice = 1; slice < tables.size(); ++slice) {
        for (uint32_t i = 0; i < 256; ++i) {
            const uint32_t previous = tables[slice - 1][i];
            tables[slice][i] = (previous >> 8) ^ tables[0][previous & 0xFF];
        }
    }
    return tables;
}

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

JournalDamage CheckHeader(std::span<const uint8_t> bytes) {
    const size_t magicSeen = std::min(bytes.size(), kMagic.size());
    if (magicSeen > 0 && std::memcmp(bytes.data(), kMagic.data(), magicSeen) != 0) {
        return JournalDamage::kNotAJournal;
    }
    if (bytes.size() < kJournalHeaderSize) {
        return JournalDamage::kTruncated;
    }
    const uint32_t version = ReadU32(bytes.data() + 8);
    if (version == 0) {
        return JournalDamage::kNotAJournal;
    }
    // A set reserved field means a later writer's feature this reader cannot honour.
    if (version > kJournalFormatVersion || ReadU32(bytes.data() + 12) != 0) {
        return JournalDamage::kNewerVersion;
    }
    return JournalDamage::kNone;
}

// Decodes the record at the reader's offset into `record`.
JournalDamage DecodeRecord(std::span<const uint8_t> rest, JournalRecord& record) {
    if (rest.size() < kJournalFrameSize) {
        return JournalDamage::kTruncated;
    }
    const uint32_t length = ReadU32(rest.data());
    if (length > kJournalMaxPayload) {
        return JournalDamage::kTooLarge;
    }
    if (rest.size() - kJournalFrameSize < length) {
        return JournalDamage::kTruncated;
    }
    const auto checked = rest.subspan(8, kJournalFrameSize - 8 + length);
    if (JournalCrc32(checked) != ReadU32(rest.data() + 4)) {
        return JournalDamage::kBadChecksum;
    }
    ByteReader reader(checked);
    reader.GetU64(record.seq);
    reader.GetU16(record.type);
    reader.GetI64(record.wallMs);
    record.payload.assign(checked.begin() + (kJournalFrameSize - 8), checked.end());
    return JournalDamage::kNone;
}

}  // namespace

uint32_t JournalCrc32(std::span<const uint8_t> bytes, uint32_t crc) {
    static const CrcTables t = MakeCrcTables();
    crc = ~crc;
    const uint8_t* p = bytes.data();
    size_t left = bytes.size();
    for (; left >= 8; left -= 8, p += 8) {
        const uint32_t low = crc ^ ReadU32(p);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
              t[4][low >> 24] ^ t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; left > 0; --left, ++p) {
        crc = t[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

std::vector<uint8_t> EncodeJournalHeader() {
    ByteWriter writer;
    for (const uint8_t b : kMagic) {
        writer.PutU8(b);
    }
    writer.PutU32(kJournalFormatVersion);
    writer.PutU32(0);
    return writer.Take();
}

void AppendEncodedRecord(std::vector<uint8_t>& out, const JournalRecord& record) {
    const size_t start = out.size();
    out.resize(start + kJournalFrameSize);
    uint8_t* frame = out.data() + start;
    auto put = [](uint8_t* p, uint64_t value, int size) {
        for (int i = 0; i < size; ++i) {
            p[i] = static_cast<uint8_t>(value >> (8 * i));
        }
    };
    put(frame, record.payload.size(), 4);
    put(frame + 8, record.seq, 8);
    put(frame + 16, record.type, 2);
    put(frame + 18, static_cast<uint64_t>(record.wallMs), 8);
    out.insert(out.end(), record.payload.begin(), record.payload.end());
    const std::span<const uint8_t> checked(out.data() + start + 8, out.size() - start - 8);
    put(out.data() + start + 4, JournalCrc32(checked), 4);
}

JournalReadResult DecodeJournal(std::span<const uint8_t> bytes) {
    JournalReadResult result;
    result.damage = CheckHeader(bytes);
    if (result.damage != JournalDamage::kNone) {
        return result;
    }
    size_t offset = kJournalHeaderSize;
    result.validBytes = offset;
    while (offset < bytes.size()) {
        JournalRecord record;
        result.damage = DecodeRecord(bytes.subspan(offset), record);
        if (result.damage == JournalDamage::kNone && !result.records.empty() &&
            record.seq != result.records.back().seq + 1) {
            result.damage = JournalDamage::kBadSequence;
        }
        if (result.damage != JournalDamage::kNone) {
            return result;
        }
        offset += kJournalFrameSize + record.payload.size();
        result.records.push_back(std::move(record));
        result.validBytes = offset;
    }
    return result;
}

JournalReadResult ReadJournalFile(const std::filesystem::path& path) {
    JournalReadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::vector<uint8_t> bytes;
    int error = fd < 0 ? errno : 0;
    while (fd >= 0) {
        uint8_t buffer[65536];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = n < 0 ? errno : 0;
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    if (fd >= 0) {
        ::close(fd);
    }
    if (error != 0) {
        result.damage = JournalDamage::kUnreadable;
        result.ioError = path.string() + ": " + std::strerror(error);
        return result;
    }
    return DecodeJournal(bytes);
}

std::string DamageText(const JournalReadResult& result) {
    if (result.damage == JournalDamage::kUnreadable) {
        return Translated(msg::kJournalUnreadable, {result.ioError});
    }
    return DamageText(result.damage, result.validBytes);
}

std::string DamageText(JournalDamage damage, uint64_t offset) {
    const std::string at = std::to_string(offset);
    switch (damage) {
        case JournalDamage::kNone:
            return {};
        case JournalDamage::kTruncated:
            return Translated(msg::kJournalTruncated, {at});
        case JournalDamage::kBadChecksum:
            return Translated(msg::kJournalBadChecksum, {at});
        case JournalDamage::kBadSequence:
            return Translated(msg::kJournalBadSequence, {at});
        case JournalDamage::kNewerVersion:
            return Translated(msg::kJournalNewerVersion, {at});
        case JournalDamage::kNotAJournal:
            return Translated(msg::kJournalNotAJournal, {at});
        case JournalDamage::kTooLarge:
            return Translated(msg::kJournalTooLarge, {at});
        case JournalDamage::kUnreadable:
            return Translated(msg::kJournalUnreadable, {""});
    }
    return {};
}

}  // namespace vantrel
