#include "lists/entry_grid_scroll.h"

#include <algorithm>

#include "common/race_mode.h"

namespace vantrel {

int32_t EntryGridTopRow(int32_t row, int32_t topRow, int32_t visibleRows) {
    int32_t top = topRow;
    if (row <= top) {
        top = row < 4 ? 1 : row - 3;
    }
    if (row > top + visibleRows - 1) {
        top = row - visibleRows + 3;
    }
    const int32_t lastTop = std::max(1, kMaxCarNumber - visibleRows + 1);
    return std::clamp(top, 1, lastTop);
}

int32_t EnsureRowVisibleTopRow(int32_t row, int32_t topRow, int32_t visibleRows) {
    if (row < topRow) {
        return row;
    }
    if (row > topRow + visibleRows - 1) {
        return row - visibleRows + 1;
    }
    return topRow;
}

}  // namespace vantrel
