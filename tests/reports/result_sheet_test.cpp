// The result list as text for the clipboard and as a workbook: what goes into each cell, and
// the workbook as written and read back.
#include <gtest/gtest.h>

#include <cmath>

#include "reports/result_sheet.h"
#include "reports/xlsx_reader.h"
#include "reports/xlsx_workbook.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

using Kind = SheetCell::Kind;

ResultTable GymkhanaRuns() {
    ResultTable table(RaceMode::kGymkhana);
    table.SetRows({{"12", "山田 太郎", "AE86", "0", "01:05.123", "", "00:20.001", "00:40.002", "1"},
                   {"7", "Suzuki", "EK9", "2", "MC", "MC", "", "", "1"},
                   {"12", "山田 太郎", "AE86", "1", "65:00.000", "", "10:00.500", "Fly", "2"}});
    return table;
}

TEST(ResultSheetTest, TabSeparatedTextOfTheFirstEightColumns) {
    const std::string text = ResultSheetText(GymkhanaRuns());
    EXPECT_EQ(text,
              "Car\tName\tModel\tPen\tTime\tComment\tSplit1\tSplit2\r\n"
              "12\t山田 太郎\tAE86\t0\t01:05.123\t\t00:20.001\t00:40.002\r\n"
              "7\tSuzuki\tEK9\t2\tMC\tMC\t\t\r\n"
              "12\t山田 太郎\tAE86\t1\t65:00.000\t\t10:00.500\tFly\r\n");
    // CIRCUIT has six columns: the last two go as empty fields; an empty list is one row.
    const ResultTable circuit(RaceMode::kCircuit);
    EXPECT_EQ(ResultSheetText(circuit),
              "Car\tName\tModel\tLap\tLap time\tTotal\t\t\r\n\t\t\t\t\t\t\t\r\n");
}

TEST(ResultSheetTest, TimeTextsBecomeTimesAndOtherTextsStayText) {
    SheetCell cell = TimeColumnCell("65:00.000");
    EXPECT_EQ(cell.kind, Kind::kMinutes);
    EXPECT_DOUBLE_EQ(cell.value * 86400000.0, 3900000.0);
    cell = TimeColumnCell("123:04.005");
    EXPECT_EQ(cell.kind, Kind::kMinutes);
    EXPECT_EQ(std::llround(cell.value * 86400000.0), 123 * 60000 + 4005);
    cell = TimeColumnCell("05.123");
    EXPECT_EQ(cell.kind, Kind::kSeconds);
    EXPECT_EQ(std::llround(cell.value * 1000.0), 5123);  // seconds, as the DRAG tab shows them
    cell = TimeColumnCell("83456");
    EXPECT_EQ(cell.kind, Kind::kNumber);
    EXPECT_EQ(cell.value, 83456);
    EXPECT_EQ(TimeColumnCell("").kind, Kind::kEmpty);
    for (const char* text : {"MC", "Fly", "00.-123", "-1", "1:60.000", "1:5.000", "01:05.12",
                             "01:05.1234", "ab:cd.efg", "1.2.3", ":00.000", "1234567890123"}) {
        cell = TimeColumnCell(text);
        EXPECT_EQ(cell.kind, Kind::kText) << text;
        EXPECT_EQ(cell.text, text);
    }
}

