// The "Class" column of the entry grid in the real main window: there with the first class,
// before "Lap", taking its width from "Name" and "Model" only; edited, refused, undone and
// redone like every entry cell (the journal's side is in the journal tests).
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>

#include "common/cp932.h"
#include "list_window_support.h"

namespace vantrel::test {
namespace {

class EntryClassWindow : public ListWindowTest {
protected:
    // Left edge and width of each column as the grid shows it.
    struct Span {
        int left;
        int width;
        bool operator==(const Span&) const = default;
    };
    Span SpanOf(int column) const {
        return {EntryGrid()->columnViewportPosition(column), EntryGrid()->columnWidth(column)};
    }
    void Load(const std::string& text) {
        WriteBytes(dir / "entries.txt", Utf8ToCp932(text));
        if (window->State().entryModified) {
            prompter.AnswerYes();
        }
        prompter.AnswerFile(QString::fromStdString((dir / "entries.txt").string()));
        Find<QAction>("FileLoadEntry")->trigger();
        QApplication::processEvents();
    }
    // Types `text` into the class cell of `car` and presses Enter; the arrow keys lead there.
    void TypeClass(int car, const QString& text) {
        QTableView* grid = EntryGrid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(car - 1, EntryTable::kName));
        Press(grid, Qt::Key_Return, Qt::ShiftModifier);
        Press(grid, Qt::Key_Right);
        Press(grid, Qt::Key_Right);
        ASSERT_EQ(grid->currentIndex().column(), EntryTable::kClass);
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        // One key per character, each carrying its text as a keyboard or input method does.
        for (const QChar c : text) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(editor, &key);
        }
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST_F(EntryClassWindow, TheColumnComesWithTheFirstClassAndLeavesTheOtherColumnsInPlace) {
    OpenActiveWindow();
    QTableView* grid = EntryGrid();
    ASSERT_EQ(grid->model()->columnCount(), 4);
    EXPECT_FALSE(Find<QAction>("Grid1Class")->isChecked());
    const Span car = SpanOf(EntryTable::kCar);
    const Span name = SpanOf(EntryTable::kName);
    const Span model = SpanOf(EntryTable::kModel);
    const Span lap = SpanOf(EntryTable::kLap);

    Load("山田,EK9,PN1\r\n佐藤,NA6,\r\n");
    ASSERT_EQ(grid->model()->columnCount(), 5);
    EXPECT_EQ(grid->model()->headerData(EntryTable::kClass, Qt::Horizontal).toString(),
              QStringLiteral("Class"));
    EXPECT_EQ(EntryCell(EntryTable::kClass, 1), QStringLiteral("PN1"));
    EXPECT_EQ(grid->horizontalHeader()->visualIndex(EntryTable::kClass), EntryTable::kLap);
    EXPECT_TRUE(Find<QAction>("Grid1Class")->isChecked());
    EXPECT_FALSE(Find<QAction>("Grid1Class")->isEnabled());  // classes cannot be hidden
    // "Car" and "Lap" stay where they were; name, model and class share what name and model
    // had, side by side without overlap.
    EXPECT_EQ(SpanOf(EntryTable::kCar), car);
    EXPECT_EQ(SpanOf(EntryTable::kLap), lap);
    const Span nameNow = SpanOf(EntryTable::kName);
    const Span modelNow = SpanOf(EntryTable::kModel);
    const Span cls = SpanOf(EntryTable::kClass);
    EXPECT_EQ(nameNow.left, name.left);
    EXPECT_EQ(modelNow.left, nameNow.left + nameNow.width);
    EXPECT_EQ(cls.left, modelNow.left + modelNow.width);
    EXPECT_EQ(lap.left, cls.left + cls.width);
    EXPECT_GE(cls.width, grid->fontMetrics().horizontalAdvance(QStringLiteral("Class")));
    EXPECT_GT(nameNow.width, cls.width);

    // The last class gone from its own open cell, the grid is as it was.
    TypeClass(1, QString());
    EXPECT_EQ(window->Entries().Class(1), "");
    QApplication::processEvents();
    ASSERT_EQ(grid->model()->columnCount(), 4);
    EXPECT_EQ(SpanOf(EntryTable::kName), name);
    EXPECT_EQ(SpanOf(EntryTable::kModel), model);
    EXPECT_EQ(SpanOf(EntryTable::kLap), lap);
    EXPECT_TRUE(Find<QAction>("Grid1Class")->isEnabled());

    // Asked for, the column is there for the first class to be typed.
    Find<QAction>("Grid1Class")->trigger();
    EXPECT_EQ(grid->model()->columnCount(), 5);
    EXPECT_EQ(grid->horizontalHeader()->visualIndex(EntryTable::kClass), EntryTable::kLap);
    Find<QAction>("Grid1Class")->trigger();
    EXPECT_EQ(grid->model()->columnCount(), 4);
}

TEST_F(EntryClassWindow, ATypedClassIsKeptShortAndIsUndoneAndRedone) {
    OpenActiveWindow();
    Find<QAction>("Grid1Class")->trigger();
    TypeClass(3, QStringLiteral("SA,N2345678"));
    // Eight characters at most; the comma is the full-width one, as in a name.
    EXPECT_EQ(window->Entries().Class(3), "SA，N2345");
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kWarn).empty());
    TypeClass(4, QStringLiteral("N€1"));
    EXPECT_EQ(window->Entries().Class(4), "N1");
    ASSERT_EQ(prompter.CallsOf(PromptCall::kWarn).size(), 1u);
    EXPECT_NE(prompter.CallsOf(PromptCall::kWarn)[0].text.indexOf(QStringLiteral("€")), -1);

    Find<QAction>("Grid2Undo")->trigger();
    EXPECT_EQ(window->Entries().Class(4), "");
    Find<QAction>("Grid2Undo")->trigger();
    EXPECT_EQ(window->Entries().Class(3), "");
    Find<QAction>("Grid2Redo")->trigger();
    EXPECT_EQ(window->Entries().Class(3), "SA，N2345");
}

}  // namespace
}  // namespace vantrel::test
