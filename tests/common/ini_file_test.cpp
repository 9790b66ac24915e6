#include "common/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <string>

#include "support/temp_dir.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

TEST(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
    test::TempDir dir;
    const IniFile missing(dir / "Vantrel.ini");
    EXPECT_EQ(missing.ReadInt("Window", "Height", 450), 450);
    EXPECT_EQ(missing.ReadString("DspFont", "Name", "ＭＳ ゴシック"), "ＭＳ ゴシック");
    EXPECT_FALSE(missing.HasKey("Window", "Height"));

    test::WriteBytes(dir / "a.ini", "[Window]\r\nTop=12\r\n");
    const IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.ReadInt("Window", "Left", 0), 0);
    EXPECT_EQ(ini.ReadInt("Drag", "Top", 7), 7);  // key of another section
    EXPECT_EQ(ini.ReadString("Window", "Nothing", "x"), "x");
}

TEST(IniFile, SectionsAndKeysCompareWithoutCase) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.ini", "[setup]\r\nresolution=7\r\n[RECORDWINDOW]\r\nBGCOLOR=255\r\n");
    const IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.ReadInt("Setup", "Resolution", 3), 7);
    EXPECT_EQ(ini.ReadInt("SETUP", "RESOLUTION", 3), 7);
    EXPECT_EQ(ini.ReadInt("RecordWindow", "BGColor", 0), 255);
    EXPECT_TRUE(ini.HasKey("recordwindow", "bgcolor"));
}

TEST(IniFile, IntegerValues) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.ini",
                     "[S]\r\n"
                     "Plain=42\r\n"
                     "Word=abc\r\n"
                     "Mixed=12abc\r\n"
                     "Negative=-5\r\n"
                     "Blanks =  -30 \r\n"
                     "Empty=\r\n"
                     "OnlyBlanks=   \r\n"
                     "Speed= 9600\r\n"
                     "Quoted=\"15\"\r\n"
                     "Sign=-\r\n"
                     "Hex=0x10\r\n"
                     "Max=2147483647\r\n"
                     "Min=-2147483648\r\n");
    const IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.ReadInt("S", "Plain", 1), 42);
    EXPECT_EQ(ini.ReadInt("S", "Word", 1), 0);  // not a number reads 0, not the default
    EXPECT_EQ(ini.ReadInt("S", "Mixed", 1), 12);
    EXPECT_EQ(ini.ReadInt("S", "Negative", 1), -5);
    EXPECT_EQ(ini.ReadInt("S", "Blanks", 1), -30);
    EXPECT_EQ(ini.ReadInt("S", "Empty", 5000), 5000);  // an empty value gives the default
    EXPECT_EQ(ini.ReadInt("S", "OnlyBlanks", 3), 3);
    EXPECT_EQ(ini.ReadInt("S", "Speed", 1), 9600);
    EXPECT_EQ(ini.ReadInt("S", "Quoted", 1), 15);
    EXPECT_EQ(ini.ReadInt("S", "Sign", 1), 0);
    EXPECT_EQ(ini.ReadInt("S", "Hex", 1), 0);  // decimal only: reads the "0"
    EXPECT_EQ(ini.ReadInt("S", "Max", 1), INT32_MAX);
    EXPECT_EQ(ini.ReadInt("S", "Min", 1), INT32_MIN);
    // An empty string value is a value: the default is not used.
    EXPECT_EQ(ini.ReadString("S", "Empty", "dflt"), "");
    EXPECT_EQ(ini.ReadString("S", "Speed", ""), "9600");
}

