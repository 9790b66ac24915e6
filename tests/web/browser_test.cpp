// The live results in a real browser: a headless Chromium loads the pages from the program's
// server during a simulated gymkhana session. With VANTREL_SCREENSHOT_DIR set, the phone page
// (390 x 844) and the board (1920 x 1080) are also saved there.
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdlib>

#include "app/ui_language.h"
#include "cdp_pipe.h"
#include "common/cp932.h"
#include "lists/entry_table.h"
#include "lists/flag_review_window.h"
#include "lists/result_table.h"
#include "support/manual_timing_fixture.h"
#include "web/web_server.h"
#include "web/web_settings.h"

namespace vantrel::test {
namespace {

class BrowserTest : public WorkingFolderTest {
protected:
    // A session with entries and the server on a free port; false when it could not start.
    void OpenServing(const std::string& setup = "IoAddress=None\r\n") {
        Open(setup);
        WriteBytes(dir / "entries.txt",
                   Utf8ToCp932("山田 太郎,シビック\r\n鈴木 花子,ロードスター\r\n"));
        prompter.AnswerFile(QString::fromStdString((dir / "entries.txt").string()));
        Find<QAction>("FileLoadEntry")->trigger();
        window->ApplyWebSettings(WebSettings{true, 0});
        ASSERT_TRUE(window->Web().Serving());
        base = QStringLiteral("http://127.0.0.1:%1").arg(window->Web().Port());
        EXPECT_TRUE(Find<QLabel>("WebStatus")->text().startsWith(QStringLiteral("http://")));
        EXPECT_TRUE(Find<QLabel>("WebStatus")
                        ->text()
                        .endsWith(QStringLiteral(":%1").arg(window->Web().Port())));
    }
    void StartBrowser(int width, int height) {
        const std::string browser = CdpPipe::FindBrowser();
        if (browser.empty()) {
            GTEST_SKIP() << "No Chromium here (chromium-headless-shell or chromium): the pages "
                            "are not checked in a browser.";
        }
        cdp.idle = [] { QApplication::processEvents(); };
        if (!cdp.Start(browser, (dir / "profile").string(), width, height)) {
            GTEST_SKIP() << "Chromium (" << browser << ") did not start here.";
        }
        cdp.Call(QStringLiteral("Runtime.enable"));
        cdp.Call(QStringLiteral("Page.enable"));
        Resize(width, height);
    }
    void Resize(int width, int height) {
        cdp.Call(QStringLiteral("Emulation.setDeviceMetricsOverride"),
                 {{QStringLiteral("width"), width},
                  {QStringLiteral("height"), height},
                  {QStringLiteral("deviceScaleFactor"), 1},
                  {QStringLiteral("mobile"), width < 600}});
    }
    void Load(const QString& path) {
        cdp.Call(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), base + path}});
    }
    QString Text(const QString& expression) {
        return cdp.Evaluate(expression).value(QStringLiteral("value")).toString();
    }
    // Waits until the page shows `expected` for `expression`; the time it took, or -1.
    qint64 WaitForText(const QString& expression, const QString& expected, int timeoutMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            if (Text(expression) == expected) {
                return timer.elapsed();
            }
            QApplication::processEvents();
        }
        return -1;
    }
    int ScriptErrors() const {
        int errors = 0;
        for (const QJsonObject& event : cdp.Events()) {
            const QString method = event.value(QStringLiteral("method")).toString();
            const QString type =
                event.value(QStringLiteral("params"))[QStringLiteral("type")].toString();
            if (method == QStringLiteral("Runtime.exceptionThrown") ||
                (method == QStringLiteral("Runtime.consoleAPICalled") &&
                 type == QStringLiteral("error"))) {
                ++errors;
            }
        }
        return errors;
    }
    void Screenshot(const char* name) {
        const char* out = std::getenv("VANTREL_SCREENSHOT_DIR");
        if (out == nullptr) {
            return;
        }
        const QJsonObject shot = cdp.Call(QStringLiteral("Page.captureScreenshot"));
        QFile file(QString::fromLocal8Bit(out) + QLatin1Char('/') + QLatin1String(name));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(
                QByteArray::fromBase64(shot.value(QStringLiteral("data")).toString().toLatin1()));
        }
    }

    CdpPipe cdp;
    QString base;
};

