// Any bytes load as an entry file; a save always has 199 lines, and saving what was loaded
// from a save gives the same bytes again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_lines.h"
#include "lists/entry_file.h"

using namespace vantrel;

namespace {

std::string LoadAndSave(const std::string& bytes) {
    EntryTable table;
    table.SetNamesAndModels(ParseEntryLines(fuzz::DecodeLines(bytes)));
    const std::vector<std::string> lines = EntryFileLines(table);
    fuzz::Require(lines.size() == 199, "199 lines");
    return EncodeCp932Lines(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string once = LoadAndSave(std::string(reinterpret_cast<const char*>(data), size));
    fuzz::Require(LoadAndSave(once) == once, "save of a saved file is stable");
    return 0;
}
