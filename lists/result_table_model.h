#pragma once
// The result grid's model: a view over the ResultTable without a copy of its texts. The
// table's header row is the model's horizontal header, so model row r is table row r + 1.
// Every cell is editable while the grid is in its editing state. Rows appended to the table
// arrive as single-row insertions, so a long list grows without a reset of the view.
// Thread rule: GUI thread only.

#include <QAbstractTableModel>

#include "lists/grid_edit_state.h"
#include "lists/result_table.h"
#include "lists/table_observer.h"

namespace vantrel {

class ResultTableModel final : public QAbstractTableModel, private TableObserver {
    Q_OBJECT

public:
    // The table and the edit state must outlive the model.
    ResultTableModel(ResultTable& table, const GridEditState& editState, QObject* parent = nullptr);
    // Without an edit state every cell is always editable; the view's edit triggers then
    // decide when editing may start.
    explicit ResultTableModel(ResultTable& table, QObject* parent = nullptr);
    ~ResultTableModel() override;

    // Table row (1 = first data row) of a model row, and back.
    static int32_t TableRowOf(int modelRow) { return modelRow + 1; }
    static int ModelRowOf(int32_t tableRow) { return tableRow - 1; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The edit state that decides whether cells are editable (null: always).
    void SetEditState(const GridEditState* editState) { editState_ = editState; }

signals:
    // A cell's text was changed by hand (through setData), not by the program.
    void CellEdited();

private:
    void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                      int32_t lastColumn) override;
    void RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) override;
    void RowsInserted() override { endInsertRows(); }
    void RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) override;
    void RowsRemoved() override { endRemoveRows(); }
    void AboutToReset() override;
    void ResetDone() override;

    ResultTable& table_;
    const GridEditState* editState_;  // null: always editable
    int resetDepth_ = 0;              // nested resets make one model reset
};

}  // namespace vantrel
