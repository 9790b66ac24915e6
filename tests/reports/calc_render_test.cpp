// The exported workbook opened in a real spreadsheet: random result lists of every race mode
// in every time style go through LibreOffice Calc, and every cell it shows must read exactly
// as the result grid shows it.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "common/time_text.h"
#include "reports/calc_convert.h"
#include "reports/class_standings.h"
#include "reports/result_sheet.h"
#include "reports/result_sheet_classes.h"
#include "reports/xlsx_workbook.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using Row = std::vector<std::string>;

struct Style {
    const char* name;
    RaceMode mode;
    TimeFormat format;
};

// The time styles: minutes on GYMKHANA and CIRCUIT, seconds on DRAG, milliseconds on each.
constexpr Style kStyles[] = {
    {"gymkhana-minutes", RaceMode::kGymkhana, TimeFormat::kMinutesSeconds},
    {"gymkhana-ms", RaceMode::kGymkhana, TimeFormat::kMilliseconds},
    {"drag-seconds", RaceMode::kDrag, TimeFormat::kMinutesSeconds},
    {"drag-ms", RaceMode::kDrag, TimeFormat::kMilliseconds},
    {"circuit-minutes", RaceMode::kCircuit, TimeFormat::kMinutesSeconds},
    {"circuit-ms", RaceMode::kCircuit, TimeFormat::kMilliseconds},
};

class Rows {
public:
    Rows(uint32_t seed, const Style& style) : rng_(seed), style_(style) {}

    Row Next() {
        switch (style_.mode) {
            case RaceMode::kGymkhana:
                return Gymkhana();
            case RaceMode::kDrag:
                return Drag();
            case RaceMode::kCircuit:
                break;
        }
        return {Car(), Name(), Model(), Int(1, 99), Time(), Time()};
    }

private:
    std::string Int(int lo, int hi) {
        return std::to_string(std::uniform_int_distribution<int>(lo, hi)(rng_));
    }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(rng_)];
    }
    bool OneIn(int n) { return std::uniform_int_distribution<int>(1, n)(rng_) == 1; }
    std::string Car() { return Int(1, 199); }
    std::string Name() {
        return Pick<std::string>({"山田 太郎", "Suzuki", "ｽｽﾞｷ ｲﾁﾛｳ", "O'Brien", "\"Quick\" Ken",
                                  "86", "", "Müller", "=1+1", "0012"});
    }
    std::string Model() { return Pick<std::string>({"AE86", "EK9", "ｼﾋﾞｯｸ", "S2000", "", "911"}); }
    // A time of any size the grid meets: under a second up to past a hundred minutes.
    std::string Time() {
        const int32_t limit = Pick<int32_t>({999, 59999, 3599999, 7200000, 36000000});
        const int32_t ms = std::uniform_int_distribution<int32_t>(0, limit)(rng_);
        return FormatRaceTime(ms, style_.format, style_.mode == RaceMode::kDrag);
    }
    std::string MaybeTime() { return OneIn(4) ? std::string() : Time(); }
    std::string Speed(const char* unit) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f%s",
                      std::uniform_real_distribution<double>(1, 300)(rng_), unit);
        return text;
    }
    Row Gymkhana() {
        Row row{Car(),       Name(),
                Model(),     Pick<std::string>({"", "MC", "1", "2", "12"}),
                Time(),      Pick<std::string>({"", "", "(ﾚｸﾁｬｰ)"}),
                MaybeTime(), MaybeTime(),
                Int(1, 30)};
        if (OneIn(6)) {  // a time-out: the limit in milliseconds, whatever the style
            row[3] = "MC";
            row[4] = std::to_string(std::uniform_int_distribution<int>(1, 60)(rng_) * 60000);
            row[5] = OneIn(2) ? "(Timeout)" : "(Timeout)(ﾚｸﾁｬｰ)";
        }
        if (row[7].empty() && OneIn(2)) {
            row[7] = Speed("km/h");
        }
        return row;
    }
    Row Drag() {
        return {Car(),  Name(),      Model(),     OneIn(3) ? "Fly" : "", Time(),
                Time(), MaybeTime(), MaybeTime(), MaybeTime(),           MaybeTime(),
                Time(), Speed(""),   Int(1, 9)};
    }

    std::mt19937 rng_;
    Style style_;
};

ResultTable RandomList(uint32_t seed, const Style& style, int rows) {
    Rows make(seed, style);
    std::vector<Row> all;
    for (int i = 0; i < rows; ++i) {
        all.push_back(make.Next());
    }
    ResultTable table(style.mode);
    table.SetRows(std::move(all));
    return table;
}

// Every cell Calc shows against the grid's text; the first differences are reported.
void ExpectShownAsTheGrid(const ResultTable& grid, const std::string& csv, const char* name) {
    const std::vector<std::vector<std::string>> shown = test::ParseCsv(csv);
    // Calc leaves out empty rows at the end.
    ASSERT_GE(shown.size(), 1u) << name;
    ASSERT_LE(static_cast<int32_t>(shown.size()), grid.RowCount()) << name << "\n" << csv;
    int differences = 0;
    for (int32_t row = 0; row < grid.RowCount(); ++row) {
        const std::vector<std::string> line =
            static_cast<size_t>(row) < shown.size() ? shown[static_cast<size_t>(row)] : Row{};
        EXPECT_LE(line.size(), static_cast<size_t>(kSheetColumns)) << name << " row " << row;
        for (int32_t c = 0; c < kSheetColumns && differences < 10; ++c) {
            const std::string cell = static_cast<size_t>(c) < line.size() ? line[c] : "";
            if (cell != grid.Cell(c, row)) {
                ++differences;
                ADD_FAILURE() << name << " row " << row << " column " << c << ": Calc shows \""
                              << cell << "\", the grid \"" << grid.Cell(c, row) << "\"";
            }
        }
    }
}