TEST(IniFile, StringsAreCutTo255CharactersWithoutSplittingDoubleByteCharacters) {
    test::TempDir dir;
    std::string kanji;  // 200 double-byte characters = 400 bytes
    for (int i = 0; i < 200; ++i) {
        kanji += "計";
    }
    std::string oddKanji = "a" + kanji;  // 1 + 400 bytes
    std::string halfWidth;
    for (int i = 0; i < 300; ++i) {
        halfWidth += "ﾐ";  // one byte each in the file
    }
    IniFile ini(dir / "a.ini");
    ini.WriteString("InitialDir", "Ascii", std::string(300, 'x'));
    ini.WriteString("InitialDir", "Exact", std::string(255, 'y'));
    ini.WriteString("InitialDir", "Kanji", kanji);
    ini.WriteString("InitialDir", "OddKanji", oddKanji);
    ini.WriteString("InitialDir", "HalfWidth", halfWidth);
    ASSERT_TRUE(ini.Save());

    const IniFile back(dir / "a.ini");
    EXPECT_EQ(back.ReadString("InitialDir", "Ascii", ""), std::string(255, 'x'));
    EXPECT_EQ(back.ReadString("InitialDir", "Exact", ""), std::string(255, 'y'));
    // 254 bytes: the 128th character would need bytes 255 and 256.
    std::string kanji127;
    for (int i = 0; i < 127; ++i) {
        kanji127 += "計";
    }
    EXPECT_EQ(back.ReadString("InitialDir", "Kanji", ""), kanji127);
    EXPECT_EQ(back.ReadString("InitialDir", "OddKanji", ""), "a" + kanji127);
    EXPECT_EQ(back.ReadString("InitialDir", "HalfWidth", ""), halfWidth.substr(0, 255 * 3));
    // The cut applies to what is read, the file keeps the whole value.
    EXPECT_NE(test::ReadBytes(dir / "a.ini").find(std::string(300, 'x')), std::string::npos);
}

TEST(IniFile, WritesDecimalTextAndFlagsAndKeepsTheBlankOfASpeed) {
    test::TempDir dir;
    IniFile ini(dir / "a.ini");
    ini.WriteInt("Window", "Top", -8);
    ini.WriteInt("Window", "Height", 450);
    ini.WriteInt("RecordWindow", "FontColor", 65535);
    ini.WriteBool("Drag", "ProStart", true);
    ini.WriteBool("Setup", "Invert", false);
    ini.WriteString("Setup", "BaudRate", " 9600");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(test::ReadBytes(dir / "a.ini"),
              "[Window]\r\nTop=-8\r\nHeight=450\r\n"
              "[RecordWindow]\r\nFontColor=65535\r\n"
              "[Drag]\r\nProStart=1\r\n"
              "[Setup]\r\nInvert=0\r\nBaudRate= 9600\r\n");
    const IniFile back(dir / "a.ini");
    EXPECT_EQ(back.ReadInt("Window", "Top", 0), -8);
    EXPECT_EQ(back.ReadInt("Setup", "BaudRate", 0), 9600);
}

TEST(IniFile, GoldenBytesOfASmallFile) {
    test::TempDir dir;
    IniFile ini(dir / "Vantrel.ini");
    ini.WriteString("DspFont", "Name", "ＭＳ ゴシック");
    ini.WriteInt("DspFont", "Size", 9);
    ini.WriteString("InitialDir", "EntryList", "/home/計測中/ﾐｽｺｰｽ");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(test::ReadBytes(dir / "Vantrel.ini"),
              "[DspFont]\r\n"
              "Name=\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\r\n"
              "Size=9\r\n"
              "[InitialDir]\r\n"
              "EntryList=/home/\x8C\x76\x91\xAA\x92\x86/\xD0\xBD\xBA\xB0\xBD\r\n");
    const IniFile back(dir / "Vantrel.ini");
    EXPECT_EQ(back.ReadString("DspFont", "Name", ""), "ＭＳ ゴシック");
    EXPECT_EQ(back.ReadString("InitialDir", "EntryList", ""), "/home/計測中/ﾐｽｺｰｽ");
}

