#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "lists/entry_list_commands.h"
#include "lists/entry_table_model.h"

namespace vantrel {
namespace {

class EntryTableModelTest : public ::testing::Test {
protected:
    EntryTable table;
    SessionState state;
    EntryListCommands commands{table, state, nullptr};
    EntryTableModel model{table, commands.EditState()};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(EntryTableModelTest, ShowsCarsAsRowsAndTheHeaderRowAsHeader) {
    EXPECT_EQ(model.rowCount(), 199);
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Car");
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), "Lap");
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "1");
    EXPECT_EQ(model.data(model.index(198, 0)).toString(), "199");
}

TEST_F(EntryTableModelTest, ABatchAnnouncesItsChangedCellsOnceAtItsEnd) {
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.BatchStarted();
    model.BatchStarted();  // batches nest
    table.SetCell(EntryTable::kLap, 12, "3");
    table.SetCell(EntryTable::kLap, 5, "7");
    model.BatchEnded();
    EXPECT_EQ(changed.count(), 0);
    table.SetCell(EntryTable::kName, 40, "鈴木");
    model.BatchEnded();
    ASSERT_EQ(changed.count(), 1);
    const QModelIndex first = changed[0][0].value<QModelIndex>();
    const QModelIndex last = changed[0][1].value<QModelIndex>();
    EXPECT_EQ(first.row(), 4);
    EXPECT_EQ(last.row(), 39);
    EXPECT_EQ(first.column(), EntryTable::kName);
    EXPECT_EQ(last.column(), EntryTable::kLap);
    table.SetCell(EntryTable::kLap, 6, "1");  // outside a batch: at once
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(EntryTableModelTest, ShowsUtf8TextsAsTheyStand) {
    table.SetCell(EntryTable::kName, 2, "山田 太郎");
    EXPECT_EQ(model.data(model.index(1, EntryTable::kName)).toString(),
              QStringLiteral("山田 太郎"));
}

TEST_F(EntryTableModelTest, OnlyNameAndModelAreEditableAndOnlyWhileEditing) {
    EXPECT_FALSE(model.flags(model.index(0, EntryTable::kName)) & Qt::ItemIsEditable);
    commands.BeginEdit();
    EXPECT_FALSE(model.flags(model.index(0, EntryTable::kCar)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, EntryTable::kName)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, EntryTable::kModel)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, EntryTable::kLap)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, EntryTable::kLap), "9"));
    commands.EndEdit();
    EXPECT_FALSE(model.setData(model.index(0, EntryTable::kName), "late"));
    EXPECT_EQ(table.Name(1), "");
}

TEST_F(EntryTableModelTest, EditsReachTheTableAsUtf8) {
    commands.BeginEdit();
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(model.setData(model.index(4, EntryTable::kModel), QStringLiteral("ｼﾋﾞｯｸ")));
    EXPECT_EQ(table.Model(5), "ｼﾋﾞｯｸ");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(4, EntryTable::kModel));
}

TEST_F(EntryTableModelTest, InsertTellsTheViewWhichRowsChanged) {
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    commands.Insert(5);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(4, EntryTable::kName));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(198, EntryTable::kModel));
}

TEST_F(EntryTableModelTest, AModelGoneBeforeItsTableIsForgotten) {
    { EntryTableModel shortLived(table, commands.EditState()); }
    table.SetCell(EntryTable::kName, 1, "still fine");
    EXPECT_EQ(table.Name(1), "still fine");
}

}  // namespace
}  // namespace vantrel
