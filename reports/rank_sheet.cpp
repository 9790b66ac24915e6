#include "reports/rank_sheet.h"

#include <algorithm>

#include "reports/rank_page.h"

namespace vantrel {

namespace {

// One table line at height y; returns the x where the line ends.
int32_t LayOutLine(const TextGrid& rank, const PrintGeometry& g, int32_t row, int32_t y,
                   const TextMeasure& font, RankSheet& sheet) {
    int32_t x = g.left;
    for (int32_t c = 0; c < RankPage::kColumns; ++c) {
        const std::string& text = rank.Cell(c, row);
        const int32_t tw = g.templateWidths[c];
        const int32_t textX = row == 0 || !RightAligned(c) ? x + g.padX : x + tw - font.Width(text);
        sheet.texts.push_back({textX, y + g.padY, text, false});
        x += tw + g.padX;
        sheet.lines.push_back({x, y, x, y + g.rowH, 1});
    }
    sheet.lines.push_back({g.left, y, x, y, 1});
    return x;
}

void LayOutFooter(const PrintGeometry& g, int32_t page, const TextMeasure& footerFont,
                  std::string_view dateLine, RankSheet& sheet) {
    const int32_t y = g.top + (g.titleLines + g.rowsPerPage + 1) * g.rowH + g.padY;
    sheet.texts.push_back({g.left, y, std::string(dateLine), true});
    const int32_t x = g.pageWidth - g.right - footerFont.Width("Page : WWW/WWW");
    sheet.texts.push_back(
        {x, y, "Page : " + std::to_string(page) + "/" + std::to_string(g.pages), true});
}

}  // namespace

std::string ClassTitle(std::string_view cls) {
    return "Class : " + std::string(cls);
}

bool RightAligned(int32_t column) {
    return column != RankPage::kName && column != RankPage::kModel;
}

RankSheet LayOutRankSheet(const TextGrid& rank, const PrintGeometry& g, int32_t page,
                          const TextMeasure& font, const TextMeasure& footerFont,
                          std::string_view dateLine, std::string_view title) {
    RankSheet sheet;
    if (g.titleLines > 0) {
        sheet.texts.push_back({g.left, g.top + g.padY, std::string(title), false});
    }
    const int32_t top = g.top + g.titleLines * g.rowH;
    const int32_t first = (page - 1) * g.rowsPerPage;
    const int32_t final = std::min(page * g.rowsPerPage, g.last);
    int32_t right = g.left;
    for (int32_t j = 0; first + j <= final; ++j) {
        const int32_t row = j == 0 ? 0 : first + j;
        right = LayOutLine(rank, g, row, top + j * g.rowH, font, sheet);
        sheet.tableLines = j + 1;
    }
    const int32_t bottom = top + sheet.tableLines * g.rowH;
    sheet.lines.push_back({g.left, top, right, top, 2});
    sheet.lines.push_back({right, top, right, bottom, 2});
    sheet.lines.push_back({right, bottom, g.left, bottom, 2});
    sheet.lines.push_back({g.left, bottom, g.left, top, 2});
    LayOutFooter(g, page, footerFont, dateLine, sheet);
    return sheet;
}

}  // namespace vantrel
