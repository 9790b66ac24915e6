// The scoreboard's class box on the "Display" page: hidden without classes, "全体" and then
// each class, the fields following only the chosen class's cars, apart from the Rank page's
// selector, and back to every car when the class is gone.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "record_window_fixture.h"
#include "reports/scoreboard_page.h"

namespace vantrel::test {
namespace {

class ScoreboardClassTest : public RecordWindowTest {
protected:
    QComboBox* Box() const { return window->TabSheet3->ClassBox; }
    QStringList Items() const {
        QStringList items;
        for (int i = 0; i < Box()->count(); ++i) {
            items << Box()->itemText(i);
        }
        return items;
    }
    QString Field(Scoreboard::Field field) const { return window->TabSheet3->Field(field)->text(); }
    void Pick(const QString& cls) { Box()->setCurrentIndex(Box()->findText(cls)); }
};

TEST_F(ScoreboardClassTest, FieldsFollowTheChosenClassOnly) {
    Open();
    window->PageControl1->setCurrentIndex(static_cast<int>(RecordPage::kDisplay));
    QApplication::processEvents();
    EXPECT_FALSE(Box()->isVisible());
    EXPECT_EQ(Box()->currentText(), "全体");

    entries.SetCell(EntryTable::kClass, 1, "SA");
    entries.SetCell(EntryTable::kClass, 2, "PN1");
    entries.SetCell(EntryTable::kClass, 4, "SA");
    QApplication::processEvents();
    EXPECT_TRUE(Box()->isVisible());
    EXPECT_EQ(Items(), (QStringList{"全体", "SA", "PN1"}));

    window->ShowSplit1(2, "00:10.000");
    window->ShowResult(2, "Baba", "01:05.000");
    window->ShowResult(1, "Aoki", "01:00.000");
    window->ShowSplitTexts("00:09.000", "");
    window->ShowResult(3, "Chiba", "01:07.000");  // no class
    EXPECT_EQ(Field(Scoreboard::kMemo1), "3");

    Pick("SA");
    EXPECT_EQ(window->TabSheet3->ShownClass(), "SA");
    EXPECT_EQ(Field(Scoreboard::kMemo1), "1");
    EXPECT_EQ(Field(Scoreboard::kMemo5), "01:00.000");
    EXPECT_EQ(Field(Scoreboard::kMemo3), "00:09.000");
    EXPECT_EQ(Field(Scoreboard::kMemo6), "");  // no split of an SA car

    Pick("PN1");
    EXPECT_EQ(Field(Scoreboard::kMemo1), "2");
    EXPECT_EQ(Field(Scoreboard::kMemo6), "2");
    EXPECT_EQ(Field(Scoreboard::kMemo3), "00:10.000");
    // Other classes' results leave the board as it is; the live pages' board has every car.
    window->ShowResult(4, "Doi", "00:59.000");
    EXPECT_EQ(Field(Scoreboard::kMemo1), "2");
    EXPECT_EQ(window->Board().Text(Scoreboard::kMemo1), "4");
    window->ShowResult(2, "Baba", "01:04.000");
    EXPECT_EQ(Field(Scoreboard::kMemo5), "01:04.000");

    // The Rank page's selector is a choice of its own.
    window->ChooseClass("SA");
    EXPECT_EQ(window->TabSheet3->ShownClass(), "PN1");

    // The box sits in the time row between its label and the time field.
    const QRect box = Box()->geometry();
    const QRect label = window->TabSheet3->Label3->geometry();
    const QRect time = window->TabSheet3->Memo5->geometry();
    EXPECT_FALSE(box.intersects(label));
    EXPECT_FALSE(box.intersects(time));
    EXPECT_GE(box.top(), time.top());
    EXPECT_LE(box.bottom(), time.bottom());
    EXPECT_TRUE(window->TabSheet3->rect().contains(box));

    // A class no car has any more: back to every car; no class at all: the box is hidden.
    entries.SetCell(EntryTable::kClass, 2, "");
    QApplication::processEvents();
    EXPECT_EQ(Items(), (QStringList{"全体", "SA"}));
    EXPECT_EQ(window->TabSheet3->ShownClass(), "");
    EXPECT_EQ(Field(Scoreboard::kMemo1), "2");
    Pick("SA");
    EXPECT_EQ(Field(Scoreboard::kMemo1), "4");
    entries.SetCell(EntryTable::kClass, 1, "");
    entries.SetCell(EntryTable::kClass, 4, "");
    QApplication::processEvents();
    EXPECT_FALSE(Box()->isVisible());
    EXPECT_EQ(Field(Scoreboard::kMemo1), "2");
}

}  // namespace
}  // namespace vantrel::test
