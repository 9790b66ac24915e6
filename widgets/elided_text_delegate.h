#pragma once
// A grid's item delegate that draws every cell on one line and ends a text too wide for its
// cell with an ellipsis in the text columns (named by their headings), so a cut name shows
// that it is cut. The other columns (times, numbers) are never shortened: the grids make them
// wide enough for their texts.
// Cells that hold nothing but one line of text are drawn from laid-out texts kept between
// repaints.
// Thread rule: GUI thread only.

#include <QStringList>
#include <QStyledItemDelegate>

#include "widgets/cell_text_cache.h"

class QTableView;

namespace vantrel {

class ElidedTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ElidedTextDelegate(QStringList headings, QObject* parent);

    // Draws the grid lines of a table view whose own grid is off.
    void SetDrawsGridLines(bool draws) { gridLines_ = draws; }
    bool DrawsGridLines() const { return gridLines_; }

    // Whether the cells of `column` of `model` end a too wide text with an ellipsis.
    bool ElidesColumn(const QAbstractItemModel* model, int column) const;
    const QStringList& Headings() const { return headings_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    // Draws a plain one-line text cell as the style would; false for any other cell.
    bool PaintTextCell(QPainter* painter, const QStyleOptionViewItem& option) const;
    // The grid line on the right and at the bottom of the cell, inside `option.rect`.
    void PaintGridLines(QPainter* painter, const QStyleOptionViewItem& option) const;

    QStringList headings_;
    bool gridLines_ = false;
    mutable CellTextCache texts_;
};

// Stops `grid` wrapping text and makes the columns headed by one of `headings` elide; the
// delegate draws the grid lines in place of the view. Install
// it before anything connects to the grid's item delegate: it replaces that delegate. A
// delegate installed later keeps the eliding by deriving from ElidedTextDelegate.
void ElideTextInColumns(QTableView* grid, const QStringList& headings);

}  // namespace vantrel
