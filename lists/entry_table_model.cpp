#include "lists/entry_table_model.h"

namespace vantrel {

EntryTableModel::EntryTableModel(EntryTable& table, const GridEditState& editState, QObject* parent)
    : QAbstractTableModel(parent), table_(table), editState_(&editState) {
    table_.AddObserver(this);
}

EntryTableModel::EntryTableModel(EntryTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), editState_(nullptr) {
    table_.AddObserver(this);
}

EntryTableModel::~EntryTableModel() {
    table_.RemoveObserver(this);
}

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : EntryTable::kLastCar;
}

int EntryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : EntryTable::kColumns;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::BackgroundRole) {
        return index.column() == EntryTable::kCar && fixedColor_.isValid() ? QVariant(fixedColor_)
                                                                           : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    return QString::fromStdString(table_.Cell(index.column(), CarOfRow(index.row())));
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(table_.Cell(section, 0));
    }
    return QString::number(CarOfRow(section));
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const bool nameOrModel =
        index.column() == EntryTable::kName || index.column() == EntryTable::kModel;
    if (nameOrModel && (editState_ == nullptr || editState_->editing())) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool EntryTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    // The table tells this model (and every other observer) of the change.
    table_.SetCell(index.column(), CarOfRow(index.row()), value.toString().toStdString());
    return true;
}

void EntryTableModel::SetFixedCellColor(const QColor& color) {
    if (color == fixedColor_) {
        return;
    }
    fixedColor_ = color;
    emit dataChanged(index(0, EntryTable::kCar), index(EntryTable::kLastCar - 1, EntryTable::kCar),
                     {Qt::BackgroundRole});
}

void EntryTableModel::CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                                   int32_t lastColumn) {
    emit dataChanged(index(RowOfCar(firstRow), firstColumn), index(RowOfCar(lastRow), lastColumn),
                     {Qt::DisplayRole, Qt::EditRole});
}

}  // namespace vantrel
