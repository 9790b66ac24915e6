#include "lists/entry_table_model.h"

#include <algorithm>

namespace vantrel {

EntryTableModel::EntryTableModel(EntryTable& table, const GridEditState& editState, QObject* parent)
    : ListTableModel(&editState, parent), table_(table), classShown_(table.HasClasses()) {
    table_.AddObserver(this);
}

EntryTableModel::EntryTableModel(EntryTable& table, QObject* parent)
    : ListTableModel(nullptr, parent), table_(table), classShown_(table.HasClasses()) {
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

void EntryTableModel::AskForClassColumn(bool asked) {
    classAsked_ = asked;
    UpdateClassColumn();
}

void EntryTableModel::UpdateClassColumn() {
    const bool shown = classAsked_ || table_.HasClasses();
    if (shown == classShown_) {
        return;
    }
    if (shown) {
        beginInsertColumns(QModelIndex(), EntryTable::kClass, EntryTable::kClass);
        classShown_ = true;
        endInsertColumns();
    } else {
        beginRemoveColumns(QModelIndex(), EntryTable::kClass, EntryTable::kClass);
        classShown_ = false;
        endRemoveColumns();
    }
}

void EntryTableModel::Announce(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                               int32_t lastColumn) {
    if (lastColumn >= EntryTable::kClass) {
        if (classAsked_ || table_.HasClasses()) {
            UpdateClassColumn();
        } else if (classShown_) {
            // The last class may have gone from the column's own open cell: the column goes
            // once the editor that wrote it is done with it.
            QMetaObject::invokeMethod(this, &EntryTableModel::UpdateClassColumn,
                                      Qt::QueuedConnection);
        }
    }
    lastColumn = std::min(lastColumn, TableColumnCount() - 1);
    if (firstColumn <= lastColumn) {
        ListTableModel::CellsChanged(firstRow, lastRow, firstColumn, lastColumn);
    }
}

void EntryTableModel::BatchEnded() {
    if (holdDepth_ > 0 && --holdDepth_ == 0 && held_) {
        const CellRange range = *held_;
        held_.reset();
        Announce(range.firstRow, range.lastRow, range.firstColumn, range.lastColumn);
    }
}

void EntryTableModel::CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                                   int32_t lastColumn) {
    if (holdDepth_ == 0) {
        Announce(firstRow, lastRow, firstColumn, lastColumn);
        return;
    }
    if (!held_) {
        held_ = CellRange{firstRow, lastRow, firstColumn, lastColumn};
        return;
    }
    held_->firstRow = std::min(held_->firstRow, firstRow);
    held_->lastRow = std::max(held_->lastRow, lastRow);
    held_->firstColumn = std::min(held_->firstColumn, firstColumn);
    held_->lastColumn = std::max(held_->lastColumn, lastColumn);
}

}  // namespace vantrel
