#include "lists/entry_file.h"

#include <algorithm>

#include "common/csv_field.h"
#include "common/text_file.h"

namespace vantrel {

std::vector<NameAndModel> ParseEntryLines(const std::vector<std::string>& lines) {
    const size_t count = std::min<size_t>(lines.size(), EntryTable::kLastCar);
    std::vector<NameAndModel> entries;
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        std::string rest = lines[i];
        NameAndModel entry;
        entry.name = NextCsvField(rest);
        entry.model = NextCsvField(rest);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> EntryFileLines(const EntryTable& table) {
    std::vector<std::string> lines;
    lines.reserve(EntryTable::kLastCar);
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        lines.push_back(table.Name(car) + "," + table.Model(car));
    }
    return lines;
}

IoResult LoadEntryFile(const std::filesystem::path& path, EntryTable& table) {
    std::vector<std::string> lines;
    IoResult result = ReadCp932Lines(path, lines);
    if (result) {
        table.SetNamesAndModels(ParseEntryLines(lines));
    }
    return result;
}

IoResult SaveEntryFile(const std::filesystem::path& path, const EntryTable& table) {
    return WriteCp932Lines(path, EntryFileLines(table));
}

}  // namespace vantrel
