#include "lists/entry_file.h"

#include <algorithm>

#include "common/csv_field.h"
#include "common/text_file.h"
#include "common/ui_text.h"
#include "lists/entry_class.h"
#include "lists/list_texts.h"

namespace vantrel {

namespace {
// Whether the lines carry classes: every line that holds anything has a second comma. The
// first line without one, when another line has one, goes to `lineWithoutClass`.
bool LinesHoldClasses(const std::vector<std::string>& lines, size_t count,
                      int32_t& lineWithoutClass) {
    bool withField = false;
    int32_t without = 0;
    for (size_t i = 0; i < count; ++i) {
        // A blank line (an editor's last line) says nothing either way.
        if (lines[i].empty()) {
            continue;
        }
        if (std::count(lines[i].begin(), lines[i].end(), ',') >= 2) {
            withField = true;
        } else if (without == 0) {
            without = static_cast<int32_t>(i + 1);
        }
    }
    lineWithoutClass = withField ? without : 0;
    return withField && without == 0;
}

// Adds a line of text to a load's warning.
void AddWarning(std::string& warning, const std::string& text) {
    warning += (warning.empty() ? "" : "\n") + text;
}
}  // namespace

std::vector<NameAndModel> ParseEntryLines(const std::vector<std::string>& lines,
                                          EntryLinesReport* report) {
    const size_t count = std::min<size_t>(lines.size(), EntryTable::kLastCar);
    EntryLinesReport found;
    found.classes = LinesHoldClasses(lines, count, found.lineWithoutClass);
    std::vector<NameAndModel> entries;
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        std::string rest = lines[i];
        NameAndModel entry;
        entry.name = NextCsvField(rest);
        entry.model = NextCsvField(rest);
        if (found.classes) {
            bool cut = false;
            entry.cls = StorableClass(NextCsvField(rest), &cut);
            if (cut && found.firstCutClass == 0) {
                found.firstCutClass = static_cast<int32_t>(i + 1);
            }
        }
        entries.push_back(std::move(entry));
    }
    if (report != nullptr) {
        *report = found;
    }
    return entries;
}

std::vector<std::string> EntryFileLines(const EntryTable& table) {
    const bool classes = table.HasClasses();
    std::vector<std::string> lines;
    lines.reserve(EntryTable::kLastCar);
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        std::string line = table.Name(car) + "," + table.Model(car);
        if (classes) {
            line += "," + table.Class(car);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

IoResult LoadEntryFile(const std::filesystem::path& path, EntryTable& table) {
    std::vector<std::string> lines;
    IoResult result = ReadCp932Lines(path, lines);
    if (!result) {
        return result;
    }
    EntryLinesReport report;
    table.SetNamesAndModels(ParseEntryLines(lines, &report));
    if (report.lineWithoutClass != 0) {
        AddWarning(result.warning,
                   Translated(kClassUnreadText, {FileLinePlace(path, report.lineWithoutClass)}));
    }
    if (report.firstCutClass != 0) {
        AddWarning(result.warning,
                   Translated(kClassCutText, {FileLinePlace(path, report.firstCutClass),
                                              std::to_string(kClassMaxChars)}));
    }
    return result;
}

IoResult SaveEntryFile(const std::filesystem::path& path, const EntryTable& table) {
    return WriteCp932Lines(path, EntryFileLines(table));
}

}  // namespace vantrel
