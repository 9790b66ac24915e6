// The received-lines list: what it keeps, in which order, and where its view goes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>

#include "widgets/line_list.h"

namespace vantrel {
namespace {

QStringList Numbers(int first, int last) {
    QStringList lines;
    for (int n = first; n <= last; ++n) {
        lines << QString::number(n);
    }
    return lines;
}

TEST(LineListTest, KeepsTheNewestLinesInOrder) {
    LineList list(201, nullptr);
    list.AppendLines({});
    EXPECT_EQ(list.LineCount(), 0);
    list.AppendLines(Numbers(1, 5));
    EXPECT_EQ(list.toPlainText(), QStringLiteral("1\n2\n3\n4\n5"));
    // Small blocks past the limit drop the oldest lines one block at a time.
    for (int first = 6; first <= 300; first += 7) {
        list.AppendLines(Numbers(first, first + 6));
    }
    EXPECT_EQ(list.toPlainText(), Numbers(106, 306).join(QLatin1Char('\n')));
    // A block longer than the list leaves only its own newest lines.
    list.AppendLines(Numbers(1000, 2023));
    EXPECT_EQ(list.toPlainText(), Numbers(1823, 2023).join(QLatin1Char('\n')));
    list.AppendLines(Numbers(7, 7));
    EXPECT_EQ(list.LineCount(), 201);
    EXPECT_EQ(list.toPlainText(), Numbers(1824, 2023).join(QLatin1Char('\n')) + "\n7");
    list.Clear();
    EXPECT_EQ(list.LineCount(), 0);
    EXPECT_EQ(list.toPlainText(), QString());
}

TEST(LineListTest, FollowsNewLinesOnlyFromTheEnd) {
    LineList list(201, nullptr);
    list.resize(60, 100);
    list.show();
    QScrollBar* bar = list.verticalScrollBar();
    list.AppendLines(Numbers(1, 150));
    QApplication::processEvents();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    list.AppendLines(Numbers(151, 400));
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    // Scrolled back, the operator keeps reading where they were.
    bar->setValue(10);
    list.AppendLines(Numbers(401, 420));
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), 10);
}

TEST(LineListTest, CopiesTheSelectedLinesInOrder) {
    LineList list(201, nullptr);
    list.AppendLines(Numbers(1, 9));
    list.show();
    QApplication::clipboard()->clear();
    const QModelIndex first = list.model()->index(7, 0);
    const QModelIndex second = list.model()->index(2, 0);
    list.selectionModel()->select(first, QItemSelectionModel::Select);
    list.selectionModel()->select(second, QItemSelectionModel::Select);
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&list, &copy);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_C, Qt::NoModifier);
    QApplication::sendEvent(&list, &release);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("3\n8"));
}

}  // namespace
}  // namespace vantrel
