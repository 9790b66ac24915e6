// The printed standings through Qt's PDF output, checked with poppler's text and page tools.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPrinter>
#include <cstdio>
#include <regex>

#include "common/messages.h"
#include "reports/rank_page.h"
#include "reports/rank_printer.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

std::string RunTool(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, got);
        }
        pclose(pipe);
    }
    return out;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

int PdfPages(const std::filesystem::path& pdf) {
    std::smatch m;
    const std::string info = RunTool("pdfinfo " + Quoted(pdf));
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : -1;
}

std::string PageText(const std::filesystem::path& pdf, int page, const char* mode = "-layout") {
    const std::string p = std::to_string(page);
    return RunTool("pdftotext " + std::string(mode) + " -f " + p + " -l " + p + " " + Quoted(pdf) +
                   " -");
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

// Height of the first word `word` on page 1 as poppler places it.
double WordHeight(const std::filesystem::path& pdf, const std::string& word) {
    const std::string html = RunTool("pdftotext -bbox -f 1 -l 1 " + Quoted(pdf) + " -");
    const std::regex re("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">" + word + "<");
    std::smatch m;
    return std::regex_search(html, m, re) ? std::stod(m[2]) - std::stod(m[1]) : -1;
}

RankPage Ranked(int cars, const std::string& longName = {}) {
    RankPage rank;
    for (int row = 1; row <= cars; ++row) {
        rank.SetCell(RankPage::kCar, row, std::to_string(100 + row));
        rank.SetCell(RankPage::kName, row,
                     row == 1 && !longName.empty() ? longName : "Driver" + std::to_string(row));
        rank.SetCell(RankPage::kModel, row, "Model" + std::to_string(row));
        rank.SetCell(RankPage::kTotal, row, "01:02.345");
    }
    return rank;
}

class RankPrintTest : public ::testing::Test {
protected:
    RankPrintTest() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        // The column templates are letters W: a table in a 10-point font needs a landscape
        // page and a font with narrow W, as the half-width Latin of a Japanese font.
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
    }
    PrintOutcome Print(const RankPage& rank, int fontSize = 10) {
        RankPrintJob job;
        job.rank = &rank;
        job.printer = &printer;
        job.prompter = &prompter;
        job.margins = margins;
        job.font = QFont(QStringLiteral("DejaVu Sans Mono"), fontSize);
        job.resultFileCaption = QStringLiteral("\"Race1.csv\"");
        job.now = QDateTime(QDate(2024, 5, 1), QTime(9, 30));
        job.newPage = newPage;
        job.classes = classes;
        prompter.AnswerPrinter(true);
        return PrintRanking(job);
    }
    // Data lines per page for this printer and font, as the print computes them.
    int RowsPerPage(int fontSize = 10) {
        class Measure final : public TextMeasure {
        public:
            Measure(const QFont& f, QPrinter* p) : m_(f, p) {}
            int32_t Width(std::string_view t) const override {
                return m_.horizontalAdvance(QString::fromUtf8(t.data(), t.size()));
            }
            int32_t Height(std::string_view) const override { return m_.height(); }
            QFontMetrics m_;
        } measure(QFont(QStringLiteral("DejaVu Sans Mono"), fontSize), &printer);
        return ComputePrintGeometry(MetricsOf(printer), margins, Ranked(1), measure).rowsPerPage;
    }

    TempDir dir;
    std::filesystem::path pdf = dir / "ranking.pdf";
    QPrinter printer{QPrinter::HighResolution};
    ScriptedPrompter prompter;
    PrintMargins margins;
    std::function<bool(QPrinter&)> newPage;
    std::vector<ClassRank> classes;
};

TEST_F(RankPrintTest, ExactlyRCarsGiveOnePageAndOneMoreASecond) {
    const int r = RowsPerPage();
    ASSERT_GT(r, 10);
    ASSERT_LT(r, 198);
    ASSERT_EQ(Print(Ranked(r)), PrintOutcome::kPrinted);
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_NE(RunTool("pdfinfo " + Quoted(pdf)).find("Vantrel2000 result"), std::string::npos);
    std::string page = PageText(pdf, 1);
    EXPECT_EQ(Count(page, "Driver"), r);
    EXPECT_NE(page.find("Page : 1/1"), std::string::npos);
    EXPECT_NE(page.find("2024/05/01"), std::string::npos);
    EXPECT_NE(page.find("09:30 \"Race1.csv\""), std::string::npos);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kError).empty());

    std::filesystem::remove(pdf);
    ASSERT_EQ(Print(Ranked(r + 1)), PrintOutcome::kPrinted);
    EXPECT_EQ(PdfPages(pdf), 2);
    EXPECT_EQ(Count(PageText(pdf, 1), "Driver"), r);
    page = PageText(pdf, 2);
    EXPECT_EQ(Count(page, "Driver"), 1);
    EXPECT_NE(page.find("Driver" + std::to_string(r + 1)), std::string::npos);
    const std::regex heading("Rank\\s+Car\\s+Name\\s+Model\\s+BestLap\\s+Lap\\s+Total\\s+Behind");
    EXPECT_TRUE(std::regex_search(page, heading)) << page;
    EXPECT_NE(page.find("Page : 2/2"), std::string::npos);
}