TEST(IniFile, RewritingKeepsUnknownContentAndOrder) {
    test::TempDir dir;
    const auto path = dir / "Vantrel.ini";
    test::WriteBytes(path,
                     "; kept comment\r\n"
                     "[Window]\r\n"
                     "top=10\r\n"
                     "Custom=keep me\r\n"
                     "\r\n"
                     "[Other]\r\n"
                     "Foo=\x8C\x76\r\n"
                     "junk line without equals\r\n"
                     "[setup]\n"  // an LF-only line in the middle
                     "Resolution=7\r\n");
    IniFile ini(path);
    ini.WriteInt("Window", "Top", 20);              // existing key, other case: changed in place
    ini.WriteInt("WINDOW", "Height", 450);          // new key: after the section's last key
    ini.WriteInt("Setup", "Delay", 100);            // new key at the end of the last section
    ini.WriteString("Printer", "TopMargin", "15");  // new section at the end
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(test::ReadBytes(path),
              "; kept comment\r\n"
              "[Window]\r\n"
              "top=20\r\n"
              "Custom=keep me\r\n"
              "Height=450\r\n"
              "\r\n"
              "[Other]\r\n"
              "Foo=\x8C\x76\r\n"
              "junk line without equals\r\n"
              "[setup]\r\n"
              "Resolution=7\r\n"
              "Delay=100\r\n"
              "[Printer]\r\n"
              "TopMargin=15\r\n");
    // Writing the same again changes nothing.
    IniFile again(path);
    again.WriteInt("Window", "Top", 20);
    again.WriteInt("Window", "Height", 450);
    ASSERT_TRUE(again.Save());
    EXPECT_EQ(IniFile(path).ReadInt("Window", "Height", 0), 450);
    EXPECT_EQ(IniFile(path).ReadString("Window", "Custom", ""), "keep me");
    EXPECT_EQ(IniFile(path).ReadString("Other", "Foo", ""), "計");
}

TEST(IniFile, BinaryGarbageLoadsWithDefaults) {
    test::TempDir dir;
    const auto path = dir / "Vantrel.ini";
    std::string garbage;
    uint32_t x = 0x2545F491u;
    for (int i = 0; i < 65536; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        garbage += static_cast<char>(x >> 24);
    }
    // A few lines that look almost right, with bad bytes in names and values.
    garbage += "\r\n[Set\xFFup]\r\nRes\x80olution=9\r\n[\x82\r\n=\r\n\x82=\x82\r\n[]\r\n";
    test::WriteBytes(path, garbage);
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInt("Setup", "Resolution", 3), 3);
    EXPECT_EQ(ini.ReadInt("Window", "Height", 450), 450);
    EXPECT_EQ(ini.ReadString("DspFont", "Name", "ＭＳ ゴシック"), "ＭＳ ゴシック");
    // Writing into it still works and reads back.
    ini.WriteInt("Setup", "Resolution", 4);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(IniFile(path).ReadInt("Setup", "Resolution", 3), 4);
}

TEST(IniFile, FailedSaveIsReportedAndLeavesTheOldFile) {
    test::TempDir dir;
    // A folder path that is a regular file: no user can write there.
    test::WriteBytes(dir / "notafolder", "x");
    IniFile blocked(dir / "notafolder" / "Vantrel.ini");
    blocked.WriteInt("Window", "Top", 1);
    const IoResult first = blocked.Save();
    EXPECT_FALSE(first);
    EXPECT_NE(first.error.find("Vantrel.ini"), std::string::npos) << first.error;

    // An old file that cannot be replaced because the write fails half-way.
    const auto path = dir / "Vantrel.ini";
    const std::string old = "[Window]\r\nTop=5\r\n";
    test::WriteBytes(path, old);
    IniFile ini(path);
    ini.WriteString("InitialDir", "EntryList", std::string(4000, 'd'));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit lower = saved;
    lower.rlim_cur = 16;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &lower) != 0) {
        std::signal(SIGXFSZ, handler);
        GTEST_SKIP() << "cannot lower the file-size limit here";
    }
    const IoResult result = ini.Save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(path.string()), std::string::npos) << result.error;
    EXPECT_EQ(test::ReadBytes(path), old);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 2);  // "notafolder" and "Vantrel.ini", no temporary file
}

}  // namespace
}  // namespace vantrel
