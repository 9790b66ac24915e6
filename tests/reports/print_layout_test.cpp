// The printed standings' geometry and sheets, measured with a font of fixed-width letters.
#include <gtest/gtest.h>

#include <algorithm>

#include "reports/print_geometry.h"
#include "reports/rank_page.h"
#include "reports/rank_sheet.h"

namespace vantrel {
namespace {

// Every character 10 pixels wide, every text 20 pixels high.
class FixedMeasure final : public TextMeasure {
public:
    explicit FixedMeasure(int32_t charWidth = 10) : charWidth_(charWidth) {}
    int32_t Width(std::string_view text) const override {
        return static_cast<int32_t>(text.size()) * charWidth_;
    }
    int32_t Height(std::string_view) const override { return 20; }

private:
    int32_t charWidth_;
};

RankPage Ranked(int32_t cars) {
    RankPage rank;
    for (int32_t row = 1; row <= cars; ++row) {
        rank.SetCell(RankPage::kCar, row, std::to_string(row + 10));
        rank.SetCell(RankPage::kName, row, "Driver " + std::to_string(row));
        rank.SetCell(RankPage::kTotal, row, "01:02.345");
    }
    return rank;
}

// 254 dpi: 1 mm is 10 pixels.
constexpr PrinterMetrics kPrinter{254, 254, 0, 0, 2000, 3000};

TEST(PrintGeometryTest, PageGeometryFromResolutionMarginsAndFont) {
    const RankPage rank = Ranked(3);
    const FixedMeasure font;
    PrintGeometry g = ComputePrintGeometry(kPrinter, PrintMargins{}, rank, font);
    EXPECT_EQ(g.padX, 10);
    EXPECT_EQ(g.padY, 5);
    EXPECT_EQ(g.top, 150);
    EXPECT_EQ(g.bottom, 150);
    EXPECT_EQ(g.left, 200);
    EXPECT_EQ(g.right, 200);
    EXPECT_EQ(g.rowH, 30);
    EXPECT_EQ(g.rowsPerPage, (3000 - 300 - 2) / 30 - 1);
    EXPECT_EQ(g.last, 3);
    EXPECT_EQ(g.pages, 1);
    const std::array<int32_t, 8> widths{40, 40, 240, 240, 100, 50, 100, 110};
    EXPECT_EQ(g.templateWidths, widths);  // column 5 is as wide as "Total"

    // The printer's physical offsets come off the margins, never below 0; 300 dpi truncates.
    PrinterMetrics offset{300, 300, 100, 80, 2400, 3400};
    g = ComputePrintGeometry(offset, PrintMargins{1, 15, 20, 5}, rank, font);
    EXPECT_EQ(g.padX, 11);
    EXPECT_EQ(g.padY, 5);
    EXPECT_EQ(g.top, 0);            // 11 - 80
    EXPECT_EQ(g.bottom, 177 - 80);  // 15 mm = 177.1
    EXPECT_EQ(g.left, 236 - 100);   // 20 mm = 236.2
    EXPECT_EQ(g.right, 0);          // 59 - 100
    EXPECT_TRUE(PageHoldsTable(g));
}

TEST(PrintGeometryTest, RankedRowsAndPages) {
    EXPECT_EQ(RankedRows(RankPage()), 0);
    EXPECT_EQ(RankedRows(Ranked(1)), 1);
    EXPECT_EQ(RankedRows(Ranked(199)), 199);
    const FixedMeasure font;
    // A page of exactly 5 data lines: R, R + 1 and 199 rows.
    const PrinterMetrics small{254, 254, 0, 0, 2000, 300 + 2 + 6 * 30};
    EXPECT_EQ(ComputePrintGeometry(small, {}, Ranked(5), font).rowsPerPage, 5);
    EXPECT_EQ(ComputePrintGeometry(small, {}, Ranked(5), font).pages, 1);
    EXPECT_EQ(ComputePrintGeometry(small, {}, Ranked(6), font).pages, 2);
    EXPECT_EQ(ComputePrintGeometry(small, {}, Ranked(199), font).pages, 40);
    // A page a pixel short holds one line less.
    const PrinterMetrics shorter{254, 254, 0, 0, 2000, 300 + 1 + 6 * 30};
    EXPECT_EQ(ComputePrintGeometry(shorter, {}, Ranked(5), font).rowsPerPage, 4);
}

TEST(PrintGeometryTest, PagesTooSmallAreRefused) {
    const FixedMeasure font;
    // Room for the heading line only.
    const PrinterMetrics oneLine{254, 254, 0, 0, 2000, 300 + 2 + 59};
    PrintGeometry g = ComputePrintGeometry(oneLine, {}, Ranked(3), font);
    EXPECT_EQ(g.rowsPerPage, 0);
    EXPECT_FALSE(PageHoldsTable(g));
    // Margins taller or wider than the page.
    g = ComputePrintGeometry(kPrinter, PrintMargins{200, 200, 20, 20}, Ranked(3), font);
    EXPECT_LT(g.rowsPerPage, 1);
    EXPECT_FALSE(PageHoldsTable(g));
    g = ComputePrintGeometry(kPrinter, PrintMargins{15, 15, 100, 100}, Ranked(3), font);
    EXPECT_FALSE(PageHoldsTable(g));
    // A font taller than the page.
    class Tall final : public TextMeasure {
        int32_t Width(std::string_view) const override { return 1; }
        int32_t Height(std::string_view) const override { return 5000; }
    } tall;
    EXPECT_FALSE(PageHoldsTable(ComputePrintGeometry(kPrinter, {}, Ranked(3), tall)));
}

TEST(PrintGeometryTest, FooterSizeAndSheetOrder) {
    EXPECT_EQ(FooterPointSize(6), 8);
    EXPECT_EQ(FooterPointSize(10), 8);
    EXPECT_EQ(FooterPointSize(11), 8);
    EXPECT_EQ(FooterPointSize(12), 10);
    EXPECT_EQ(FooterPointSize(20), 12);
    EXPECT_EQ(FooterPointSize(72), 22);
    EXPECT_EQ(SheetOrder(2, 2, false), (std::vector<int32_t>{1, 1, 2, 2}));
    EXPECT_EQ(SheetOrder(2, 2, true), (std::vector<int32_t>{1, 2, 1, 2}));
    EXPECT_EQ(SheetOrder(3, 1, false), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(SheetOrder(1, 0, true), (std::vector<int32_t>{1}));
}

const SheetText* FindText(const RankSheet& sheet, const std::string& text) {
    auto it = std::find_if(sheet.texts.begin(), sheet.texts.end(),
                           [&](const SheetText& t) { return t.text == text; });
    return it == sheet.texts.end() ? nullptr : &*it;
}

TEST(RankSheetTest, RuledTableWithHeadingLineFrameAndFooter) {
    const FixedMeasure font;
    const FixedMeasure footer(5);
    const PrinterMetrics small{254, 254, 0, 0, 2000, 300 + 2 + 6 * 30};
    const RankPage rank = Ranked(6);
    const PrintGeometry g = ComputePrintGeometry(small, {}, rank, font);
    ASSERT_EQ(g.pages, 2);

    const RankSheet second = LayOutRankSheet(rank, g, 2, font, footer, "2024/05/01 x ");
    EXPECT_EQ(second.tableLines, 2);  // the heading line and rank 6
    const SheetText* heading = FindText(second, "Car");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->x, 200 + 40 + 10 + 10);  // left-aligned after the Rank column
    EXPECT_EQ(heading->y, 150 + 5);
    // Data right-aligned to the template's end; names left-aligned.
    const SheetText* car = FindText(second, "16");
    ASSERT_NE(car, nullptr);
    EXPECT_EQ(car->x + 20, 200 + 50 + 40);
    EXPECT_EQ(car->y, 150 + 30 + 5);
    const SheetText* name = FindText(second, "Driver 6");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 200 + 50 + 50 + 10);
    EXPECT_EQ(FindText(second, "Driver 5"), nullptr);
    // 8 column rules and a top edge per line, then the frame in 2 pixels.
    ASSERT_EQ(second.lines.size(), 2u * 9 + 4);
    const int32_t right = 200 + 920 + 8 * 10;
    const SheetLine& frameRight = second.lines[2 * 9 + 1];
    EXPECT_EQ(frameRight.width, 2);
    EXPECT_EQ(frameRight.x1, right);
    EXPECT_EQ(frameRight.y2, 150 + 2 * 30);
    // The footer sits below a full page's table whatever this page holds.
    const SheetText* date = FindText(second, "2024/05/01 x ");
    ASSERT_NE(date, nullptr);
    EXPECT_TRUE(date->footer);
    EXPECT_EQ(date->x, 200);
    EXPECT_EQ(date->y, 150 + 6 * 30 + 5);
    const SheetText* page = FindText(second, "Page : 2/2");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->x, 2000 - 200 - 14 * 5);
    EXPECT_EQ(page->y, date->y);

