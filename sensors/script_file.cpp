#include "sensors/script_file.h"

#include <optional>
#include <sstream>

#include "common/numbers.h"

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
    const bool relative = word.front() == '+';
    const std::string digits = relative ? word.substr(1) : word;
    const bool allDigits =
        !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos;
    const std::optional<int32_t> value = allDigits ? StrToInt(digits) : std::nullopt;
    if (!value) {
        return "time '" + word + "' is not a number of milliseconds";
    }
    atMs = relative ? previous + static_cast<uint32_t>(*value) : static_cast<uint32_t>(*value);
    if (atMs < previous) {
        return "time " + word + " goes back before " + std::to_string(previous);
    }
    return {};
}

}  // namespace vantrel
