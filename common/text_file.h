#pragma once
// Line files in CP932 with CR LF line ends (the program's entry, result, export and log
// files). Texts in memory are UTF-8.
// Thread rule: any thread.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/safe_file.h"

namespace vantrel {

// Splits text into lines at CR LF, LF or a lone CR. A final line end does not start another
// line; the empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Reads a CP932 file as UTF-8 lines. On failure `lines` is left unchanged. Bytes that form
// no character become U+FFFD, and the result's warning names the file and the first line
// that held one.
IoResult ReadCp932Lines(const std::filesystem::path& path, std::vector<std::string>& lines);

// A piece of a file's content fit to quote in a message: at most kQuoteChars characters,
// then "…".
inline constexpr size_t kQuoteChars = 32;
std::string QuoteForMessage(std::string_view utf8);

// "<file name> の <line> 行目" in the language shown, the place of a line in a message about a
// file's content.
std::string FileLinePlace(const std::filesystem::path& path, int32_t line);

// Joins the lines, each ended by CR LF, converted to CP932 (no conversion of the line ends).
std::string EncodeCp932Lines(const std::vector<std::string>& lines);

// Writes the lines as a CP932 CR LF file, crash-safe (WriteFileAtomic).
IoResult WriteCp932Lines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace vantrel