// A class's Rank page of `cars` drivers named after the class.
ClassRank ClassOf(const std::string& name, int cars) {
    ClassRank cls{name, Ranked(cars)};
    for (int row = 1; row <= cars; ++row) {
        cls.page.SetCell(RankPage::kName, row, name + "Driver" + std::to_string(row));
    }
    return cls;
}

// With classes the operator is asked first; "Yes" prints every class that has a ranked car
// from a new page, under its title and numbered within the class, "No" the overall table.
TEST_F(RankPrintTest, ByClassEveryClassStartsAPageOfItsOwn) {
    const int r = RowsPerPage();
    const QString asked = Tr(msg::kPrintByClass);
    ASSERT_EQ(Print(Ranked(3)), PrintOutcome::kPrinted);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kAskYesNo).empty());  // no classes, no question

    classes = {ClassOf("PN1", 2), ClassOf("SA", 0), ClassOf("ｸﾗｽB", r - 1), ClassOf("C/3", 1)};
    prompter = ScriptedPrompter();
    std::filesystem::remove(pdf);
    prompter.AnswerYes();
    ASSERT_EQ(Print(Ranked(r + 5)), PrintOutcome::kPrinted);
    ASSERT_GE(prompter.Calls().size(), 2u);
    EXPECT_EQ(prompter.Calls()[0].kind, PromptCall::kAskYesNo);
    EXPECT_EQ(prompter.Calls()[0].text, asked);
    EXPECT_EQ(prompter.Calls()[1].kind, PromptCall::kPrinter);
    ASSERT_EQ(PdfPages(pdf), 3);  // one page per class with cars; "SA" has none
    const std::pair<const char*, int> pages[] = {{"PN1", 2}, {"ｸﾗｽB", r - 1}, {"C/3", 1}};
    for (int p = 1; p <= 3; ++p) {
        const auto& [name, cars] = pages[p - 1];
        SCOPED_TRACE(name);
        const std::string text = PageText(pdf, p);
        EXPECT_NE(text.find("Class : " + std::string(name)), std::string::npos) << text;
        EXPECT_EQ(Count(text, "Class : "), 1);
        EXPECT_EQ(Count(text, "Driver"), cars);
        EXPECT_EQ(Count(text, std::string(name) + "Driver"), cars);
        EXPECT_NE(text.find("Page : 1/1"), std::string::npos);
        const std::regex heading("Rank\\s+Car\\s+Name\\s+Model");
        EXPECT_TRUE(std::regex_search(text, heading)) << text;
        // The title is above the heading line.
        EXPECT_LT(text.find("Class : "), text.find("Rank")) << text;
    }

    // A class longer than a page goes on to a second page of its own, counted within it.
    classes = {ClassOf("PN1", 1), ClassOf("SB", r)};
    std::filesystem::remove(pdf);
    prompter.AnswerYes();
    ASSERT_EQ(Print(Ranked(r + 1)), PrintOutcome::kPrinted);
    ASSERT_EQ(PdfPages(pdf), 3);
    EXPECT_NE(PageText(pdf, 2).find("Page : 1/2"), std::string::npos);
    const std::string last = PageText(pdf, 3);
    EXPECT_NE(last.find("Class : SB"), std::string::npos);
    EXPECT_NE(last.find("Page : 2/2"), std::string::npos);
    EXPECT_EQ(Count(last, "SBDriver"), 1);
    EXPECT_NE(last.find("SBDriver" + std::to_string(r)), std::string::npos);

    // "No": the overall table alone, without a title.
    std::filesystem::remove(pdf);
    prompter.AnswerNo();
    ASSERT_EQ(Print(Ranked(3)), PrintOutcome::kPrinted);
    ASSERT_EQ(PdfPages(pdf), 1);
    EXPECT_EQ(Count(PageText(pdf, 1), "Class : "), 0);
    EXPECT_EQ(Count(PageText(pdf, 1), "Driver"), 3);

    // Classes without a ranked car: only the warning, no print dialog.
    classes = {ClassOf("PN1", 0)};
    prompter = ScriptedPrompter();
    std::filesystem::remove(pdf);
    prompter.AnswerYes();
    EXPECT_EQ(Print(Ranked(3)), PrintOutcome::kEmpty);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kPrinter).empty());
    ASSERT_EQ(prompter.CallsOf(PromptCall::kWarn).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kWarn)[0].text, Tr(msg::k131));
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(RankPrintTest, CopiesWithAndWithoutCollate) {
    const int r = RowsPerPage();
    printer.setCopyCount(2);
    printer.setCollateCopies(false);
    ASSERT_EQ(Print(Ranked(r + 1)), PrintOutcome::kPrinted);
    ASSERT_EQ(PdfPages(pdf), 4);
    const char* uncollated[] = {"Page : 1/2", "Page : 1/2", "Page : 2/2", "Page : 2/2"};
    for (int p = 1; p <= 4; ++p) {
        const std::string text = PageText(pdf, p);
        EXPECT_NE(text.find(uncollated[p - 1]), std::string::npos) << p;
        EXPECT_NE(text.find("\"Race1.csv\""), std::string::npos) << p;
        EXPECT_EQ(Count(text, "Driver"), p <= 2 ? r : 1) << p;
    }
    EXPECT_EQ(printer.copyCount(), 2);  // the operator's choice stays for the next print

    std::filesystem::remove(pdf);
    printer.setCollateCopies(true);
    ASSERT_EQ(Print(Ranked(r + 1)), PrintOutcome::kPrinted);
    ASSERT_EQ(PdfPages(pdf), 4);
    const char* collated[] = {"Page : 1/2", "Page : 2/2", "Page : 1/2", "Page : 2/2"};
    for (int p = 1; p <= 4; ++p) {
        EXPECT_NE(PageText(pdf, p).find(collated[p - 1]), std::string::npos) << p;
    }
}

