#include "reports/xlsx_workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <system_error>

namespace vantrel {

namespace {

struct Formats {
    lxw_format* heading = nullptr;
    lxw_format* minutes = nullptr;
    lxw_format* seconds = nullptr;
    lxw_format* number = nullptr;
};

Formats MakeFormats(lxw_workbook* book) {
    Formats f;
    f.heading = workbook_add_format(book);
    format_set_pattern(f.heading, LXW_PATTERN_SOLID);
    format_set_bg_color(f.heading, kHeadingFill);
    f.minutes = workbook_add_format(book);
    format_set_num_format(f.minutes, kMinutesFormat);
    f.seconds = workbook_add_format(book);
    format_set_num_format(f.seconds, kSecondsFormat);
    // An explicit integer format: "General" would be the default style, which leaves the
    // column's time format in force on the cell.
    f.number = workbook_add_format(book);
    format_set_num_format(f.number, kIntegerFormat);
    return f;
}

lxw_error SetColumns(lxw_worksheet* ws, const ResultSheet& sheet, const Formats& f) {
    for (int32_t c = 0; c < kSheetColumns; ++c) {
        const bool time = std::find(sheet.timeColumns.begin(), sheet.timeColumns.end(), c) !=
                          sheet.timeColumns.end();
        const double width = sheet.widths[c] > 0 ? sheet.widths[c] : LXW_DEF_COL_WIDTH;
        if (!time && sheet.widths[c] <= 0) {
            continue;
        }
        const auto col = static_cast<lxw_col_t>(c);
        if (lxw_error e = worksheet_set_column(ws, col, col, width, time ? f.minutes : nullptr)) {
            return e;
        }
    }
    return LXW_NO_ERROR;
}

lxw_error WriteCell(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const SheetCell& cell,
                    const Formats& f) {
    lxw_format* heading = row == 0 ? f.heading : nullptr;
    switch (cell.kind) {
        case SheetCell::Kind::kEmpty:
            return heading ? worksheet_write_blank(ws, row, col, heading) : LXW_NO_ERROR;
        case SheetCell::Kind::kText:
            return worksheet_write_string(ws, row, col, cell.text.c_str(), heading);
        case SheetCell::Kind::kMinutes:
            return worksheet_write_number(ws, row, col, cell.value, f.minutes);
        case SheetCell::Kind::kSeconds:
            return worksheet_write_number(ws, row, col, cell.value, f.seconds);
        case SheetCell::Kind::kNumber:
            return worksheet_write_number(ws, row, col, cell.value, f.number);
    }
    return LXW_NO_ERROR;
}

lxw_error FillSheet(lxw_worksheet* ws, const ResultSheet& sheet, const Formats& f) {
    if (lxw_error e = SetColumns(ws, sheet, f)) {
        return e;
    }
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        for (int32_t c = 0; c < kSheetColumns; ++c) {
            const auto row = static_cast<lxw_row_t>(r);
            if (lxw_error e = WriteCell(ws, row, static_cast<lxw_col_t>(c), sheet.rows[r][c], f)) {
                return e;
            }
        }
    }
    return LXW_NO_ERROR;
}

WorkbookOutcome Failed(int message, std::string detail, const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return {false, message, std::move(detail)};
}

}  // namespace

WorkbookOutcome WriteResultWorkbook(const std::vector<ResultSheet>& sheets,
                                    const std::filesystem::path& path) {
    if (std::filesystem::exists(path)) {
        return {false, 127, path.string() + ": already exists"};
    }
    lxw_workbook* book = workbook_new(path.string().c_str());
    if (!book) {
        return Failed(127, path.string() + ": the workbook could not be created", path);
    }
    const Formats formats = MakeFormats(book);
    for (const ResultSheet& sheet : sheets) {
        lxw_worksheet* ws = workbook_add_worksheet(book, sheet.name.c_str());
        if (!ws) {
            lxw_workbook_free(book);
            return Failed(128, sheet.name, path);
        }
        const lxw_error filled = FillSheet(ws, sheet, formats);
        if (filled != LXW_NO_ERROR) {
            lxw_workbook_free(book);
            return Failed(127, lxw_strerror(filled), path);
        }
    }
    const lxw_error closed = workbook_close(book);  // frees the workbook
    if (closed != LXW_NO_ERROR) {
        return Failed(127, path.string() + ": " + lxw_strerror(closed), path);
    }
    return {true, 0, {}};
}

WorkbookOutcome WriteResultWorkbook(const ResultSheet& sheet, const std::filesystem::path& path) {
    return WriteResultWorkbook(std::vector<ResultSheet>{sheet}, path);
}

}  // namespace vantrel
