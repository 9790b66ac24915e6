#pragma once
// Reads back what a test needs of an .xlsx workbook: its parts through `unzip -p`, the first
// sheet's cells with their number formats and fills, the sheet name and column widths.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vantrel::test {

struct XlsxCell {
    bool number = false;  // a numeric value; otherwise text
    std::string text;     // the text, or the value as written
    std::string format;   // number format code ("" = General)
    std::string fill;     // solid fill's RGB ("" = none)
};

struct XlsxSheet {
    std::string name;
    std::map<std::string, XlsxCell> cells;  // by reference, "A1"
    std::map<int, double> widths;           // column (1-based) to width as written
    std::map<int, std::string> columnFormats;
    int rows = 0;  // rows that hold a cell
};

// One part of the archive ("" when it cannot be read).
std::string UnzipPart(const std::filesystem::path& xlsx, const std::string& part);

XlsxSheet ReadFirstSheet(const std::filesystem::path& xlsx);
// The sheet at `index` (1-based, in the workbook's order); an empty sheet past the last.
XlsxSheet ReadSheet(const std::filesystem::path& xlsx, int index);
// The sheets' names in the workbook's order.
std::vector<std::string> SheetNames(const std::filesystem::path& xlsx);

}  // namespace vantrel::test
