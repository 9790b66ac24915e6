#pragma once
// Writes a result sheet as an .xlsx workbook (libxlsxwriter): one sheet, the heading row
// filled, time, seconds and integer cells as numbers each with its own format, the other
// cells as text.
// Thread rule: any thread.

#include <filesystem>
#include <string>

#include "reports/result_sheet.h"

namespace vantrel {

struct WorkbookOutcome {
    bool ok = false;
    // On failure: 127 when the workbook could not be made or written, 128 when its sheet
    // could not be added; `detail` says why.
    int message = 0;
    std::string detail;
};

// Writes `path`, which must not exist yet; a failed write leaves no file behind.
WorkbookOutcome WriteResultWorkbook(const ResultSheet& sheet, const std::filesystem::path& path);

}  // namespace vantrel
