#pragma once
// One printed sheet of the standings as texts and lines in printer pixels: the ruled table
// of a page's lines (the heading line first), its 2-pixel frame and the footer.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reports/print_geometry.h"
#include "reports/text_grid.h"

namespace vantrel {

struct SheetText {
    int32_t x = 0;  // top-left of the text
    int32_t y = 0;
    std::string text;
    bool footer = false;  // drawn in the footer font
};

struct SheetLine {
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
    int32_t width = 1;
};

struct RankSheet {
    std::vector<SheetText> texts;
    std::vector<SheetLine> lines;
    int32_t tableLines = 0;  // the heading line included
};

// The title line above the table of one class's pages.
std::string ClassTitle(std::string_view cls);

// Whether a column's data is right-aligned (the heading line is always left-aligned).
bool RightAligned(int32_t column);

// Page `page` (1-based) of the ranking; `dateLine` is the footer's left text (date, time and
// the result file's caption); `title` goes on the title line when the geometry has one.
RankSheet LayOutRankSheet(const TextGrid& rank, const PrintGeometry& geometry, int32_t page,
                          const TextMeasure& font, const TextMeasure& footerFont,
                          std::string_view dateLine, std::string_view title = {});

}  // namespace vantrel
