#include "reports/text_grid_model.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <string>
#include <vector>

namespace vantrel {
namespace {

class FakeGrid final : public TextGrid {
public:
    int32_t RowCount() const override { return static_cast<int32_t>(cells.size()); }
    int32_t ColumnCount() const override {
        return cells.empty() ? 0 : static_cast<int32_t>(cells[0].size());
    }
    const std::string& Cell(int32_t column, int32_t row) const override {
        return cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
    }
    std::vector<std::vector<std::string>> cells{{"Rank", "Car"}, {"1", "7"}, {"2", "3"}};
};

// Every refresh repaints the cells; the header hears only of headings that changed.
TEST(TextGridModelTest, RefreshAnnouncesHeadingsOnlyWhenTheyChange) {
    FakeGrid grid;
    TextGridModel model(grid);
    QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy headings(&model, &QAbstractItemModel::headerDataChanged);
    model.Refresh();
    EXPECT_EQ(headings.count(), 1);
    grid.cells[1][1] = "3";
    grid.cells[2][1] = "7";
    model.Refresh();
    EXPECT_EQ(cells.count(), 2);
    EXPECT_EQ(headings.count(), 1);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "3");
    grid.cells[0][1] = "No.";
    model.Refresh();
    EXPECT_EQ(headings.count(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "No.");
}

}  // namespace
}  // namespace vantrel
