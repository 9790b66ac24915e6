#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>

#include "lists/result_list_commands.h"
#include "lists/result_table_model.h"

namespace vantrel {
namespace {

class ResultTableModelTest : public ::testing::Test {
protected:
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
    SessionState state;
    ResultListCommands commands{results, entries, state, nullptr};
    ResultTableModel model{results, commands.EditState()};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};

    void AddCar(int32_t car) {
        commands.AddResult(
            BookingOfRow({std::to_string(car), "n", "m", "", "01:00.000", "", "", "", "1"}));
    }
};

TEST_F(ResultTableModelTest, EmptyListIsOneEmptyRowUnderTheHeaders) {
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.columnCount(), 9);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Car");
    EXPECT_EQ(model.headerData(8, Qt::Horizontal).toString(), "Lap");
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "");
}

TEST_F(ResultTableModelTest, FirstResultFillsRowOneLaterOnesAreSingleRowInsertions) {
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    AddCar(3);
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "3");
    AddCar(4);
    AddCar(5);
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted[0][1].toInt(), 1);
    EXPECT_EQ(inserted[0][2].toInt(), 1);
    EXPECT_EQ(inserted[1][1].toInt(), 2);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), "5");
}

TEST_F(ResultTableModelTest, LayoutChangeResetsColumnsAndHeaders) {
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    commands.ChangeLayout(RaceMode::kDrag);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.columnCount(), 13);
    EXPECT_EQ(model.headerData(12, Qt::Horizontal).toString(), "Try");
}

TEST_F(ResultTableModelTest, DeleteRemovesOneRowOrEmptiesTheLastOne) {
    AddCar(1);
    AddCar(2);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    commands.DeleteRow(1);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 0);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "2");
    commands.DeleteRow(1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "");
}

TEST_F(ResultTableModelTest, ButtonsShowAtOnce) {
    AddCar(1);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    commands.PressButton(ResultButton::kMissCourse, 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(0, ResultTable::kGymkhanaPen));
    EXPECT_EQ(model.data(model.index(0, ResultTable::kGymkhanaPen)).toString(), "MC");
}

TEST_F(ResultTableModelTest, EveryCellEditableOnlyWhileEditing) {
    AddCar(1);
    EXPECT_FALSE(model.setData(model.index(0, 5), "x"));
    commands.BeginEdit();
    for (int column = 0; column < model.columnCount(); ++column) {
        EXPECT_TRUE(model.flags(model.index(0, column)) & Qt::ItemIsEditable);
    }
    EXPECT_TRUE(model.setData(model.index(0, 5), QStringLiteral("(ﾚｸﾁｬｰ)")));
    EXPECT_EQ(results.Cell(5, 1), "(ﾚｸﾁｬｰ)");
}

TEST_F(ResultTableModelTest, AViewFollowsAppendedRows) {
    QTableView view;
    view.setModel(&model);
    for (int car = 1; car <= 50; ++car) {
        AddCar(car);
    }
    EXPECT_EQ(view.verticalHeader()->count(), 50);
    EXPECT_EQ(view.model()->data(view.model()->index(49, 0)).toString(), "50");
}

TEST_F(ResultTableModelTest, ACellShowsAtMostAFewThousandCharactersAndEditsThemAll) {
    constexpr qsizetype kMax = ListTableModel::kMaxShownChars;
    std::string ascii(50'000'000, 'x');  // a 50 MB field
    std::string japanese;
    std::string emoji;
    for (int i = 0; i < 3 * kMax; ++i) {
        japanese += "山";
        emoji += "\xF0\x9F\x9A\x97";  // outside the 16-bit range: two UTF-16 units
    }
    std::string exactly(static_cast<size_t>(kMax), 'y');
    std::string fitting;  // kMax characters of three bytes each: whole
    for (int i = 0; i < kMax; ++i) {
        fitting += "車";
    }
    for (const std::string* text : {&ascii, &japanese, &emoji, &exactly, &fitting}) {
        results.SetCell(ResultTable::kName, 1, *text);
        const QString whole = QString::fromStdString(*text);
        const QString shown = model.data(model.index(0, ResultTable::kName)).toString();
        EXPECT_EQ(model.data(model.index(0, ResultTable::kName), Qt::EditRole).toString(), whole);
        if (whole.size() <= kMax) {
            EXPECT_EQ(shown, whole);
            continue;
        }
        ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << text->size();
        const QString part = shown.chopped(1);
        EXPECT_LE(part.size(), kMax);
        EXPECT_GE(part.size(), kMax - 1);
        EXPECT_TRUE(whole.startsWith(part));
        EXPECT_FALSE(part.back().isHighSurrogate());
    }
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// A batch's appended rows reach the views as one insertion with every row and text, and a
// deletion during the batch first announces the rows held so far.
TEST_F(ResultTableModelTest, HeldAppendsArriveAsOneInsertionAtTheBatchEnd) {
    commands.AddSink(model);
    AddCar(1);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    {
        const ResultBatch batch(commands);
        for (int32_t car = 2; car <= 6; ++car) {
            AddCar(car);
        }
        EXPECT_EQ(model.rowCount(), 1);
        EXPECT_EQ(inserted.count(), 0);
    }
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 1);
    EXPECT_EQ(inserted[0][2].toInt(), 5);
    ASSERT_EQ(model.rowCount(), 6);
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(model.data(model.index(row, 0)).toString(), QString::number(row + 1));
    }

    inserted.clear();
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    {
        const ResultBatch batch(commands);
        AddCar(7);
        AddCar(8);
        results.DeleteRow(2);
        EXPECT_EQ(inserted.count(), 1);
        EXPECT_EQ(removed.count(), 1);
        EXPECT_EQ(model.rowCount(), 7);
        AddCar(9);
        EXPECT_EQ(model.rowCount(), 7);
    }
    EXPECT_EQ(inserted.count(), 2);
    ASSERT_EQ(model.rowCount(), 8);
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "3");
    EXPECT_EQ(model.data(model.index(7, 0)).toString(), "9");
}

}  // namespace
}  // namespace vantrel
