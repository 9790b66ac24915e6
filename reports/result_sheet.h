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
    double value = 0;  // kMinutes: days; kSeconds: seconds; kNumber: the number
};

// A time column's cell: "MM:SS.mmm" (two or more minute digits) becomes a time, "SS.mmm" (the
// DRAG tab's shape) a number of seconds, a plain integer (the milliseconds output) a number;
// anything else, or a text the cell's format would not show back as it stands ("1:05.000",
// "007"), stays text.
SheetCell TimeColumnCell(std::string_view text);

// A count column's cell (car number, penalty, lap): a plain integer becomes a number; "MC",
// "Fly" and any other text stay text.
SheetCell CountColumnCell(std::string_view text);

struct ResultSheet {
    std::string name = "Sheet1";
    std::vector<std::array<SheetCell, kSheetColumns>> rows;  // row 0 the headings
    std::vector<int32_t> timeColumns;
    // Widths in the spreadsheet's unit; 0 keeps the default width.
    std::array<double, kSheetColumns> widths{3.5, 15, 15, 3.5, 10, 15, 0, 0};
};

// Number formats: elapsed minutes, so that an hour or more still reads right; seconds with
// milliseconds as the DRAG tab shows them (an elapsed-seconds time format is not shown by
// every spreadsheet); integers as plain digits, never under the column's time format.
inline constexpr const char* kMinutesFormat = "[mm]:ss.000";
inline constexpr const char* kSecondsFormat = "00.000";
inline constexpr const char* kIntegerFormat = "0";
// The heading row's fill: palette colour 34 (light turquoise) as RGB.
inline constexpr uint32_t kHeadingFill = 0xCCFFFF;

// The time columns of the tab: GYMKHANA E, G, H; the others E, F.
std::vector<int32_t> SheetTimeColumns(RaceMode tab);
// The count columns: A (car) and D (penalty, false start or lap).
inline constexpr std::array<int32_t, 2> kSheetCountColumns{0, 3};

ResultSheet BuildResultSheet(const ResultTable& results, RaceMode tab);

// The name of the folder an export is written to, before its unique suffix: the result
// file's name without extension and the time, e.g. "NewResult-20240501-093005".
std::string ExportFolderStem(std::string_view resultFileName, std::string_view timeStamp);

}  // namespace vantrel
