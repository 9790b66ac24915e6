#pragma once
// What the entry and result grids' models share: a view over a list table without a copy of
// its texts. The table's header row is the model's horizontal header, so model row r is table
// row r + 1; cells are editable while the grid is in its editing state.
// Thread rule: GUI thread only.

#include <QAbstractTableModel>
#include <string>

#include "lists/grid_edit_state.h"
#include "lists/table_observer.h"

namespace vantrel {

class ListTableModel : public QAbstractTableModel, protected TableObserver {
    Q_OBJECT

public:
    // A cell shows at most this many characters of its text, then "…"; editing gets it all.
    static constexpr qsizetype kMaxShownChars = 4000;

    // The role under which a cell tells the most characters it may hold (0: no limit).
    static constexpr int kMaxCharsRole = Qt::UserRole + 1;

    // A column heading of the lists as the grids show it, in the chosen language.
    static QString Heading(const std::string& heading);

    // Table row (1 = first data row) of a model row, and back.
    static int32_t TableRowOf(int modelRow) { return modelRow + 1; }
    static int ModelRowOf(int32_t tableRow) { return tableRow - 1; }

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The edit state that decides whether cells are editable (null: always; the view's edit
    // triggers then decide when editing may start). It must outlive the model.
    void SetEditState(const GridEditState* editState) { editState_ = editState; }

protected:
    ListTableModel(const GridEditState* editState, QObject* parent);

    // The table's cell (row 0: the header) and column count.
    virtual const std::string& TableCell(int32_t column, int32_t tableRow) const = 0;
    virtual int32_t TableColumnCount() const = 0;
    // Writes an edited cell; the table tells this model (and every other observer).
    virtual void WriteCell(int32_t column, int32_t tableRow, std::string text) = 0;
    // Whether a column may ever be edited.
    virtual bool ColumnEditable(int /*column*/) const { return true; }
    // The most characters a cell of the column holds (0: no limit).
    virtual int MaxChars(int /*column*/) const { return 0; }

    void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                      int32_t lastColumn) override;
    void RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) override;
    void RowsInserted() override { endInsertRows(); }
    void RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) override;
    void RowsRemoved() override { endRemoveRows(); }
    void AboutToReset() override;
    void ResetDone() override;

private:
    const GridEditState* editState_;  // null: always editable
    int resetDepth_ = 0;              // nested resets make one model reset
};

}  // namespace vantrel
