#include "common/setup_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace vantrel {
namespace {

SetupSettings LoadFrom(const test::TempDir& dir, const std::string& setupLines) {
    test::WriteBytes(dir / "Vantrel.ini", "[Setup]\r\n" + setupLines);
    return SetupSettings::Load(IniFile(dir / "Vantrel.ini"));
}

TEST(SetupSettings, DefaultsWithoutAFile) {
    test::TempDir dir;
    const SetupSettings s = SetupSettings::Load(IniFile(dir / "Vantrel.ini"));
    EXPECT_EQ(s.ioAddressText, "0x378");
    EXPECT_EQ(s.port, PortChoice::kLpt378);
    EXPECT_EQ(s.ioAddress, 0x378);
    EXPECT_EQ(s.resolution, 3);
    EXPECT_EQ(s.delay, 5000);
    EXPECT_EQ(s.startPin, 3);
    EXPECT_EQ(PinMask(s.startPin), 0x10);  // pin 13
    EXPECT_EQ(s.finishPin, 0);
    EXPECT_EQ(PinMask(s.finishPin), 0x40);  // pin 10
    EXPECT_EQ(s.splitPin1, kPinNotConnected);
    EXPECT_EQ(s.splitPin2, kPinNotConnected);
    EXPECT_EQ(PinMask(s.splitPin1), 0);
    EXPECT_FALSE(s.Split1Connected());
    EXPECT_FALSE(s.Split2Connected());
    EXPECT_FALSE(s.invert);
    EXPECT_EQ(s.timeFormat, TimeFormat::kMinutesSeconds);
    EXPECT_EQ(s.timeOut, 65);
    EXPECT_FALSE(s.TimeOutEnabled());
    EXPECT_FALSE(s.logfile);
    EXPECT_EQ(s.commPort, "COM1");
    EXPECT_EQ(s.baudRate, 9600);
    EXPECT_EQ(s.readDelay, 3);
    EXPECT_FALSE(s.beepOn);
    EXPECT_EQ(s.distanceM, 4);
}

TEST(SetupSettings, PinMaskTable) {
    EXPECT_EQ(PinMask(0), 0x40);
    EXPECT_EQ(PinMask(1), 0x80);
    EXPECT_EQ(PinMask(2), 0x20);
    EXPECT_EQ(PinMask(3), 0x10);
    EXPECT_EQ(PinMask(4), 0x08);
    EXPECT_EQ(PinMask(5), 0x00);
    EXPECT_EQ(PinMask(-1), 0x00);
    EXPECT_EQ(PinMask(6), 0x00);
}

TEST(SetupSettings, IoAddressTexts) {
    test::TempDir dir;
    struct Case {
        const char* text;
        PortChoice port;
        int32_t address;
        const char* shown;
    };
    const Case cases[] = {
        {"0x378", PortChoice::kLpt378, 0x378, "0x378"},
        {"0x3BC", PortChoice::kLpt3BC, 0x3BC, "0x3BC"},
        {"0x278", PortChoice::kLpt278, 0x278, "0x278"},
        {"None", PortChoice::kNone, 0, "None"},
        {"USB", PortChoice::kUsb, 0, "USB"},
        {"0x2F8", PortChoice::kNone, 0, "None"},
        {"0x3bc", PortChoice::kNone, 0, "None"},  // the choices match exactly
        {"usb", PortChoice::kNone, 0, "None"},
        {"", PortChoice::kNone, 0, "None"},
        {"\x82", PortChoice::kNone, 0, "None"},
    };
    for (const auto& c : cases) {
        const SetupSettings s = LoadFrom(dir, std::string("IoAddress=") + c.text + "\r\n");
        EXPECT_EQ(s.port, c.port) << c.text;
        EXPECT_EQ(s.ioAddress, c.address) << c.text;
        EXPECT_EQ(s.ioAddressText, c.shown) << c.text;
    }
}

TEST(SetupSettings, BaudRates) {
    test::TempDir dir;
    const std::pair<const char*, int32_t> cases[] = {
        {"2400", 2400},  {" 4800", 4800}, {"19200", 19200}, {"38400", 38400},
        {" 9600", 9600}, {"1200", 9600},  {"115200", 9600}, {"fast", 9600},
    };
    for (const auto& [text, speed] : cases) {
        const SetupSettings s = LoadFrom(dir, std::string("BaudRate=") + text + "\r\n");
        EXPECT_EQ(s.baudRate, speed) << text;
    }
    SetupSettings s;
    s.baudRate = 2400;
    EXPECT_EQ(s.BaudRateText(), " 2400");
    s.baudRate = 4800;
    EXPECT_EQ(s.BaudRateText(), " 4800");
    s.baudRate = 19200;
    EXPECT_EQ(s.BaudRateText(), "19200");
    s.baudRate = 38400;
    EXPECT_EQ(s.BaudRateText(), "38400");
    s.baudRate = 1200;
    EXPECT_EQ(s.BaudRateText(), " 9600");
}

// Numbers clamp as their spin boxes do; a list choice that is no item of its list is no
// choice: the default, never the nearest item (all four inputs on one pin gave phantom starts).
TEST(SetupSettings, ValuesOutOfRangeAreClampedOrFallBack) {
    test::TempDir dir;
    SetupSettings s = LoadFrom(dir,
                               "Resolution=50\r\nDelay=20\r\nReadDelay=11\r\nTimeOut=61\r\n"
                               "StartPin=9\r\nFinishPin=-2\r\nSplitPin1=7\r\nDistance=80\r\n");
    EXPECT_EQ(s.resolution, 20);
    EXPECT_EQ(s.delay, 100);
    EXPECT_EQ(s.readDelay, 10);
    EXPECT_EQ(s.timeOut, 61);  // in range: "Never"
    EXPECT_FALSE(s.TimeOutEnabled());
    EXPECT_EQ(s.startPin, 3);
    EXPECT_EQ(s.finishPin, 0);
    EXPECT_EQ(s.splitPin1, kPinNotConnected);
    EXPECT_EQ(s.distanceM, 50);

    s = LoadFrom(dir,
                 "StartPin=-1\r\nFinishPin=-1\r\nSplitPin1=-1\r\nSplitPin2=-7\r\n"
                 "TimeFormat=-3\r\n");
    EXPECT_EQ(PinMask(s.startPin), 0x10);   // pin 13
    EXPECT_EQ(PinMask(s.finishPin), 0x40);  // pin 10
    EXPECT_FALSE(s.Split1Connected());
    EXPECT_FALSE(s.Split2Connected());
    EXPECT_EQ(s.timeFormat, TimeFormat::kMinutesSeconds);
    EXPECT_EQ(LoadFrom(dir, "TimeFormat=7\r\n").timeFormat, TimeFormat::kMinutesSeconds);

    s = LoadFrom(dir, "Resolution=0\r\nDelay=99999\r\nTimeOut=0\r\nReadDelay=-1\r\n");
    EXPECT_EQ(s.resolution, 1);
    EXPECT_EQ(s.delay, 10000);
    EXPECT_EQ(s.timeOut, 1);
    EXPECT_TRUE(s.TimeOutEnabled());
    EXPECT_EQ(s.readDelay, 0);

    s = LoadFrom(dir, "TimeOut=60\r\nSplitPin2=2\r\n");
    EXPECT_EQ(s.timeOut, 60);
    EXPECT_TRUE(s.TimeOutEnabled());
    EXPECT_TRUE(s.Split2Connected());
}

TEST(SetupSettings, ValuesThatAreNoNumbers) {
    test::TempDir dir;
    // A value that is no number, like an empty one, keeps the key's default.
    const SetupSettings s = LoadFrom(dir,
                                     "Resolution=abc\r\nDelay=\r\nStartPin=x\r\nTimeOut=zz\r\n"
                                     "Invert=yes\r\nTimeFormat=1\r\nLogfile=1\r\nBeepOn=2\r\n"
                                     "Distance=12m\r\nCommPort=/dev/ttyUSB0\r\n");
    EXPECT_EQ(s.resolution, 3);
    EXPECT_EQ(s.delay, 5000);
    EXPECT_EQ(s.startPin, 3);
    EXPECT_EQ(s.timeOut, 65);
    EXPECT_FALSE(s.invert);
    EXPECT_EQ(s.timeFormat, TimeFormat::kMilliseconds);
    EXPECT_TRUE(s.logfile);
    EXPECT_TRUE(s.beepOn);
    EXPECT_EQ(s.distanceM, 12);
    EXPECT_EQ(s.commPort, "/dev/ttyUSB0");
}

TEST(SetupSettings, GarbageFileGivesTheDefaults) {
    test::TempDir dir;
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) & 0xFF);
    }
    test::WriteBytes(dir / "Vantrel.ini", garbage);
    const SetupSettings s = SetupSettings::Load(IniFile(dir / "Vantrel.ini"));
    const SetupSettings defaults;
    EXPECT_EQ(s.ioAddress, defaults.ioAddress);
    EXPECT_EQ(s.resolution, defaults.resolution);
    EXPECT_EQ(s.delay, defaults.delay);
    EXPECT_EQ(s.startPin, defaults.startPin);
    EXPECT_EQ(s.timeOut, defaults.timeOut);
    EXPECT_EQ(s.commPort, defaults.commPort);
    EXPECT_EQ(s.baudRate, defaults.baudRate);
}

