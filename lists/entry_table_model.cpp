#include "lists/entry_table_model.h"

namespace vantrel {

EntryTableModel::EntryTableModel(EntryTable& table, const GridEditState& editState, QObject* parent)
    : ListTableModel(&editState, parent), table_(table) {
    table_.AddObserver(this);
}

EntryTableModel::EntryTableModel(EntryTable& table, QObject* parent)
    : ListTableModel(nullptr, parent), table_(table) {
    table_.AddObserver(this);
}

EntryTableModel::~EntryTableModel() {
    table_.RemoveObserver(this);
}

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : EntryTable::kLastCar;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (index.isValid() && role == Qt::BackgroundRole) {
        return index.column() == EntryTable::kCar && fixedColor_.isValid() ? QVariant(fixedColor_)
                                                                           : QVariant();
    }
    return ListTableModel::data(index, role);
}

void EntryTableModel::SetFixedCellColor(const QColor& color) {
    if (color == fixedColor_) {
        return;
    }
    fixedColor_ = color;
    emit dataChanged(index(0, EntryTable::kCar), index(EntryTable::kLastCar - 1, EntryTable::kCar),
                     {Qt::BackgroundRole});
}

}  // namespace vantrel
