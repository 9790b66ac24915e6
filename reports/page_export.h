#pragma once
// ExportPage of the record window: the Rank or List page as a comma-separated file of rows
// 1-199 (all columns, no headings, no quoting), CP932 with CR LF, written crash-safe.
// Thread rule: GUI thread only.

#include <filesystem>
#include <string>
#include <vector>

#include "common/safe_file.h"
#include "reports/export_naming.h"
#include "reports/text_grid.h"

namespace vantrel {

// One line per data row: the texts of every column joined by ",".
std::vector<std::string> PageExportLines(const TextGrid& page);

// Writes the lines to `path`, replacing an existing file; on failure it is left untouched.
IoResult WritePageExport(const std::filesystem::path& path, const TextGrid& page);

// The write of ExportPage once the dialog gave `chosen`: on success the file's folder and name
// are offered next time; on failure nothing is remembered and the error is returned for the
// standard error box.
IoResult ExportPageTo(const std::filesystem::path& chosen, const TextGrid& page,
                      ExportNaming& naming);

}  // namespace vantrel
