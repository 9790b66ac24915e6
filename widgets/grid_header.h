#pragma once
// The horizontal header of the grids, drawn as the stock header but repainted and measured
// less:
// - its headings are one line each in the header's font, so its size hint measures the first
//   and the last heading only: the stock header measures up to 200 of them on every added
//   column, which made a grid that gains a column per lap slow to update;
// - a selected row highlights every heading, so moving the selection from row to row changes
//   nothing here: the stock header repaints all of itself every time.
// Thread rule: GUI thread only.

#include <QHeaderView>

class QTableView;

namespace vantrel {

class GridHeader final : public QHeaderView {
public:
    explicit GridHeader(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
};

// Gives `grid` a GridHeader, clickable and highlighting like the header it replaces. Call it
// before the header is set up.
void UseGridHeader(QTableView* grid);

}  // namespace vantrel
