#pragma once
// The printed standings' page geometry in printer pixels: padding, margins less the printer's
// physical offsets, line height, data lines per page, ranked rows and pages, column widths.
// Every conversion truncates toward zero.
// Thread rule: any thread (pure functions).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reports/rank_page.h"
#include "reports/text_grid.h"

namespace vantrel {

// Text extents in one font on the printer, in printer pixels.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int32_t Width(std::string_view text) const = 0;
    virtual int32_t Height(std::string_view text) const = 0;
};

struct PrinterMetrics {
    int32_t dpiX = 0;
    int32_t dpiY = 0;
    int32_t offsetX = 0;  // the printable area's offset from the paper's edge
    int32_t offsetY = 0;
    int32_t pageWidth = 0;  // printable area
    int32_t pageHeight = 0;
};

// [Printer] margins in millimetres.
struct PrintMargins {
    int32_t top = 15;
    int32_t bottom = 15;
    int32_t left = 20;
    int32_t right = 20;
};

struct PrintGeometry {
    int32_t padX = 0;
    int32_t padY = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t left = 0;
    int32_t right = 0;
    int32_t rowH = 0;
    int32_t rowsPerPage = 0;  // R: data lines under the heading line of a page
    int32_t last = 0;         // ranked rows
    int32_t pages = 0;        // N
    int32_t pageWidth = 0;
    int32_t pageHeight = 0;
    std::array<int32_t, RankPage::kColumns> templateWidths{};
    int32_t titleLines = 0;  // lines above the table's heading line (a class's title)
};

// One less than the first row whose "Car" cell is empty; 199 when every row holds a car.
int32_t RankedRows(const TextGrid& rank);

// The width templates of the columns; column 5 takes the heading text of column 6.
std::array<std::string, RankPage::kColumns> ColumnTemplates(const TextGrid& rank);

PrintGeometry ComputePrintGeometry(const PrinterMetrics& printer, const PrintMargins& margins,
                                   const TextGrid& rank, const TextMeasure& font);

// The geometry of one section of a print, `rank` being its table: its ranked rows and pages
// and, when `titled`, a title line above the table and one data line fewer on a page.
PrintGeometry SectionGeometry(const PrintGeometry& whole, const TextGrid& rank, bool titled);

// Whether a page holds the heading line, one data line and some of the table's width; a
// ranking is refused otherwise.
bool PageHoldsTable(const PrintGeometry& geometry);

// The table's width from the left margin: every column's template and padding.
int32_t TableWidth(const PrintGeometry& geometry);

// Whether the table ends inside the right margin.
bool TableFitsWidth(const PrintGeometry& geometry);

// The printer as seen through a drawing scaled by `scale`: resolution, offsets and page in
// the units of the unscaled drawing, so that millimetres stay millimetres on paper.
PrinterMetrics ScaledMetrics(const PrinterMetrics& printer, double scale);

struct ScaledFit {
    bool fits = false;
    double scale = 1;        // 1: the table fits as it is
    PrintGeometry geometry;  // in the units of the scaled drawing
};

// The largest scale, at most 1, at which the table fits between the margins and a page still
// holds it; `fits` is false when none does.
ScaledFit FitToWidth(const PrinterMetrics& printer, const PrintMargins& margins,
                     const TextGrid& rank, const TextMeasure& font);

// The footer's point size for a printer font of `size` points.
int32_t FooterPointSize(int32_t size);

// The page printed on each sheet, in order: with collate every copy is the whole document,
// without it each page is repeated `copies` times before the next.
std::vector<int32_t> SheetOrder(int32_t pages, int32_t copies, bool collate);

}  // namespace vantrel
