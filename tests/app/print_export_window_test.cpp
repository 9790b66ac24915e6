// The Rank page printed from the main window (File > Print, Ctrl+P) and the record window's
// print button, and the result list sent to a spreadsheet from the result grid's popup.
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <optional>
#include <regex>

#include "common/messages.h"
#include "lists/entry_table.h"
#include "lists/result_table.h"
#include "reports/desktop_open.h"
#include "reports/record_window.h"
#include "reports/spreadsheet_export.h"
#include "reports/time_style.h"
#include "support/main_window_fixture.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

class PrintExportWindowTest : public MainWindowTest {
protected:
    void OpenWithExport() {
        exportDir = dir / "exports";
        std::filesystem::create_directory(exportDir);
        openDocument = [this](const QString& path) {
            opened.push_back(path);
            return opens;
        };
        MainWindowEnvironment env{dir.Path(), &prompter, &clock, &audio};
        env.openDocument = openDocument;
        env.exportTempDir = exportDir;
        window = std::make_unique<TMainForm>(env);
        window->show();
        QApplication::processEvents();
        prompter.ClearCalls();
    }
    std::filesystem::path PrintTo(const std::string& name) {
        const auto pdf = dir / name;
        window->Printer().setOutputFormat(QPrinter::PdfFormat);
        window->Printer().setPageOrientation(QPageLayout::Landscape);
        window->Printer().setOutputFileName(QString::fromStdString(pdf.string()));
        prompter.AnswerPrinter(true);
        return pdf;
    }
    std::vector<std::filesystem::path> Exported() const {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(exportDir)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
        return files;
    }

    std::filesystem::path exportDir;
    std::function<bool(const QString&)> openDocument;
    std::vector<QString> opened;
    bool opens = true;
};

TEST_F(PrintExportWindowTest, MenuShortcutAndRecordButtonPrintTheRankPage) {
    OpenWithExport();
    // Nothing ranked: only the warning.
    Find<QAction>("FilePrint")->trigger();
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].text, Tr(msg::k131));

    window->RaceStandings().AddResult(12, 65123, 1, TimeStyle{});
    window->RaceStandings().AddResult(7, 61000, 1, TimeStyle{});
    window->Record().Refresh();
    window->Record().PageControl1->setCurrentIndex(1);  // the List page is shown
    const auto menuPdf = PrintTo("menu.pdf");
    Find<QAction>("FilePrint")->trigger();
    EXPECT_TRUE(std::filesystem::exists(menuPdf));

    const auto keyPdf = PrintTo("key.pdf");
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(keyPdf));

    const auto buttonPdf = PrintTo("button.pdf");
    auto* button = FindNamed<QToolButton>(&window->Record(), "SpeedButton2");
    EXPECT_TRUE(button->isEnabled());
    button->click();
    ASSERT_TRUE(std::filesystem::exists(buttonPdf));
    EXPECT_EQ(prompter.CallsOf(PromptCall::kPrinter).size(), 3u);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kError).empty());
    // Every route printed the Rank page in rank order, with the result file in the footer.
    const std::string command = "pdftotext -layout '" + buttonPdf.string() + "' -";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, got);
        }
        pclose(pipe);
    }
    const size_t first = text.find("01:01.000");
    EXPECT_NE(first, std::string::npos) << text;
    EXPECT_LT(first, text.find("01:05.123"));
    EXPECT_NE(text.find("\"NewResult.csv\""), std::string::npos);
    EXPECT_NE(text.find("Page : 1/1"), std::string::npos);
}

