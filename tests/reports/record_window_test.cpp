// The record window: its controls, size rules, layout pass, colours and settings.

#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QToolButton>
#include <set>

#include "record_window_fixture.h"
#include "reports/record_page_control.h"
#include "reports/scoreboard_page.h"

namespace vantrel::test {
namespace {

const char* const kMemos[] = {"Memo1", "Memo2", "Memo3", "Memo4", "Memo5", "Memo6", "Memo7"};

TEST_F(RecordWindowTest, OpensTitledRecordOnTheRankPageWithItsControls) {
    Open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Record"));
    auto* pages = Find<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Rank"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("List"));
    EXPECT_EQ(pages->tabText(2), QStringLiteral("Display"));
    EXPECT_EQ(pages->currentIndex(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pages->tabBar()->tabRect(i).width(), 100) << i;
    }
    for (const char* name :
         {"TabSheet1", "TabSheet2", "TabSheet3", "StringGrid1", "StringGrid2", "Label1", "Label2",
          "Label3", "BitBtn1", "BitBtn2", "CheckBox1", "SpeedButton1", "SpeedButton2", "StatusBar1",
          "PopupMenu1", "ChangeFontColor", "ChangeBackground"}) {
        EXPECT_NE(window->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    }
    EXPECT_EQ(Find<QPushButton>("BitBtn1")->text(), QStringLiteral("Close"));
    EXPECT_EQ(Find<QPushButton>("BitBtn2")->text(), QStringLiteral("Rebuild"));
    EXPECT_EQ(Find<QLabel>("Label1")->text(), QStringLiteral("Split #1"));
    EXPECT_EQ(Find<QLabel>("Label2")->text(), QStringLiteral("Split #2"));
    EXPECT_EQ(Find<QLabel>("Label3")->text(), QStringLiteral("Time"));
    EXPECT_EQ(Find<QAction>("ChangeFontColor")->text(), QStringLiteral("Change FONT color..."));
    EXPECT_EQ(Find<QAction>("ChangeBackground")->text(),
              QStringLiteral("Change background color..."));
    for (const char* name : kMemos) {
        auto* memo = Find<QLineEdit>(name);
        EXPECT_TRUE(memo->isReadOnly()) << name;
        EXPECT_TRUE(memo->alignment() & Qt::AlignRight) << name;
        EXPECT_EQ(memo->contextMenuPolicy(), Qt::CustomContextMenu) << name;
    }
}

TEST_F(RecordWindowTest, AutoUpdateIsHiddenAndChecked) {
    Open();
    auto* box = Find<QCheckBox>("CheckBox1");
    EXPECT_EQ(box->text(), QStringLiteral("Auto update"));
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(window->AutoUpdate());
    box->setChecked(false);
    EXPECT_FALSE(window->AutoUpdate());
}

TEST_F(RecordWindowTest, GridsHaveTheirColumnsWidthsAndRowHeight) {
    Open();
    auto* rank = Find<QTableView>("StringGrid1");
    auto* list = Find<QTableView>("StringGrid2");
    ASSERT_EQ(rank->model()->columnCount(), 8);
    ASSERT_EQ(rank->model()->rowCount(), 199);
    ASSERT_EQ(list->model()->columnCount(), 9);
    ASSERT_EQ(list->model()->rowCount(), 199);
    const int rankWidths[] = {30, 30, 103, 115, 64, 30, 64, 64};
    const int listWidths[] = {30, 79, 60, 60, 30, 60, 60, 60, 60};
    // Time columns are wider where the font needs it, never narrower than designed.
    const std::set<int> rankTimes = {4, 6, 7};
    const std::set<int> listTimes = {3, 5, 6, 7, 8};
    const auto timeWidth = [](const QTableView* grid) {
        return grid->fontMetrics().horizontalAdvance(QStringLiteral("+00:00.000"));
    };
    // Other columns are wider only where their heading needs it; name and model share what
    // the rest leave, so that all eight columns are in view.
    const auto headingWidth = [](const QTableView* grid, int column) {
        const QString heading = grid->model()->headerData(column, Qt::Horizontal).toString();
        const QHeaderView* header = grid->horizontalHeader();
        return header->fontMetrics().horizontalAdvance(heading) +
               2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
    };
    int rankTotal = 0;
    for (int c = 0; c < 8; ++c) {
        rankTotal += rank->columnWidth(c);
        if (rankTimes.count(c)) {
            EXPECT_GE(rank->columnWidth(c), std::max(rankWidths[c], timeWidth(rank))) << c;
        } else if (c != 2 && c != 3) {
            EXPECT_EQ(rank->columnWidth(c), std::max(rankWidths[c], headingWidth(rank, c))) << c;
        }
    }
    EXPECT_EQ(rank->columnWidth(2), rank->columnWidth(3));
    EXPECT_EQ(rankTotal, rank->viewport()->width());
    for (int c = 0; c < 9; ++c) {
        if (listTimes.count(c)) {
            EXPECT_GE(list->columnWidth(c), std::max(listWidths[c], timeWidth(list))) << c;
        } else {
            EXPECT_EQ(list->columnWidth(c), listWidths[c]) << c;
        }
    }
    EXPECT_EQ(rank->rowHeight(0), 15);
    EXPECT_EQ(list->rowHeight(198), 15);
    EXPECT_EQ(rank->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(rank->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(rank->model()->flags(rank->model()->index(0, 1)) & Qt::ItemIsEditable);
    // Row 0 of each page is the heading, the first model row is rank 1 / car 1.
    EXPECT_EQ(rank->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("BestLap"));
    EXPECT_EQ(rank->model()->data(rank->model()->index(0, 0)).toString(), QStringLiteral("1"));
    EXPECT_EQ(list->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Last"));
    EXPECT_EQ(list->model()->data(list->model()->index(198, 0)).toString(), QStringLiteral("199"));
}

TEST_F(RecordWindowTest, CannotBeMadeSmallerThanTheMinimum) {
    Open();
    EXPECT_EQ(window->minimumSize(), QSize(545, 384));
    window->resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(545, 384));
    window->resize(544, 600);
    EXPECT_EQ(window->size(), QSize(545, 600));
}

TEST_F(RecordWindowTest, SampleTimeFitsTheWideFieldsAfterEveryResize) {
    Open();
    window->PageControl1->setCurrentIndex(2);
    const QString sample = QStringLiteral("00:00.000");
    for (const QSize size : {QSize(545, 384), QSize(600, 700), QSize(1200, 400), QSize(560, 900),
                             QSize(1000, 800), QSize(545, 384)}) {
        window->resize(size);
        QApplication::processEvents();
        for (const char* name : {"Memo3", "Memo4", "Memo5"}) {
            auto* memo = Find<QLineEdit>(name);
            const int needed = QFontMetrics(memo->font()).horizontalAdvance(sample);
            EXPECT_LE(needed + 20, memo->width())
                << name << " at " << size.width() << "x" << size.height();
            // The fields stay inside the page.
            EXPECT_LE(memo->geometry().right(), window->TabSheet3->width()) << name;
            EXPECT_LE(memo->geometry().bottom(), window->TabSheet3->height()) << name;
        }
        // One size for all seven fields, bigger than the smallest the fit may give.
        const int points = Find<QLineEdit>("Memo3")->font().pointSize();
        EXPECT_GT(points, 8);
        for (const char* name : kMemos) {
            EXPECT_EQ(Find<QLineEdit>(name)->font().pointSize(), points) << name;
        }
    }
}

TEST_F(RecordWindowTest, LayoutFollowsTheWindowWidth) {
    Open();
    window->resize(800, 500);
    QApplication::processEvents();
    EXPECT_EQ(window->BitBtn1->x(), 800 + 8 - 91);
    EXPECT_EQ(window->BitBtn2->x(), 800 + 8 - 174);
    EXPECT_EQ(window->BitBtn1->y(), window->StatusBar1->y() - 29);
    EXPECT_EQ(window->PageControl1->height(), window->StatusBar1->y() - 35);
    EXPECT_LE(window->PageControl1->geometry().bottom(), window->BitBtn1->y());
    const int w = window->PageControl1->width() - 8;
    EXPECT_EQ(window->TabSheet3->Memo3->x(), w / 2);
    EXPECT_EQ(window->TabSheet3->Memo6->width(), w / 4 - 10);
    EXPECT_EQ(window->TabSheet3->Memo1->x(), 10);
}

TEST_F(RecordWindowTest, ToolButtonsShowOnlyOnTheGridPages) {
    Open();
    auto* exportButton = Find<QToolButton>("SpeedButton1");
    auto* printButton = Find<QToolButton>("SpeedButton2");
    EXPECT_TRUE(exportButton->isVisible());
    EXPECT_TRUE(printButton->isVisible());
    window->PageControl1->setCurrentIndex(2);
    EXPECT_FALSE(exportButton->isVisible());
    EXPECT_FALSE(printButton->isVisible());
    window->PageControl1->setCurrentIndex(1);
    EXPECT_TRUE(exportButton->isVisible());
    EXPECT_TRUE(printButton->isVisible());
}

TEST_F(RecordWindowTest, PrintButtonAsksForPrinting) {
    Open();
    int requests = 0;
    QObject::connect(window.get(), &TRecordForm::printRequested, [&requests] { ++requests; });
    Find<QToolButton>("SpeedButton2")->click();
    EXPECT_EQ(requests, 1);
}

TEST_F(RecordWindowTest, ColourPopupChangesTheFieldsAndCloseWritesWindowsValues) {
    Open();
    window->move(40, 60);
    prompter.AnswerColor(QColor(255, 0, 0));
    Find<QAction>("ChangeFontColor")->trigger();
    prompter.AnswerColor(QColor(0, 0, 255));
    Find<QAction>("ChangeBackground")->trigger();
    EXPECT_EQ(window->FontColor(), 255);
    EXPECT_EQ(window->BGColor(), 0xFF0000);
    for (const char* name : kMemos) {
        const QPalette palette = Find<QLineEdit>(name)->palette();
        EXPECT_EQ(palette.color(QPalette::Text), QColor(255, 0, 0)) << name;
        EXPECT_EQ(palette.color(QPalette::Base), QColor(0, 0, 255)) << name;
    }
    // The dialog starts from the colour in force: yellow text, black background at first.
    const auto colourCalls = prompter.CallsOf(PromptCall::kColor);
    ASSERT_EQ(colourCalls.size(), 2u);
    EXPECT_EQ(colourCalls[0].text, QStringLiteral("#ffff00"));
    EXPECT_EQ(colourCalls[1].text, QStringLiteral("#000000"));

    Find<QPushButton>("BitBtn1")->click();
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    const std::string ini = ReadBytes(IniPath());
    EXPECT_NE(ini.find("[RecordWindow]\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("FontColor=255\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("BGColor=16711680\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("AutoUpdate=1\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Top=" + std::to_string(window->y()) + "\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Left=" + std::to_string(window->x()) + "\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("Height="), std::string::npos) << ini;
}

TEST_F(RecordWindowTest, CancelledColourDialogChangesNothing) {
    Open();
    Find<QAction>("ChangeBackground")->trigger();
    EXPECT_EQ(window->BGColor(), 0);
    EXPECT_EQ(Find<QLineEdit>("Memo5")->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(Find<QLineEdit>("Memo5")->palette().color(QPalette::Text), QColor(255, 255, 0));
}

TEST_F(RecordWindowTest, CreationReadsItsSettings) {
    WriteBytes(IniPath(),
               "[RecordWindow]\r\nTop=-5\r\nLeft=20\r\nHeight=99999\r\nWidth=600\r\n"
               "FontColor=255\r\nBGColor=65280\r\n");
    Open(false);
    const QRect screen = window->screen()->geometry();
    EXPECT_EQ(window->height(), screen.height());
    EXPECT_EQ(window->width(), 600);
    EXPECT_EQ(window->y(), -5);
    EXPECT_EQ(window->x(), 20);
    EXPECT_EQ(window->FontColor(), 255);
    EXPECT_EQ(window->BGColor(), 65280);
    const QPalette palette = Find<QLineEdit>("Memo2")->palette();
    EXPECT_EQ(palette.color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(palette.color(QPalette::Base), QColor(0, 255, 0));
}

TEST_F(RecordWindowTest, CreationKeepsTheWindowOnScreen) {
    WriteBytes(IniPath(), "[RecordWindow]\r\nTop=5000\r\nLeft=5000\r\nHeight=10\r\nWidth=10\r\n");
    Open(false);
    const QRect screen = window->screen()->geometry();
    EXPECT_EQ(window->size(), QSize(545, 384));
    EXPECT_EQ(window->x(), screen.width() - 545);
    EXPECT_EQ(window->y(), screen.height() - 384);
}

TEST_F(RecordWindowTest, FirstShowPlacementClampsNegativePositions) {
    Open(false);
    window->PlaceAt(-10, -20);
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    window->PlaceAt(30, 40);
    EXPECT_EQ(window->pos(), QPoint(30, 40));
}

TEST_F(RecordWindowTest, ResetEmptiesTheScoreboardAndTheStandings) {
    Open();
    standings.AddResult(4, 61'000, 1, kMinutes);
    window->Refresh();
    window->ShowSplit1(4, "00:20.000");
    window->ShowSplit2(4, "00:40.000");
    window->ShowResult(4, "Sato", "01:01.000");
    EXPECT_EQ(Find<QLineEdit>("Memo6")->text(), QStringLiteral("4"));
    EXPECT_EQ(Find<QLineEdit>("Memo3")->text(), QStringLiteral("00:20.000"));
    EXPECT_EQ(Find<QLineEdit>("Memo7")->text(), QStringLiteral("4"));
    EXPECT_EQ(Find<QLineEdit>("Memo4")->text(), QStringLiteral("00:40.000"));
    EXPECT_EQ(Find<QLineEdit>("Memo1")->text(), QStringLiteral("4"));
    EXPECT_EQ(Find<QLineEdit>("Memo2")->text(), QStringLiteral("Sato"));
    EXPECT_EQ(Find<QLineEdit>("Memo5")->text(), QStringLiteral("01:01.000"));
    window->ShowSplitTexts("", "123.456km/h");
    EXPECT_EQ(Find<QLineEdit>("Memo3")->text(), QStringLiteral("00:20.000"));
    EXPECT_EQ(Find<QLineEdit>("Memo4")->text(), QStringLiteral("123.456km/h"));

    window->ResetRecord();
    for (const char* name : kMemos) {
        const QString expected = std::string(name) == "Memo5" ? "00:00.000" : "";
        EXPECT_EQ(Find<QLineEdit>(name)->text(), expected) << name;
    }
    EXPECT_EQ(Find<QLabel>("Label3")->font().pointSize(), 28);
    EXPECT_EQ(Find<QLabel>("Label1")->font().pointSize(), 20);
    auto* rank = Find<QTableView>("StringGrid1");
    EXPECT_EQ(rank->model()->data(rank->model()->index(0, 1)).toString(), QString());
}

}  // namespace
}  // namespace vantrel::test
