#pragma once
// Writing JSON text: strings escaped and made valid UTF-8 (a byte that is no part of a valid
// sequence becomes U+FFFD), so that no text from a list file can break a browser's parser.
// Thread rule: any thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Appends `text` as a JSON string literal, quotes included.
void AppendJsonString(std::string& out, std::string_view text);
// Appends a JSON array of strings.
void AppendJsonStrings(std::string& out, const std::vector<std::string>& texts);
// Whether `text` is valid UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);
// The length of the valid UTF-8 sequence at the start of `text`, 0 when it is none.
size_t Utf8SequenceLength(std::string_view text);

}  // namespace vantrel
