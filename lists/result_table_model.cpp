#include "lists/result_table_model.h"

namespace vantrel {

ResultTableModel::ResultTableModel(ResultTable& table, const GridEditState& editState,
                                   QObject* parent)
    : QAbstractTableModel(parent), table_(table), editState_(&editState) {
    table_.AddObserver(this);
}

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), editState_(nullptr) {
    table_.AddObserver(this);
}

ResultTableModel::~ResultTableModel() {
    table_.RemoveObserver(this);
}

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
    return QString::fromStdString(table_.Cell(index.column(), TableRowOf(index.row())));
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(table_.Cell(section, 0));
    }
    return QString::number(TableRowOf(section));
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (editState_ == nullptr || editState_->editing()) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool ResultTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    std::string text = value.toString().toStdString();
    const int32_t row = TableRowOf(index.row());
    if (table_.Cell(index.column(), row) == text) {
        return true;
    }
    // The table tells this model (and every other observer) of the change.
    table_.SetCell(index.column(), row, std::move(text));
    emit CellEdited();
    return true;
}

void ResultTableModel::AboutToReset() {
    if (resetDepth_++ == 0) {
        beginResetModel();
    }
}

void ResultTableModel::ResetDone() {
    if (resetDepth_ > 0 && --resetDepth_ == 0) {
        endResetModel();
    }
}

void ResultTableModel::CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                                    int32_t lastColumn) {
    emit dataChanged(index(ModelRowOf(firstRow), firstColumn),
                     index(ModelRowOf(lastRow), lastColumn), {Qt::DisplayRole, Qt::EditRole});
}

void ResultTableModel::RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) {
    beginInsertRows(QModelIndex(), ModelRowOf(firstRow), ModelRowOf(lastRow));
}

void ResultTableModel::RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) {
    beginRemoveRows(QModelIndex(), ModelRowOf(firstRow), ModelRowOf(lastRow));
}

}  // namespace vantrel
