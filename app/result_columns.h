#pragma once
// Column widths of the entry and result grids for the display font, by race mode. Text
// widths are measured by the window with the grid's font and handed in.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <vector>

#include "common/race_mode.h"

namespace vantrel {

struct GridTextWidths {
    int32_t car = 20;          // "Car"
    int32_t clockTime = 50;    // "00:00.000"
    int32_t dragTime = 35;     // "00.000"
    int32_t dragSpeed = 42;    // "000.000"
    int32_t circuitTime = 56;  // "000:00.000"
};

struct GridColumns {
    int32_t entryCar = 0;         // entry columns 0 and 3
    std::vector<int32_t> result;  // every result column; "Name" and "Model" (1, 2) are
                                  // set by the resize routine and hold 0 here
    int32_t resultGridFixedWidth = 0;
};

GridColumns ComputeGridColumns(RaceMode mode, const GridTextWidths& text);

}  // namespace vantrel
