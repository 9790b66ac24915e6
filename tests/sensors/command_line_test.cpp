// The sensor options of the command line.

#include "sensors/sensor_command_line.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(SensorCommandLineTest, SimulateAndRecord) {
    const auto line = ParseSensorCommandLine({"-x", "--simulate", "demo.txt", "--record", "r.txt"});
    EXPECT_TRUE(line.error.empty());
    EXPECT_EQ(line.script, std::filesystem::path("demo.txt"));
    EXPECT_EQ(line.record, std::filesystem::path("r.txt"));
}

TEST(SensorCommandLineTest, MissingFileAndTwoScriptsAreErrors) {
    EXPECT_EQ(ParseSensorCommandLine({"--replay"}).error, "--replay needs a file name");
    EXPECT_FALSE(ParseSensorCommandLine({"--replay", "a", "--simulate", "b"}).error.empty());
    EXPECT_FALSE(ParseSensorCommandLine({}).script.has_value());
}

TEST(SensorCommandLineTest, LaterSessionsAreNumbered) {
    EXPECT_EQ(RecordingPathForSession("/tmp/run.txt", 1), std::filesystem::path("/tmp/run.txt"));
    EXPECT_EQ(RecordingPathForSession("/tmp/run.txt", 3), std::filesystem::path("/tmp/run-3.txt"));
}

}  // namespace
}  // namespace vantrel
