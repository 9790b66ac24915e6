#include "reports/result_sheet.h"

#include <algorithm>

namespace vantrel {

namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int64_t Digits(std::string_view text) {
    int64_t value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

constexpr double kMsPerDay = 86400000.0;
constexpr size_t kMaxDigits = 9;  // keeps every value inside int64 arithmetic

// Digits as the integer format shows them again: no leading zero but in "0" itself.
bool PlainInteger(std::string_view text) {
    return AllDigits(text) && text.size() <= kMaxDigits && (text.size() == 1 || text[0] != '0');
}

// A minutes or seconds part as a two-digit format shows it again: at least two digits, a
// leading zero only when there are exactly two.
bool PaddedPart(std::string_view text) {
    return AllDigits(text) && text.size() >= 2 && text.size() <= kMaxDigits &&
           (text.size() == 2 || text[0] != '0');
}

SheetCell TextCell(std::string_view text) {
    return {text.empty() ? SheetCell::Kind::kEmpty : SheetCell::Kind::kText, std::string(text), 0};
}

}  // namespace

std::string ResultSheetText(const ResultTable& results) {
    std::string text;
    for (int32_t row = 0; row < results.RowCount(); ++row) {
        for (int32_t c = 0; c < kSheetColumns; ++c) {
            if (c > 0) {
                text += '\t';
            }
            text += results.Cell(c, row);
        }
        text += "\r\n";
    }
    return text;
}

SheetCell TimeColumnCell(std::string_view text) {
    SheetCell cell = TextCell(text);
    const size_t point = text.find('.');
    const size_t colon = text.find(':');
    if (point == std::string_view::npos && colon == std::string_view::npos) {
        return CountColumnCell(text);
    }
    if (point == std::string_view::npos || text.size() != point + 4 ||
        !AllDigits(text.substr(point + 1))) {
        return cell;
    }
    const int64_t millis = Digits(text.substr(point + 1));
    if (colon == std::string_view::npos) {
        const std::string_view seconds = text.substr(0, point);
        if (PaddedPart(seconds)) {
            cell.kind = SheetCell::Kind::kSeconds;
            cell.value = static_cast<double>(Digits(seconds) * 1000 + millis) / 1000.0;
        }
        return cell;
    }
    const std::string_view minutes = text.substr(0, colon);
    const std::string_view seconds = text.substr(colon + 1, point - colon - 1);
    if (PaddedPart(minutes) && seconds.size() == 2 && AllDigits(seconds) && Digits(seconds) < 60) {
        cell.kind = SheetCell::Kind::kMinutes;
        const int64_t ms = Digits(minutes) * 60000 + Digits(seconds) * 1000 + millis;
        cell.value = static_cast<double>(ms) / kMsPerDay;
    }
    return cell;
}

SheetCell CountColumnCell(std::string_view text) {
    SheetCell cell = TextCell(text);
    if (PlainInteger(text)) {
        cell.kind = SheetCell::Kind::kNumber;
        cell.value = static_cast<double>(Digits(text));
    }
    return cell;
}

std::vector<int32_t> SheetTimeColumns(RaceMode tab) {
    if (tab == RaceMode::kGymkhana) {
        return {4, 6, 7};
    }
    return {4, 5};
}

ResultSheet BuildResultSheet(const ResultTable& results, RaceMode tab) {
    ResultSheet sheet;
    sheet.timeColumns = SheetTimeColumns(tab);
    sheet.rows.resize(static_cast<size_t>(results.RowCount()));
    const auto holds = [](const auto& columns, int32_t c) {
        return std::find(columns.begin(), columns.end(), c) != columns.end();
    };
    for (int32_t row = 0; row < results.RowCount(); ++row) {
        for (int32_t c = 0; c < kSheetColumns; ++c) {
            const std::string& text = results.Cell(c, row);
            SheetCell cell = row == 0                       ? TextCell(text)
                             : holds(sheet.timeColumns, c)  ? TimeColumnCell(text)
                             : holds(kSheetCountColumns, c) ? CountColumnCell(text)
                                                            : TextCell(text);
            sheet.rows[row][c] = std::move(cell);
        }
    }
    return sheet;
}

std::string ExportFolderStem(std::string_view resultFileName, std::string_view timeStamp) {
    std::string stem(resultFileName);
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        stem.erase(dot);
    }
    // A name from the list file is a bare file name; anything that would leave the folder
    // or reads badly in a path is replaced.
    for (char& c : stem) {
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) {
            c = '_';
        }
    }
    if (stem.empty() || stem == "." || stem == "..") {
        stem = "Result";
    }
    return stem + "-" + std::string(timeStamp);
}

}  // namespace vantrel
