#pragma once
// The result grid's model: a view over the ResultTable without a copy of its texts; model row
// r is table row r + 1. Every cell is editable while the grid is in its editing state. Rows
// appended to the table arrive as single-row insertions, so a long list grows without a reset
// of the view.
// Thread rule: GUI thread only.

#include "lists/list_table_model.h"
#include "lists/result_table.h"

namespace vantrel {

class ResultTableModel final : public ListTableModel {
    Q_OBJECT

public:
    // The table and the edit state must outlive the model.
    ResultTableModel(ResultTable& table, const GridEditState& editState, QObject* parent = nullptr);
    // Without an edit state every cell is always editable; the view's edit triggers then
    // decide when editing may start.
    explicit ResultTableModel(ResultTable& table, QObject* parent = nullptr);
    ~ResultTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

signals:
    // A cell's text was changed by hand (through setData), not by the program.
    void cellEdited();

private:
    const std::string& TableCell(int32_t column, int32_t tableRow) const override {
        return table_.Cell(column, tableRow);
    }
    int32_t TableColumnCount() const override { return table_.ColumnCount(); }
    void WriteCell(int32_t column, int32_t tableRow, std::string text) override;

    ResultTable& table_;
};

}  // namespace vantrel
