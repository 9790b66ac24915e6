// The record window's pages as a timekeeper sees them, in each language, at the window's
// minimum size, at 636 x 450 and at 1280 x 1024: no control on top of another, none cut by its
// parent, every heading and text readable. With VANTREL_SCREENSHOT_DIR set each page is also saved
// there as record-<language>-<page>-<width>x<height>.png.
#include <QComboBox>
#include <QScrollBar>
#include <QTableView>
#include <cstdlib>

#include "record_window_fixture.h"
#include "reports/record_layout.h"
#include "support/language_fixture.h"
#include "support/layout_check.h"

namespace vantrel::test {
namespace {

const char* const kPageNames[] = {"rank", "list", "display"};

// Every page at each size: nothing overlaps or is cut; `tag` names the screenshots.
void CheckEveryPage(TRecordForm* window, const std::string& tag) {
    const char* out = std::getenv("VANTREL_SCREENSHOT_DIR");
    for (const QSize size :
         {QSize(kRecordMinWidth, kRecordMinHeight), QSize(636, 450), QSize(1280, 1024)}) {
        window->resize(size);
        QApplication::processEvents();
        ASSERT_EQ(window->size(), size);
        for (int page = 0; page < 3; ++page) {
            window->PageControl1->setCurrentIndex(page);
            QApplication::processEvents();
            const QStringList faults = LayoutFaults(window);
            // The Rank page has a fixed set of columns: all of them in view, no scrolling.
            EXPECT_FALSE(window->StringGrid1->horizontalScrollBar()->isVisibleTo(window))
                << size.width() << "x" << size.height();
            EXPECT_TRUE(faults.isEmpty())
                << kPageNames[page] << " at " << size.width() << "x" << size.height() << ":\n"
                << faults.join(QLatin1Char('\n')).toStdString();
            if (out != nullptr) {
                window->grab().save(
                    QStringLiteral("%1/record%5-%2-%3x%4.png")
                        .arg(QString::fromLocal8Bit(out), QString::fromLatin1(kPageNames[page]))
                        .arg(size.width())
                        .arg(size.height())
                        .arg(QString::fromStdString(tag)));
            }
        }
    }
}

using RecordWindowLayoutTest = InEachLanguage<RecordWindowTest>;

TEST_P(RecordWindowLayoutTest, EveryPageFitsFromTheMinimumSizeUp) {
    entries.SetCell(1, 8, "とても長い名前のドライバー");
    entries.SetCell(2, 8, "とても長い車種の名前");
    entries.SetCell(1, 3, "山田 太郎");
    Open();
    standings.AddResult(8, 3'599'999, 1, kMinutes);
    standings.AddResult(3, 61'234, 1, kMinutes);
    standings.AddResult(3, 62'500, 2, kMinutes);
    standings.AddResult(15, 1'200'000, 1, kMinutes);
    window->Refresh();
    window->ShowSplit1(3, "59:59.999");
    window->ShowSplit2(3, "59:59.999");
    window->ShowResult(3, "山田 太郎", "59:59.999");
    CheckEveryPage(window.get(), "-" + LanguageName({GetParam(), 0}));
    // Without classes the class selector stays out of the way.
    window->PageControl1->setCurrentIndex(0);
    EXPECT_FALSE(Find<QComboBox>("classSelector")->isVisible());
}

TEST_P(RecordWindowLayoutTest, EveryPageFitsWithTheClassSelector) {
    entries.SetCell(1, 8, "とても長い名前のドライバー");
    entries.SetCell(EntryTable::kClass, 8, "ＷＷＷＷＷＷＷＷ");
    entries.SetCell(EntryTable::kClass, 3, "PN1");
    Open();
    standings.AddResult(8, 3'599'999, 1, kMinutes);
    standings.AddResult(3, 61'234, 1, kMinutes);
    window->Refresh();
    window->ChooseClass("ＷＷＷＷＷＷＷＷ");
    ASSERT_EQ(window->ChosenClass(), "ＷＷＷＷＷＷＷＷ");
    window->PageControl1->setCurrentIndex(0);
    EXPECT_TRUE(Find<QComboBox>("classSelector")->isVisible());
    // Made after the classes were set: the selector lists them all the same.
    EXPECT_EQ(Find<QComboBox>("classSelector")->currentText(), QStringLiteral("ＷＷＷＷＷＷＷＷ"));
    EXPECT_FALSE(Find<QComboBox>("ClassBox")->isHidden());
    CheckEveryPage(window.get(), "-class-" + LanguageName({GetParam(), 0}));
}

VANTREL_IN_EACH_LANGUAGE(RecordWindowLayoutTest);

}  // namespace
}  // namespace vantrel::test
