#pragma once
// The result grid's model: a view over the ResultTable without a copy of its texts; model row
// r is table row r + 1. Every cell is editable while the grid is in its editing state. Rows
// appended to the table arrive as row insertions, so a long list grows without a reset of the
// view; the rows a batch of results appends arrive as one insertion at the batch's end.
// Thread rule: GUI thread only.

#include "lists/list_table_model.h"
#include "lists/result_sink.h"
#include "lists/result_table.h"

namespace vantrel {

class ResultTableModel final : public ListTableModel, public ResultSink {
    Q_OBJECT

public:
    // The table and the edit state must outlive the model.
    ResultTableModel(ResultTable& table, const GridEditState& editState, QObject* parent = nullptr);
    // Without an edit state every cell is always editable; the view's edit triggers then
    // decide when editing may start.
    explicit ResultTableModel(ResultTable& table, QObject* parent = nullptr);
    ~ResultTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // A row marked for review is shown on its own background, with the reason as tooltip.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    static QColor FlaggedRowColor();

    // Between these two (they nest), rows appended at the end of the table are announced
    // together by the last release; any other change announces them first.
    void HoldAppends();
    void ReleaseAppends();
    void ResultBooked(const BookedResult&, int32_t) override {}
    void BatchStarted() override { HoldAppends(); }
    void BatchEnded() override { ReleaseAppends(); }

signals:
    // A cell's text was changed by hand (through setData), not by the program.
    void cellEdited();

private:
    const std::string& TableCell(int32_t column, int32_t tableRow) const override {
        return table_.Cell(column, tableRow);
    }
    int32_t TableColumnCount() const override { return table_.ColumnCount(); }
    void WriteCell(int32_t column, int32_t tableRow, std::string text) override;

    void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                      int32_t lastColumn) override;
    void RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) override;
    void RowsInserted() override;
    void RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) override;
    void RowsRemoved() override;
    void AboutToReset() override;
    void ResetDone() override;
    // Announces the held appended rows.
    void ShowAppended();

    ResultTable& table_;
    int holdDepth_ = 0;
    int shownRows_ = 0;        // while held: the rows the views know of
    bool appendHeld_ = false;  // the insertion under way is an appended row being held
};

}  // namespace vantrel
