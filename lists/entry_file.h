#pragma once
// The entry list file: line n holds "name,model" of car n; CP932, CR LF, no header, no
// quoting. A list with classes holds "name,model,class" on every line (the class empty for a
// car without one), so that a file written before classes existed, whose lines may carry
// text after a second comma, never has that text taken for a class. Saving always writes
// 199 lines.
// Thread rule: any thread (the table passed in must not be used elsewhere meanwhile).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/safe_file.h"
#include "lists/entry_table.h"

namespace vantrel {

// What reading the lines found out about their classes. Lines are counted from 1.
struct EntryLinesReport {
    bool classes = false;          // every line held a class field: the classes were read
    int32_t lineWithoutClass = 0;  // some lines held a class field but not this one
    int32_t firstCutClass = 0;     // the first line whose class StorableClass had to shorten
};

// Names, models and classes of the lines, one per line up to line 199 (later lines are
// dropped). A line's name ends at its first comma and its model at the second. When every
// line but the empty ones has a second comma, the class is what follows it up to a third
// comma (kept as StorableClass makes it); otherwise no line has a class. The rest is ignored.
std::vector<NameAndModel> ParseEntryLines(const std::vector<std::string>& lines,
                                          EntryLinesReport* report = nullptr);

// The 199 lines of a save: "name,model" of cars 1..199 ("," for an empty row), each followed
// by ",class" when any car has a class.
std::vector<std::string> EntryFileLines(const EntryTable& table);

// Reads the file into cars 1..(number of lines); later cars keep their entries. A failure
// leaves the table unchanged and returns the platform's error text; classes that were left
// unread or shortened are named in the result's warning.
IoResult LoadEntryFile(const std::filesystem::path& path, EntryTable& table);

// Writes the 199 lines crash-safe; on failure the old file stays whole.
IoResult SaveEntryFile(const std::filesystem::path& path, const EntryTable& table);

}  // namespace vantrel
