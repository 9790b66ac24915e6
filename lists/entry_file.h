#pragma once
// The entry list file: line n holds "name,model" of car n; CP932, CR LF, no header, no
// quoting. Saving always writes 199 lines.
// Thread rule: any thread (the table passed in must not be used elsewhere meanwhile).

#include <filesystem>
#include <string>
#include <vector>

#include "common/safe_file.h"
#include "lists/entry_table.h"

namespace vantrel {

// Names and models of the lines, one per line up to line 199 (later lines are dropped). A
// line's name ends at its first comma and its model at the second; the rest is ignored.
std::vector<NameAndModel> ParseEntryLines(const std::vector<std::string>& lines);

// The 199 lines of a save: "name,model" of cars 1..199 ("," for an empty row).
std::vector<std::string> EntryFileLines(const EntryTable& table);

// Reads the file into cars 1..(number of lines); later cars keep their entries. A failure
// leaves the table unchanged and returns the platform's error text.
IoResult LoadEntryFile(const std::filesystem::path& path, EntryTable& table);

// Writes the 199 lines crash-safe; on failure the old file stays whole.
IoResult SaveEntryFile(const std::filesystem::path& path, const EntryTable& table);

}  // namespace vantrel
