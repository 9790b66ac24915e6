// The class of a car in the entry table: what a class may hold, how it moves with its car, and
// how the class column shares the grid's width.
#include <gtest/gtest.h>

#include <random>

#include "list_test_support.h"
#include "lists/entry_class.h"
#include "lists/entry_columns.h"
#include "lists/entry_table.h"

namespace vantrel {
namespace {

TEST(EntryClass, AClassHoldsAtMostEightCharactersThatTheFileCanHoldAsOneField) {
    bool changed = true;
    EXPECT_EQ(StorableClass("PN1", &changed), "PN1");
    EXPECT_FALSE(changed);
    EXPECT_EQ(StorableClass("", &changed), "");
    EXPECT_FALSE(changed);
    EXPECT_EQ(StorableClass("ABCDEFGH", &changed), "ABCDEFGH");
    EXPECT_FALSE(changed);
    EXPECT_EQ(StorableClass("ABCDEFGHI", &changed), "ABCDEFGH");
    EXPECT_TRUE(changed);
    // Characters, not bytes: eight Japanese characters are 24 bytes of UTF-8.
    EXPECT_EQ(StorableClass("ｼﾞﾑｶｰﾅ初級者向け", &changed), "ｼﾞﾑｶｰﾅ初級");
    EXPECT_TRUE(changed);
    // A comma becomes the full-width one a typed comma becomes; that is no loss.
    EXPECT_EQ(StorableClass("A,B", &changed),
              "A\xEF\xBC\x8C"
              "B");
    EXPECT_FALSE(changed);
    // CP932 holds no "€" nor U+FFFD (an unreadable byte of a file): they are left out.
    EXPECT_EQ(StorableClass("N€2\xEF\xBF\xBD", &changed), "N2");
    EXPECT_TRUE(changed);
    EXPECT_EQ(StorableClass("€€€€€€€€€ABCDEFGHIJ"), "ABCDEFGH");
}

TEST(EntryClass, ClassesMoveWithTheirCarsAndEveryChangeOfOneIsAnnounced) {
    EntryTable table;
    EXPECT_EQ(table.Cell(EntryTable::kClass, 0), "Class");
    EXPECT_FALSE(table.HasClasses());
    test::RecordingObserver observer;
    table.AddObserver(&observer);
    int classChanges = 0;
    ColumnWatch watch(EntryTable::kClass, [&] { ++classChanges; });
    table.AddObserver(&watch);
    table.SetCell(EntryTable::kClass, 0, "x");  // the header stays
    table.SetCell(EntryTable::kClass, 200, "x");
    EXPECT_EQ(table.Cell(EntryTable::kClass, 0), "Class");
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        table.SetCell(EntryTable::kName, car, "N" + std::to_string(car));
        table.SetCell(EntryTable::kClass, car, "C" + std::to_string(car));
        table.SetCell(EntryTable::kLap, car, "L" + std::to_string(car));
    }
    table.SetCell(EntryTable::kClass, 3, "TOO-LONG-CLASS");
    EXPECT_EQ(table.Class(3), "TOO-LONG");
    EXPECT_TRUE(table.HasClasses());

    EXPECT_EQ(classChanges, 199 + 1);
    observer.calls.clear();
    classChanges = 0;
    table.InsertRow(5);
    EXPECT_EQ(table.Class(5), "");
    EXPECT_EQ(table.Class(6), "C5");
    EXPECT_EQ(table.Name(6), "N5");
    EXPECT_EQ(table.Class(199), "C198");
    EXPECT_EQ(table.Cell(EntryTable::kLap, 6), "L6");  // the counter stays with the number
    table.DeleteRow(5);
    table.DeleteRow(1);
    EXPECT_EQ(table.Class(1), "C2");
    EXPECT_EQ(table.Name(197), "N198");  // car 199's entry went with the insertion
    EXPECT_EQ(table.Class(197), "C198");
    EXPECT_EQ(table.Class(198), "");
    EXPECT_EQ(table.Class(199), "");
    table.SetNamesAndModels({{"a", "b", "SA"}, {"c", "d"}});
    EXPECT_EQ(table.Class(1), "SA");
    EXPECT_EQ(table.Class(2), "");
    EXPECT_EQ(table.Class(3), "C4");
    table.ClearNamesAndModels();
    EXPECT_FALSE(table.HasClasses());
    EXPECT_EQ(table.Cell(EntryTable::kLap, 7), "L7");
    table.SetNamesAndModels({{"a", "b"}});  // no class before or after: none announced
    table.InsertRow(3);
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"cells 5-199 1-2", "cells 5-199 4-4", "cells 5-199 1-2",
                                        "cells 5-199 4-4", "cells 1-199 1-2", "cells 1-199 4-4",
                                        "cells 1-2 1-2", "cells 1-2 4-4", "cells 1-199 1-2",
                                        "cells 1-199 4-4", "cells 1-1 1-2", "cells 3-199 1-2"}));
    EXPECT_EQ(classChanges, 5);  // every change above that touched a class, and no other
    table.RemoveObserver(&observer);
    table.RemoveObserver(&watch);
}

// For random widths: the three columns fill exactly what "Name" and "Model" had, none is
// negative, "Class" takes what it asks up to a third, and the other two stay halves.
TEST(EntryColumns, TheClassColumnTakesItsWidthFromNameAndModelWithoutOverlap) {
    std::mt19937 random(29);
    std::uniform_int_distribution<int32_t> width(-20, 600);
    for (int i = 0; i < 5000; ++i) {
        const int32_t name = width(random);
        const int32_t model = width(random);
        const int32_t wanted = width(random);
        const EntryTextColumns columns = ShareWithClass(name, model, wanted);
        const int32_t whole = std::max(name, 0) + std::max(model, 0);
        ASSERT_EQ(columns.name + columns.model + columns.cls, whole);
        ASSERT_GE(columns.name, 0);
        ASSERT_GE(columns.model, 0);
        ASSERT_GE(columns.cls, 0);
        ASSERT_LE(columns.cls, whole / 3);
        ASSERT_EQ(columns.cls, std::clamp(wanted, 0, whole / 3));
        ASSERT_LE(columns.model - columns.name, 1);
        ASSERT_GE(columns.model, columns.name);
    }
}

}  // namespace
}  // namespace vantrel