TEST_F(PrintExportWindowTest, SpreadsheetItemWritesOpensAndFillsTheClipboard) {
    OpenWithExport();
    auto* item = Find<QAction>("Grid2Excel");
    EXPECT_TRUE(item->isEnabled());
    window->Results().SetRows({{"12", "A", "B", "0", "01:05.123", "", "00:20.001", "", "1"},
                               {"7", "C", "D", "1", "MC", "MC", "", "", "1"},
                               {"12", "A", "B", "0", "65:00.000", "", "", "", "2"}});
    item->trigger();
    ASSERT_EQ(opened.size(), 1u);
    const std::vector<std::filesystem::path> files = Exported();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].string(), opened[0].toStdString());
    EXPECT_EQ(files[0].filename(), "NewResult.xlsx");
    EXPECT_EQ(files[0].parent_path().filename().string().rfind("NewResult-", 0), 0u);
    EXPECT_TRUE(prompter.Calls().empty());
    const QString clip = QGuiApplication::clipboard()->text();
    EXPECT_EQ(clip.count(QStringLiteral("\r\n")), 4);
    EXPECT_TRUE(clip.startsWith(
        QStringLiteral("Car\tName\tModel\tPen\tTime\tComment\tSplit1\tSplit2\r\n")));

    // A second export never touches the first one's file.
    item->trigger();
    EXPECT_EQ(Exported().size(), 2u);

    // No application takes the workbook: message 126 with the workbook's place.
    opens = false;
    item->trigger();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kInform).size(), 1u);
    const QString text = prompter.CallsOf(PromptCall::kInform)[0].text;
    EXPECT_TRUE(text.startsWith(Tr(msg::k126)));
    EXPECT_TRUE(text.contains(opened.back()));
    EXPECT_TRUE(std::filesystem::exists(opened.back().toStdString()));

    // The workbook cannot be written: message 127, nothing opened.
    prompter.ClearCalls();
    std::filesystem::remove_all(exportDir);
    const size_t before = opened.size();
    item->trigger();
    EXPECT_EQ(opened.size(), before);
    ASSERT_EQ(prompter.CallsOf(PromptCall::kInform).size(), 1u);
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kInform)[0].text.startsWith(Tr(msg::k127)));
}

std::string ToolOutput(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, got);
        }
        pclose(pipe);
    }
    return text;
}

// With classes in the entry list: File > Print asks, and "Yes" prints one page per class
// that has a ranked car; the workbook has a sheet per class after the result sheet.
TEST_F(PrintExportWindowTest, ClassesPrintAPageEachAndGetASheetEach) {
    OpenWithExport();
    window->Entries().SetCell(EntryTable::kClass, 7, "PN1");
    window->Entries().SetCell(EntryTable::kClass, 12, "SA");
    window->Entries().SetCell(EntryTable::kClass, 30, "PN1");
    window->Entries().SetCell(EntryTable::kClass, 40, "N2");  // no result
    window->RaceStandings().AddResult(12, 65123, 1, TimeStyle{});
    window->RaceStandings().AddResult(7, 61000, 1, TimeStyle{});
    window->RaceStandings().AddResult(30, 62000, 1, TimeStyle{});
    window->Record().Refresh();
    const auto pdf = PrintTo("classes.pdf");
    prompter.AnswerYes();
    Find<QAction>("FilePrint")->trigger();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].text, Tr(msg::kPrintByClass));
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_TRUE(std::regex_search(ToolOutput("pdfinfo '" + pdf.string() + "'"),
                                  std::regex("Pages:\\s+2\\n")));
    const std::string first = ToolOutput("pdftotext -layout -f 1 -l 1 '" + pdf.string() + "' -");
    EXPECT_NE(first.find("Class : PN1"), std::string::npos) << first;
    EXPECT_NE(first.find("01:01.000"), std::string::npos);
    EXPECT_NE(first.find("+00:01.000"), std::string::npos);  // behind the class leader
    const std::string second = ToolOutput("pdftotext -layout -f 2 -l 2 '" + pdf.string() + "' -");
    EXPECT_NE(second.find("Class : SA"), std::string::npos) << second;
    EXPECT_NE(second.find("01:05.123"), std::string::npos);

    window->Results().SetRows({{"12", "A", "B", "0", "01:05.123", "", "", "", "1"},
                               {"7", "C", "D", "0", "01:01.000", "", "", "", "1"}});
    Find<QAction>("Grid2Excel")->trigger();
    ASSERT_EQ(opened.size(), 1u);
    const std::string book =
        ToolOutput("unzip -p '" + opened[0].toStdString() + "' xl/workbook.xml");
    const std::regex sheets(
        "name=\"Sheet1\"[\\s\\S]*name=\"PN1\"[\\s\\S]*name=\"SA\"[\\s\\S]*name=\"N2\"");
    EXPECT_TRUE(std::regex_search(book, sheets)) << book;
}

