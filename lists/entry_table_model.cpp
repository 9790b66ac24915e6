#include "lists/entry_table_model.h"

namespace vantrel {

EntryTableModel::EntryTableModel(EntryTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : EntryTable::kRows - 1;
}

int EntryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : EntryTable::kColumns;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return QString::fromStdString(table_.Cell(index.column(), index.row() + 1));
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(table_.Cell(section, 0));
    }
    return section + 1;
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    // Only names and models are typed in; the car number and the counter belong to the program.
    if (index.column() == EntryTable::kName || index.column() == EntryTable::kModel) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool EntryTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    table_.SetCell(index.column(), index.row() + 1, value.toString().toStdString());
    emit dataChanged(index, index);
    return true;
}

void EntryTableModel::Refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void EntryTableModel::RefreshCar(int car) {
    if (car >= 1 && car < EntryTable::kRows) {
        emit dataChanged(index(car - 1, 0), index(car - 1, columnCount() - 1));
    }
}

}  // namespace vantrel