// A cell becomes a number only where its format shows the grid's text again; car numbers and
// penalties are numbers, the marks beside them text.
TEST(ResultSheetTest, NumbersOnlyWhereTheyReadBackAsShown) {
    for (const char* text : {"1:05.000", "5.123", "007", "001:00.000", "005.123"}) {
        EXPECT_EQ(TimeColumnCell(text).kind, Kind::kText) << text;
    }
    EXPECT_EQ(TimeColumnCell("100:00.000").kind, Kind::kMinutes);
    EXPECT_EQ(TimeColumnCell("123.456").kind, Kind::kSeconds);
    EXPECT_EQ(TimeColumnCell("0").kind, Kind::kNumber);
    EXPECT_EQ(CountColumnCell("12").kind, Kind::kNumber);
    EXPECT_EQ(CountColumnCell("12").value, 12);
    for (const char* text : {"MC", "Fly", "012", "1.5", "-1", "1234567890"}) {
        EXPECT_EQ(CountColumnCell(text).kind, Kind::kText) << text;
    }
    EXPECT_EQ(CountColumnCell("").kind, Kind::kEmpty);
    ResultTable drag(RaceMode::kDrag);
    drag.SetRows({{"3", "86", "B", "Fly", "05.123", "00.456", "05.579", "83456"}});
    const ResultSheet sheet = BuildResultSheet(drag, RaceMode::kDrag);
    EXPECT_EQ(sheet.rows[1][1].kind, Kind::kText);  // a name stays a name
    EXPECT_EQ(sheet.rows[1][3].kind, Kind::kText);
    EXPECT_EQ(sheet.rows[1][6].kind, Kind::kText);
    EXPECT_EQ(sheet.rows[1][7].kind, Kind::kText);
    EXPECT_EQ(sheet.rows[0][0].kind, Kind::kText);
}

TEST(ResultSheetTest, SheetContentFollowsTheTab) {
    const ResultTable runs = GymkhanaRuns();
    ResultSheet sheet = BuildResultSheet(runs, RaceMode::kGymkhana);
    EXPECT_EQ(sheet.timeColumns, (std::vector<int32_t>{4, 6, 7}));
    ASSERT_EQ(sheet.rows.size(), 4u);
    EXPECT_EQ(sheet.rows[0][4].kind, Kind::kText);  // the headings stay text
    EXPECT_EQ(sheet.rows[1][4].kind, Kind::kMinutes);
    EXPECT_EQ(sheet.rows[1][5].kind, Kind::kEmpty);
    EXPECT_EQ(sheet.rows[2][4].kind, Kind::kText);
    EXPECT_EQ(sheet.rows[3][7].kind, Kind::kText);
    EXPECT_EQ(sheet.rows[1][0].kind, Kind::kNumber);  // car numbers are numbers, not times
    sheet = BuildResultSheet(runs, RaceMode::kCircuit);
    EXPECT_EQ(sheet.timeColumns, (std::vector<int32_t>{4, 5}));
    EXPECT_EQ(BuildResultSheet(runs, RaceMode::kDrag).timeColumns, (std::vector<int32_t>{4, 5}));
}

TEST(ResultSheetTest, ExportFolderIsNamedAfterTheFileAndTime) {
    EXPECT_EQ(ExportFolderStem("Race1.csv", "20240501-093005"), "Race1-20240501-093005");
    EXPECT_EQ(ExportFolderStem("a.b.csv", "t"), "a.b-t");
    EXPECT_EQ(ExportFolderStem("", "t"), "Result-t");
    EXPECT_EQ(ExportFolderStem("a/b:c.csv", "t"), "a_b_c-t");
    EXPECT_EQ(ExportFolderStem("..", "t"), "Result-t");
}

// Width as written back to the width asked for (7-pixel digits, 5 pixels of padding).
double AskedWidth(double written) {
    return std::round((written * 7 - 5) / 7 * 2) / 2;
}