    const RankSheet firstSheet = LayOutRankSheet(rank, g, 1, font, footer, "");
    EXPECT_EQ(firstSheet.tableLines, 6);
    EXPECT_NE(FindText(firstSheet, "Driver 5"), nullptr);
    EXPECT_EQ(FindText(firstSheet, "Driver 6"), nullptr);
    EXPECT_NE(FindText(firstSheet, "Page : 1/2"), nullptr);
}

// A class's pages: a title line above the table, one data line fewer per page, the footer
// where it always is; a section's pages count its own ranked rows.
TEST(RankSheetTest, TitledSectionTakesALineForTheClass) {
    const FixedMeasure font;
    const PrinterMetrics small{254, 254, 0, 0, 2000, 300 + 2 + 6 * 30};
    const PrintGeometry whole = ComputePrintGeometry(small, {}, Ranked(1), font);
    ASSERT_EQ(whole.rowsPerPage, 5);
    const RankPage rank = Ranked(6);
    const PrintGeometry g = SectionGeometry(whole, rank, true);
    EXPECT_EQ(g.rowsPerPage, 4);
    EXPECT_EQ(g.pages, 2);
    EXPECT_EQ(SectionGeometry(g, rank, true).rowsPerPage, 4);  // titled once only
    EXPECT_EQ(SectionGeometry(g, Ranked(5), false).pages, 1);

    const RankSheet first = LayOutRankSheet(rank, g, 1, font, font, "date ", ClassTitle("PN1"));
    const SheetText* title = FindText(first, "Class : PN1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->y, 150 + 5);
    EXPECT_EQ(FindText(first, "Car")->y, 150 + 30 + 5);
    EXPECT_EQ(FindText(first, "Driver 5"), nullptr);
    EXPECT_EQ(FindText(first, "date ")->y, 150 + 6 * 30 + 5);
    const RankSheet second = LayOutRankSheet(rank, g, 2, font, font, "", ClassTitle("PN1"));
    EXPECT_EQ(second.tableLines, 3);  // the heading line, ranks 5 and 6
    EXPECT_EQ(second.lines[second.lines.size() - 3].y2, 150 + 30 + 3 * 30);  // the frame
    EXPECT_EQ(FindText(LayOutRankSheet(rank, whole, 1, font, font, "", "x"), "x"), nullptr);
}

TEST(RankSheetTest, LongNamesRunOnUnclipped) {
    RankPage rank = Ranked(1);
    const std::string longName(100, 'N');
    rank.SetCell(RankPage::kName, 1, longName);
    const FixedMeasure font;
    const PrintGeometry g = ComputePrintGeometry(kPrinter, {}, rank, font);
    const RankSheet sheet = LayOutRankSheet(rank, g, 1, font, font, "");
    const SheetText* name = FindText(sheet, longName);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 200 + 50 + 50 + 10);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// Over random page widths and letter widths: a table that fits is left as it is; one that
// does not is scaled to within a step of the largest scale that fits, with the margins and the
// padding keeping their size on paper.
TEST(PrintGeometryTest, FitToWidthFindsTheLargestScaleThatFits) {
    const RankPage rank = Ranked(30);
    for (int32_t pageWidth = 900; pageWidth <= 4000; pageWidth += 77) {
        for (int32_t charWidth : {4, 9, 10, 17, 30}) {
            SCOPED_TRACE(std::to_string(pageWidth) + " " + std::to_string(charWidth));
            const FixedMeasure font(charWidth);
            const PrinterMetrics printer{254, 254, 0, 0, pageWidth, 3000};
            const ScaledFit fit = FitToWidth(printer, PrintMargins{}, rank, font);
            const PrintGeometry whole = ComputePrintGeometry(printer, PrintMargins{}, rank, font);
            ASSERT_TRUE(fit.fits);
            if (TableFitsWidth(whole)) {
                EXPECT_EQ(fit.scale, 1);
                continue;
            }
            ASSERT_LT(fit.scale, 1);
            EXPECT_TRUE(TableFitsWidth(fit.geometry));
            const auto paper = [&](int32_t units) { return units * fit.scale; };
            EXPECT_NEAR(paper(fit.geometry.left), whole.left, 2.5);  // whole pixels truncated twice
            EXPECT_NEAR(paper(fit.geometry.padX), whole.padX, 2.5);
            EXPECT_NEAR(paper(fit.geometry.pageWidth), pageWidth, 2.5);
            EXPECT_GE(fit.geometry.rowsPerPage, whole.rowsPerPage);
            const double tableOnPaper = paper(fit.geometry.left + TableWidth(fit.geometry));
            EXPECT_GT(tableOnPaper, (pageWidth - whole.right) * 0.98);
        }
    }
    // Margins that leave no room fit at no scale.
    const ScaledFit none =
        FitToWidth({254, 254, 0, 0, 500, 3000}, PrintMargins{15, 15, 24, 24}, rank, FixedMeasure());
    EXPECT_FALSE(none.fits);
}

}  // namespace
}  // namespace vantrel
