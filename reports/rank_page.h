#pragma once
// The Rank page of the standings: 200 rows (headings + ranks 1-199) of 8 columns; column 0
// of each data row holds the rank, which is the row number.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "reports/text_grid.h"

namespace vantrel {

class RankPage final : public TextGrid {
public:
    static constexpr int32_t kRows = 200;
    static constexpr int32_t kColumns = 8;
    enum Column : int32_t {
        kRank = 0,
        kCar = 1,
        kName = 2,
        kModel = 3,
        kBestLap = 4,
        kLap = 5,
        kTotal = 6,
        kBehind = 7,
    };

    RankPage();

    int32_t RowCount() const override { return kRows; }
    int32_t ColumnCount() const override { return kColumns; }
    const std::string& Cell(int32_t column, int32_t row) const override;

    void WriteHeadings();
    // Empties every cell of rows 1-199 and writes the row number into column 0.
    void ClearRows();
    // Sets a cell of columns 1-7 of rows 1-199; other cells are ignored.
    void SetCell(Column column, int32_t row, std::string_view text);

private:
    std::array<std::array<std::string, kColumns>, kRows> cells_;
};

}  // namespace vantrel
