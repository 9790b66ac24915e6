// Sensor log lines and the saved file.

#include "sensors/sensor_log.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vantrel {
namespace {

std::tm Tuesday() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_wday = 2;
    t.tm_hour = 9;
    t.tm_min = 5;
    return t;
}

TEST(SensorLogTest, StartupDateFormat) {
    EXPECT_EQ(FormatStartupDate(Tuesday(), "火曜日"), "2026/12/08 火曜日 09:05");
}

TEST(SensorLogTest, WeekdayNameInTheCLocale) {
    EXPECT_EQ(LocaleWeekdayName(Tuesday()), "Tuesday");  // tests run in the "C" locale
}

TEST(SensorLogTest, LineFormats) {
    SensorLog log;
    log.AddStartedUp(1000, Tuesday());
    log.AddSessionStart(2000);
    log.AddModeChange(2500, RaceMode::kDrag);
    log.AddStartPass(3001);
    log.AddFinishPass(4002);
    log.AddPassing(4500, 12);
    log.AddDragStart(5000);
    log.AddDragStop(5100);
    log.AddSessionStop(6000);
    log.AddExit(0xFFFFFFFFu);  // the counter shown as a signed number
    const std::vector<std::string> expected = {
        "1000,Vantrel.exe has started up at 2026/12/08 Tuesday 09:05",
        "2000,Session start",
        "2500,Mode change to DRAG",
        "3001,S",
        "4002,G",
        "4500,12",
        "5000,Drag start",
        "5100,Drag stop",
        "6000,Session stop",
        "-1,Exit Vantrel.exe",
    };
    EXPECT_EQ(log.Lines(), expected);
}

TEST(SensorLogTest, PassLinesOnlyForStartAndFinishEdges) {
    SensorLog log;
    SensorEvent e;
    e.kind = SensorEventKind::kActiveEdge;
    e.tick = 0x80000000u;
    e.input = SensorInput::kSplit1;
    EXPECT_FALSE(log.AddPassLine(e));
    e.input = SensorInput::kStart;
    EXPECT_TRUE(log.AddPassLine(e));
    e.kind = SensorEventKind::kLampOn;
    EXPECT_FALSE(log.AddPassLine(e));
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0], "-2147483648,S");
}

TEST(SensorLogTest, SaveWritesCp932WithCrLfAndReplacesTheFile) {
    test::TempDir dir;
    test::WriteBytes(dir / kSensorLogFileName, "old contents that are longer\r\n");
    SensorLog log;
    log.AddStartedUp(7, Tuesday());
    log.AddLine(8, "日本語");
    ASSERT_TRUE(log.Save(dir.Path()).ok);
    EXPECT_EQ(test::ReadBytes(dir / kSensorLogFileName),
              "7,Vantrel.exe has started up at 2026/12/08 Tuesday 09:05\r\n"
              "8,\x93\xfa\x96\x7b\x8c\xea\r\n");
}

TEST(SensorLogTest, SaveIntoAMissingFolderFails) {
    test::TempDir dir;
    SensorLog log;
    log.AddExit(1);
    EXPECT_FALSE(log.Save(dir / "no-such-folder").ok);
}

TEST(SensorLogTest, SavesAfterEachResultAppendUnlessTheFileChanged) {
    test::TempDir dir;
    SensorLog log;
    log.AddLine(1, "a");
    ASSERT_TRUE(log.SaveNewLines(dir.Path()).ok);
    log.AddLine(2, "b");
    log.AddLine(3, "c");
    ASSERT_TRUE(log.SaveNewLines(dir.Path()).ok);
    EXPECT_EQ(test::ReadBytes(dir / kSensorLogFileName), "1,a\r\n2,b\r\n3,c\r\n");
    // Someone else wrote the file meanwhile: the whole log replaces it.
    test::WriteBytes(dir / kSensorLogFileName, "edited\r\n");
    log.AddLine(4, "d");
    ASSERT_TRUE(log.SaveNewLines(dir.Path()).ok);
    EXPECT_EQ(test::ReadBytes(dir / kSensorLogFileName), "1,a\r\n2,b\r\n3,c\r\n4,d\r\n");
    // The full save at exit still writes everything.
    log.AddLine(5, "e");
    ASSERT_TRUE(log.Save(dir.Path()).ok);
    log.AddLine(6, "f");
    ASSERT_TRUE(log.SaveNewLines(dir.Path()).ok);
    EXPECT_EQ(test::ReadBytes(dir / kSensorLogFileName),
              "1,a\r\n2,b\r\n3,c\r\n4,d\r\n5,e\r\n6,f\r\n");
}

}  // namespace
}  // namespace vantrel
