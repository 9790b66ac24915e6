#include <gtest/gtest.h>

#include "app/window_settings.h"
#include "common/ini_file.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

TEST(MainWindowSettings, DefaultsWithoutAFile) {
    test::TempDir dir;
    const MainWindowSettings s = MainWindowSettings::Load(IniFile(dir / "Vantrel.ini"));
    EXPECT_EQ(s.window.left, 0);
    EXPECT_EQ(s.window.top, 0);
    EXPECT_EQ(s.window.width, 636);
    EXPECT_EQ(s.window.height, 450);
    EXPECT_EQ(s.maskTime, 30);
    EXPECT_EQ(s.outputMask, 4);
    EXPECT_FALSE(s.proStart);
    EXPECT_EQ(s.displayFontName, "ＭＳ ゴシック");
    EXPECT_EQ(s.displayFontSize, 9);
    EXPECT_EQ(s.topMargin, 15);
    EXPECT_EQ(s.leftMargin, 20);
}

TEST(MainWindowSettings, BadValuesFallBackAndSaveRoundTrips) {
    test::TempDir dir;
    test::WriteBytes(dir / "Vantrel.ini",
                     "[window]\r\nTOP=abc\r\nLeft=-30\r\nMaskTime=500\r\n"
                     "[SensorCount]\r\nStart=42\r\nFinish=2\r\n"
                     "[DspFont]\r\nSize=0\r\n[PrnFont]\r\nName=IPAGothic\r\n");
    MainWindowSettings s = MainWindowSettings::Load(IniFile(dir / "Vantrel.ini"));
    EXPECT_EQ(s.window.top, 0);        // not a number: the default
    EXPECT_EQ(s.window.left, -30);     // read as stored; placing it is FitToScreens' work
    EXPECT_EQ(s.maskTime, 60);         // clamped to the spin control's range
    EXPECT_EQ(s.sensorCountStart, 0);  // no item 42: the default, not the last item
    EXPECT_EQ(s.sensorCountFinish, 2);
    EXPECT_EQ(s.displayFontSize, 9);
    EXPECT_EQ(s.printerFontName, "IPAGothic");
    EXPECT_EQ(s.printerFontSize, 9);  // no [PrnFont] Size: the display size

    s.window = {10, 20, 800, 600};
    s.proStart = true;
    s.printerFontSize = 11;
    IniFile ini(dir / "Vantrel.ini");
    s.Save(ini);
    ASSERT_TRUE(ini.Save());
    const MainWindowSettings back = MainWindowSettings::Load(IniFile(dir / "Vantrel.ini"));
    EXPECT_EQ(back.window.left, 10);
    EXPECT_EQ(back.window.top, 20);
    EXPECT_EQ(back.window.width, 800);
    EXPECT_EQ(back.window.height, 600);
    EXPECT_TRUE(back.proStart);
    EXPECT_EQ(back.printerFontSize, 11);
    EXPECT_EQ(back.displayFontSize, 9);
    // The file keeps its own spelling of an existing section and key.
    EXPECT_NE(test::ReadBytes(dir / "Vantrel.ini").find("[window]\r\nTOP=20\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace vantrel
