#pragma once
// The entry grid's model: a view over the EntryTable without a copy of its texts. The table's
// header row is the model's horizontal header, so model row r is car r + 1. "Name" and
// "Model" are editable while the grid is in its editing state; "Car" and "Lap" never are.
// Thread rule: GUI thread only.

#include <QAbstractTableModel>
#include <QColor>

#include "lists/entry_table.h"
#include "lists/grid_edit_state.h"
#include "lists/table_observer.h"

namespace vantrel {

class EntryTableModel final : public QAbstractTableModel, private TableObserver {
    Q_OBJECT

public:
    // The table and the edit state must outlive the model.
    EntryTableModel(EntryTable& table, const GridEditState& editState, QObject* parent = nullptr);
    // Without an edit state "Name" and "Model" are always editable; the view's edit triggers
    // then decide when editing may start.
    explicit EntryTableModel(EntryTable& table, QObject* parent = nullptr);
    ~EntryTableModel() override;

    // The car number shown in model row `modelRow`, and back.
    static int32_t CarOfRow(int modelRow) { return modelRow + 1; }
    static int RowOfCar(int32_t car) { return car - 1; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The edit state that decides whether "Name" and "Model" are editable (null: always).
    void SetEditState(const GridEditState* editState) { editState_ = editState; }
    // Background of the fixed "Car" column; an invalid colour paints none.
    void SetFixedCellColor(const QColor& color);

private:
    void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                      int32_t lastColumn) override;
    void RowsAboutToBeInserted(int32_t, int32_t) override {}
    void RowsInserted() override {}
    void RowsAboutToBeRemoved(int32_t, int32_t) override {}
    void RowsRemoved() override {}
    void AboutToReset() override { beginResetModel(); }
    void ResetDone() override { endResetModel(); }

    EntryTable& table_;
    const GridEditState* editState_;  // null: always editable
    QColor fixedColor_;
};

}  // namespace vantrel
