#include <gtest/gtest.h>

#include <limits>

#include "journal/journal_bytes.h"

namespace vantrel {
namespace {

TEST(JournalBytes, RoundTripLittleEndian) {
    ByteWriter writer;
    writer.PutU8(0xAB);
    writer.PutU16(0x1234);
    writer.PutU32(0xDEADBEEF);
    writer.PutI32(-5);
    writer.PutU64(0x0102030405060708ull);
    writer.PutI64(std::numeric_limits<int64_t>::min());
    writer.PutString("山田 ﾀﾛｳ");
    writer.PutStrings({"", "a", "エントリー"});
    const std::vector<uint8_t> bytes = writer.Bytes();
    EXPECT_EQ(bytes[1], 0x34);
    EXPECT_EQ(bytes[2], 0x12);

    ByteReader reader(bytes);
    uint8_t u8 = 0;
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    int32_t i32 = 0;
    uint64_t u64 = 0;
    int64_t i64 = 0;
    std::string text;
    std::vector<std::string> texts;
    EXPECT_TRUE(reader.GetU8(u8) && reader.GetU16(u16) && reader.GetU32(u32) &&
                reader.GetI32(i32) && reader.GetU64(u64) && reader.GetI64(i64) &&
                reader.GetString(text) && reader.GetStrings(texts));
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0xDEADBEEFu);
    EXPECT_EQ(i32, -5);
    EXPECT_EQ(u64, 0x0102030405060708ull);
    EXPECT_EQ(i64, std::numeric_limits<int64_t>::min());
    EXPECT_EQ(text, "山田 ﾀﾛｳ");
    EXPECT_EQ(texts, (std::vector<std::string>{"", "a", "エントリー"}));
    EXPECT_TRUE(reader.Ok());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(ByteWriter().Take().size(), 0u);
}

TEST(JournalBytes, ReaderNeverRunsPastTheEnd) {
    ByteWriter writer;
    writer.PutStrings({"abc", "defg"});
    const std::vector<uint8_t> whole = writer.Take();
    // Every cut of a string list fails and leaves the target as it was.
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        ByteReader reader(std::span(whole.data(), cut));
        std::vector<std::string> texts{"kept"};
        EXPECT_FALSE(reader.GetStrings(texts)) << cut;
        EXPECT_FALSE(reader.Ok());
        EXPECT_EQ(texts, std::vector<std::string>{"kept"});
        uint8_t b = 7;
        EXPECT_FALSE(reader.GetU8(b));  // a failed reader stays failed
        EXPECT_EQ(b, 7);
    }
    // Counts and lengths far beyond the bytes fail without allocating them.
    const std::vector<uint8_t> huge = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    std::vector<std::string> texts;
    std::string text;
    EXPECT_FALSE(ByteReader(huge).GetStrings(texts));
    EXPECT_FALSE(ByteReader(huge).GetString(text));
    uint64_t u64 = 0;
    ByteReader shortReader(std::span(huge.data(), 5));
    EXPECT_FALSE(shortReader.GetU64(u64));
    EXPECT_FALSE(shortReader.AtEnd());
}

}  // namespace
}  // namespace vantrel
