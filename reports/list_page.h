#pragma once
// The List page of the standings: one row per car (row n is car n) with name, model, total,
// laps or run number, best time, and the latest times newest first from column 6 on. The page
// starts with 9 columns and gains one column ("-3", "-4", ...) whenever a result arrives for a
// car whose row already fills the last column; it never loses columns.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reports/text_grid.h"

namespace vantrel {

class ListPage final : public TextGrid {
public:
    static constexpr int32_t kRows = 200;  // headings + cars 1..199
    static constexpr int32_t kInitialColumns = 9;
    enum Column : int32_t {
        kCar = 0,
        kName = 1,
        kModel = 2,
        kTotal = 3,
        kLap = 4,
        kBestLap = 5,
        kLast = 6,  // then "-1", "-2", ...
    };

    ListPage();

    int32_t RowCount() const override { return kRows; }
    int32_t ColumnCount() const override { return static_cast<int32_t>(headings_.size()); }
    const std::string& Cell(int32_t column, int32_t row) const override;

    // Rewrites the headings of columns 0-8; added headings stay.
    void WriteHeadings();
    // Empties every cell of rows 1-199 and writes the row number into column 0.
    void ClearRows();

    // Sets "Name", "Model", "Total", "Lap" or "BestLap" of a car's row.
    void SetText(Column column, int32_t car, std::string_view text);
    // Moves the row's times one column on (adding a column when the row fills the last one)
    // and puts `text` into "Last".
    void PushLast(int32_t car, std::string text);

    // For a page showing some rows of another (one class's cars): takes `from`'s headings
    // and empties every cell of rows 1-199, car numbers included.
    void StartSubsetOf(const ListPage& from);
    // Row `row` takes every cell of `from`'s row `fromRow`, car number and times included;
    // columns are added as the times need them.
    void CopyRow(int32_t row, const ListPage& from, int32_t fromRow);

    // Changes whenever one of columns 1-5 of the car's row changes; never repeats a value.
    uint64_t Stamp(int32_t car) const { return stamps_[car]; }

private:
    struct Row {
        std::array<std::string, kLast> fixed;  // columns 0-5
        std::vector<std::string> times;        // "Last" and older, oldest first
    };

    std::vector<std::string> headings_;
    std::array<Row, kRows> rows_;
    std::array<uint64_t, kRows> stamps_{};  // apart from the rows: the refill scans them all
    uint64_t clock_ = 0;
};

}  // namespace vantrel
