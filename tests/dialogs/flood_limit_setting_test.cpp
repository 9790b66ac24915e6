// The receiver flood limit in the settings file and in the options dialog's box: its default,
// garbage read as the default, its range, and a file without the key left without it.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/ini_file.h"
#include "common/setup_settings.h"
#include "dialogs/setup_form_values.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

TEST(FloodLimitSetting, ReadWithItsDefaultAndRangeAndWrittenOnlyWhenNeeded) {
    test::TempDir dir;
    const auto path = dir / "Vantrel.ini";
    const auto loaded = [&](const std::string& value) {
        test::WriteBytes(path, "[Setup]\r\nFloodCars=" + value + "\r\n");
        return SetupSettings::Load(IniFile(path)).floodCars;
    };
    for (const auto& [value, expected] : std::vector<std::pair<std::string, int32_t>>{
             {"3", 3}, {"12x", 12}, {"zzz", 8}, {"", 8}, {"0", 1}, {"-4", 1}, {"500", 199}}) {
        EXPECT_EQ(loaded(value), expected) << value;
    }
    test::WriteBytes(path, "[Setup]\r\nDistance=4\r\n");
    SetupSettings settings = SetupSettings::Load(IniFile(path));
    EXPECT_EQ(settings.floodCars, 8);
    {
        IniFile ini(path);
        settings.Save(ini);
        ASSERT_TRUE(ini.Save());
    }
    EXPECT_EQ(test::ReadBytes(path).find("FloodCars"), std::string::npos);
    settings.floodCars = 12;
    {
        IniFile ini(path);
        settings.Save(ini);
        ASSERT_TRUE(ini.Save());
    }
    EXPECT_EQ(SetupSettings::Load(IniFile(path)).floodCars, 12);
    // Back to the default: the key in the file must say so.
    settings.floodCars = 8;
    {
        IniFile ini(path);
        settings.Save(ini);
        ASSERT_TRUE(ini.Save());
    }
    EXPECT_NE(test::ReadBytes(path).find("FloodCars=8\r\n"), std::string::npos);
}

TEST(FloodLimitSetting, TheOptionsBoxShowsItAndReadsWhatIsTyped) {
    SetupSettings settings;
    settings.floodCars = 15;
    SetupFormValues values = FormValuesOf(settings);
    EXPECT_EQ(values.floodCarsText, "15");
    for (const auto& [typed, number, shown] :
         std::vector<std::tuple<std::string, int32_t, std::string>>{
             {"20", 20, "20"}, {"abc", 8, "8"}, {"250", 199, "199"}, {"0", 1, "1"}}) {
        values.floodCarsText = typed;
        EXPECT_EQ(SettingsOfForm(values).floodCars, number) << typed;
        EXPECT_EQ(values.floodCarsText, shown) << typed;
    }
}

}  // namespace
}  // namespace vantrel
