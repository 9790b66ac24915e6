#pragma once
// Little-endian byte packing for journal payloads. The reader never reads past its span: a
// value that does not fit leaves the target untouched, returns false and marks the reader
// failed, so a caller can read a whole record and check Ok() once.
// Thread rule: one object per thread.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class ByteWriter {
public:
    // Inline, byte by byte: a booked lap writes some forty numbers, and a call and a range
    // insert per number cost several times as much as the bytes.
    void PutU8(uint8_t value) { bytes_.push_back(value); }
    void PutU16(uint16_t value) { PutLittle<2>(value); }
    void PutU32(uint32_t value) { PutLittle<4>(value); }
    void PutI32(int32_t value) { PutLittle<4>(static_cast<uint32_t>(value)); }
    void PutU64(uint64_t value) { PutLittle<8>(value); }
    void PutI64(int64_t value) { PutLittle<8>(static_cast<uint64_t>(value)); }
    // u32 length, then the bytes.
    void PutString(std::string_view text);
    // u32 count, then each string as PutString.
    void PutStrings(const std::vector<std::string>& texts);

    void Reserve(size_t size) { bytes_.reserve(size); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    template <int Size>
    void PutLittle(uint64_t value) {
        for (int i = 0; i < Size; ++i) {
            bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    }

    std::vector<uint8_t> bytes_;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool GetU8(uint8_t& value);
    bool GetU16(uint16_t& value);
    bool GetU32(uint32_t& value);
    bool GetI32(int32_t& value);
    bool GetU64(uint64_t& value);
    bool GetI64(int64_t& value);
    bool GetString(std::string& text);
    bool GetStrings(std::vector<std::string>& texts);

    bool Ok() const { return ok_; }
    bool AtEnd() const { return offset_ == bytes_.size(); }
    size_t Offset() const { return offset_; }
    size_t Remaining() const { return bytes_.size() - offset_; }

private:
    bool GetLittle(uint64_t& value, int size);
    bool Fail();

    std::span<const uint8_t> bytes_;
    size_t offset_ = 0;
    bool ok_ = true;
};

}  // namespace vantrel