TEST_F(RankPrintTest, FooterSizeFollowsThePrinterFont) {
    ASSERT_EQ(Print(Ranked(2), 10), PrintOutcome::kPrinted);
    EXPECT_NEAR(WordHeight(pdf, "Page") / WordHeight(pdf, "Rank"), 8.0 / 10, 0.02);
    std::filesystem::remove(pdf);
    ASSERT_EQ(Print(Ranked(2), 20), PrintOutcome::kPrinted);
    EXPECT_NEAR(WordHeight(pdf, "Page") / WordHeight(pdf, "Rank"), 12.0 / 20, 0.02);
}

TEST_F(RankPrintTest, LongNamesAndAFullRankingPrintWhole) {
    std::string longName;
    for (int i = 0; i < 10; ++i) {
        longName += "ABCDEFGHI" + std::to_string(i);
    }
    ASSERT_EQ(longName.size(), 100u);
    ASSERT_EQ(Print(Ranked(199, longName)), PrintOutcome::kPrinted);
    EXPECT_NE(PageText(pdf, 1, "-raw").find(longName), std::string::npos);
    const int r = RowsPerPage();
    const int pages = (199 - 1) / r + 1;
    EXPECT_EQ(PdfPages(pdf), pages);
    const std::string lastPage = PageText(pdf, pages);
    EXPECT_NE(lastPage.find("Driver199"), std::string::npos);
    EXPECT_NE(lastPage.find("Page : " + std::to_string(pages) + "/" + std::to_string(pages)),
              std::string::npos);
}

TEST_F(RankPrintTest, NothingToPrintOrNoRoomGivesOnlyAWarning) {
    EXPECT_EQ(Print(RankPage()), PrintOutcome::kEmpty);
    ASSERT_EQ(prompter.Calls().size(), 1u);  // no printer dialog either
    EXPECT_EQ(prompter.Calls()[0].kind, PromptCall::kWarn);
    EXPECT_EQ(prompter.Calls()[0].text, Tr(msg::k131));
    EXPECT_TRUE(prompter.Calls()[0].abortOnly);  // its only button is Abort
    EXPECT_FALSE(std::filesystem::exists(pdf));

    prompter = ScriptedPrompter();
    margins = PrintMargins{150, 150, 20, 20};
    EXPECT_EQ(Print(Ranked(3)), PrintOutcome::kPageTooSmall);
    ASSERT_EQ(prompter.CallsOf(PromptCall::kWarn).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kWarn)[0].text, Tr(msg::kPageTooSmall));
    EXPECT_FALSE(std::filesystem::exists(pdf));

    prompter = ScriptedPrompter();
    margins = PrintMargins{15, 15, 150, 150};
    EXPECT_EQ(Print(Ranked(3)), PrintOutcome::kPageTooSmall);
    margins = PrintMargins{15, 15, 20, 20};
    EXPECT_EQ(Print(Ranked(3), 600), PrintOutcome::kPageTooSmall);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// Words of page 1 as poppler places them, and the page's width, in points.
