#pragma once
// Reads back what a test needs of an .xlsx workbook: its parts through `unzip -p`, the first
// sheet's cells with their number formats and fills, the sheet name and column widths.

#include <filesystem>
#include <map>
#include <string>

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

}  // namespace vantrel::test
