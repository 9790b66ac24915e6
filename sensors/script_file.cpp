#include "sensors/script_file.h"

#include <charconv>
#include <cstdint>
#include <sstream>
#include <system_error>

namespace vantrel {

std::vector<std::string> ScriptWords(std::string_view line) {
    const size_t hash = line.find('#');
    std::istringstream in(std::string(line.substr(0, hash)));
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string ParseScriptTime(const std::string& word, uint32_t previous, uint32_t& atMs) {
    const bool relative = !word.empty() && word.front() == '+';
    const std::string digits = relative ? word.substr(1) : word;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        return "time '" + word + "' is not a number of milliseconds";
    }
    // Times are the millisecond tick's, so every one up to 2^32 - 1 is written and read back,
    // whether absolute or relative.
    uint64_t value = 0;
    const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (read.ec != std::errc() || value > UINT32_MAX ||
        (relative && value > UINT32_MAX - previous)) {
        return "time " + word + " is past the last millisecond a script can hold (" +
               std::to_string(UINT32_MAX) + ")";
    }
    atMs = static_cast<uint32_t>(relative ? previous + value : value);
    if (atMs < previous) {
        return "time " + word + " goes back before " + std::to_string(previous);
    }
    return {};
}

}  // namespace vantrel
