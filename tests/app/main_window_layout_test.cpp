// The main window as a timekeeper sees it, in Japanese and in English, on each tab at the
// minimum size and at 1280 x 1024: no control on top of another, none cut by its parent, every
// text readable. The boxes and grids hold the widest texts they show in use. With
// VANTREL_SCREENSHOT_DIR set the window is also saved there (English in en/) as
// main-<tab>-<width>x<height>.png.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>

#include "app/help_window.h"
#include "app/ui_language.h"
#include "lists/result_table.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"
#include "support/temp_dir.h"
#include "support/ui_language_param.h"
#include "widgets/line_list.h"

namespace vantrel::test {
namespace {

const char* const kTabNames[] = {"gymkhana", "drag", "circuit"};

class MainWindowLayoutTest : public MainWindowTest,
                             public ::testing::WithParamInterface<UiLanguage> {
protected:
    void SetText(const char* name, const char* text) {
        Find<QLineEdit>(name)->setText(QString::fromUtf8(text));
    }
    // The widest texts the boxes of the tabs and the clock panel show while timing.
    void FillBoxes() {
        for (const char* car :
             {"Memo114", "Memo100", "Memo111", "Memo112", "Memo113", "Memo120", "Memo107",
              "Memo102", "Memo101", "Memo103", "Memo304", "Memo204", "Memo210", "Memo200"}) {
            SetText(car, "199");
        }
        for (const char* clock : {"Memo121", "Memo108", "Memo106", "Memo105"}) {
            SetText(clock, "59:59");
        }
        SetText("Memo115", "8");
        SetText("Memo116", "8");
        SetText("Memo104", "59:59.999");
        SetText("Memo110", "山田 太郎");
        SetText("Memo303", "59:59.999");
        SetText("Memo301", "23:59:59");
        for (const char* time :
             {"Memo205", "Memo206", "Memo207", "Memo208", "Memo209", "Memo202"}) {
            SetText(time, "88.888");
        }
        SetText("Memo201", "山田 太郎");
        SetText("Memo203", "888.888");
        SetText("Memo302", "60");
        Find<LineList>("Memo300")->AppendLines({"7", "12", "199", "188", "7"});
    }
    // A result row of the mode in force with its widest texts and a long name.
    void FillResultRow() {
        ResultTable& results = window->Results();
        std::vector<std::string> cells;
        for (const std::string& heading : ResultHeaders(window->State().currentMode)) {
            if (heading == "Name" || heading == "Model" || heading == "Comment") {
                cells.push_back("とても長い名前のドライバーと車種");
            } else if (heading == "Car" || heading == "Lap" || heading == "Try" ||
                       heading == "Pen") {
                cells.push_back("199");
            } else if (heading == "Fly") {
                cells.push_back("Fly");
            } else if (window->State().currentMode == RaceMode::kDrag) {
                cells.push_back(heading == "Speed" ? "888.888" : "88.888");
            } else if (window->State().currentMode == RaceMode::kCircuit) {
                cells.push_back("100:00.000");
            } else {
                cells.push_back("59:59.999");
            }
        }
        results.SetRow(1, cells);
        window->State().resultModified = false;
    }
};

TEST_P(MainWindowLayoutTest, EveryTabFitsAtTheMinimumAndAtALargeSize) {
    // Both splits connected and several passes per car: every control of the tab is shown.
    WriteBytes(IniPath(),
               "[Setup]\r\nIoAddress=None\r\nSplitPin1=2\r\nSplitPin2=4\r\n"
               "[SensorCount]\r\nStart=2\r\nFinish=2\r\n");
    SubstituteJapaneseFonts();  // the grids' font as the program shows it
    const LanguageScope language(GetParam());
    ASSERT_TRUE(language.Installed());
    OpenWindow();
    window->Entries().SetCell(1, 1, "とても長い名前のドライバー");
    window->Entries().SetCell(2, 1, "とても長い車種の名前");
    auto* tabs = Find<QTabWidget>("PageControl1");
    const QString out = ShotFolder(GetParam());
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        window->resize(size);
        QApplication::processEvents();
        ASSERT_EQ(window->size(), size);
        for (int tab = 0; tab < 3; ++tab) {
            tabs->setCurrentIndex(tab);
            ASSERT_EQ(static_cast<int>(window->State().currentMode), tab);
            FillBoxes();
            FillResultRow();
            QApplication::processEvents();
            const QStringList faults = LayoutFaults(window.get());
            EXPECT_TRUE(faults.isEmpty())
                << kTabNames[tab] << " at " << size.width() << "x" << size.height() << ":\n"
                << faults.join(QLatin1Char('\n')).toStdString();
            if (!out.isEmpty()) {
                window->grab().save(QStringLiteral("%1/main-%2-%3x%4.png")
                                        .arg(out, QString::fromLatin1(kTabNames[tab]))
                                        .arg(size.width())
                                        .arg(size.height()));
            }
        }
    }
}

// The menus, tabs, clock panel and help page speak the language in force; the English help is
// the Japanese page's content, section for section and key for key.
TEST_P(MainWindowLayoutTest, MenusAndHelpSpeakTheLanguageInForce) {
    const bool english = GetParam() == UiLanguage::kEnglish;
    const LanguageScope language(GetParam());
    ASSERT_TRUE(language.Installed());
    OpenWindow();
    EXPECT_EQ(Find<QMenu>("File1")->title(),
              english ? QStringLiteral("&File") : QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(Find<QAction>("ToolHealth")->text(),
              english ? QStringLiteral("Device &Health...") : QStringLiteral("機器の状態(&H)..."));
    EXPECT_EQ(Find<QTabWidget>("PageControl1")->tabText(2), QStringLiteral("CIRCUIT"));
    EXPECT_EQ(Find<QLabel>("Label18")->text(),
              english ? QStringLiteral("Elapsed") : QStringLiteral("経過時間"));
    if (english) {
        const QStringList left = JapaneseLeftIn(window.get());
        EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char('\n')).toStdString();
    }

    Find<QAction>("HelpContents")->trigger();
    auto* help = window->findChild<QDialog*>(QStringLiteral("HelpWindow"));
    ASSERT_NE(help, nullptr);
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->source().toString(), english ? QStringLiteral("qrc:/help/help_en.html")
                                                    : QStringLiteral("qrc:/help/help.html"));
    const QString page = browser->toPlainText();
    EXPECT_TRUE(
        page.contains(english ? QStringLiteral("Timing an event") : QStringLiteral("計測の流れ")));
    EXPECT_EQ(page.contains(QStringLiteral("計測")), !english) << "one language per page";
    EXPECT_EQ(help->windowTitle(), english ? QStringLiteral("Vantrel 2000 Help")
                                           : QStringLiteral("Vantrel 2000 ヘルプ"));
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        help->resize(size);
        QApplication::processEvents();
        const QStringList faults = LayoutFaults(help);
        EXPECT_TRUE(faults.isEmpty()) << "help at " << size.width() << ":\n"
                                      << faults.join(QLatin1Char('\n')).toStdString();
    }
    if (english) {
        const QStringList left = JapaneseLeftIn(help);
        EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char('\n')).toStdString();
    }
    help->close();
}

