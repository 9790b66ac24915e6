// The review-mark settings in the settings file and in the options dialog's boxes: the short-lap
// share and the plausible time window read with their defaults (garbage too), the seconds boxes
// read and shown, and every value carried through the dialog's controls unchanged.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "common/ini_file.h"
#include "common/setup_settings.h"
#include "dialogs/setup_form_values.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

TEST(ReviewLimitsSetting, GarbageAndOutOfRangeValuesReadAsTheDefaultOrTheLimit) {
    test::TempDir dir;
    const auto path = dir / "Vantrel.ini";
    const auto load = [&](const std::string& value) {
        test::WriteBytes(path, "[Setup]\r\nShortLapPercent=" + value + "\r\nPlausibleMinMs=" +
                                   value + "\r\nPlausibleMaxMs=" + value + "\r\n");
        return SetupSettings::Load(IniFile(path));
    };
    for (const auto& [value, percent, ms] :
         std::vector<std::tuple<std::string, int32_t, int32_t>>{{"45", 45, 45},
                                                                {"zzz", 60, 0},
                                                                {"", 60, 0},
                                                                {"-7", 0, 0},
                                                                {"250", 100, 250},
                                                                {"12x", 12, 12},
                                                                {"99999999999", 100, 3600000},
                                                                {"7200000", 100, 3600000}}) {
        const SetupSettings s = load(value);
        EXPECT_EQ(s.shortLapPercent, percent) << value;
        EXPECT_EQ(s.plausibleMinMs, ms) << value;
        EXPECT_EQ(s.plausibleMaxMs, ms) << value;
    }
    test::WriteBytes(path, "[Setup]\r\nDistance=4\r\n");
    const SetupSettings none = SetupSettings::Load(IniFile(path));
    EXPECT_EQ(none.shortLapPercent, 60);
    EXPECT_EQ(none.plausibleMinMs, 0);
    EXPECT_EQ(none.plausibleMaxMs, 0);
}

TEST(ReviewLimitsSetting, SecondsBoxesReadSecondsWithUpToThreeDecimals) {
    for (const auto& [typed, ms, shown] :
         std::vector<std::tuple<std::string, int32_t, std::string>>{
             {"12.5", 12500, "12.500"},
             {"12.500", 12500, "12.500"},
             {"12", 12000, "12.000"},
             {" 7.25 ", 7250, "7.250"},
             {".5", 500, "0.500"},
             {"12.", 12000, "12.000"},
             {"1.23456", 1234, "1.234"},
             {"0", 0, "0.000"},
             {"3600", 3600000, "3600.000"},
             {"3600.001", 3600000, "3600.000"},
             {"99999999999999999999", 3600000, "3600.000"},
             {"", 0, "0.000"},
             {".", 0, "0.000"},
             {"abc", 0, "0.000"},
             {"-3", 0, "0.000"},
             {"1e3", 0, "0.000"},
             {"1,5", 0, "0.000"},
             {"1.2.3", 0, "0.000"}}) {
        SetupFormValues values = FormValuesOf(SetupSettings{});
        values.plausibleMinText = typed;
        values.plausibleMaxText = typed;
        const SetupSettings s = SettingsOfForm(values);
        EXPECT_EQ(s.plausibleMinMs, ms) << typed;
        EXPECT_EQ(s.plausibleMaxMs, ms) << typed;
        EXPECT_EQ(values.plausibleMinText, shown) << typed;
        EXPECT_EQ(values.plausibleMaxText, shown) << typed;
    }
    std::mt19937 random(30);
    std::uniform_int_distribution<int32_t> anyMs(0, SetupSettings::kMaxPlausibleMs);
    for (int i = 0; i < 2000; ++i) {
        const int32_t ms = anyMs(random);
        ASSERT_EQ(SecondsBoxMs(SecondsBoxText(ms)), ms) << SecondsBoxText(ms);
    }
}

TEST(ReviewLimitsSetting, TheDialogsControlsCarryEveryValueAndRefuseAnInvertedWindow) {
    SetupSettings stored;
    stored.shortLapPercent = 0;
    stored.plausibleMinMs = 25500;
    stored.plausibleMaxMs = 90001;
    SetupFormValues values = FormValuesOf(stored);
    EXPECT_EQ(values.shortLapText, "0");
    EXPECT_EQ(values.plausibleMinText, "25.500");
    EXPECT_EQ(values.plausibleMaxText, "90.001");
    const SetupSettings back = SettingsOfForm(values);
    EXPECT_EQ(back.shortLapPercent, 0);
    EXPECT_EQ(back.plausibleMinMs, 25500);
    EXPECT_EQ(back.plausibleMaxMs, 90001);
    for (const auto& [typed, percent, shown] :
         std::vector<std::tuple<std::string, int32_t, std::string>>{
             {"45", 45, "45"}, {"150", 100, "100"}, {"x", 60, "60"}, {"-1", 0, "0"}}) {
        values.shortLapText = typed;
        EXPECT_EQ(SettingsOfForm(values).shortLapPercent, percent) << typed;
        EXPECT_EQ(values.shortLapText, shown) << typed;
    }
    for (const auto& [min, max, valid] :
         std::vector<std::tuple<int32_t, int32_t, bool>>{{0, 0, true},
                                                         {30000, 0, true},
                                                         {0, 30000, true},
                                                         {30000, 30000, true},
                                                         {30000, 90000, true},
                                                         {90000, 30000, false},
                                                         {30001, 30000, false}}) {
        SetupSettings s;
        s.plausibleMinMs = min;
        s.plausibleMaxMs = max;
        EXPECT_EQ(PlausibleWindowValid(s), valid) << min << " " << max;
    }
}

}  // namespace
}  // namespace vantrel
