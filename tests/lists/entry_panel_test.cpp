#include "lists/entry_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <random>
#include <vector>

#include "lists/entry_grid_scroll.h"
#include "lists/entry_table.h"

namespace vantrel {
namespace {

TEST(EnsureRowVisibleTopRowTest, ScrollsJustEnoughToShowTheRow) {
    EXPECT_EQ(EnsureRowVisibleTopRow(60, 50, 20), 50);  // visible: no scroll
    EXPECT_EQ(EnsureRowVisibleTopRow(50, 50, 20), 50);  // the top row
    EXPECT_EQ(EnsureRowVisibleTopRow(69, 50, 20), 50);  // the last visible row
    EXPECT_EQ(EnsureRowVisibleTopRow(49, 50, 20), 49);  // above: it becomes the top row
    EXPECT_EQ(EnsureRowVisibleTopRow(70, 50, 20), 51);  // below: it becomes the last row
    EXPECT_EQ(EnsureRowVisibleTopRow(199, 1, 20), 180);
}

// A block's cars shown at once leave the grid where showing them one by one leaves it.
TEST(EntryPanelTest, ShowCarsScrollsAndSelectsAsShowingEachCarInTurn) {
    EntryTable batchTable;
    EntryTable stepTable;
    for (const int gridHeight : {95, 322, 3000}) {
        EntryPanel batch(batchTable, nullptr);
        EntryPanel steps(stepTable, nullptr);
        for (EntryPanel* panel : {&batch, &steps}) {
            panel->resize(260, gridHeight + 40);
            panel->StringGrid1->setGeometry(5, 30, 250, gridHeight);
            panel->show();
        }
        QApplication::processEvents();
        std::mt19937 random(static_cast<unsigned>(gridHeight));
        std::uniform_int_distribution<int32_t> car(-2, 205);
        std::uniform_int_distribution<int> length(1, 40);
        for (int block = 0; block < 60; ++block) {
            std::vector<int32_t> cars(static_cast<size_t>(length(random)));
            for (int32_t& c : cars) {
                // Runs of neighbours as well as jumps, and now and then no such car.
                c = block % 2 == 0 ? car(random) : std::clamp(car(random) / 20 + block * 3, 1, 199);
            }
            batch.ShowCars(cars);
            for (const int32_t c : cars) {
                steps.ShowCar(c);
            }
            ASSERT_EQ(batch.StringGrid1->verticalScrollBar()->value(),
                      steps.StringGrid1->verticalScrollBar()->value())
                << "grid height " << gridHeight << ", block " << block;
            // The selection is the last car's; one that is no car selects nothing.
            if (cars.back() >= 1 && cars.back() <= 199) {
                ASSERT_EQ(batch.CurrentCar(), cars.back());
                ASSERT_EQ(steps.CurrentCar(), cars.back());
            }
        }
    }
}

}  // namespace
}  // namespace vantrel
