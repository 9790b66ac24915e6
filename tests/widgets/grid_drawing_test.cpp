// The grids draw their own lines and measure their headers cheaply; both must look exactly as
// the stock view and header would.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>

#include "widgets/elided_text_delegate.h"
#include "widgets/one_line_header.h"

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
    QStandardItemModel stockModel(4, 4);
    QStandardItemModel ownModel(4, 4);
    Fill(stockModel);
    Fill(ownModel);
    QTableView stock;
    stock.setWordWrap(false);
    stock.setItemDelegate(new ElidedTextDelegate({QStringLiteral("Name")}, &stock));
    QTableView own;
    ElideTextInColumns(&own, {QStringLiteral("Name")});
    ASSERT_TRUE(stock.showGrid());
    ASSERT_FALSE(own.showGrid());
    const QImage expected = Drawn(stock, stockModel);
    const QImage drawn = Drawn(own, ownModel);
    ASSERT_EQ(drawn.size(), expected.size());
    EXPECT_TRUE(drawn == expected) << "the grids differ in their drawing";
}

TEST(GridDrawingTest, OneLineHeaderIsAsHighAsTheStockHeader) {
    QStandardItemModel model(1, 9);
    model.setHorizontalHeaderLabels(
        {"Car", "Name", "Model", "Total", "Lap", "BestLap", "Last", "-1", "-2"});
    QTableView stock;
    stock.setModel(&model);
    QTableView own;
    UseOneLineHeader(&own);
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

}  // namespace
}  // namespace vantrel
