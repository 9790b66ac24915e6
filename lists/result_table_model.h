#pragma once
// The result grid's view of the result table: row 0 of the table is the header, so model
// row r is data row r + 1.
// Thread rule: GUI thread only.

#include <QAbstractTableModel>

#include "lists/result_table.h"

namespace vantrel {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    ResultTableModel(ResultTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Wraps a change of the whole table (layout change, load, clear).
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    // Makes data row `row` (1-based) the table's new result row, appending when needed.
    int AddResultRow();
    void RefreshRow(int row);

  private:
    ResultTable& table_;
};

}  // namespace vantrel
