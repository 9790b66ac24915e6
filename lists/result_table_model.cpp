#include "lists/result_table_model.h"

namespace vantrel {

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.DataRowCount();
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.ColumnCount();
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return QString::fromStdString(table_.Cell(index.column(), index.row() + 1));
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(table_.Cell(section, 0));
    }
    return section + 1;
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool ResultTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) {
        return false;
    }
    table_.SetCell(index.column(), index.row() + 1, value.toString().toStdString());
    emit dataChanged(index, index);
    return true;
}

int ResultTableModel::AddResultRow() {
    const int before = table_.DataRowCount();
    if (table_.IsEmpty()) {
        return table_.RowForNewResult();
    }
    beginInsertRows(QModelIndex(), before, before);
    const int row = table_.RowForNewResult();
    endInsertRows();
    return row;
}

void ResultTableModel::RefreshRow(int row) {
    if (row >= 1 && row <= table_.DataRowCount()) {
        emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1));
    }
}

}  // namespace vantrel
