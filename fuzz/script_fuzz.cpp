// Any bytes as a sensor script and as a receiver script: a fault is named with its line and
// leaves nothing half read; a script that reads is in time order, written out again it reads
// as the same script, and played through the simulated source every change is seen.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/text_file.h"
#include "fuzz/fuzz_lines.h"
#include "sensors/received_block.h"
#include "sensors/receiver_script.h"
#include "sensors/script_source.h"
#include "sensors/simulation_script.h"

using namespace vantrel;

namespace {

template <typename Result>
void CheckFault(const Result& result, std::string_view text, size_t items) {
    fuzz::Require(items == 0, "a faulty script keeps nothing");
    fuzz::Require(
        result.errorLine >= 1 && static_cast<size_t>(result.errorLine) <= SplitLines(text).size(),
        "the fault is on a line of the script");
    const std::string where = "line " + std::to_string(result.errorLine) + ": ";
    fuzz::Require(result.error == where + result.fault && !result.fault.empty(),
                  "the fault named with its line");
    fuzz::Require(
        !result.fault.starts_with("time +") || result.fault.find("goes back") == std::string::npos,
        "a relative time never goes back");
}

void CheckReceiver(std::string_view text) {
    const ReceiverScriptParseResult parsed = ParseReceiverScript(text);
    const auto& blocks = parsed.script.blocks;
    if (!parsed.ok) {
        return CheckFault(parsed, text, blocks.size());
    }
    std::string written;
    for (size_t i = 0; i < blocks.size(); ++i) {
        fuzz::Require(
            !blocks[i].bytes.empty() && blocks[i].bytes.size() <= ReceivedBlock::kMaxBytes,
            "a block holds one read's bytes");
        fuzz::Require(i == 0 || blocks[i - 1].atMs <= blocks[i].atMs, "blocks in time order");
        written +=
            ReceiverScriptLine(blocks[i].atMs, blocks[i].bytes.data(), blocks[i].bytes.size());
        written += "\n";
    }
    const ReceiverScriptParseResult again = ParseReceiverScript(written);
    fuzz::Require(again.ok && again.script.blocks.size() == blocks.size(), "a recording reads");
    for (size_t i = 0; i < blocks.size(); ++i) {
        fuzz::Require(again.script.blocks[i].atMs == blocks[i].atMs &&
                          again.script.blocks[i].bytes == blocks[i].bytes,
                      "a recording reads as what was recorded");
    }
}

// The script line of a step, in the form the script's own words give it.
std::string StepLine(const ScriptStep& step) {
    static const char* const kStatus[8] = {"", "", "", "pin15", "pin13", "pin12", "pin10", "pin11"};
    const std::string time = std::to_string(step.atMs) + " ";
    if (step.andMask == 0) {
        return time + (step.dataLine ? "data " : "status ") + std::to_string(step.orMask);
    }
    const bool active = step.orMask == 0;
    const uint8_t bit = active ? static_cast<uint8_t>(~step.andMask) : step.orMask;
    const int index = __builtin_ctz(bit);
    const std::string line =
        step.dataLine ? "d" + std::to_string(index) : std::string(kStatus[index]);
    return time + line + (active ? " active" : " idle");
}

bool SameStep(const ScriptStep& a, const ScriptStep& b) {
    return a.atMs == b.atMs && a.dataLine == b.dataLine && a.andMask == b.andMask &&
           a.orMask == b.orMask;
}

// Played from an origin just before the tick counter wraps, one read per scripted moment.
void CheckPlayed(const SimulationScript& script) {
    ScriptSource source(script);
    source.Open();
    const uint32_t origin = 0xFFFFF000u;
    RawSample sample;
    source.Read(origin, sample);
    for (const ScriptStep& step : script.steps) {
        if (!source.Finished()) {
            source.Read(origin + step.atMs, sample);
        }
    }
    RawSample expected;
    for (const ScriptStep& step : script.steps) {
        uint8_t& byte = step.dataLine ? expected.dataByte : expected.statusByte;
        byte = static_cast<uint8_t>((byte & step.andMask) | step.orMask);
    }
    fuzz::Require(source.Finished(), "every change is played");
    fuzz::Require(sample.statusByte == expected.statusByte && sample.dataByte == expected.dataByte,
                  "the lines end as the script leaves them");
}

void CheckSimulation(std::string_view text) {
    const ScriptParseResult parsed = ParseSimulationScript(text);
    const auto& steps = parsed.script.steps;
    if (!parsed.ok) {
        return CheckFault(parsed, text, steps.size());
    }
    std::string written;
    for (size_t i = 0; i < steps.size(); ++i) {
        fuzz::Require(i == 0 || steps[i - 1].atMs <= steps[i].atMs, "steps in time order");
        const ScriptStep& s = steps[i];
        const bool oneBit =
            s.andMask == 0xFF
                ? __builtin_popcount(s.orMask) == 1
                : s.orMask == 0 && __builtin_popcount(static_cast<uint8_t>(~s.andMask)) == 1;
        fuzz::Require(s.andMask == 0 || oneBit, "a whole byte or one line");
        written += StepLine(s) + "\n";
    }
    const ScriptParseResult again = ParseSimulationScript(written);
    fuzz::Require(again.ok && again.script.steps.size() == steps.size(), "a recording reads");
    for (size_t i = 0; i < steps.size(); ++i) {
        fuzz::Require(SameStep(again.script.steps[i], steps[i]), "written, a step reads again");
    }
    CheckPlayed(parsed.script);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckReceiver(text);
    CheckSimulation(text);
    return 0;
}
