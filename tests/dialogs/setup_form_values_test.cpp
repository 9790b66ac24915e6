#include "dialogs/setup_form_values.h"

#include <gtest/gtest.h>

#include "common/ini_file.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

TEST(SetupFormValues, StoredSettingsAreShownAsTheirTexts) {
    SetupSettings s;
    s.SetIoAddressText("0x3BC");
    s.resolution = 7;
    s.delay = 1500;
    s.readDelay = 0;
    s.baudRate = 2400;
    s.commPort = "/dev/ttyUSB0";
    s.distanceText = "abc";
    s.timeFormat = TimeFormat::kMilliseconds;
    const SetupFormValues v = FormValuesOf(s);
    EXPECT_EQ(v.portText, "0x3BC");
    EXPECT_EQ(v.resolutionText, "7");
    EXPECT_EQ(v.delayText, "1500");
    EXPECT_EQ(v.readDelayText, "0");
    EXPECT_EQ(v.baudRateText, " 2400");
    EXPECT_EQ(v.commPort, "/dev/ttyUSB0");
    EXPECT_EQ(v.distanceText, "abc");
    EXPECT_EQ(v.timeFormat, 1);
}

TEST(SetupFormValues, BoxesThatHoldNoNumberFallBackAndAreRewritten) {
    SetupFormValues v = FormValuesOf(SetupSettings{});
    v.resolutionText = "fast";
    v.delayText = "";
    v.readDelayText = "3s";
    v.distanceText = "zwanzig";
    const SetupSettings s = SettingsOfForm(v);
    EXPECT_EQ(s.resolution, 5);
    EXPECT_EQ(v.resolutionText, "5");
    EXPECT_EQ(s.delay, 5000);
    EXPECT_EQ(v.delayText, "5000");
    EXPECT_EQ(s.readDelay, 3);
    EXPECT_EQ(v.readDelayText, "3");
    EXPECT_EQ(s.distanceM, 4);
    EXPECT_EQ(s.distanceText, "zwanzig");
    EXPECT_EQ(v.distanceText, "zwanzig");
}

TEST(SetupFormValues, TypedNumbersAreKeptWithinTheSpinRanges) {
    SetupFormValues v = FormValuesOf(SetupSettings{});
    v.resolutionText = "50";
    v.delayText = "7";
    v.readDelayText = " 8";
    v.distanceText = "80";
    const SetupSettings s = SettingsOfForm(v);
    EXPECT_EQ(s.resolution, 20);
    EXPECT_EQ(v.resolutionText, "20");
    EXPECT_EQ(s.delay, 100);
    EXPECT_EQ(s.readDelay, 8);
    EXPECT_EQ(v.readDelayText, "8");
    EXPECT_EQ(s.distanceM, 50);
    EXPECT_EQ(s.distanceText, "80");  // stored as typed; read back as 50
}

TEST(SetupFormValues, TextsOfTheListsBecomeTheSettings) {
    SetupFormValues v = FormValuesOf(SetupSettings{});
    v.portText = "USB";
    v.commPort = "COM4";
    v.baudRateText = "38400";
    v.startPin = 1;
    v.finishPin = 4;
    v.splitPin1 = 2;
    v.splitPin2 = 5;
    v.timeOut = 61;
    v.invert = true;
    v.logfile = true;
    v.beepOn = true;
    const SetupSettings s = SettingsOfForm(v);
    EXPECT_EQ(s.port, PortChoice::kUsb);
    EXPECT_EQ(s.ioAddress, 0);
    EXPECT_EQ(s.ioAddressText, "USB");
    EXPECT_EQ(s.commPort, "COM4");
    EXPECT_EQ(s.baudRate, 38400);
    EXPECT_EQ(s.BaudRateText(), "38400");
    EXPECT_EQ(PinMask(s.startPin), 0x80);
    EXPECT_EQ(PinMask(s.finishPin), 0x08);
    EXPECT_TRUE(s.Split1Connected());
    EXPECT_FALSE(s.Split2Connected());
    EXPECT_EQ(s.timeOut, 61);
    EXPECT_FALSE(s.TimeOutEnabled());
    EXPECT_TRUE(s.invert);
    EXPECT_TRUE(s.logfile);
    EXPECT_TRUE(s.beepOn);
}

