// The workbook's class sheets: which rows each holds, the sheet names the spreadsheet
// accepts, and the workbook written and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "reports/result_sheet_classes.h"
#include "reports/xlsx_reader.h"
#include "reports/xlsx_workbook.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

std::u32string Chars(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? lead : lead & (0x7F >> n);
        for (size_t k = 1; k < n; ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out += c;
        i += n;
    }
    return out;
}

// Case folded for the letters the random names use: half- and full-width Latin, Greek.
std::u32string Fold(const std::string& text) {
    std::u32string out = Chars(text);
    for (char32_t& c : out) {
        if ((c >= U'A' && c <= U'Z') || (c >= 0xFF21 && c <= 0xFF3A) ||
            (c >= 0x0391 && c <= 0x03A9)) {
            c += 0x20;
        }
    }
    return out;
}

TEST(SheetNameTest, NamesAreValidAndUniqueIgnoringCase) {
    EXPECT_EQ(ValidSheetName("sheet1", {"Sheet1"}), "sheet1 (2)");
    EXPECT_EQ(ValidSheetName("'A/B*[C]'", {}), "_A_B__C__");
    EXPECT_EQ(ValidSheetName("HISTORY", {}), "HISTORY (2)");
    EXPECT_EQ(ValidSheetName("ｓａ", {"ｓａ", "ＳＡ (2)"}), "ｓａ (3)");
    EXPECT_EQ(ValidSheetName(std::string(40, 'x'), {std::string(31, 'X')}),
              std::string(27, 'x') + " (2)");

    // Random wanted names and taken lists over letters that fold, the forbidden characters and
    // the apostrophe.
    const uint32_t seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::vector<std::string> alphabet = {"a", "A", "ａ", "Ａ", "α", "Α",  "1", " ",  "'", "[",
                                               "]", ":", "*",  "?",  "/", "\\", "ｱ", "漢", "-"};
    const auto randomName = [&](int longest) {
        std::string name;
        for (int n = std::uniform_int_distribution<int>(0, longest)(rng); n > 0; --n) {
            name += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
        }
        return name;
    };
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> taken{"Sheet1"};
        for (int n = std::uniform_int_distribution<int>(0, 12)(rng); n > 0; --n) {
            taken.push_back(ValidSheetName(randomName(3), taken));
        }
        const std::string wanted = randomName(round % 10 == 0 ? 40 : 4);
        const std::string name = ValidSheetName(wanted, taken);
        taken.push_back("History");
        const std::u32string chars = Chars(name);
        ASSERT_FALSE(chars.empty()) << wanted;
        EXPECT_LE(chars.size(), 31u) << name;
        EXPECT_EQ(chars.find_first_of(U"[]:*?/\\"), std::u32string::npos) << name;
        EXPECT_NE(chars.front(), U'\'') << name;
        EXPECT_NE(chars.back(), U'\'') << name;
        for (const std::string& t : taken) {
            EXPECT_NE(Fold(name), Fold(t)) << name << " against " << t;
        }
        // A name that is valid already and free is kept as it is.
        const std::u32string asked = Chars(wanted);
        const bool valid = !asked.empty() && asked.size() <= 31 &&
                           asked.find_first_of(U"[]:*?/\\") == std::u32string::npos &&
                           asked.front() != U'\'' && asked.back() != U'\'';
        const bool free = std::none_of(taken.begin(), taken.end(), [&](const std::string& t) {
            return Fold(wanted) == Fold(t);
        });
        if (valid && free) {
            EXPECT_EQ(name, wanted);
        }
    }
}

EntryTable Classed(const std::vector<std::pair<int32_t, std::string>>& classes) {
    EntryTable entries;
    for (const auto& [car, cls] : classes) {
        entries.SetCell(EntryTable::kClass, car, cls);
    }
    return entries;
}

std::vector<std::string> Texts(const ResultSheet& sheet, int32_t column) {
    std::vector<std::string> texts;
    for (const auto& row : sheet.rows) {
        texts.push_back(row[column].text);
    }
    return texts;
}

