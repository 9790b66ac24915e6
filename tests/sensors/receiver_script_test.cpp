// Receiver scripts and recordings, the serial port choice, and the receiver's command-line
// options.

#include "sensors/receiver_script.h"

#include <gtest/gtest.h>

#include <map>

#include "sensors/sensor_command_line.h"
#include "sensors/serial_settings.h"

namespace vantrel {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(SerialSettingsTest, PortNamesAndSpeeds) {
    EXPECT_EQ(SerialDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath("COM6"), "/dev/ttyS5");
    EXPECT_EQ(SerialDevicePath("None"), "");
    EXPECT_EQ(SerialDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevicePath("COM7"), "COM7");
    for (const int32_t speed : {2400, 4800, 9600, 19200, 38400}) {
        EXPECT_EQ(SerialSpeed(speed), speed);
    }
    EXPECT_EQ(SerialSpeed(1200), 9600);
    EXPECT_EQ(SerialSpeed(0), 9600);
    EXPECT_EQ(SerialSpeed(115200), 9600);
}

TEST(ReceiverScriptTest, CodesTimesAndComments) {
    const auto parsed = ParseReceiverScript(
        "# a race\n"
        "\n"
        "1000 7          # car 7\n"
        "+250 1 2 0x2D 5 # one block\n"
        "+0   :\n"
        "3000 0x41\n");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const auto& blocks = parsed.script.blocks;
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[0].atMs, 1000u);
    EXPECT_EQ(blocks[0].bytes, Bytes{0x37});
    EXPECT_EQ(blocks[1].atMs, 1250u);
    EXPECT_EQ(blocks[1].bytes, (Bytes{0x31, 0x32, 0x2D, 0x35}));
    EXPECT_EQ(blocks[2].atMs, 1250u);
    EXPECT_EQ(blocks[2].bytes, Bytes{0x3A});
    EXPECT_EQ(blocks[3].bytes, Bytes{0x41});
}

TEST(ReceiverScriptTest, FaultsNameTheLine) {
    const auto expectFault = [](const char* text, int line, const std::string& fault) {
        const auto parsed = ParseReceiverScript(text);
        EXPECT_FALSE(parsed.ok) << text;
        EXPECT_EQ(parsed.errorLine, line) << text;
        EXPECT_EQ(parsed.fault, fault) << text;
        EXPECT_EQ(parsed.error, "line " + std::to_string(line) + ": " + fault);
        EXPECT_TRUE(parsed.script.blocks.empty());
    };
    expectFault("100 1\n200\n", 2, "expected '<time> <code> ...', found no code");
    expectFault("\n500 12\n", 2,
                "code '12' is neither one printable character nor a byte like 0x3C (car 12)");
    expectFault("100 0x4G\n", 1,
                "code '0x4G' is neither one printable character nor a byte like 0x3C (car 12)");
    expectFault("500 1\n400 2\n", 2, "time 400 goes back before 500");
    expectFault("soon 1\n", 1, "time 'soon' is not a number of milliseconds");
    std::string tooMany = "0";
    for (int i = 0; i < 1025; ++i) {
        tooMany += " 1";
    }
    expectFault(tooMany.c_str(), 1, "more than 1024 codes on one line");

    const auto missing = LoadReceiverScript("/nonexistent/receiver.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorLine, 0);
    EXPECT_FALSE(missing.error.empty());
}

TEST(ReceiverScriptTest, RecordingLinesReadBackAsTheSameBlock) {
    const uint8_t bytes[] = {0x23, 0x31, 0x00, 0xFF, 0x20};  // '#', '1', NUL, 0xFF, space
    const std::string line = ReceiverScriptLine(1234, bytes, sizeof bytes);
    EXPECT_EQ(line, "1234 0x23 0x31 0x00 0xFF 0x20");
    const auto parsed = ParseReceiverScript(line + "\n");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.script.blocks[0].atMs, 1234u);
    EXPECT_EQ(parsed.script.blocks[0].bytes, Bytes(bytes, bytes + sizeof bytes));
}

TEST(ReceiverScriptTest, CircuitDemoIsAFiveMinuteRaceOfTenCars) {
    const auto parsed = LoadReceiverScript(std::filesystem::path(VANTREL_SOURCE_DIR) /
                                           "sensors/demo/circuit_demo.txt");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    std::map<uint8_t, std::vector<uint32_t>> passings;
    bool sideBySide = false;
    for (const auto& block : parsed.script.blocks) {
        sideBySide = sideBySide || block.bytes.size() > 1;
        for (const uint8_t code : block.bytes) {
            passings[code].push_back(block.atMs);
        }
    }
    EXPECT_TRUE(sideBySide);
    EXPECT_LE(parsed.script.blocks.back().atMs, 300000u);
    ASSERT_EQ(passings.size(), 10u);
    EXPECT_EQ(passings.begin()->first, '1');
    EXPECT_EQ(passings.rbegin()->first, ':');
    int echoes = 0;
    for (const auto& [code, times] : passings) {
        EXPECT_GE(times.size(), 8u) << code;
        for (size_t i = 1; i < times.size(); ++i) {
            const uint32_t gap = times[i] - times[i - 1];
            echoes += gap <= 2000 ? 1 : 0;
            EXPECT_TRUE(gap <= 2000 || (gap >= 24000 && gap <= 36000)) << code << " " << gap;
        }
    }
    EXPECT_GE(echoes, 3);
}

TEST(ReceiverScriptTest, CommandLineReceiverOptions) {
    const auto line = ParseSensorCommandLine(
        {"--receiver", "race.txt", "--simulate", "s.txt", "--record-receiver", "rx.txt"});
    EXPECT_TRUE(line.error.empty());
    EXPECT_TRUE(line.receiverError.empty());
    EXPECT_EQ(line.receiverScript->string(), "race.txt");
    EXPECT_EQ(line.receiverRecord->string(), "rx.txt");
    EXPECT_EQ(line.script->string(), "s.txt");

    // A fault in one set of options does not hide the other set.
    const auto faulty = ParseSensorCommandLine({"--receiver", "a", "--replay"});
    EXPECT_EQ(faulty.error, "--replay needs a file name");
    EXPECT_EQ(faulty.receiverScript->string(), "a");
    EXPECT_EQ(ParseSensorCommandLine({"--record-receiver"}).receiverError,
              "--record-receiver needs a file name");
    EXPECT_EQ(ParseSensorCommandLine({"--receiver", "a", "--receiver", "b"}).receiverError,
              "--receiver can be given only once");
    // A receiver file name is never taken for a sensor option.
    EXPECT_FALSE(ParseSensorCommandLine({"--receiver", "--record"}).record.has_value());
}

}  // namespace
}  // namespace vantrel
