#pragma once
// The result list as it goes to a spreadsheet: the tab-separated text of its first eight
// columns, and the workbook's content (cells, time columns, widths, heading fill).
// Thread rule: any thread (pure functions).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/race_mode.h"
#include "lists/result_table.h"

namespace vantrel {

inline constexpr int32_t kSheetColumns = 8;

// Rows 0 (headings) to the last row, columns 0-7 joined by tabs, every line ended by CR LF.
std::string ResultSheetText(const ResultTable& results);

struct SheetCell {
    enum class Kind { kEmpty, kText, kMinutes, kSeconds, kNumber };
    Kind kind = Kind::kEmpty;
    std::string text;  // as shown
    double value = 0;  // kMinutes and kSeconds: days; kNumber: the number
};

// A time column's cell: "M:SS.mmm" (any number of minute digits) and "S.mmm" become times,
// a plain integer (the milliseconds output) a number; anything else stays text.
SheetCell TimeColumnCell(std::string_view text);

struct ResultSheet {
    std::string name = "Sheet1";
    std::vector<std::array<SheetCell, kSheetColumns>> rows;  // row 0 the headings
    std::vector<int32_t> timeColumns;
    // Widths in the spreadsheet's unit; 0 keeps the default width.
    std::array<double, kSheetColumns> widths{3.5, 15, 15, 3.5, 10, 15, 0, 0};
};

// Number formats: elapsed minutes, so that an hour or more still reads right.
inline constexpr const char* kMinutesFormat = "[mm]:ss.000";
inline constexpr const char* kSecondsFormat = "[ss].000";
// The heading row's fill: palette colour 34 (light turquoise) as RGB.
inline constexpr uint32_t kHeadingFill = 0xCCFFFF;

// The time columns of the tab: GYMKHANA E, G, H; the others E, F.
std::vector<int32_t> SheetTimeColumns(RaceMode tab);

ResultSheet BuildResultSheet(const ResultTable& results, RaceMode tab);

// The name of the folder an export is written to, before its unique suffix: the result
// file's name without extension and the time, e.g. "NewResult-20240501-093005".
std::string ExportFolderStem(std::string_view resultFileName, std::string_view timeStamp);

}  // namespace vantrel
