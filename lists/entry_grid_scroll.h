#pragma once
// Where the entry grid scrolls when a car's row is selected for the operator.
// Thread rule: any thread (pure function).

#include <cstdint>

namespace vantrel {

// Top visible row of the entry grid after selecting `row`, so that a few rows around it stay
// in view: at or above the top row it scrolls to row - 3 (1 for rows below 4); below the last
// visible row it scrolls to row - visibleRows + 3.
int32_t EntryGridTopRow(int32_t row, int32_t topRow, int32_t visibleRows);

// Top visible row after the grid was asked to keep `row` in view: it scrolls just enough to
// show the whole row (to `row` when above, so that `row` is the last visible row when below).
int32_t EnsureRowVisibleTopRow(int32_t row, int32_t topRow, int32_t visibleRows);

}  // namespace vantrel
