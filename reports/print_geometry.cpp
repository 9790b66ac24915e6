#include "reports/print_geometry.h"

#include <algorithm>
#include <climits>

namespace vantrel {

namespace {
// Millimetres to pixels at `dpi`, less the printer's offset, never below 0.
int32_t MarginPixels(int32_t mm, int32_t dpi, int32_t offset) {
    const auto pixels = static_cast<int32_t>(mm * dpi / 25.4);
    return std::max(pixels - offset, 0);
}
}  // namespace

int32_t RankedRows(const TextGrid& rank) {
    for (int32_t row = 0; row < rank.RowCount(); ++row) {
        if (rank.Cell(RankPage::kCar, row).empty()) {
            return std::max(row - 1, 0);
        }
    }
    return RankPage::kRows - 1;
}

std::array<std::string, RankPage::kColumns> ColumnTemplates(const TextGrid& rank) {
    const std::string names(24, 'W');
    return {"WWWW",       "WWWW",       names, names, "000:00.000", rank.Cell(RankPage::kTotal, 0),
            "000:00.000", "+000:00.000"};
}

PrintGeometry ComputePrintGeometry(const PrinterMetrics& printer, const PrintMargins& margins,
                                   const TextGrid& rank, const TextMeasure& font) {
    PrintGeometry g;
    g.pageWidth = printer.pageWidth;
    g.pageHeight = printer.pageHeight;
    g.padX = static_cast<int32_t>(printer.dpiX / 25.4);
    g.padY = static_cast<int32_t>(printer.dpiY / 25.4 * 0.5);
    g.top = MarginPixels(margins.top, printer.dpiY, printer.offsetY);
    g.bottom = MarginPixels(margins.bottom, printer.dpiY, printer.offsetY);
    g.left = MarginPixels(margins.left, printer.dpiX, printer.offsetX);
    g.right = MarginPixels(margins.right, printer.dpiX, printer.offsetX);
    g.rowH = font.Height("W") + 2 * g.padY;
    g.rowsPerPage = g.rowH > 0 ? (g.pageHeight - g.top - g.bottom - 2) / g.rowH - 1 : 0;
    g.last = RankedRows(rank);
    g.pages = g.rowsPerPage >= 1 ? (g.last - 1) / g.rowsPerPage + 1 : 0;
    const auto templates = ColumnTemplates(rank);
    for (size_t c = 0; c < templates.size(); ++c) {
        g.templateWidths[c] = font.Width(templates[c]);
    }
    return g;
}

PrintGeometry SectionGeometry(const PrintGeometry& whole, const TextGrid& rank, bool titled) {
    PrintGeometry g = whole;
    const int32_t title = titled ? 1 : 0;
    g.rowsPerPage -= title - whole.titleLines;
    g.titleLines = title;
    g.last = RankedRows(rank);
    g.pages = g.rowsPerPage >= 1 ? (g.last - 1) / g.rowsPerPage + 1 : 0;
    return g;
}

bool PageHoldsTable(const PrintGeometry& geometry) {
    return geometry.rowH > 0 && geometry.rowsPerPage >= 1 &&
           geometry.left + geometry.right < geometry.pageWidth;
}

int32_t TableWidth(const PrintGeometry& geometry) {
    int64_t width = 0;
    for (int32_t templateWidth : geometry.templateWidths) {
        width += int64_t{templateWidth} + geometry.padX;
    }
    return static_cast<int32_t>(std::min<int64_t>(width, INT32_MAX));
}

bool TableFitsWidth(const PrintGeometry& geometry) {
    return int64_t{geometry.left} + TableWidth(geometry) <=
           int64_t{geometry.pageWidth} - geometry.right;
}

PrinterMetrics ScaledMetrics(const PrinterMetrics& printer, double scale) {
    const auto unscaled = [scale](int32_t value) { return static_cast<int32_t>(value / scale); };
    return {unscaled(printer.dpiX),    unscaled(printer.dpiY),      unscaled(printer.offsetX),
            unscaled(printer.offsetY), unscaled(printer.pageWidth), unscaled(printer.pageHeight)};
}

ScaledFit FitToWidth(const PrinterMetrics& printer, const PrintMargins& margins,
                     const TextGrid& rank, const TextMeasure& font) {
    ScaledFit fit{true, 1, ComputePrintGeometry(printer, margins, rank, font)};
    if (TableFitsWidth(fit.geometry)) {
        return fit;
    }
    // The templates shrink with the drawing; the margins and the padding keep their size.
    const PrintGeometry& whole = fit.geometry;
    const int64_t templates = TableWidth(whole) - int64_t{RankPage::kColumns} * whole.padX;
    const int64_t room = int64_t{whole.pageWidth} - whole.left - whole.right -
                         int64_t{RankPage::kColumns} * whole.padX;
    constexpr double kSmallest = 0.05;
    // Truncation to whole pixels can leave the first guess a pixel too wide: step down.
    for (double scale = templates > 0 ? static_cast<double>(room) / templates : 0;
         scale >= kSmallest; scale *= 0.995) {
        const PrintGeometry g =
            ComputePrintGeometry(ScaledMetrics(printer, std::min(scale, 1.0)), margins, rank, font);
        if (TableFitsWidth(g) && PageHoldsTable(g)) {
            return {true, std::min(scale, 1.0), g};
        }
    }
    fit.fits = false;
    return fit;
}

int32_t FooterPointSize(int32_t size) {
    return size < 12 ? 8 : size / 5 + 8;
}

std::vector<int32_t> SheetOrder(int32_t pages, int32_t copies, bool collate) {
    std::vector<int32_t> order;
    copies = std::max(copies, 1);
    for (int32_t outer = 0; outer < (collate ? copies : pages); ++outer) {
        for (int32_t inner = 0; inner < (collate ? pages : copies); ++inner) {
            order.push_back(collate ? inner + 1 : outer + 1);
        }
    }
    return order;
}

}  // namespace vantrel
