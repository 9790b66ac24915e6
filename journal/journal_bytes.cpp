#include "journal/journal_bytes.h"

namespace vantrel {

void ByteWriter::PutString(std::string_view text) {
    PutU32(static_cast<uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void ByteWriter::PutStrings(const std::vector<std::string>& texts) {
    PutU32(static_cast<uint32_t>(texts.size()));
    for (const std::string& text : texts) {
        PutString(text);
    }
}

bool ByteReader::Fail() {
    ok_ = false;
    return false;
}

bool ByteReader::GetLittle(uint64_t& value, int size) {
    if (!ok_ || Remaining() < static_cast<size_t>(size)) {
        return Fail();
    }
    uint64_t result = 0;
    for (int i = 0; i < size; ++i) {
        result |= static_cast<uint64_t>(bytes_[offset_ + i]) << (8 * i);
    }
    offset_ += size;
    value = result;
    return true;
}

bool ByteReader::GetU8(uint8_t& value) {
    uint64_t v = 0;
    if (!GetLittle(v, 1)) {
        return false;
    }
    value = static_cast<uint8_t>(v);
    return true;
}

bool ByteReader::GetU16(uint16_t& value) {
    uint64_t v = 0;
    if (!GetLittle(v, 2)) {
        return false;
    }
    value = static_cast<uint16_t>(v);
    return true;
}

bool ByteReader::GetU32(uint32_t& value) {
    uint64_t v = 0;
    if (!GetLittle(v, 4)) {
        return false;
    }
    value = static_cast<uint32_t>(v);
    return true;
}

bool ByteReader::GetI32(int32_t& value) {
    uint32_t v = 0;
    if (!GetU32(v)) {
        return false;
    }
    value = static_cast<int32_t>(v);
    return true;
}

bool ByteReader::GetU64(uint64_t& value) {
    return GetLittle(value, 8);
}

bool ByteReader::GetI64(int64_t& value) {
    uint64_t v = 0;
    if (!GetLittle(v, 8)) {
        return false;
    }
    value = static_cast<int64_t>(v);
    return true;
}

bool ByteReader::GetString(std::string& text) {
    const size_t start = offset_;
    uint32_t size = 0;
    if (!GetU32(size)) {
        return false;
    }
    if (Remaining() < size) {
        offset_ = start;
        return Fail();
    }
    text.assign(reinterpret_cast<const char*>(bytes_.data() + offset_), size);
    offset_ += size;
    return true;
}

bool ByteReader::GetStrings(std::vector<std::string>& texts) {
    const size_t start = offset_;
    uint32_t count = 0;
    if (!GetU32(count)) {
        return false;
    }
    // Every string takes at least its 4-byte length, so a damaged count fails here instead of
    // growing the vector.
    if (count > Remaining() / 4) {
        offset_ = start;
        return Fail();
    }
    std::vector<std::string> result(count);
    for (std::string& text : result) {
        if (!GetString(text)) {
            offset_ = start;
            return false;
        }
    }
    texts = std::move(result);
    return true;
}

}  // namespace vantrel
