// A number setting in the settings file that holds no number ("Distance=zzz") reads as if the
// key were missing: every section's readers show its default and write the default back.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/window_settings.h"
#include "common/ini_file.h"
#include "common/setup_settings.h"
#include "reports/record_settings.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

// Every number key the program reads, by section.
const std::vector<std::pair<const char*, std::vector<const char*>>> kNumberKeys = {
    {"Setup",
     {"Resolution", "Delay", "StartPin", "FinishPin", "SplitPin1", "SplitPin2", "Invert",
      "TimeFormat", "TimeOut", "Logfile", "BaudRate", "ReadDelay", "BeepOn", "Distance"}},
    {"Window", {"Top", "Left", "Height", "Width", "MaskTime", "RaceMode", "PortSelect"}},
    {"SensorCount", {"Start", "Finish"}},
    {"Output", {"Mask"}},
    {"Drag", {"ProStart"}},
    {"RecordWindow", {"Top", "Left", "Height", "Width", "FontColor", "BGColor"}},
    {"DspFont", {"Size"}},
    {"PrnFont", {"Size"}},
    {"Printer", {"TopMargin", "BottomMargin", "LeftMargin", "RightMargin"}},
};

// A value that does not start with a number, after blanks and a sign.
std::string Garbage(std::mt19937& rng) {
    static const std::vector<std::string> heads = {
        "z", "zzz", "+x", "#", ".5", "\"'5'\"", "x12", "- 3", "\x82\x9a"};  // last: CP932 z
    static const std::string tail = "abc 123-+.#";
    std::string value = heads[rng() % heads.size()];
    for (size_t n = rng() % 4; n > 0; --n) {
        value += tail[rng() % tail.size()];
    }
    return value;
}

// What the readers show of a file, as the keys they would write back.
std::string WrittenBack(const std::filesystem::path& file, const std::filesystem::path& out) {
    const IniFile ini(file);
    IniFile written(out);
    SetupSettings::Load(ini).Save(written);
    MainWindowSettings::Load(ini).Save(written);
    const RecordWindowSettings record = ReadRecordWindowSettings(ini);
    WriteRecordWindowSettings(written, record.placement.top, record.placement.left,
                              record.fontColor, record.background, false);
    written.WriteInt("RecordWindow", "Height", record.placement.height);
    written.WriteInt("RecordWindow", "Width", record.placement.width);
    EXPECT_TRUE(written.Save());
    return test::ReadBytes(out);
}

TEST(SettingsGarbageTest, ANumberKeyWithoutANumberIsShownAndWrittenAsItsDefault) {
    test::TempDir dir;
    const std::string defaults = WrittenBack(dir / "none.ini", dir / "defaults.ini");
    ASSERT_NE(defaults.find("Distance=4\r\n"), std::string::npos);
    std::mt19937 rng(std::random_device{}());
    for (int round = 0; round < 50; ++round) {
        std::string file;
        std::string values;
        for (const auto& [section, keys] : kNumberKeys) {
            file += "[" + std::string(section) + "]\r\n";
            for (const char* key : keys) {
                const std::string value = Garbage(rng);
                file += std::string(key) + "=" + value + "\r\n";
                values += std::string(key) + "=" + value + " ";
            }
        }
        test::WriteBytes(dir / "garbage.ini", file);
        ASSERT_EQ(WrittenBack(dir / "garbage.ini", dir / "out.ini"), defaults) << values;
        std::filesystem::remove(dir / "out.ini");
    }
    // As the options dialog shows it: the distance box reads the default.
    test::WriteBytes(dir / "garbage.ini", "[Setup]\r\nDistance=zzz\r\nResolution=zzz\r\n");
    const SetupSettings setup = SetupSettings::Load(IniFile(dir / "garbage.ini"));
    EXPECT_EQ(setup.distanceText, "4");
    EXPECT_EQ(setup.distanceM, 4);
    EXPECT_EQ(setup.resolution, 3);
    // A number followed by anything is still that number.
    test::WriteBytes(dir / "garbage.ini",
                     "[Setup]\r\nDistance=12m\r\n[Printer]\r\nTopMargin=7x\r\n");
    const IniFile mixed(dir / "garbage.ini");
    EXPECT_EQ(SetupSettings::Load(mixed).distanceText, "12");
    EXPECT_EQ(MainWindowSettings::Load(mixed).topMargin, 7);
}

}  // namespace
}  // namespace vantrel
