#include "lists/result_file.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "common/csv_field.h"
#include "common/text_file.h"
#include "lists/list_file_name.h"
#include "lists/result_flags.h"

namespace vantrel {

std::vector<std::vector<std::string>> ParseResultLines(const std::vector<std::string>& lines,
                                                       int32_t columnCount) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(lines.size());
    for (const std::string& line : lines) {
        std::string rest = line;
        std::vector<std::string> row;
        row.reserve(columnCount);
        for (int32_t column = 0; column < columnCount; ++column) {
            row.push_back(NextCsvField(rest));
        }
        // A review mark follows the columns; whatever else is there is ignored as before.
        if (std::string flag = NextCsvField(rest); ParseFlagText(flag)) {
            row.push_back(std::move(flag));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> ResultFileLines(const ResultTable& table) {
    std::vector<std::string> lines;
    lines.reserve(table.DataRowCount());
    for (int32_t row = 1; row < table.RowCount(); ++row) {
        lines.push_back(JoinCsvFields(table.StoredRow(row)));
    }
    return lines;
}

IoResult LoadResultFile(const std::filesystem::path& path, ResultTable& table,
                        const ResultRowsCheck& check) {
    std::vector<std::string> lines;
    IoResult result = ReadCp932Lines(path, lines);
    if (!result) {
        return result;
    }
    // The rows are made apart from the table, which changes only once they are all there; a
    // file of millions of empty lines must not end the program: it fails like an unreadable
    // one.
    std::vector<std::vector<std::string>> rows;
    try {
        rows = ParseResultLines(lines, table.ColumnCount());
        lines.clear();
        if (const std::string refusal = check ? check(rows) : std::string(); !refusal.empty()) {
            return IoResult::Failure(Utf8FromPath(path) + ": " + refusal);
        }
        table.SetRows(std::move(rows));
    } catch (const std::bad_alloc&) {
        return IoResult::Failure(Utf8FromPath(path) + ": " + std::strerror(ENOMEM));
    }
    return result;
}

bool FileHoldsResults(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return false;
    }
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        return true;  // what it holds cannot be seen, so it is treated as worth keeping
    }
    return bytes.find_first_not_of(",\r\n") != std::string::npos;
}

IoResult SaveResultFile(const std::filesystem::path& path, const ResultTable& table) {
    return WriteCp932Lines(path, ResultFileLines(table));
}

}  // namespace vantrel
