#pragma once
// Helpers of the list tests that drive the real main window: keys, mouse, cells and focus.

#include <QAbstractItemModel>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>
#include <string>

#include "list_test_support.h"
#include "support/main_window_fixture.h"

namespace vantrel::test {

class ListWindowTest : public MainWindowTest {
protected:
    void OpenActiveWindow() {
        OpenWindow();
        window->activateWindow();
        QApplication::processEvents();
    }
    QTableView* EntryGrid() const { return Find<QTableView>("StringGrid1"); }
    QTableView* ResultGrid() const { return Find<QTableView>("StringGrid2"); }

    // Cell of the entry grid by car number, of the result grid by data row (1-based).
    QString EntryCell(int column, int car) const {
        return EntryGrid()->model()->index(car - 1, column).data().toString();
    }
    QString ResultCell(int column, int row) const {
        return ResultGrid()->model()->index(row - 1, column).data().toString();
    }
    int CurrentEntryCar() const { return EntryGrid()->currentIndex().row() + 1; }
    int CurrentResultRow() const { return ResultGrid()->currentIndex().row() + 1; }

    static void Press(QWidget* target, int key, Qt::KeyboardModifiers mods = {}) {
        QKeyEvent down(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(target, &up);
    }
    // A press and release, then the double-click, as the operator's mouse sends them.
    static void DoubleClick(QTableView* grid, int modelRow, int column) {
        const QPoint at = grid->visualRect(grid->model()->index(modelRow, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
    static void Click(QTableView* grid, int modelRow, int column) {
        const QPoint at = grid->visualRect(grid->model()->index(modelRow, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    }

    std::string IniText() const { return ReadBytes(IniPath()); }
};

}  // namespace vantrel::test