TEST(XlsxWorkbookTest, GymkhanaWorkbookReadsBack) {
    test::TempDir dir;
    const auto path = dir / "runs.xlsx";
    const WorkbookOutcome out =
        WriteResultWorkbook(BuildResultSheet(GymkhanaRuns(), RaceMode::kGymkhana), path);
    ASSERT_TRUE(out.ok) << out.detail;
    const test::XlsxSheet sheet = test::ReadFirstSheet(path);
    EXPECT_EQ(sheet.name, "Sheet1");
    EXPECT_EQ(sheet.rows, 4);
    // 4 lines of 8 fields: nothing in column I, the run count.
    EXPECT_EQ(sheet.cells.count("I1"), 0u);
    EXPECT_EQ(sheet.cells.count("I2"), 0u);
    for (const char* ref : {"A1", "B1", "C1", "D1", "E1", "F1", "G1", "H1"}) {
        ASSERT_EQ(sheet.cells.count(ref), 1u) << ref;
        EXPECT_EQ(sheet.cells.at(ref).fill, "FFCCFFFF") << ref;
    }
    EXPECT_EQ(sheet.cells.at("E1").text, "Time");
    EXPECT_EQ(sheet.cells.at("A2").fill, "");
    EXPECT_EQ(sheet.cells.at("B2").text, "山田 太郎");
    EXPECT_TRUE(sheet.cells.at("A2").number);
    EXPECT_EQ(sheet.cells.at("A2").format, "0");
    // Time cells are numbers equal to the shown times to the millisecond.
    const std::pair<const char*, int64_t> times[] = {
        {"E2", 65123}, {"G2", 20001}, {"H2", 40002}, {"E4", 3900000}, {"G4", 600500}};
    for (const auto& [ref, ms] : times) {
        const test::XlsxCell& cell = sheet.cells.at(ref);
        EXPECT_TRUE(cell.number) << ref;
        EXPECT_EQ(cell.format, "[mm]:ss.000") << ref;
        EXPECT_EQ(std::llround(std::stod(cell.text) * 86400000.0), ms) << ref;
    }
    EXPECT_FALSE(sheet.cells.at("E3").number);
    EXPECT_EQ(sheet.cells.at("E3").text, "MC");
    EXPECT_EQ(sheet.cells.at("H4").text, "Fly");
    EXPECT_EQ(sheet.cells.count("G3"), 0u);
    // Column formats on E, G, H, and the widths of A-F.
    for (int c : {5, 7, 8}) {
        EXPECT_EQ(sheet.columnFormats.at(c), "[mm]:ss.000") << c;
    }
    EXPECT_EQ(sheet.columnFormats.count(6) ? sheet.columnFormats.at(6) : "", "");
    const double widths[] = {3.5, 15, 15, 3.5, 10, 15};
    for (int c = 1; c <= 6; ++c) {
        ASSERT_EQ(sheet.widths.count(c), 1u) << c;
        EXPECT_EQ(AskedWidth(sheet.widths.at(c)), widths[c - 1]) << c;
    }
}

TEST(XlsxWorkbookTest, OtherTabsFormatEAndFAndWriteFailuresLeaveNothing) {
    test::TempDir dir;
    ResultTable drag(RaceMode::kDrag);
    drag.SetRows({{"3", "A", "B", "", "05.123", "00.456", "05.579"}});
    const auto path = dir / "drag.xlsx";
    ASSERT_TRUE(WriteResultWorkbook(BuildResultSheet(drag, RaceMode::kDrag), path).ok);
    const test::XlsxSheet sheet = test::ReadFirstSheet(path);
    EXPECT_EQ(sheet.columnFormats.at(5), "[mm]:ss.000");
    EXPECT_EQ(sheet.columnFormats.at(6), "[mm]:ss.000");
    EXPECT_EQ(sheet.columnFormats.count(7) ? sheet.columnFormats.at(7) : "", "");
    EXPECT_EQ(sheet.cells.at("E2").format, "00.000");
    EXPECT_EQ(std::llround(std::stod(sheet.cells.at("F2").text) * 1000.0), 456);
    EXPECT_FALSE(sheet.cells.at("G2").number);  // E.T+R/T is no time column

    // An existing file is never overwritten; an unwritable folder reports 127.
    WorkbookOutcome out = WriteResultWorkbook(BuildResultSheet(drag, RaceMode::kDrag), path);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, 127);
    out = WriteResultWorkbook(BuildResultSheet(drag, RaceMode::kDrag), dir / "none" / "x.xlsx");
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, 127);
    EXPECT_FALSE(std::filesystem::exists(dir / "none" / "x.xlsx"));
}

}  // namespace
}  // namespace vantrel
