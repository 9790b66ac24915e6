#pragma once
// A read-only grid of texts, row 0 being the headings: what the record window's grids show,
// export and print.
// Thread rule: GUI thread only.

#include <cstdint>
#include <string>

#include "common/ui_text.h"

namespace vantrel {

// The context under which the grids look the headings up. The pages hold the headings as
// written (VANTREL_TEXT(kStandingsHeadingContext, ...).source), since the exported and
// printed pages keep them whatever the language.
inline constexpr char kStandingsHeadingContext[] = "standings heading";

class TextGrid {
public:
    virtual ~TextGrid() = default;
    virtual int32_t RowCount() const = 0;
    virtual int32_t ColumnCount() const = 0;
    // The text of a cell; "" outside the grid.
    virtual const std::string& Cell(int32_t column, int32_t row) const = 0;
};

}  // namespace vantrel