TEST(DesktopOpenerTest, MissingXdgOpenOpensNothing) {
    TempDir empty;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(empty.Path().string()));
    QObject context;
    std::optional<bool> answer;
    OpenWithDesktop(QStringLiteral("/nonexistent/x.xlsx"), &context,
                    [&answer](bool opened) { answer = opened; });
    ASSERT_TRUE(answer.has_value()) << "told at once";
    EXPECT_FALSE(*answer);
    qputenv("PATH", path);
}

// The desktop's xdg-mime and xdg-open stood in for by scripts on PATH: the first answers
// after `delay` seconds with `answer`, the second notes the file it was asked to open.
class DesktopExportTest : public PrintExportWindowTest {
protected:
    void OpenWithDesktopTools(const std::string& delay, const std::string& answer) {
        const std::filesystem::path bin = dir / "bin";
        std::filesystem::create_directory(bin);
        openedNote = dir / "opened.txt";
        WriteScript(bin / "xdg-mime", "sleep " + delay + "\necho '" + answer + "'\n");
        WriteScript(bin / "xdg-open", "echo \"$1\" > '" + openedNote.string() + "'\n");
        oldPath = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin.string() + ":") + oldPath);
        exportDir = dir / "exports";
        std::filesystem::create_directory(exportDir);
        MainWindowEnvironment env{dir.Path(), &prompter, &clock, &audio};
        env.exportTempDir = exportDir;
        window = std::make_unique<TMainForm>(env);
        window->show();
        QApplication::processEvents();
        prompter.ClearCalls();
        window->Results().SetRows({{"12", "A", "B", "0", "01:05.123", "", "", "", "1"}});
    }
    void TearDown() override {
        PrintExportWindowTest::TearDown();
        if (!oldPath.isNull()) {
            qputenv("PATH", oldPath);
        }
    }
    static void WriteScript(const std::filesystem::path& file, const std::string& body) {
        WriteBytes(file, "#!/bin/sh\n" + body);
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }
    // Processes events until `done` holds or fifteen seconds pass; counts the passes.
    bool Process(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 15000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            ++passes;
        }
        return done();
    }

    std::filesystem::path openedNote;
    QByteArray oldPath;
    int passes = 0;
};

// A desktop that takes five seconds to say which application opens .xlsx: the export returns
// at once, the window goes on with its events, and the workbook is opened when the answer
// (or the end of the wait) comes.
TEST_F(DesktopExportTest, TheDesktopQueryNeverHoldsTheWindow) {
    OpenWithDesktopTools("5", "libreoffice-calc.desktop");
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(10);
    Find<QAction>("Grid2Excel")->trigger();
    EXPECT_FALSE(std::filesystem::exists(openedNote)) << "the answer cannot have come yet";
    const std::vector<std::filesystem::path> files = Exported();
    ASSERT_EQ(files.size(), 1u) << "the workbook is written before the desktop answers";
    ASSERT_TRUE(Process([this] { return std::filesystem::exists(openedNote); }));
    ASSERT_TRUE(Process([this] { return ReadBytes(openedNote).find('\n') != std::string::npos; }));
    EXPECT_EQ(ReadBytes(openedNote), files[0].string() + "\n");
    EXPECT_GT(ticks, 10) << "the window's timers ran while the desktop was asked";
    EXPECT_TRUE(prompter.Calls().empty());
}

// A desktop that knows no application for .xlsx: nothing is opened, and message 126 names the
// workbook once the answer has come, not before.
TEST_F(DesktopExportTest, NoApplicationForTheWorkbookIsToldWhenTheDesktopAnswers) {
    OpenWithDesktopTools("0.3", "");
    Find<QAction>("Grid2Excel")->trigger();
    EXPECT_TRUE(prompter.Calls().empty());
    ASSERT_TRUE(Process([this] { return !prompter.CallsOf(PromptCall::kInform).empty(); }));
    const QString text = prompter.CallsOf(PromptCall::kInform)[0].text;
    EXPECT_TRUE(text.startsWith(Tr(msg::k126)));
    EXPECT_TRUE(text.contains(QString::fromStdString(Exported().at(0).string())));
    EXPECT_FALSE(std::filesystem::exists(openedNote));
}

}  // namespace
}  // namespace vantrel::test
