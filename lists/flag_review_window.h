#pragma once
// The review window: every result row marked for review, with its car, time and why, and
// one button to accept it ("承認") and one to take it out ("取消") per row. It follows the
// result list as it changes; what the buttons do is the owner's (see the two signals).
// Thread rule: GUI thread only.

#include <QWidget>

#include "lists/table_observer.h"

class QLabel;
class QTableWidget;

namespace vantrel {

class ResultTable;

class FlagReviewWindow final : public QWidget, private TableObserver {
    Q_OBJECT
public:
    // `table` must outlive the window.
    FlagReviewWindow(ResultTable& table, QWidget* parent);
    ~FlagReviewWindow() override;

    // The result rows listed, in list order.
    const QList<int>& Rows() const { return rows_; }
    QTableWidget* Grid() const { return grid_; }
    // Lists the marked rows again (also done by itself after each change of the list).
    void Refresh();

signals:
    void acceptClicked(int row);
    void undoClicked(int row);
    // The number of marked rows changed.
    void countChanged(int count);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CellsChanged(int32_t, int32_t, int32_t, int32_t) override { Schedule(); }
    void RowsAboutToBeInserted(int32_t, int32_t) override {}
    void RowsInserted() override { Schedule(); }
    void RowsAboutToBeRemoved(int32_t, int32_t) override {}
    void RowsRemoved() override { Schedule(); }
    void AboutToReset() override {}
    void ResetDone() override { Schedule(); }
    // A received block changes the list hundreds of times; the window is listed once after.
    void Schedule();
    void AddButtons(int gridRow, int resultRow);

    ResultTable& table_;
    QTableWidget* grid_;
    QLabel* empty_;
    QList<int> rows_;
    bool scheduled_ = false;
};

}  // namespace vantrel
