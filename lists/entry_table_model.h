#pragma once
// The entry grid's model: a view over the EntryTable without a copy of its texts; model row
// r is car r + 1. "Name", "Model" and "Class" are editable while the grid is in its editing
// state; "Car" and "Lap" never are. The "Class" column is there only while a car has a class
// or it is asked for, so a list without classes has the four columns it always had. The cells
// a batch of results changes (the "Lap" column of a block of passings) are announced once, as
// one range, at the batch's end.
// Thread rule: GUI thread only.

#include <QColor>
#include <optional>

#include "lists/entry_class.h"
#include "lists/entry_table.h"
#include "lists/list_table_model.h"
#include "lists/result_sink.h"

namespace vantrel {

class EntryTableModel final : public ListTableModel, public ResultSink {
    Q_OBJECT

public:
    // The table and the edit state must outlive the model.
    EntryTableModel(EntryTable& table, const GridEditState& editState, QObject* parent = nullptr);
    // Without an edit state "Name", "Model" and "Class" are always editable; the view's edit
    // triggers then decide when editing may start.
    explicit EntryTableModel(EntryTable& table, QObject* parent = nullptr);
    ~EntryTableModel() override;

    // The car number shown in model row `modelRow`, and back.
    static int32_t CarOfRow(int modelRow) { return TableRowOf(modelRow); }
    static int RowOfCar(int32_t car) { return ModelRowOf(car); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Background of the fixed "Car" column; an invalid colour paints none.
    void SetFixedCellColor(const QColor& color);

    // Whether the "Class" column is there; asking for it keeps it while no car has a class.
    bool ClassColumnShown() const { return classShown_; }
    void AskForClassColumn(bool asked);

    void ResultBooked(const BookedResult&, int32_t) override {}
    void BatchStarted() override { ++holdDepth_; }
    void BatchEnded() override;

private:
    const std::string& TableCell(int32_t column, int32_t tableRow) const override {
        return table_.Cell(column, tableRow);
    }
    int32_t TableColumnCount() const override {
        return classShown_ ? EntryTable::kColumns : EntryTable::kClass;
    }
    void WriteCell(int32_t column, int32_t tableRow, std::string text) override {
        table_.SetCell(column, tableRow, std::move(text));
    }
    bool ColumnEditable(int column) const override {
        return column == EntryTable::kName || column == EntryTable::kModel ||
               column == EntryTable::kClass;
    }
    int MaxChars(int column) const override {
        return column == EntryTable::kClass ? kClassMaxChars : 0;
    }

    void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                      int32_t lastColumn) override;
    // Tells the view of changed cells, adding or taking away the "Class" column first when
    // the change decides it.
    void Announce(int32_t firstRow, int32_t lastRow, int32_t firstColumn, int32_t lastColumn);
    void UpdateClassColumn();

    // The cells changed while a batch holds them back: rows and columns, first and last.
    struct CellRange {
        int32_t firstRow;
        int32_t lastRow;
        int32_t firstColumn;
        int32_t lastColumn;
    };

    EntryTable& table_;
    QColor fixedColor_;
    int holdDepth_ = 0;
    std::optional<CellRange> held_;
    bool classAsked_ = false;
    bool classShown_ = false;
};

}  // namespace vantrel