// Each class sheet holds the heading row and its cars' rows in list order, converted as the
// result sheet converts them; rows of cars without class, or without a car number, go
// nowhere but the result sheet.
TEST(ClassSheetTest, EachClassSheetHoldsItsCarsRows) {
    const EntryTable entries = Classed({{3, "PN1"}, {5, "SA"}, {7, "PN1"}, {9, "Sheet1"}});
    ResultTable runs(RaceMode::kCircuit);
    runs.SetRows({{"7", "Aoki", "EK9", "1", "01:05.123", "01:05.123"},
                  {"5", "Baba", "AE86", "1", "01:06.000", "01:06.000"},
                  {"4", "Chiba", "S2000", "1", "01:07.000", "01:07.000"},
                  {"3", "Doi", "911", "1", "01:04.500", "01:04.500"},
                  {"", "", "", "", "", ""},
                  {"07x", "Ebi", "", "2", "01:00.000", "02:05.123"},
                  {"7", "Aoki", "EK9", "2", "01:01.000", "02:06.123"}});
    const std::vector<ResultSheet> book = BuildResultWorkbook(runs, RaceMode::kCircuit, entries);
    ASSERT_EQ(book.size(), 4u);
    EXPECT_EQ(book[0].name, "Sheet1");
    EXPECT_EQ(book[0].rows.size(), 8u);
    EXPECT_EQ(book[1].name, "PN1");
    EXPECT_EQ(book[2].name, "SA");
    EXPECT_EQ(book[3].name, "Sheet1 (2)");
    EXPECT_EQ(Texts(book[1], 0), (std::vector<std::string>{"Car", "7", "3", "7"}));
    EXPECT_EQ(Texts(book[1], 5),
              (std::vector<std::string>{"Total", "01:05.123", "01:04.500", "02:06.123"}));
    EXPECT_EQ(Texts(book[2], 1), (std::vector<std::string>{"Name", "Baba"}));
    EXPECT_EQ(book[3].rows.size(), 1u);  // a class without a result: the heading row only
    for (const ResultSheet& sheet : book) {
        EXPECT_EQ(sheet.timeColumns, book[0].timeColumns);
        EXPECT_EQ(sheet.widths, book[0].widths);
    }
    EXPECT_EQ(book[1].rows[1][4].kind, SheetCell::Kind::kMinutes);
    EXPECT_EQ(book[1].rows[1][0].kind, SheetCell::Kind::kNumber);
    const ResultSheet pn1 = BuildClassSheet(runs, RaceMode::kCircuit, entries, "PN1");
    EXPECT_EQ(Texts(pn1, 0), Texts(book[1], 0));
    EXPECT_EQ(BuildClassSheet(runs, RaceMode::kCircuit, entries, "").rows.size(), 1u);

    // Without classes the workbook is the result sheet alone.
    EXPECT_EQ(BuildResultWorkbook(runs, RaceMode::kCircuit, EntryTable()).size(), 1u);

    // Written and read back: the sheets in order, each with its rows.
    test::TempDir dir;
    const auto path = dir / "classes.xlsx";
    const WorkbookOutcome out = WriteResultWorkbook(book, path);
    ASSERT_TRUE(out.ok) << out.detail;
    EXPECT_EQ(test::SheetNames(path),
              (std::vector<std::string>{"Sheet1", "PN1", "SA", "Sheet1 (2)"}));
    EXPECT_EQ(test::ReadSheet(path, 2).cells.at("B4").text, "Aoki");
    EXPECT_EQ(test::ReadSheet(path, 4).rows, 1);

    // A sheet the writer refuses (a name taken twice) is message 128 and leaves no file.
    std::vector<ResultSheet> twice = {book[0], book[1], book[1]};
    const WorkbookOutcome refused = WriteResultWorkbook(twice, dir / "twice.xlsx");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, 128);
    EXPECT_EQ(refused.detail, "PN1");
    EXPECT_FALSE(std::filesystem::exists(dir / "twice.xlsx"));
}

}  // namespace
}  // namespace vantrel
