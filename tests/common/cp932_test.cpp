#include "common/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

TEST(Cp932, JapaneseTextsRoundTrip) {
    struct Case {
        std::string utf8;
        std::string cp932;
    };
    const Case cases[] = {
        {"ＭＳ ゴシック", "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E"},
        {"ﾐｽｺｰｽ", "\xD0\xBD\xBA\xB0\xBD"},  // half-width katakana: one byte each
        {"計測中", "\x8C\x76\x91\xAA\x92\x86"},
        {"開始(&S)", "\x8A\x4A\x8E\x6E(&S)"},
        // 0x5C as the second byte of a double-byte character is part of it.
        {"ソ表\\", "\x83\x5C\x95\x5C\x5C"},
        {"", ""},
        {"Car,Name,Model", "Car,Name,Model"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
}

TEST(Cp932, BackslashAndTildeStayAscii) {
    // 0x5C is the backslash, not the yen sign; 0x7E is the tilde, not the overline.
    EXPECT_EQ(Cp932ToUtf8("C:\\Timing\\~a"), "C:\\Timing\\~a");
    EXPECT_EQ(Utf8ToCp932("C:\\Timing\\~a"), "C:\\Timing\\~a");
}

TEST(Cp932, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(Cp932ToUtf8("a\x80"
                          "b"),
              "a" + kReplacement + "b");
    EXPECT_EQ(Cp932ToUtf8("\xA0\xFD\xFF"), kReplacement + kReplacement + kReplacement);
    // A lead byte followed by a byte that cannot be its second byte: only the lead byte is
    // lost, the blank after it survives.
    EXPECT_EQ(Cp932ToUtf8("\x81\x20x"), kReplacement + " x");
    // A lead byte cut off at the end of the text.
    EXPECT_EQ(Cp932ToUtf8("ab\x82"), "ab" + kReplacement);
    EXPECT_EQ(Cp932ToUtf8("\x82"), kReplacement);
    // Text after a bad byte in a long run still converts (past the internal buffer).
    const std::string longRun = std::string(5000, 'x') + "\x80" + "\x8C\x76";
    EXPECT_EQ(Cp932ToUtf8(longRun), std::string(5000, 'x') + kReplacement + "計");
}

TEST(Cp932, CharactersWithoutCp932FormBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp932("a한b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("\xF0\x9F\x98\x80"
                          "!"),
              "?!");  // an emoji: one "?" for it
    EXPECT_EQ(Utf8ToCp932("😀😀"), "??");
    // Invalid UTF-8: a stray byte, a cut-off sequence at the end.
    EXPECT_EQ(Utf8ToCp932("a\xFF"
                          "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp932("a\x80"
                          "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp932("ab\xE8\xA8"), "ab?");
    // A lead byte whose sequence is broken by plain characters loses only itself: the
    // characters after it are kept.
    EXPECT_EQ(Utf8ToCp932("\xE8"
                          "AB計"),
              "?AB\x8C\x76");
    EXPECT_EQ(Utf8ToCp932("\xF0\x9F"
                          "xyz"),
              "?xyz");
    EXPECT_EQ(Utf8ToCp932("\xC3"
                          "9600"),
              "?9600");
}

TEST(Cp932, AllByteValuesConvertWithoutCrash) {
    std::string all;
    for (int i = 0; i < 256; ++i) {
        for (int j = 0; j < 256; j += 7) {
            all += static_cast<char>(i);
            all += static_cast<char>(j);
        }
    }
    const std::string utf8 = Cp932ToUtf8(all);
    // Every character that came out has a CP932 form, so converting back and forth again
    // gives the same text, with "?" where the bad bytes were.
    std::string expected = utf8;
    for (size_t at = expected.find(kReplacement); at != std::string::npos;
         at = expected.find(kReplacement, at + 1)) {
        expected.replace(at, kReplacement.size(), "?");
    }
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(utf8)), expected);
}

TEST(Cp932, ABadLeadByteIsReadAloneAndReported) {
    bool invalid = false;
    EXPECT_EQ(Cp932ToUtf8("a\x81,b", invalid), "a" + kReplacement + ",b");
    EXPECT_TRUE(invalid);
    EXPECT_EQ(Cp932ToUtf8("\x9F,\xFC,", invalid), kReplacement + "," + kReplacement + ",");
    EXPECT_TRUE(invalid);
    EXPECT_EQ(Cp932ToUtf8("\x81\x43", invalid), "，");
    EXPECT_FALSE(invalid);
    EXPECT_FALSE(FirstCharWithoutCp932Form("計測，ﾐｽｺｰｽ"));
    EXPECT_EQ(FirstCharWithoutCp932Form("a한b"), std::optional<std::string>("한"));
}

}  // namespace
}  // namespace vantrel
