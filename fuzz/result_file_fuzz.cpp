// Any bytes load as a result file in any layout: every row gets the layout's cells, a save
// has one line per row, and saving what was loaded from a save gives the same bytes again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_lines.h"
#include "lists/result_file.h"

using namespace vantrel;

namespace {

std::string LoadAndSave(const std::string& bytes, RaceMode mode) {
    ResultTable table(mode);
    table.SetRows(ParseResultLines(fuzz::DecodeLines(bytes), table.ColumnCount()));
    fuzz::Require(table.DataRowCount() >= 1, "at least one row");
    for (int32_t row = 1; row < table.RowCount(); ++row) {
        fuzz::Require(static_cast<int32_t>(table.Row(row).size()) == table.ColumnCount(),
                      "every row has the layout's cells");
    }
    const std::vector<std::string> lines = ResultFileLines(table);
    fuzz::Require(static_cast<int32_t>(lines.size()) == table.DataRowCount(), "line per row");
    return EncodeCp932Lines(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto mode = static_cast<RaceMode>(data[0] % 3);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string once = LoadAndSave(bytes, mode);
    fuzz::Require(LoadAndSave(once, mode) == once, "save of a saved file is stable");
    return 0;
}