TEST(HelpPages, TheEnglishPageHasEverySectionStepKeyAndFileOfTheJapanese) {
    QWidget parent;
    ShowHelpWindow(&parent);  // registers the pages' resources
    const auto read = [](const char* path) {
        QFile file(QString::fromLatin1(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
        return QString::fromUtf8(file.readAll());
    };
    const QString japanese = read(":/help/help.html");
    const QString english = read(":/help/help_en.html");
    ASSERT_FALSE(japanese.isEmpty());
    for (const char* tag : {"<h2", "<h3", "<li", "<tr", "<td", "<th", "<p>", "id=", "name="}) {
        const QString t = QString::fromLatin1(tag);
        EXPECT_EQ(english.count(t), japanese.count(t)) << tag;
    }
    // The key names, shortcuts, file names and addresses are the same in both.
    static const QRegularExpression fixed(
        QStringLiteral("(F1[12]|Alt\\+[A-Z]|Ctrl\\+[A-Z]|[A-Za-z*-]+\\.(txt|csv|ini|vtj|xlsx|so|"
                       "declined)|http://[0-9.:]+|/board|\\d+ ms)"));
    for (auto it = fixed.globalMatch(japanese); it.hasNext();) {
        const QString token = it.next().captured(0);
        EXPECT_TRUE(english.contains(token)) << token.toStdString();
    }
    EXPECT_FALSE(english.contains(
        QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"))))
        << "the English page has Japanese left in it";
}

// The English help names the buttons and menus as the English windows show them: every
// quoted name is an English text of the translation (without its accelerator, "..." or unit).
TEST(HelpPages, TheEnglishPageNamesWhatTheEnglishWindowsShow) {
    QStringList shown;
    const QDir folder(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../i18n/en"));
    static const QRegularExpression translation(
        QStringLiteral("<translation>([^<]*)</translation>"));
    for (const QString& name : folder.entryList({QStringLiteral("*.ts")})) {
        QFile ts(folder.filePath(name));
        ASSERT_TRUE(ts.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString xml = QString::fromUtf8(ts.readAll());
        for (auto it = translation.globalMatch(xml); it.hasNext();) {
            QString text = it.next().captured(1).replace(QStringLiteral("&amp;"), QString());
            text.remove(QRegularExpression(QStringLiteral("(\\.\\.\\.| \\(s\\))$")));
            shown << text;
        }
    }
    ASSERT_GT(shown.size(), 100);
    QWidget parent;
    ShowHelpWindow(&parent);
    QFile page(QStringLiteral(":/help/help_en.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    static const QRegularExpression quoted(QStringLiteral("\"([A-Z][^\"]*)\""));
    int names = 0;
    for (auto it = quoted.globalMatch(QString::fromUtf8(page.readAll())); it.hasNext(); ++names) {
        const QString name = it.next().captured(1);
        EXPECT_TRUE(shown.contains(name)) << name.toStdString();
    }
    EXPECT_GT(names, 10);
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowLayoutTest, ::testing::ValuesIn(kWindowLanguages),
                         LanguageName);

}  // namespace
}  // namespace vantrel::test
