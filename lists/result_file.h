#pragma once
// The result list file: one line per data row, the cells of the current layout joined by ","
// without quoting; CP932, CR LF, no header. The layout is not stored in the file: it is read
// into whatever layout is in force.
// Thread rule: any thread (the table passed in must not be used elsewhere meanwhile).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/safe_file.h"
#include "lists/result_table.h"

namespace vantrel {

// One row per line, cut with NextCsvField once per column: missing fields are empty, fields
// beyond `columnCount` are ignored, except a review mark right after them, which ends the row.
std::vector<std::vector<std::string>> ParseResultLines(const std::vector<std::string>& lines,
                                                       int32_t columnCount);

// One line per data row, a marked row with its mark as one more field; an empty list gives
// one line of commas.
std::vector<std::string> ResultFileLines(const ResultTable& table);

// The rows read, before they go into the table: a text refuses them and is the error to show.
using ResultRowsCheck = std::function<std::string(const std::vector<std::vector<std::string>>&)>;

// Reads the file into the table's current layout. An empty file gives the empty list. A
// failure (unreadable, out of memory, refused by `check`) leaves the table unchanged and
// returns the error to show; a success may carry a warning (bytes that form no character).
IoResult LoadResultFile(const std::filesystem::path& path, ResultTable& table,
                        const ResultRowsCheck& check = {});

// True when `path` exists and holds more than commas and line ends (or cannot be read).
bool FileHoldsResults(const std::filesystem::path& path);

// Writes the rows crash-safe; on failure the old file stays whole.
IoResult SaveResultFile(const std::filesystem::path& path, const ResultTable& table);

}  // namespace vantrel
