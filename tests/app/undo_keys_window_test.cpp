// Ctrl+Z and Ctrl+Y undo and redo the lists wherever the focus is: a box typed into (the next
// car, the DRAG car number, the mask time, a queue box being corrected) must not keep them for
// its own text.
#include <QAction>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QtTest/QTest>

#include "common/cp932.h"
#include "common/text_file.h"
#include "support/manual_timing_fixture.h"

namespace vantrel::test {
namespace {

class UndoKeysTest : public ManualTimingTest {
protected:
    void SetUp() override { journalFolder = dir / "journal"; }
    // Loads an entry list whose car 1 is `name`: the step the keys undo and redo.
    void LoadEntries(const std::string& name) {
        WriteBytes(dir / "entries.txt", Utf8ToCp932(name + ",シビック\r\n鈴木,ロードスター\r\n"));
        if (window->State().entryModified) {
            prompter.AnswerYes();  // load over the list the undo left modified
        }
        prompter.AnswerFile(QString::fromStdString((dir / "entries.txt").string()));
        Find<QAction>("FileLoadEntry")->trigger();
        QApplication::processEvents();
    }
    void PressIn(QLineEdit* box, int key) {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        box->setFocus();
        QTest::keyClick(box, key, Qt::ControlModifier);
    }
    // A load is undone and redone from `box`, whose own text stays as it was.
    void UndoAndRedoFrom(const char* boxName, const std::string& name) {
        SCOPED_TRACE(boxName);
        const std::string before = window->Entries().Name(1);
        LoadEntries(name);
        ASSERT_EQ(window->Entries().Name(1), name);
        auto* box = Find<QLineEdit>(boxName);
        ASSERT_TRUE(box->isVisible());
        ASSERT_FALSE(box->isReadOnly());
        box->setFocus();
        box->selectAll();
        box->insert(QStringLiteral("123"));  // something the box itself could undo
        const QString typed = box->text();
        PressIn(box, Qt::Key_Z);
        EXPECT_EQ(window->Entries().Name(1), before);
        EXPECT_EQ(box->text(), typed);
        PressIn(box, Qt::Key_Y);
        EXPECT_EQ(window->Entries().Name(1), name);
        EXPECT_EQ(box->text(), typed);
    }
    void ShowTab(int index) {
        Find<QTabWidget>("PageControl1")->setCurrentIndex(index);
        QApplication::processEvents();
        ASSERT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), index);
    }
};

TEST_F(UndoKeysTest, BoxesTypedIntoLeaveUndoAndRedoToTheLists) {
    Open("IoAddress=None\r\n");
    UndoAndRedoFrom("Memo114", "山田");
    // A queue box while it is being corrected.
    QTest::mouseDClick(Find<QLineEdit>("Memo100"), Qt::LeftButton);
    UndoAndRedoFrom("Memo100", "佐藤");
    ShowTab(1);
    UndoAndRedoFrom("Memo204", "田中");
    ShowTab(2);
    UndoAndRedoFrom("Memo302", "高橋");
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kWarn).empty());
}

}  // namespace
}  // namespace vantrel::test