struct PlacedWord {
    std::string text;
    double xMax = 0;
};
std::vector<PlacedWord> PlacedWords(const std::filesystem::path& pdf, double& pageWidth) {
    const std::string html = RunTool("pdftotext -bbox -f 1 -l 1 " + Quoted(pdf) + " -");
    std::smatch m;
    pageWidth =
        std::regex_search(html, m, std::regex("<page width=\"([0-9.]+)\"")) ? std::stod(m[1]) : -1;
    std::vector<PlacedWord> words;
    const std::regex word("xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)<");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word);
         it != std::sregex_iterator(); ++it) {
        words.push_back({(*it)[2].str(), std::stod((*it)[1].str())});
    }
    return words;
}

// A table wider than a portrait page (a wide font) is turned to landscape where it fits at
// its size, else scaled down; either way every column is on the paper, inside the margin, and
// the operator is told once which.
TEST_F(RankPrintTest, AWideTableIsTurnedOrScaledToFitThePaper) {
    RankPage rank;
    const char* headings[] = {"Rank", "Car", "Name", "Model", "BestLap", "Lap", "Total", "Behind"};
    for (int c = 0; c < RankPage::kColumns; ++c) {
        rank.SetCell(static_cast<RankPage::Column>(c), 0, headings[c]);
    }
    std::vector<std::string> behind;
    for (int row = 1; row <= 5; ++row) {
        const std::vector<std::string> cells = {
            std::to_string(row),
            std::to_string(150 + row),
            "Driver" + std::to_string(row),
            "Model",
            "01:0" + std::to_string(row) + ".345",
            "12",
            "61:0" + std::to_string(row) + ".000",
            "+10:0" + std::to_string(row) + ".25" + std::to_string(row)};
        for (int c = 0; c < RankPage::kColumns; ++c) {
            rank.SetCell(static_cast<RankPage::Column>(c), row, cells[c]);
        }
        behind.push_back(cells[RankPage::kBehind]);
    }
    const std::pair<int, UiText> sizes[] = {
        {9, msg::kPrintLandscape}, {16, msg::kPrintScaled}, {12, msg::kPrintLandscape}};
    for (const auto& [size, told] : sizes) {
        SCOPED_TRACE(std::to_string(size) + " pt");
        prompter = ScriptedPrompter();
        std::filesystem::remove(pdf);
        printer.setPageOrientation(QPageLayout::Portrait);
        ASSERT_EQ(Print(rank, size), PrintOutcome::kPrinted);
        const std::vector<PromptCall> informed = prompter.CallsOf(PromptCall::kInform);
        EXPECT_EQ(informed.size(), 1u);
        for (const PromptCall& call : informed) {
            EXPECT_TRUE(call.text.startsWith(Tr(told).section('%', 0, 0)))
                << call.text.toStdString();
        }
        const std::string text = PageText(pdf, 1, "-raw");
        for (const char* heading : headings) {
            EXPECT_NE(text.find(heading), std::string::npos) << heading << "\n" << text;
        }
        for (const std::string& cell : behind) {
            EXPECT_NE(text.find(cell), std::string::npos) << cell << "\n" << text;
        }
        double pageWidth = 0;
        const std::vector<PlacedWord> words = PlacedWords(pdf, pageWidth);
        const double rightMargin = margins.right / 25.4 * 72;
        ASSERT_GT(words.size(), 40u);
        for (const PlacedWord& word : words) {
            EXPECT_LE(word.xMax, pageWidth - rightMargin + 1) << word.text;
        }
    }
    // Turned once, the printer stays in landscape: the next print says nothing.
    prompter = ScriptedPrompter();
    ASSERT_EQ(Print(rank, 12), PrintOutcome::kPrinted);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kInform).empty());
}

TEST_F(RankPrintTest, CancelledDialogAndFailingPrinter) {
    RankPage rank = Ranked(RowsPerPage() + 1);
    RankPrintJob job;
    job.rank = &rank;
    job.printer = &printer;
    job.prompter = &prompter;
    job.font = QFont(QStringLiteral("DejaVu Sans Mono"), 10);
    prompter.AnswerPrinter(false);
    EXPECT_EQ(PrintRanking(job), PrintOutcome::kCancelled);
    EXPECT_FALSE(std::filesystem::exists(pdf));

    // The second sheet cannot be started: the job ends with an error, never as printed.
    newPage = [](QPrinter&) { return false; };
    EXPECT_EQ(Print(rank), PrintOutcome::kFailed);
    ASSERT_EQ(prompter.CallsOf(PromptCall::kError).size(), 1u);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kError)[0].text.startsWith(
        Tr(msg::kPrintFailed).section(QLatin1Char('('), 0, 0)));

    // A file that cannot be written.
    newPage = nullptr;
    prompter = ScriptedPrompter();
    printer.setOutputFileName(QString::fromStdString((dir / "none" / "x.pdf").string()));
    EXPECT_EQ(Print(rank), PrintOutcome::kFailed);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kError).size(), 1u);
}

}  // namespace
}  // namespace vantrel::test