TEST_F(BrowserTest, AFinishReachesThePhonePageWithinASecond) {
    OpenServing();
    StartBrowser(390, 844);
    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);  // car 1 starts
    Load(QStringLiteral("/"));
    // The car on course with its running clock.
    ASSERT_GE(WaitForText(QStringLiteral("document.querySelector('#course .car')?.textContent"),
                          QStringLiteral("1")),
              0);
    EXPECT_EQ(Text(QStringLiteral("document.querySelector('#course .name').textContent")),
              QStringLiteral("山田 太郎"));
    EXPECT_EQ(Text(QStringLiteral("document.getElementById('mode').textContent")),
              QStringLiteral("ジムカーナ"));
    Run(6000);
    Pass(Qt::Key_F11);  // car 2 starts
    Run(30000);
    Pass(Qt::Key_F12);  // car 1 finishes
    const QString time = Find<QLineEdit>("Memo104")->text();
    ASSERT_FALSE(time.isEmpty());
    const qint64 took =
        WaitForText(QStringLiteral("document.querySelector('#last .time')?.textContent"), time);
    ASSERT_GE(took, 0) << "the finish never reached the page";
    EXPECT_LT(took, 1000);
    EXPECT_EQ(Text(QStringLiteral("document.querySelector('#last .car').textContent")),
              QStringLiteral("1"));
    EXPECT_EQ(Text(QStringLiteral("document.querySelector('#results tbody td').textContent")),
              QStringLiteral("1"));
    EXPECT_EQ(Text(QStringLiteral("document.querySelector('#course .car').textContent")),
              QStringLiteral("2"));
    EXPECT_EQ(Text(QStringLiteral("String(document.getElementById('class').hidden)")),
              QStringLiteral("true"));  // no classes, no chooser
    EXPECT_EQ(ScriptErrors(), 0);
    Screenshot("live-phone.png");
    Key(Qt::Key_X, true, Qt::AltModifier);  // car 2 leaves the course without a result
}

TEST_F(BrowserTest, TheBoardRendersWithoutScriptErrors) {
    OpenServing();
    StartBrowser(1920, 1080);
    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);
    Run(42000);
    Pass(Qt::Key_F12);
    const QString time = Find<QLineEdit>("Memo104")->text();
    Load(QStringLiteral("/board"));
    ASSERT_GE(WaitForText(QStringLiteral("document.getElementById('f-time').textContent"), time),
              0);
    EXPECT_EQ(Text(QStringLiteral("document.getElementById('f-name').textContent")),
              QStringLiteral("山田 太郎"));
    EXPECT_EQ(Text(QStringLiteral("getComputedStyle(document.body).backgroundColor")),
              QStringLiteral("rgb(0, 0, 0)"));
    EXPECT_EQ(Text(QStringLiteral("getComputedStyle(document.getElementById('board')).color")),
              QStringLiteral("rgb(255, 255, 0)"));
    EXPECT_EQ(
        Text(QStringLiteral("document.querySelectorAll('#standings > div').length.toString()")),
        QStringLiteral("1"));
    EXPECT_EQ(ScriptErrors(), 0);
    Screenshot("live-board.png");
}

