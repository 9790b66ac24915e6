// What the program writes to its settings file reads back as it was written, whatever the text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/ini_file.h"
#include "common/setup_settings.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// Random texts of blanks, quotes, signs of the file's own syntax and Japanese characters: saved
// and read again, each is whole, or at most lost the blanks around it; one that begins and ends
// with a quote keeps its quotes.
TEST(IniRoundTrip, EveryWrittenTextReadsBack) {
    static const std::vector<std::string> kPieces = {" ", "\t", "\"", "'", "a",  "5",
                                                     "=", ";",  "[",  "]", "あ", "ＭＳ"};
    std::mt19937 random(2718);
    test::TempDir dir;
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> values;
        IniFile ini(dir / "Vantrel.ini");
        for (int key = 0; key < 20; ++key) {
            std::string value;
            for (size_t n = random() % 8; n > 0; --n) {
                value += kPieces[random() % kPieces.size()];
            }
            ini.WriteString("Setup", "Key" + std::to_string(key), value);
            values.push_back(value);
        }
        ASSERT_TRUE(ini.Save());
        const IniFile again(dir / "Vantrel.ini");
        for (int key = 0; key < 20; ++key) {
            const std::string& written = values[static_cast<size_t>(key)];
            const std::string read = again.ReadString("Setup", "Key" + std::to_string(key), "-");
            EXPECT_TRUE(read == written || read == Trimmed(written)) << "[" << written << "]";
            const std::string core = Trimmed(written);
            if (core.size() >= 2 && (core.front() == '"' || core.front() == '\'') &&
                core.back() == core.front()) {
                EXPECT_EQ(read, written);
            }
        }
    }
}

// A distance stored in quotes is no number and means the default 4 m; saving the settings must
// not turn it into 5 m at the next start.
TEST(IniRoundTrip, QuotedSettingKeepsItsMeaningAcrossASave) {
    test::TempDir dir;
    test::WriteBytes(dir / "Vantrel.ini",
                     "[Setup]\r\nDistance=\"'5'\"\r\nCommPort=\" 'COM2' \"\r\n");
    IniFile ini(dir / "Vantrel.ini");
    const SetupSettings before = SetupSettings::Load(ini);
    EXPECT_EQ(before.distanceM, 4);
    EXPECT_EQ(before.distanceText, "4");
    before.Save(ini);
    ASSERT_TRUE(ini.Save());
    const SetupSettings after = SetupSettings::Load(IniFile(dir / "Vantrel.ini"));
    EXPECT_EQ(after.distanceM, 4);
    EXPECT_EQ(after.distanceText, "4");
    EXPECT_EQ(after.commPort, " 'COM2' ");
    const std::string bytes = test::ReadBytes(dir / "Vantrel.ini");
    EXPECT_NE(bytes.find("Distance=4\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("BaudRate= 9600\r\n"), std::string::npos);  // blanks stay as given
}

}  // namespace
}  // namespace vantrel
