// Simulation scripts, their playback and session recordings.

#include "sensors/simulation_script.h"

#include <gtest/gtest.h>

#include "sensors/script_source.h"
#include "sensors/session_recorder.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

TEST(SimulationScriptTest, ParsesPinsBytesCommentsAndRelativeTimes) {
    const auto result = ParseSimulationScript(
        "# demo\r\n"
        "\r\n"
        "100 pin13 active   # start sensor\r\n"
        "+80 pin13 idle\r\n"
        "500 status 0xEF\r\n"
        "500 d3 active\r\n");
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.script.steps.size(), 4u);
    EXPECT_EQ(result.script.steps[0].atMs, 100u);
    EXPECT_EQ(result.script.steps[0].andMask, 0xEF);
    EXPECT_EQ(result.script.steps[1].atMs, 180u);
    EXPECT_EQ(result.script.steps[1].orMask, 0x10);
    EXPECT_EQ(result.script.steps[2].andMask, 0x00);
    EXPECT_EQ(result.script.steps[2].orMask, 0xEF);
    EXPECT_TRUE(result.script.steps[3].dataLine);
}

struct BadLine {
    const char* text;
    int line;
    const char* words;  // part of the message
};

class MalformedScriptTest : public ::testing::TestWithParam<BadLine> {};

TEST_P(MalformedScriptTest, ErrorNamesTheLine) {
    const auto result = ParseSimulationScript(GetParam().text);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorLine, GetParam().line);
    EXPECT_NE(result.error.find("line " + std::to_string(GetParam().line) + ":"), std::string::npos)
        << result.error;
    EXPECT_NE(result.error.find(GetParam().words), std::string::npos) << result.error;
    EXPECT_TRUE(result.script.steps.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedScriptTest,
    ::testing::Values(BadLine{"100 pin13 active\n200 pin14 active\n", 2, "pin14"},
                      BadLine{"# c\n\nabc pin13 active\n", 3, "abc"},
                      BadLine{"100 pin13 on\n", 1, "'on'"},
                      BadLine{"100 pin13\n", 1, "found 2 words"},
                      BadLine{"300 pin13 active\n200 pin13 idle\n", 2, "goes back"},
                      BadLine{"100 status 256\n", 1, "0..255"},
                      BadLine{"-5 pin10 idle\n", 1, "-5"}));

TEST(SimulationScriptTest, MissingFileIsAnError) {
    test::TempDir dir;
    const auto result = LoadSimulationScript(dir / "none.txt");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

TEST(SimulationScriptTest, FileErrorNamesFileAndLine) {
    test::TempDir dir;
    test::WriteBytes(dir / "bad.txt", "10 pin10 active\n20 pin10 maybe\n");
    const auto result = LoadSimulationScript(dir / "bad.txt");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("bad.txt: line 2:"), std::string::npos) << result.error;
}

TEST(ScriptSourceTest, PlaysStepsAtTheirTimesFromTheFirstRead) {
    auto parsed = ParseSimulationScript("10 pin10 active\n20 pin10 idle\n20 data 0x7F\n");
    ASSERT_TRUE(parsed.ok);
    ScriptSource source(parsed.script);
    source.Open();
    RawSample s;
    source.Read(5000, s);
    EXPECT_EQ(s.statusByte, 0xFF);
    source.Read(5009, s);
    EXPECT_EQ(s.statusByte, 0xFF);
    source.Read(5010, s);
    EXPECT_EQ(s.statusByte, 0xBF);
    EXPECT_FALSE(source.Finished());
    source.Read(5030, s);
    EXPECT_EQ(s.statusByte, 0xFF);
    EXPECT_EQ(s.dataByte, 0x7F);
    EXPECT_TRUE(source.Finished());
    source.Open();  // a new session plays it again
    source.Read(9000, s);
    EXPECT_EQ(s.dataByte, 0xFF);
    EXPECT_FALSE(source.Finished());
}

TEST(SessionRecorderTest, RecordingReplaysTheSameBytes) {
    test::TempDir dir;
    SessionRecorder recorder;
    ASSERT_TRUE(recorder.Begin(dir / "rec.txt", {"pins: test"}).ok);
    auto change = [&](uint32_t tick, uint8_t status, uint8_t data) {
        SensorEvent e;
        e.kind = SensorEventKind::kLevelChange;
        e.tick = tick;
        e.statusByte = status;
        e.dataByte = data;
        recorder.Add(e);
    };
    change(7000, 0xFF, 0xFF);
    change(7100, 0xEF, 0xFF);
    change(7180, 0xFF, 0xFE);
    ASSERT_TRUE(recorder.End().ok);
    EXPECT_EQ(test::ReadBytes(dir / "rec.txt"),
              "# pins: test\n100 status 0xEF\n180 status 0xFF\n180 data 0xFE\n");

    const auto parsed = LoadSimulationScript(dir / "rec.txt");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ScriptSource source(parsed.script);
    source.Open();
    RawSample s;
    source.Read(100, s);
    source.Read(200, s);
    EXPECT_EQ(s.statusByte, 0xEF);
    source.Read(280, s);
    EXPECT_EQ(s.statusByte, 0xFF);
    EXPECT_EQ(s.dataByte, 0xFE);
}

}  // namespace
}  // namespace vantrel