// A run below the event's plausible window: "?" beside its time on both pages, with the reason
// as its tooltip, until the operator accepts it.
TEST_F(BrowserTest, AMarkedRunShowsItsMarkUntilItIsAccepted) {
    OpenServing("IoAddress=None\r\nPlausibleMinMs=40000\r\n");
    StartBrowser(390, 844);
    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);
    Run(30000);
    Pass(Qt::Key_F12);
    ASSERT_FALSE(window->Results().Flag(1).empty());
    const QString marks = QStringLiteral(
        "Array.from(document.querySelectorAll('.flag'))"
        ".map(m => m.parentNode.className + '=' + m.textContent).join('|')");
    Load(QStringLiteral("/"));
    ASSERT_GE(WaitForText(marks, QStringLiteral("time=?|c-BestLap=?|c-Time=?")), 0);
    EXPECT_TRUE(Text(QStringLiteral("document.querySelector('#rank .flag').title"))
                    .contains(QStringLiteral("00:40.000")));
    EXPECT_EQ(Text(QStringLiteral("document.querySelector('#rank tbody tr').className")),
              QStringLiteral("flagged"));
    Screenshot("live-phone-flag.png");
    Load(QStringLiteral("/board"));
    ASSERT_GE(WaitForText(marks, QStringLiteral("wide big=?|best=?")), 0);
    EXPECT_TRUE(Text(QStringLiteral("document.querySelector('#f-time .flag').title"))
                    .contains(QStringLiteral("00:40.000")));

    Find<QAction>("Grid2Review")->trigger();
    QApplication::processEvents();
    window->FlagReview().findChild<QPushButton*>(QStringLiteral("FlagAccept1"))->click();
    ASSERT_GE(WaitForText(marks, QString()), 0);
    EXPECT_EQ(Text(QStringLiteral("document.getElementById('f-time').textContent")),
              Find<QLineEdit>("Memo104")->text());
    EXPECT_EQ(ScriptErrors(), 0);
}

// Rank and car of each row of the phone page's table, or of the board's leading cars.
const QString kRankRows = QStringLiteral(
    "Array.from(document.querySelectorAll('#rank tbody tr'))"
    ".map(r => r.cells[0].textContent + ':' + r.cells[1].textContent).join('|')");
const QString kBoardRows = QStringLiteral(
    "Array.from(document.querySelectorAll('#standings > div'))"
    ".map(d => d.children[0].textContent + ':' + d.children[1].textContent).join('|')");

QString Choose(const QString& cls) {
    return QStringLiteral(
               "(() => { const s = document.getElementById('class'); s.value = '%1';"
               " s.dispatchEvent(new Event('change')); return s.value; })()")
        .arg(cls);
}

