#pragma once
// Simulation scripts: timed level changes of the status and data lines, one per line of text
// (format in docs/simulation.md). Session recordings use the same format.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// One change: at `atMs` after the session start the byte becomes (byte & andMask) | orMask.
struct ScriptStep {
    uint32_t atMs = 0;
    bool dataLine = false;  // false: status byte, true: data byte
    uint8_t andMask = 0xFF;
    uint8_t orMask = 0x00;
};

struct SimulationScript {
    std::vector<ScriptStep> steps;  // in time order
};

struct ScriptParseResult {
    bool ok = false;
    SimulationScript script;
    int errorLine = 0;  // 1-based line of the first error; 0 when the file could not be read
    std::string error;  // "line N: ..." naming the fault (a file's name goes before it)
    std::string fault;  // the fault alone, without file and line
};

ScriptParseResult ParseSimulationScript(std::string_view text);
// Reads and parses a file; a read failure is reported with errorLine 0.
ScriptParseResult LoadSimulationScript(const std::filesystem::path& path);

}  // namespace vantrel
