#pragma once
// The entry grid's view of the entry table: row 0 of the table is the header, so model
// row r is car r + 1.
// Thread rule: GUI thread only.

#include <QAbstractTableModel>

#include "lists/entry_table.h"

namespace vantrel {

class EntryTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    EntryTableModel(EntryTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The table changed behind the model's back (load, insert, delete, counters).
    void Refresh();
    void RefreshCar(int car);

  private:
    EntryTable& table_;
};

}  // namespace vantrel