TEST_F(BrowserTest, AClassPickedInThePageShowsOnlyItsCarsRankedFromOne) {
    Open("IoAddress=None\r\n");
    WriteBytes(dir / "entries.txt",
               Utf8ToCp932("A1,M,PN1\r\nA2,M,SA\r\nA3,M,PN1\r\nA4,M,ｸﾗｽ<b>\r\nA5,M,SA\r\n"
                           "A6,M,PN1\r\n"));
    prompter.AnswerFile(QString::fromStdString((dir / "entries.txt").string()));
    Find<QAction>("FileLoadEntry")->trigger();
    // One run each; overall 2, 1, 4, 3, 5, 6.
    WriteBytes(dir / "results.csv",
               "1,A1,M,,01:01.000,,,,1\r\n2,A2,M,,01:00.000,,,,1\r\n3,A3,M,,01:03.000,,,,1\r\n"
               "4,A4,M,,01:02.000,,,,1\r\n5,A5,M,,01:04.000,,,,1\r\n6,A6,M,,01:05.500,,,,1\r\n");
    prompter.AnswerFile(QString::fromStdString((dir / "results.csv").string()));
    Find<QAction>("FileLoadResult")->trigger();
    window->ApplyWebSettings(WebSettings{true, 0});
    ASSERT_TRUE(window->Web().Serving());
    base = QStringLiteral("http://127.0.0.1:%1").arg(window->Web().Port());
    StartBrowser(390, 844);

    Load(QStringLiteral("/"));
    ASSERT_GE(WaitForText(kRankRows, QStringLiteral("1:2|2:1|3:4|4:3|5:5|6:6")), 0);
    EXPECT_EQ(Text(QStringLiteral("Array.from(document.querySelectorAll('#class option'))"
                                  ".map(o => o.textContent).join('|')")),
              QStringLiteral("全体|PN1|SA|ｸﾗｽ<b>"));
    EXPECT_EQ(
        Text(QStringLiteral("document.querySelector('#rank thead th:last-child').textContent")),
        QStringLiteral("クラス"));
    EXPECT_EQ(
        Text(QStringLiteral("document.querySelector('#rank tbody td:last-child').textContent")),
        QStringLiteral("SA"));

    EXPECT_EQ(Text(Choose(QStringLiteral("PN1"))), QStringLiteral("PN1"));
    ASSERT_GE(WaitForText(kRankRows, QStringLiteral("1:1|2:3|3:6")), 0);
    EXPECT_EQ(Text(QStringLiteral("document.querySelector('#rank tbody tr:last-child')"
                                  ".cells[7].textContent")),
              QStringLiteral("+00:04.500"));  // behind the class leader, not the overall one
    Screenshot("live-phone-class.png");
    EXPECT_EQ(Text(QStringLiteral("location.search")), QStringLiteral("?class=PN1"));
    EXPECT_TRUE(Text(QStringLiteral("document.getElementById('board-link').href"))
                    .endsWith(QStringLiteral("/board?class=PN1")));

    // A class of half-width katakana and markup: shown as text, kept in the address.
    Text(Choose(QStringLiteral("ｸﾗｽ<b>")));
    ASSERT_GE(WaitForText(kRankRows, QStringLiteral("1:4")), 0);
    EXPECT_EQ(Text(QStringLiteral("new URLSearchParams(location.search).get('class')")),
              QStringLiteral("ｸﾗｽ<b>"));
    EXPECT_EQ(Text(QStringLiteral("String(document.querySelectorAll('b').length)")),
              QStringLiteral("0"));

    // The address keeps the class: a phone that reloads the page is shown its class again.
    Load(QStringLiteral("/?class=SA"));
    ASSERT_GE(WaitForText(kRankRows, QStringLiteral("1:2|2:5")), 0);
    EXPECT_EQ(Text(QStringLiteral("document.getElementById('class').value")), QStringLiteral("SA"));
    Text(Choose(QString()));
    ASSERT_GE(WaitForText(kRankRows, QStringLiteral("1:2|2:1|3:4|4:3|5:5|6:6")), 0);
    EXPECT_EQ(Text(QStringLiteral("location.search")), QString());

    // The board of one class follows a change of a car's class at once.
    Load(QStringLiteral("/board?class=PN1"));
    ASSERT_GE(WaitForText(kBoardRows, QStringLiteral("1:1|2:3|3:6")), 0);
    EXPECT_EQ(Text(QStringLiteral("document.getElementById('class').value")),
              QStringLiteral("PN1"));
    window->Entries().SetCell(EntryTable::kClass, 5, "PN1");
    ASSERT_GE(WaitForText(kBoardRows, QStringLiteral("1:1|2:3|3:5|4:6")), 0);
    Text(Choose(QStringLiteral("SA")));
    ASSERT_GE(WaitForText(kBoardRows, QStringLiteral("1:2")), 0);
    EXPECT_EQ(ScriptErrors(), 0);
    Screenshot("live-board-class.png");
}

// The texts of the page that do not fit: a block wider than its box, the page wider than the
// window, or a heading, badge or link reaching past the window's edge (tables scroll).
const QString kOverflowing = QStringLiteral(
    "(document.documentElement.scrollWidth > innerWidth ? ['page'] : []).concat("
    "Array.from(document.querySelectorAll('h1, h2, h2 > span, .badge, .link, footer a, th, td,"
    " .last .count, .course li, .label, .wide, select'))"
    ".filter(e => e.getClientRects().length > 0)"
    ".filter(e => (getComputedStyle(e).display !== 'inline' && e.scrollWidth > e.clientWidth + 1)"
    " || (!e.closest('.scroll') && e.getBoundingClientRect().right > innerWidth + 0.5))"
    ".map(e => e.tagName + '.' + e.className + ':' + e.textContent)).join('|')");

