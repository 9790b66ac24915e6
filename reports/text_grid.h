#pragma once
// A read-only grid of texts, row 0 being the headings: what the record window's grids show,
// export and print.
// Thread rule: GUI thread only.

#include <cstdint>
#include <string>

namespace vantrel {

class TextGrid {
public:
    virtual ~TextGrid() = default;
    virtual int32_t RowCount() const = 0;
    virtual int32_t ColumnCount() const = 0;
    // The text of a cell; "" outside the grid.
    virtual const std::string& Cell(int32_t column, int32_t row) const = 0;
};

}  // namespace vantrel
