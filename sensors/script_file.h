#pragma once
// What the sensor and receiver scripts share: words and times of a line, reading a script
// file and closing a recording.
// Thread rule: any thread (no shared state).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/safe_file.h"
#include "common/text_file.h"

namespace vantrel {

// The words of a script line, up to a "#" comment.
std::vector<std::string> ScriptWords(std::string_view line);

// Parses a script time, "1234" or "+50" (after `previous`), into `atMs`; returns an error text
// or "". Times run from 0 to 2^32 - 1 ms, the range of the millisecond tick.
std::string ParseScriptTime(const std::string& word, uint32_t previous, uint32_t& atMs);

// Parses each line of `text` that has words into an item with `parseLine(words, previousMs,
// item)`, which returns an error text or "". Items go to `items` in order; the first error
// stops the parse, empties `items` and is told in the result with its line.
template <typename Result, typename Item, typename ParseLine>
void ParseScriptLines(std::string_view text, Result& result, std::vector<Item>& items,
                      ParseLine parseLine) {
    const std::vector<std::string> lines = SplitLines(text);
    uint32_t previous = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> words = ScriptWords(lines[i]);
        if (words.empty()) {
            continue;
        }
        Item item;
        const std::string error = parseLine(words, previous, item);
        if (!error.empty()) {
            result.errorLine = static_cast<int>(i + 1);
            result.error = "line " + std::to_string(i + 1) + ": " + error;
            result.fault = error;
            items.clear();
            return;
        }
        previous = item.atMs;
        items.push_back(std::move(item));
    }
    result.ok = true;
}

// Reads `path` and parses it with `parse`; a file that cannot be read, or a fault in it, is
// told in the result's `error` together with the file name.
template <typename Result, typename Parse>
Result LoadScriptFile(const std::filesystem::path& path, Parse parse) {
    std::string bytes;
    const IoResult read = ReadWholeFile(path, bytes);
    if (!read) {
        Result result;
        result.error = read.error;
        result.fault = read.error;
        return result;
    }
    Result result = parse(bytes);
    if (!result.ok) {
        result.error = path.string() + ": " + result.error;
    }
    return result;
}

// Closes a recording; a failure to finish it names the file.
inline IoResult EndRecording(std::ofstream& out, const std::filesystem::path& path) {
    if (!out.is_open()) {
        return IoResult::Success();
    }
    out.close();
    if (out.fail()) {
        return IoResult::Failure("cannot finish " + path.string());
    }
    return IoResult::Success();
}

}  // namespace vantrel