// The page's own texts (not the entries' names): headings, badges, column headings, counts.
const QString kPageTexts = QStringLiteral(
    "Array.from(document.querySelectorAll('title, [data-text], h2, th, #mode, #link,"
    " #result-count, .count, .none, .label, option'))"
    ".map(e => e.textContent).join('|')");
const QRegularExpression kJapanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));

struct JapaneseAfterwards {
    ~JapaneseAfterwards() { InstallLanguage(UiLanguage::kJapanese); }
};

// The program in English: both pages speak English and fit the narrow and the wide window.
TEST_F(BrowserTest, EnglishPagesShowEnglishAndFitTheWindowWidths) {
    JapaneseAfterwards restore;
    ASSERT_TRUE(InstallLanguage(UiLanguage::kEnglish));
    OpenServing();
    StartBrowser(636, 450);
    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);  // car 1 starts
    Run(31000);
    Pass(Qt::Key_F12);  // car 1 finishes
    Run(30);
    Pass(Qt::Key_F11);  // car 2 stays on course
    const QString time = Find<QLineEdit>("Memo104")->text();
    for (const auto& [width, height] : {std::pair{636, 450}, std::pair{1280, 1024}}) {
        SCOPED_TRACE(width);
        Resize(width, height);
        Load(QStringLiteral("/"));
        ASSERT_GE(WaitForText(QStringLiteral("document.querySelector('#last .count')?.textContent"),
                              QStringLiteral("Run 1")),
                  0);
        EXPECT_EQ(Text(QStringLiteral("document.documentElement.lang")), QStringLiteral("en"));
        EXPECT_EQ(Text(QStringLiteral("document.title")), QStringLiteral("Live results"));
        EXPECT_EQ(Text(QStringLiteral("document.querySelector('#course-box h2').textContent")),
                  QStringLiteral("On course"));
        EXPECT_EQ(Text(QStringLiteral("document.getElementById('mode').textContent")),
                  QStringLiteral("Gymkhana"));
        EXPECT_EQ(Text(QStringLiteral("document.getElementById('result-count').textContent")),
                  QStringLiteral("(1 in all)"));
        EXPECT_EQ(Text(QStringLiteral("document.querySelector('#rank thead th').textContent")),
                  QStringLiteral("Rank"));
        EXPECT_GE(WaitForText(QStringLiteral("document.getElementById('link').textContent"),
                              QStringLiteral("Live")),
                  0);
        EXPECT_FALSE(Text(kPageTexts).contains(kJapanese)) << Text(kPageTexts).toStdString();
        EXPECT_EQ(Text(kOverflowing), QString());
        Screenshot(width < 1000 ? "live-en-636.png" : "live-en-1280.png");

        Load(QStringLiteral("/board"));
        ASSERT_GE(
            WaitForText(QStringLiteral("document.getElementById('f-time').textContent"), time), 0);
        EXPECT_EQ(Text(QStringLiteral("document.documentElement.lang")), QStringLiteral("en"));
        EXPECT_EQ(Text(QStringLiteral("document.title")), QStringLiteral("Scoreboard"));
        EXPECT_TRUE(Text(QStringLiteral("document.getElementById('running').textContent"))
                        .contains(QStringLiteral("No.2 ")));
        EXPECT_FALSE(Text(kPageTexts).contains(kJapanese)) << Text(kPageTexts).toStdString();
        EXPECT_EQ(Text(kOverflowing), QString());
        Screenshot(width < 1000 ? "board-en-636.png" : "board-en-1280.png");
    }
    EXPECT_EQ(ScriptErrors(), 0);
    Key(Qt::Key_X, true, Qt::AltModifier);  // car 2 leaves the course without a result
}

}  // namespace
}  // namespace vantrel::test
