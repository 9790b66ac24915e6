#include "reports/page_export.h"

#include "common/csv_field.h"
#include "common/text_file.h"

namespace vantrel {

std::vector<std::string> PageExportLines(const TextGrid& page) {
    std::vector<std::string> lines;
    lines.reserve(page.RowCount());
    std::vector<std::string> fields(page.ColumnCount());
    for (int32_t row = 1; row < page.RowCount(); ++row) {
        for (int32_t column = 0; column < page.ColumnCount(); ++column) {
            fields[column] = page.Cell(column, row);
        }
        lines.push_back(JoinCsvFields(fields));
    }
    return lines;
}

IoResult WritePageExport(const std::filesystem::path& path, const TextGrid& page) {
    return WriteCp932Lines(path, PageExportLines(page));
}

IoResult ExportPageTo(const std::filesystem::path& chosen, const TextGrid& page,
                      ExportNaming& naming) {
    IoResult result = WritePageExport(chosen, page);
    if (result) {
        naming.Remember(chosen);
    }
    return result;
}

}  // namespace vantrel
