#pragma once
// Opens workbooks in a real spreadsheet: LibreOffice Calc, headless, saves each one's first
// sheet (or every sheet) as CSV with every cell as the spreadsheet shows it. Calc starts slowly, so
// all the workbooks go through one run, with a private profile in a folder of the caller's.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::test {

// The full path of `program` on PATH, or nullopt.
std::optional<std::filesystem::path> FindOnPath(const std::string& program);

struct CalcRun {
    bool ok = false;
    std::string log;  // what soffice said, for a failure's message
};

// Writes `<outDir>/<stem>.csv` (UTF-8, comma-separated, cells as shown) for every workbook;
// `work` holds the profile. With `everySheet`, each sheet goes to `<outDir>/<stem>-<sheet
// name>.csv` instead.
CalcRun ConvertWithCalc(const std::filesystem::path& soffice,
                        const std::vector<std::filesystem::path>& workbooks,
                        const std::filesystem::path& outDir, const std::filesystem::path& work,
                        bool everySheet = false);

// The records of a CSV text: fields split at commas, quoted fields unquoted ("" inside them
// is one quote), records ended by LF or CR LF.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text);

}  // namespace vantrel::test
