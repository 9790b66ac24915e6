// The grids draw their own lines and measure their headers cheaply; both must look exactly as
// the stock view and header would.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

#include "widgets/elided_text_delegate.h"
#include "widgets/grid_header.h"

namespace vantrel {
namespace {

void Fill(QStandardItemModel& model) {
    model.setHorizontalHeaderLabels({"Car", "Name", "Model", "Lap"});
    for (int row = 0; row < model.rowCount(); ++row) {
        model.setItem(row, 0, new QStandardItem(QString::number(row + 1)));
        model.setItem(row, 1, new QStandardItem(QStringLiteral("山田 太郎 とても長い名前")));
        model.setItem(row, 2, new QStandardItem(QStringLiteral("ｼﾋﾞｯｸ EK9")));
        model.setItem(row, 3, new QStandardItem(QString::number(row * 7)));
    }
}

// The same filled model twice: one for the stock view, one for ours.
struct ModelPair {
    explicit ModelPair(int rows) : stock(rows, 4), own(rows, 4) {
        Fill(stock);
        Fill(own);
    }
    QStandardItemModel stock;
    QStandardItemModel own;
};

QImage Drawn(QTableView& grid, QStandardItemModel& model) {
    grid.setModel(&model);
    grid.resize(300, 220);
    grid.setFocusPolicy(Qt::NoFocus);  // the first window shown would take it
    grid.setColumnWidth(1, 70);
    grid.show();
    grid.selectRow(2);
    QApplication::processEvents();
    return grid.viewport()->grab().toImage();
}

TEST(GridDrawingTest, DelegateGridLinesMatchTheViewsOwn) {
    // Fewer rows than fit, so the grid's end inside the viewport is compared too.
    ModelPair models(4);
    QTableView stock;
    stock.setWordWrap(false);
    stock.setItemDelegate(new ElidedTextDelegate({QStringLiteral("Name")}, &stock));
    QTableView own;
    ElideTextInColumns(&own, {QStringLiteral("Name")});
    ASSERT_TRUE(stock.showGrid());
    ASSERT_FALSE(own.showGrid());
    const QImage expected = Drawn(stock, models.stock);
    const QImage drawn = Drawn(own, models.own);
    ASSERT_EQ(drawn.size(), expected.size());
    EXPECT_TRUE(drawn == expected) << "the grids differ in their drawing";
}

TEST(GridDrawingTest, GridHeaderIsAsHighAsTheStockHeader) {
    QStandardItemModel model(1, 9);
    model.setHorizontalHeaderLabels(
        {"Car", "Name", "Model", "Total", "Lap", "BestLap", "Last", "-1", "-2"});
    QTableView stock;
    stock.setModel(&model);
    QTableView own;
    UseGridHeader(&own);
    own.setModel(&model);
    EXPECT_TRUE(own.horizontalHeader()->sectionsClickable());
    EXPECT_EQ(own.horizontalHeader()->sizeHint().height(),
              stock.horizontalHeader()->sizeHint().height());
    // A column per lap: the height stays that of one line.
    for (int lap = 3; lap < 300; ++lap) {
        model.appendColumn({new QStandardItem()});
        model.setHeaderData(model.columnCount() - 1, Qt::Horizontal, QString::number(-lap));
    }
    EXPECT_EQ(own.horizontalHeader()->sizeHint().height(),
              stock.horizontalHeader()->sizeHint().height());
    own.horizontalHeader()->hideSection(0);
    EXPECT_GT(own.horizontalHeader()->sizeHint().height(), 0);
}

// Counts the paints of a widget.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

// A grid on `model` selecting whole rows, shown, with row 2 selected.
void ShowWithRowSelected(QTableView& grid, QStandardItemModel& model) {
    grid.setModel(&model);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setFocusPolicy(Qt::NoFocus);  // the same state for both, whichever was shown first
    grid.resize(300, 200);
    grid.show();
    grid.selectRow(2);
    QApplication::processEvents();
}

QImage HeaderImage(QTableView& grid) {
    return grid.horizontalHeader()->viewport()->grab().toImage();
}

TEST(GridDrawingTest, GridHeaderRepaintsOnlyWhenItsHighlightChanges) {
    ModelPair models(6);
    QTableView stock;
    QTableView own;
    UseGridHeader(&own);
    ShowWithRowSelected(stock, models.stock);
    ShowWithRowSelected(own, models.own);
    PaintCount stockPaints(stock.horizontalHeader()->viewport());
    PaintCount ownPaints(own.horizontalHeader()->viewport());
    // Whatever showing the windows left to do (drawing, activation) is done first.
    QEventLoop settle;
    QTimer::singleShot(100, &settle, &QEventLoop::quit);
    settle.exec();
    stockPaints.paints = ownPaints.paints = 0;
    for (QTableView* grid : {&stock, &own}) {
        // Every heading stays highlighted.
        grid->selectionModel()->select(
            grid->model()->index(4, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QApplication::processEvents();
    EXPECT_GT(stockPaints.paints, 0);
    EXPECT_EQ(ownPaints.paints, 0);
    EXPECT_TRUE(HeaderImage(own) == HeaderImage(stock));
    // One cell instead of a row highlights one heading; no selection, none.
    for (QTableView* grid : {&stock, &own}) {
        grid->setSelectionBehavior(QAbstractItemView::SelectItems);
        grid->selectionModel()->select(grid->model()->index(1, 2),
                                       QItemSelectionModel::ClearAndSelect);
    }
    QApplication::processEvents();
    EXPECT_GT(ownPaints.paints, 0);
    EXPECT_TRUE(HeaderImage(own) == HeaderImage(stock));
    for (QTableView* grid : {&stock, &own}) {
        grid->clearSelection();
    }
    QApplication::processEvents();
    EXPECT_TRUE(HeaderImage(own) == HeaderImage(stock));
}

}  // namespace
}  // namespace vantrel