TEST(SetupSettings, SaveWritesAllSixteenKeys) {
    test::TempDir dir;
    const auto path = dir / "Vantrel.ini";
    test::WriteBytes(path,
                     "[Window]\r\nTop=0\r\n"
                     "[Setup]\r\nIoAddress=None\r\nBaudRate=1200\r\nTimeOut=61\r\n");
    IniFile ini(path);
    SetupSettings::Load(ini).Save(ini);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(test::ReadBytes(path),
              "[Window]\r\nTop=0\r\n"
              "[Setup]\r\n"
              "IoAddress=None\r\n"
              "BaudRate= 9600\r\n"
              "TimeOut=61\r\n"
              "Resolution=3\r\n"
              "Delay=5000\r\n"
              "StartPin=3\r\n"
              "FinishPin=0\r\n"
              "SplitPin1=5\r\n"
              "SplitPin2=5\r\n"
              "Invert=0\r\n"
              "TimeFormat=0\r\n"
              "Logfile=0\r\n"
              "CommPort=COM1\r\n"
              "ReadDelay=3\r\n"
              "BeepOn=0\r\n"
              "Distance=4\r\n");
}

TEST(SetupSettings, SaveThenLoadKeepsEveryValue) {
    test::TempDir dir;
    const auto path = dir / "Vantrel.ini";
    SetupSettings s;
    s.SetIoAddressText("USB");
    s.resolution = 7;
    s.delay = 2500;
    s.startPin = 1;
    s.finishPin = 4;
    s.splitPin1 = 2;
    s.splitPin2 = 0;
    s.invert = true;
    s.timeFormat = TimeFormat::kMilliseconds;
    s.timeOut = 12;
    s.logfile = true;
    s.commPort = "None";
    s.baudRate = 38400;
    s.readDelay = 0;
    s.beepOn = true;
    s.distanceText = "20";
    s.distanceM = 20;
    {
        IniFile ini(path);
        s.Save(ini);
        ASSERT_TRUE(ini.Save());
    }
    const std::string bytes = test::ReadBytes(path);
    EXPECT_NE(bytes.find("\r\nIoAddress=USB\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nInvert=1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nBaudRate=38400\r\n"), std::string::npos);
    const SetupSettings b = SetupSettings::Load(IniFile(path));
    EXPECT_EQ(b.port, PortChoice::kUsb);
    EXPECT_EQ(b.ioAddress, 0);
    EXPECT_EQ(b.resolution, 7);
    EXPECT_EQ(b.delay, 2500);
    EXPECT_EQ(b.startPin, 1);
    EXPECT_EQ(b.finishPin, 4);
    EXPECT_EQ(b.splitPin1, 2);
    EXPECT_EQ(b.splitPin2, 0);
    EXPECT_TRUE(b.invert);
    EXPECT_EQ(b.timeFormat, TimeFormat::kMilliseconds);
    EXPECT_EQ(b.timeOut, 12);
    EXPECT_TRUE(b.logfile);
    EXPECT_EQ(b.commPort, "None");
    EXPECT_EQ(b.baudRate, 38400);
    EXPECT_EQ(b.readDelay, 0);
    EXPECT_TRUE(b.beepOn);
    EXPECT_EQ(b.distanceM, 20);
}

}  // namespace
}  // namespace vantrel