TEST(CalcRenderTest, EveryModeAndTimeStyleReadsInCalcAsInTheGrid) {
    const std::optional<std::filesystem::path> soffice = test::FindOnPath("soffice");
    if (!soffice) {
        GTEST_SKIP() << "LibreOffice is not installed (soffice not on PATH; Debian package "
                        "libreoffice-calc-nogui): the workbooks were not opened in a spreadsheet";
    }
    const uint32_t seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    test::TempDir dir;
    std::vector<ResultTable> grids;
    std::vector<std::filesystem::path> books;
    for (const Style& style : kStyles) {
        grids.push_back(RandomList(seed + static_cast<uint32_t>(books.size()), style, 60));
        books.push_back(dir / (std::string(style.name) + ".xlsx"));
        const WorkbookOutcome out =
            WriteResultWorkbook(BuildResultSheet(grids.back(), style.mode), books.back());
        ASSERT_TRUE(out.ok) << out.detail;
    }
    // An empty list is its heading row and one empty row.
    grids.emplace_back(RaceMode::kCircuit);
    books.push_back(dir / "empty.xlsx");
    ASSERT_TRUE(
        WriteResultWorkbook(BuildResultSheet(grids.back(), RaceMode::kCircuit), books.back()).ok);
    std::filesystem::create_directory(dir / "csv");
    const test::CalcRun run = test::ConvertWithCalc(*soffice, books, dir / "csv", dir.Path());
    ASSERT_TRUE(run.ok) << run.log;
    for (size_t i = 0; i < books.size(); ++i) {
        const std::filesystem::path csv = dir / "csv" / books[i].stem().replace_extension(".csv");
        ASSERT_TRUE(std::filesystem::exists(csv)) << csv << "\n" << run.log;
        ExpectShownAsTheGrid(grids[i], test::ReadBytes(csv), books[i].stem().c_str());
    }
}

// Random classes, some with names a sheet cannot hold as they are: every sheet of the workbook
// opened in Calc, the result sheet showing the whole list and each class sheet the rows of
// that class's cars, in order, as the grid shows them.
TEST(CalcRenderTest, EveryClassSheetReadsInCalcAsItsRowsOfTheGrid) {
    const std::optional<std::filesystem::path> soffice = test::FindOnPath("soffice");
    if (!soffice) {
        GTEST_SKIP() << "LibreOffice is not installed (soffice not on PATH; Debian package "
                        "libreoffice-calc-nogui): the workbooks were not opened in a spreadsheet";
    }
    const uint32_t seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::vector<std::string> classes = {"PN1", "SA", "N/2", "ｸﾗｽA", "sheet1", "[B]"};
    test::TempDir dir;
    struct Book {
        std::filesystem::path path;
        std::vector<ResultSheet> sheets;
        std::vector<ResultTable> grids;
    };
    std::vector<Book> books;
    for (const Style& style : {kStyles[0], kStyles[2], kStyles[4]}) {
        EntryTable entries;
        for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
            const size_t c = std::uniform_int_distribution<size_t>(0, classes.size())(rng);
            entries.SetCell(EntryTable::kClass, car, c < classes.size() ? classes[c] : "");
        }
        Book book;
        const ResultTable all = RandomList(seed + static_cast<uint32_t>(books.size()), style, 40);
        book.grids.push_back(all);
        // The class grids, built here from the list and the classes.
        for (const std::string& cls : ClassesOf(entries)) {
            std::vector<Row> rows;
            for (int32_t row = 1; row < all.RowCount(); ++row) {
                if (entries.Class(std::stoi(all.Cell(0, row))) == cls) {
                    rows.push_back(all.Row(row));
                }
            }
            book.grids.emplace_back(style.mode);
            book.grids.back().SetRows(std::move(rows));
        }
        book.sheets = BuildResultWorkbook(all, style.mode, entries);
        ASSERT_EQ(book.sheets.size(), book.grids.size());
        book.path = dir / (std::string(style.name) + ".xlsx");
        const WorkbookOutcome out = WriteResultWorkbook(book.sheets, book.path);
        ASSERT_TRUE(out.ok) << out.detail;
        books.push_back(std::move(book));
    }
    std::vector<std::filesystem::path> paths;
    for (const Book& book : books) {
        paths.push_back(book.path);
    }
    std::filesystem::create_directory(dir / "csv");
    const test::CalcRun run = test::ConvertWithCalc(*soffice, paths, dir / "csv", dir.Path(), true);
    ASSERT_TRUE(run.ok) << run.log;
    for (const Book& book : books) {
        for (size_t i = 0; i < book.sheets.size(); ++i) {
            const std::string name = book.path.stem().string() + "-" + book.sheets[i].name;
            const std::filesystem::path csv = dir / "csv" / (name + ".csv");
            ASSERT_TRUE(std::filesystem::exists(csv)) << csv << "\n" << run.log;
            ExpectShownAsTheGrid(book.grids[i], test::ReadBytes(csv), name.c_str());
        }
    }
}

}  // namespace
}  // namespace vantrel
