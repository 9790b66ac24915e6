#include "reports/text_grid_model.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace vantrel {

TextGridModel::TextGridModel(const TextGrid& grid, QObject* parent, const char* headingContext)
    : QAbstractTableModel(parent),
      grid_(grid),
      headingContext_(headingContext),
      rows_(std::max(grid.RowCount() - 1, 0)),
      columns_(grid.ColumnCount()) {}

void TextGridModel::Refresh() {
    const int rows = std::max(grid_.RowCount() - 1, 0);
    const int columns = grid_.ColumnCount();
    if (rows != rows_ || columns < columns_) {
        // Not expected of the standings pages (fixed rows, columns only grow): start afresh.
        beginResetModel();
        rows_ = rows;
        columns_ = columns;
        headings_.clear();
        endResetModel();
        return;
    }
    if (columns > columns_) {
        beginInsertColumns(QModelIndex(), columns_, columns - 1);
        columns_ = columns;
        endInsertColumns();
    }
    if (rows_ > 0 && columns_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::DisplayRole});
    }
    // Headings rarely change, and a heading change makes the header measure itself again.
    std::vector<std::string> headings;
    headings.reserve(static_cast<size_t>(columns_));
    for (int column = 0; column < columns_; ++column) {
        headings.push_back(grid_.Cell(column, 0));
    }
    if (columns_ > 0 && headings != headings_) {
        headings_ = std::move(headings);
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    }
}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    return QString::fromStdString(grid_.Cell(index.column(), GridRowOf(index.row())));
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        const std::string& heading = grid_.Cell(section, 0);
        return headingContext_ != nullptr
                   ? QCoreApplication::translate(headingContext_, heading.c_str())
                   : QString::fromStdString(heading);
    }
    return QString::number(GridRowOf(section));
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

}  // namespace vantrel
