#pragma once
// A horizontal grid header whose headings are one line each in the header's font. Its size
// hint measures the first and the last heading only: the stock header measures up to 200 of
// them on every added column, which made a grid that gains a column per lap slow to update.

#include <QHeaderView>

class QTableView;

namespace vantrel {

class OneLineHeader final : public QHeaderView {
public:
    explicit OneLineHeader(QWidget* parent = nullptr);
    QSize sizeHint() const override;
};

// Gives `grid` a OneLineHeader, clickable and highlighting like the header it replaces.
void UseOneLineHeader(QTableView* grid);

}  // namespace vantrel
