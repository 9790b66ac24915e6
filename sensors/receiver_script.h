#pragma once
// Receiver scripts: timed car codes as the lap-counting receiver would send them, one block
// per line (format in docs/simulation.md). Receiver recordings use the same format.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The bytes of one line, sent together `atMs` after the port was opened.
struct ReceiverScriptBlock {
    uint32_t atMs = 0;
    std::vector<uint8_t> bytes;
};

struct ReceiverScript {
    std::vector<ReceiverScriptBlock> blocks;  // in time order
};

struct ReceiverScriptParseResult {
    bool ok = false;
    ReceiverScript script;
    int errorLine = 0;  // 1-based line of the first error; 0 when the file could not be read
    std::string error;  // "line N: ..." naming the fault (a file's name goes before it)
    std::string fault;  // the fault alone, without file and line
};

ReceiverScriptParseResult ParseReceiverScript(std::string_view text);
// Reads and parses a file; a read failure is reported with errorLine 0.
ReceiverScriptParseResult LoadReceiverScript(const std::filesystem::path& path);

// One line of a recording: "<atMs> 0xNN 0xNN ...".
std::string ReceiverScriptLine(uint32_t atMs, const uint8_t* bytes, size_t count);

}  // namespace vantrel
