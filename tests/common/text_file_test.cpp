#include "common/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/numbers.h"
#include "common/ui_text.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, AnyLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\nb"), (Lines{"a", "b"}));  // no final line end
    EXPECT_EQ(SplitLines("a\nb\r\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("\r\n"), Lines{""});
    EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("only"), Lines{"only"});
}

TEST(SplitLines, BinaryBytesStayInTheirLine) {
    const std::string text("x\0y\xFF\x81\r\n\0\0z", 10);
    const Lines lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string("x\0y\xFF\x81", 5));
    EXPECT_EQ(lines[1], std::string("\0\0z", 3));
}

TEST(Cp932Lines, EncodeEndsEveryLineWithCrLf) {
    EXPECT_EQ(EncodeCp932Lines({}), "");
    EXPECT_EQ(EncodeCp932Lines({""}), "\r\n");
    EXPECT_EQ(EncodeCp932Lines({"1,計測中,", "ﾐｽｺｰｽ"}),
              "1,\x8C\x76\x91\xAA\x92\x86,\r\n\xD0\xBD\xBA\xB0\xBD\r\n");
}

TEST(Cp932Lines, ReadAcceptsCrLfAndLfOnlyFiles) {
    test::TempDir dir;
    const auto crlf = dir / "crlf.txt";
    const auto lf = dir / "lf.txt";
    test::WriteBytes(crlf, "\x8C\x76\x91\xAA\x92\x86\r\n\xD0\xBD\xBA\xB0\xBD\r\nlast");
    test::WriteBytes(lf, "\x8C\x76\x91\xAA\x92\x86\n\xD0\xBD\xBA\xB0\xBD\nlast\n");
    const Lines expected = {"計測中", "ﾐｽｺｰｽ", "last"};
    for (const auto& path : {crlf, lf}) {
        Lines lines;
        ASSERT_TRUE(ReadCp932Lines(path, lines)) << path;
        EXPECT_EQ(lines, expected) << path;
    }
}

TEST(Cp932Lines, WriteThenReadGivesTheSameLines) {
    test::TempDir dir;
    const auto path = dir / "entry.csv";
    const Lines lines = {"ＭＳ ゴシック,ﾐｽｺｰｽ", "", "C:\\計測中\\", "end"};
    ASSERT_TRUE(WriteCp932Lines(path, lines));
    Lines back;
    ASSERT_TRUE(ReadCp932Lines(path, back));
    EXPECT_EQ(back, lines);
}

TEST(Cp932Lines, MissingFileFailsAndLeavesTheLines) {
    test::TempDir dir;
    Lines lines = {"kept"};
    const IoResult result = ReadCp932Lines(dir / "missing.txt", lines);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("missing.txt"), std::string::npos) << result.error;
    EXPECT_EQ(lines, Lines{"kept"});
}

TEST(Cp932Lines, InvalidBytesAreReadAloneAndNamedByFileAndLine) {
    test::TempDir dir;
    const auto path = dir / "heat.csv";
    // A stray lead byte right before a comma must not take the comma with it.
    test::WriteBytes(path, "1,A,X\r\n2,B\x81,Y\r\n3,C\xA0,Z\r\n");
    Lines lines;
    const IoResult result = ReadCp932Lines(path, lines);
    ASSERT_TRUE(result);
    EXPECT_EQ(lines, (Lines{"1,A,X", "2,B\xEF\xBF\xBD,Y", "3,C\xEF\xBF\xBD,Z"}));
    EXPECT_NE(result.warning.find("heat.csv の 2 行目"), std::string::npos) << result.warning;

    test::WriteBytes(path, "1,A,X\r\n");
    const IoResult clean = ReadCp932Lines(path, lines);
    EXPECT_TRUE(clean.warning.empty()) << clean.warning;
}

TEST(QuoteForMessage, CutsLongTextsAtACharacterBoundary) {
    EXPECT_EQ(QuoteForMessage("abc"), "abc");
    EXPECT_EQ(QuoteForMessage(std::string(kQuoteChars, 'x')), std::string(kQuoteChars, 'x'));
    EXPECT_EQ(QuoteForMessage(std::string(1000000, 'x')), std::string(kQuoteChars, 'x') + "…");
    std::string kanji;
    for (size_t i = 0; i < kQuoteChars + 5; ++i) {
        kanji += "計";
    }
    std::string expected;
    for (size_t i = 0; i < kQuoteChars; ++i) {
        expected += "計";
    }
    EXPECT_EQ(QuoteForMessage(kanji), expected + "…");
    EXPECT_EQ(FileLinePlace(std::filesystem::path("/tmp/day1/heat.csv"), 7), "heat.csv の 7 行目");
}

}  // namespace
// The messages about a file's content are shown in the chosen language: each is looked up as
// a whole, with the file, the line and the bad text put into the looked-up pattern.
TEST(Cp932Lines, MessagesAboutAFileAreLookedUpInTheChosenLanguage) {
    SetTextTranslator([](const UiText& text) {
        const std::string source = text.source;
        if (source == "%1 の %2 行目") {
            return std::string("%1, line %2");
        }
        if (source.starts_with("%1に文字として読めない")) {
            return std::string("%1 holds bytes that are not characters");
        }
        return source == "'%1' は数値ではありません" ? std::string("'%1' is not a number")
                                                     : std::string("?");
    });
    test::TempDir dir;
    test::WriteBytes(dir / "heat.csv", "1,A,X\r\n2,B\x81,Y\r\n");
    Lines lines;
    const std::string warning = ReadCp932Lines(dir / "heat.csv", lines).warning;
    const std::string place = FileLinePlace(std::filesystem::path("/tmp/%2 %1.csv"), 7);
    std::string error;
    try {
        StrToIntOrThrow("%2x");
    } catch (const ConversionError& e) {
        error = e.what();
    }
    SetTextTranslator(nullptr);
    EXPECT_EQ(warning, "heat.csv, line 2 holds bytes that are not characters");
    EXPECT_EQ(place, "%2 %1.csv, line 7");  // a name is never read as a pattern
    EXPECT_EQ(error, "'%2x' is not a number");
    EXPECT_EQ(FileLinePlace(std::filesystem::path("heat.csv"), 7), "heat.csv の 7 行目");
}

}  // namespace vantrel