TEST(SetupFormValues, TheLanguageGoesThroughTheFormAndTheFileUnchanged) {
    test::TempDir dir;
    for (UiLanguage language : {UiLanguage::kEnglish, UiLanguage::kSystem, UiLanguage::kJapanese}) {
        SetupSettings stored;
        stored.language = language;
        SetupFormValues v = FormValuesOf(stored);
        EXPECT_EQ(v.language, language);
        const SetupSettings edited = SettingsOfForm(v);
        EXPECT_EQ(edited.language, language);
        IniFile ini(dir / "Vantrel.ini");
        edited.Save(ini);
        ASSERT_TRUE(ini.Save());
        EXPECT_EQ(SetupSettings::Load(IniFile(dir / "Vantrel.ini")).language, language);
    }
}

TEST(SetupFormValues, SpeedTexts) {
    EXPECT_EQ(BaudRateOfText(" 2400"), 2400);
    EXPECT_EQ(BaudRateOfText(" 4800"), 4800);
    EXPECT_EQ(BaudRateOfText(" 9600"), 9600);
    EXPECT_EQ(BaudRateOfText("19200"), 19200);
    EXPECT_EQ(BaudRateOfText("1200"), 9600);
    EXPECT_EQ(BaudRateOfText(""), 9600);
}

TEST(SetupFormValues, SpinBoxNumbers) {
    EXPECT_EQ(SpinBoxNumber("12", kResolutionRange), 12);
    EXPECT_EQ(SpinBoxNumber("0", kResolutionRange), 1);
    EXPECT_EQ(SpinBoxNumber("-3", kReadDelayRange), 0);
    EXPECT_EQ(SpinBoxNumber("1e3", kDelayRange), 5000);
}

TEST(DistanceOfText, LeadingNumberOrTheDefault) {
    EXPECT_EQ(DistanceOfText("20"), 20);
    EXPECT_EQ(DistanceOfText(" 7"), 7);
    EXPECT_EQ(DistanceOfText("12m"), 12);  // as the settings file reads it
    EXPECT_EQ(DistanceOfText("0"), 0);
    EXPECT_EQ(DistanceOfText("80"), 50);
    EXPECT_EQ(DistanceOfText("99999999999999"), 50);
    EXPECT_EQ(DistanceOfText("-5"), 0);
    EXPECT_EQ(DistanceOfText("abc"), 4);
    EXPECT_EQ(DistanceOfText("m12"), 4);
    EXPECT_EQ(DistanceOfText(""), 4);
    EXPECT_EQ(DistanceOfText("-"), 4);
}

TEST(DistanceOfText, AStoredTextWithoutNumberIsShownAsTheDefaultFour) {
    test::TempDir dir;
    test::WriteBytes(dir / "Vantrel.ini", "[Setup]\r\nDistance=abc\r\n");
    SetupSettings s = SetupSettings::Load(IniFile(dir / "Vantrel.ini"));
    EXPECT_EQ(s.distanceM, 4);
    EXPECT_EQ(s.distanceText, "4");
    test::WriteBytes(dir / "Vantrel.ini", "[Setup]\r\nDistance= 12m\r\n");
    s = SetupSettings::Load(IniFile(dir / "Vantrel.ini"));
    EXPECT_EQ(s.distanceM, 12);
    EXPECT_EQ(s.distanceText, "12");
    test::WriteBytes(dir / "Vantrel.ini", "[Setup]\r\nDistance=\r\n");
    s = SetupSettings::Load(IniFile(dir / "Vantrel.ini"));
    EXPECT_EQ(s.distanceM, 4);
    EXPECT_EQ(s.distanceText, "4");
}

}  // namespace
}  // namespace vantrel
