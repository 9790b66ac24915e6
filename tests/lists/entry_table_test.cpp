#include <gtest/gtest.h>

#include "list_test_support.h"
#include "lists/entry_table.h"

namespace vantrel {
namespace {

// Each car's name is "N<car>" and its model "M<car>"; "Lap" holds "L<car>".
EntryTable NumberedTable() {
    EntryTable table;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        table.SetCell(EntryTable::kName, car, "N" + std::to_string(car));
        table.SetCell(EntryTable::kModel, car, "M" + std::to_string(car));
        table.SetCell(EntryTable::kLap, car, "L" + std::to_string(car));
    }
    return table;
}

void ExpectFixedColumnsUntouched(const EntryTable& table) {
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        EXPECT_EQ(table.Cell(EntryTable::kCar, car), std::to_string(car));
        EXPECT_EQ(table.Cell(EntryTable::kLap, car), "L" + std::to_string(car));
    }
}

TEST(EntryTable, StartsWithHeadersCarNumbersAndEmptyEntries) {
    EntryTable table;
    EXPECT_EQ(table.Cell(0, 0), "Car");
    EXPECT_EQ(table.Cell(3, 0), "Lap");
    EXPECT_EQ(table.Cell(EntryTable::kCar, 199), "199");
    EXPECT_EQ(table.Name(1), "");
    EXPECT_EQ(table.Cell(0, 200), "");
}

TEST(EntryTable, CarNumbersAndHeadersCannotBeOverwritten) {
    EntryTable table;
    table.SetCell(EntryTable::kCar, 3, "x");
    table.SetCell(EntryTable::kName, 0, "x");
    EXPECT_EQ(table.Cell(EntryTable::kCar, 3), "3");
    EXPECT_EQ(table.Cell(EntryTable::kName, 0), "Name");
}

TEST(EntryTable, InsertOnRow5ShiftsRows5To198DownAndDropsRow199) {
    EntryTable table = NumberedTable();
    table.InsertRow(5);
    for (int32_t car = 1; car <= 4; ++car) {
        EXPECT_EQ(table.Name(car), "N" + std::to_string(car));
    }
    EXPECT_EQ(table.Name(5), "");
    EXPECT_EQ(table.Model(5), "");
    for (int32_t car = 6; car <= 199; ++car) {
        EXPECT_EQ(table.Name(car), "N" + std::to_string(car - 1));
        EXPECT_EQ(table.Model(car), "M" + std::to_string(car - 1));
    }
    ExpectFixedColumnsUntouched(table);
}

TEST(EntryTable, InsertOnFirstAndLastRow) {
    EntryTable table = NumberedTable();
    table.InsertRow(1);
    EXPECT_EQ(table.Name(1), "");
    EXPECT_EQ(table.Name(2), "N1");
    EXPECT_EQ(table.Name(199), "N198");

    EntryTable last = NumberedTable();
    last.InsertRow(199);
    EXPECT_EQ(last.Name(199), "");
    EXPECT_EQ(last.Name(198), "N198");
    ExpectFixedColumnsUntouched(last);
}

TEST(EntryTable, DeleteOnRow5ShiftsRowsUpAndEmptiesRow199) {
    EntryTable table = NumberedTable();
    table.DeleteRow(5);
    EXPECT_EQ(table.Name(4), "N4");
    for (int32_t car = 5; car <= 198; ++car) {
        EXPECT_EQ(table.Name(car), "N" + std::to_string(car + 1));
        EXPECT_EQ(table.Model(car), "M" + std::to_string(car + 1));
    }
    EXPECT_EQ(table.Name(199), "");
    EXPECT_EQ(table.Model(199), "");
    ExpectFixedColumnsUntouched(table);
}

TEST(EntryTable, DeleteOnFirstAndLastRow) {
    EntryTable table = NumberedTable();
    table.DeleteRow(1);
    EXPECT_EQ(table.Name(1), "N2");
    EXPECT_EQ(table.Name(198), "N199");
    EXPECT_EQ(table.Name(199), "");

    EntryTable last = NumberedTable();
    last.DeleteRow(199);
    EXPECT_EQ(last.Name(198), "N198");
    EXPECT_EQ(last.Name(199), "");
}

TEST(EntryTable, InsertAndDeleteOutsideTheCarsDoNothing) {
    EntryTable table = NumberedTable();
    table.InsertRow(0);
    table.DeleteRow(200);
    table.DeleteRow(-1);
    EXPECT_EQ(table.Name(1), "N1");
    EXPECT_EQ(table.Name(199), "N199");
}

TEST(EntryTable, SetNamesAndModelsKeepsLaterRows) {
    EntryTable table = NumberedTable();
    table.SetNamesAndModels({{"a", "b"}, {"c", ""}});
    EXPECT_EQ(table.Name(1), "a");
    EXPECT_EQ(table.Model(2), "");
    EXPECT_EQ(table.Name(3), "N3");
}

TEST(EntryTable, ObserversHearEachChangeOnce) {
    EntryTable table;
    test::RecordingObserver observer;
    table.AddObserver(&observer);
    table.SetCell(EntryTable::kName, 7, "x");
    table.InsertRow(5);
    table.DeleteRow(10);
    table.ClearLaps();
    table.ClearNamesAndModels();
    table.SetNamesAndModels({{"a", "b"}});
    table.RemoveObserver(&observer);
    table.SetCell(EntryTable::kName, 7, "y");
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"cells 7-7 1-1", "cells 5-199 1-2", "cells 10-199 1-2",
                                        "cells 1-199 3-3", "cells 1-199 1-2", "cells 1-1 1-2"}));
}

TEST(EntryTable, ACopyHasNoObservers) {
    EntryTable table;
    test::RecordingObserver observer;
    table.AddObserver(&observer);
    EntryTable copy = table;
    copy.SetCell(EntryTable::kName, 1, "x");
    EXPECT_TRUE(observer.calls.empty());
    table.RemoveObserver(&observer);
}

}  // namespace
}  // namespace vantrel
