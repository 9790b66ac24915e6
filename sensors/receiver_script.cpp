#include "sensors/receiver_script.h"

#include <array>
#include <cstdio>
#include <optional>
#include <sstream>

#include "common/numbers.h"
#include "common/safe_file.h"
#include "common/text_file.h"
#include "sensors/received_block.h"
#include "sensors/script_file.h"

namespace vantrel {

namespace {

// A single printable character ("7", ":", "A") or a byte "0x37".
std::optional<uint8_t> ParseCode(const std::string& word) {
    if (word.size() == 1 && word[0] > 0x20 && word[0] < 0x7F) {
        return static_cast<uint8_t>(word[0]);
    }
    if (word.size() == 4 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X') &&
        HexDigitValue(word[2]) >= 0 && HexDigitValue(word[3]) >= 0) {
        return static_cast<uint8_t>(HexDigitValue(word[2]) * 16 + HexDigitValue(word[3]));
    }
    return std::nullopt;
}

// Fills `block` from one line's words; returns an error text or "".
std::string ParseLine(const std::vector<std::string>& words, uint32_t previous,
                      ReceiverScriptBlock& block) {
    if (words.size() < 2) {
        return "expected '<time> <code> ...', found no code";
    }
    if (words.size() - 1 > ReceivedBlock::kMaxBytes) {
        return "more than " + std::to_string(ReceivedBlock::kMaxBytes) + " codes on one line";
    }
    std::string error = ParseScriptTime(words[0], previous, block.atMs);
    for (size_t i = 1; i < words.size() && error.empty(); ++i) {
        const std::optional<uint8_t> code = ParseCode(words[i]);
        if (!code) {
            return "code '" + words[i] +
                   "' is neither one printable character nor a byte like 0x3C (car 12)";
        }
        block.bytes.push_back(*code);
    }
    return error;
}

}  // namespace

ReceiverScriptParseResult ParseReceiverScript(std::string_view text) {
    ReceiverScriptParseResult result;
    ParseScriptLines(text, result, result.script.blocks, ParseLine);
    return result;
}

ReceiverScriptParseResult LoadReceiverScript(const std::filesystem::path& path) {
    return LoadScriptFile<ReceiverScriptParseResult>(path, ParseReceiverScript);
}

std::string ReceiverScriptLine(uint32_t atMs, const uint8_t* bytes, size_t count) {
    std::string line = std::to_string(atMs);
    std::array<char, 8> code{};
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(code.data(), code.size(), " 0x%02X", bytes[i]);
        line += code.data();
    }
    return line;
}

}  // namespace vantrel
