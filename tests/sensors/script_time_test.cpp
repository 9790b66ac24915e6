// Times of the sensor and receiver scripts: absolute or relative, of any size.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sensors/receiver_script.h"
#include "sensors/simulation_script.h"

namespace vantrel {
namespace {

struct Expected {
    std::vector<uint32_t> times;  // when the script reads
    int faultLine = 0;            // else the first faulty line
    std::string why;              // and a piece of its fault text
};

// Random scripts of absolute and relative times, large ones among them: both kinds of script
// read the times in order, or stop at the first that goes back or passes the last millisecond
// a script can hold, and say so with its line.
TEST(ScriptTimes, RandomTimesReadInOrderOrStopAtTheFirstFault) {
    const uint64_t kSizes[] = {0,          1,          50,         1000000,   1u << 30,
                               2147483647, 3000000000, 4294967295, 4294967296};
    std::mt19937 random(31415);
    for (int script = 0; script < 2000; ++script) {
        std::string pins;
        std::string codes;
        Expected expected;
        uint64_t previous = 0;
        for (int line = 1; line <= 6; ++line) {
            const bool relative = random() % 2 == 0;
            const uint64_t value = kSizes[random() % std::size(kSizes)];
            const std::string word = (relative ? "+" : "") + std::to_string(value);
            pins += word + " pin13 active\n";
            codes += word + " 1\n";
            const uint64_t at = relative ? previous + value : value;
            if (expected.faultLine == 0 && (at > UINT32_MAX || at < previous)) {
                expected.faultLine = line;
                expected.why = at > UINT32_MAX ? "past the last millisecond" : "goes back";
            }
            if (expected.faultLine == 0) {
                expected.times.push_back(static_cast<uint32_t>(at));
                previous = at;
            }
        }
        const ScriptParseResult steps = ParseSimulationScript(pins);
        const ReceiverScriptParseResult blocks = ParseReceiverScript(codes);
        EXPECT_EQ(steps.ok, expected.faultLine == 0) << pins;
        EXPECT_EQ(blocks.ok, expected.faultLine == 0) << codes;
        if (expected.faultLine != 0) {
            EXPECT_EQ(steps.errorLine, expected.faultLine) << pins;
            EXPECT_EQ(blocks.errorLine, expected.faultLine) << codes;
            EXPECT_NE(steps.fault.find(expected.why), std::string::npos) << steps.fault;
            EXPECT_NE(blocks.fault.find(expected.why), std::string::npos) << blocks.fault;
            continue;
        }
        ASSERT_EQ(steps.script.steps.size(), expected.times.size());
        ASSERT_EQ(blocks.script.blocks.size(), expected.times.size());
        for (size_t i = 0; i < expected.times.size(); ++i) {
            EXPECT_EQ(steps.script.steps[i].atMs, expected.times[i]);
            EXPECT_EQ(blocks.script.blocks[i].atMs, expected.times[i]);
        }
    }
    // A relative time past 2^32 ms is no time going back.
    const ReceiverScriptParseResult found =
        ParseReceiverScript("2147483647 1\n+2147483647 1\n+2 1\n");
    EXPECT_EQ(found.errorLine, 3);
    EXPECT_EQ(found.fault, "time +2 is past the last millisecond a script can hold (4294967295)");
}

// The input the script fuzzer found: read, then written as a recording writes it (absolute
// times past 2^31 ms), the script must read again as the same.
TEST(ScriptTimes, ARecordingOfLateTimesReadsBack) {
    const ReceiverScriptParseResult read =
        ParseReceiverScript("2147483647 1 2\n+2147483000 0x3C\n+600 :\n");
    ASSERT_TRUE(read.ok) << read.error;
    std::string written;
    for (const ReceiverScriptBlock& block : read.script.blocks) {
        written += ReceiverScriptLine(block.atMs, block.bytes.data(), block.bytes.size()) + "\n";
    }
    EXPECT_EQ(written, "2147483647 0x31 0x32\n4294966647 0x3C\n4294967247 0x3A\n");
    const ReceiverScriptParseResult again = ParseReceiverScript(written);
    ASSERT_TRUE(again.ok) << again.error;
    ASSERT_EQ(again.script.blocks.size(), 3u);
    EXPECT_EQ(again.script.blocks[2].atMs, 4294967247u);
    EXPECT_TRUE(ParseSimulationScript("4294967295 status 0\n").ok);
}

}  // namespace
}  // namespace vantrel
