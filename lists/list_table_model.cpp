#include "lists/list_table_model.h"

namespace vantrel {

ListTableModel::ListTableModel(const GridEditState* editState, QObject* parent)
    : QAbstractTableModel(parent), editState_(editState) {}

int ListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TableColumnCount();
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return QString::fromStdString(TableCell(index.column(), TableRowOf(index.row())));
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(TableCell(section, 0));
    }
    return QString::number(TableRowOf(section));
}

Qt::ItemFlags ListTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (ColumnEditable(index.column()) && (editState_ == nullptr || editState_->Editing())) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool ListTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    WriteCell(index.column(), TableRowOf(index.row()), value.toString().toStdString());
    return true;
}

void ListTableModel::CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                                  int32_t lastColumn) {
    emit dataChanged(index(ModelRowOf(firstRow), firstColumn),
                     index(ModelRowOf(lastRow), lastColumn), {Qt::DisplayRole, Qt::EditRole});
}

void ListTableModel::RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) {
    beginInsertRows(QModelIndex(), ModelRowOf(firstRow), ModelRowOf(lastRow));
}

void ListTableModel::RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) {
    beginRemoveRows(QModelIndex(), ModelRowOf(firstRow), ModelRowOf(lastRow));
}

void ListTableModel::AboutToReset() {
    if (resetDepth_++ == 0) {
        beginResetModel();
    }
}

void ListTableModel::ResetDone() {
    if (resetDepth_ > 0 && --resetDepth_ == 0) {
        endResetModel();
    }
}

}  // namespace vantrel
