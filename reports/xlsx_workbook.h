#pragma once
// Writes result sheets as an .xlsx workbook (libxlsxwriter): one worksheet each, in order,
// the heading row filled, time, seconds and integer cells as numbers each with its own format,
// the other cells as text.
// Thread rule: any thread.

#include <filesystem>
#include <string>
#include <vector>

#include "reports/result_sheet.h"

namespace vantrel {

struct WorkbookOutcome {
    bool ok = false;
    // On failure: 127 when the workbook could not be made or written, 128 when a sheet
    // could not be added; `detail` says why (for 128, the sheet's name).
    int message = 0;
    std::string detail;
};

// Writes `path`, which must not exist yet; a failed write leaves no file behind.
WorkbookOutcome WriteResultWorkbook(const std::vector<ResultSheet>& sheets,
                                    const std::filesystem::path& path);
WorkbookOutcome WriteResultWorkbook(const ResultSheet& sheet, const std::filesystem::path& path);

}  // namespace vantrel
