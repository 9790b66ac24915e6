#include "sensors/simulation_script.h"

#include <array>
#include <optional>
#include <sstream>

#include "common/numbers.h"
#include "common/safe_file.h"
#include "common/text_file.h"
#include "sensors/script_file.h"

namespace vantrel {

namespace {

struct LineName {
    const char* name;
    bool dataLine;
    uint8_t bit;
};

constexpr std::array<LineName, 13> kLineNames = {{
    {"pin10", false, 0x40},
    {"pin11", false, 0x80},
    {"pin12", false, 0x20},
    {"pin13", false, 0x10},
    {"pin15", false, 0x08},
    {"d0", true, 0x01},
    {"d1", true, 0x02},
    {"d2", true, 0x04},
    {"d3", true, 0x08},
    {"d4", true, 0x10},
    {"d5", true, 0x20},
    {"d6", true, 0x40},
    {"d7", true, 0x80},
}};

// Fills `step` from the line and the level words; returns an error text or "".
std::string ParseLevel(const std::string& line, const std::string& level, ScriptStep& step) {
    if (line == "status" || line == "data") {
        const std::optional<int32_t> value = StrToInt(level);
        if (!value || *value < 0 || *value > 255) {
            return "byte value '" + level + "' is not 0..255 (decimal or 0x..)";
        }
        step.dataLine = line == "data";
        step.andMask = 0x00;
        step.orMask = static_cast<uint8_t>(*value);
        return {};
    }
    for (const LineName& name : kLineNames) {
        if (line != name.name) {
            continue;
        }
        step.dataLine = name.dataLine;
        if (level == "active") {
            step.andMask = static_cast<uint8_t>(~name.bit);
        } else if (level == "idle") {
            step.orMask = name.bit;
        } else {
            return "level '" + level + "' is neither 'active' nor 'idle'";
        }
        return {};
    }
    return "unknown line '" + line + "' (pin10..pin15, d0..d7, status, data)";
}

// One "<time> <line> <level>" line.
std::string ParseStep(const std::vector<std::string>& words, uint32_t previous, ScriptStep& step) {
    std::string error = words.size() != 3 ? "expected '<time> <line> <level>', found " +
                                                std::to_string(words.size()) + " words"
                                          : ParseScriptTime(words[0], previous, step.atMs);
    if (error.empty()) {
        error = ParseLevel(words[1], words[2], step);
    }
    return error;
}

}  // namespace

ScriptParseResult ParseSimulationScript(std::string_view text) {
    ScriptParseResult result;
    ParseScriptLines(text, result, result.script.steps, ParseStep);
    return result;
}

ScriptParseResult LoadSimulationScript(const std::filesystem::path& path) {
    return LoadScriptFile<ScriptParseResult>(path, ParseSimulationScript);
}

}  // namespace vantrel
