#include "lists/result_table_model.h"

#include <QColor>
#include <algorithm>
#include <utility>

#include "lists/result_flag_text.h"

namespace vantrel {

ResultTableModel::ResultTableModel(ResultTable& table, const GridEditState& editState,
                                   QObject* parent)
    : ListTableModel(&editState, parent), table_(table) {
    table_.AddObserver(this);
}

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent)
    : ListTableModel(nullptr, parent), table_(table) {
    table_.AddObserver(this);
}

ResultTableModel::~ResultTableModel() {
    table_.RemoveObserver(this);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return holdDepth_ > 0 ? shownRows_ : table_.DataRowCount();
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if ((role == Qt::BackgroundRole || role == Qt::ToolTipRole) && index.isValid()) {
        const std::string& flag = table_.Flag(TableRowOf(index.row()));
        if (!flag.empty()) {
            return role == Qt::BackgroundRole ? QVariant(FlaggedRowColor())
                                              : QVariant(FlagReasonText(flag));
        }
    }
    return ListTableModel::data(index, role);
}

QColor ResultTableModel::FlaggedRowColor() {
    return QColor(255, 214, 153);
}

void ResultTableModel::HoldAppends() {
    if (holdDepth_++ == 0) {
        shownRows_ = table_.DataRowCount();
    }
}

void ResultTableModel::ReleaseAppends() {
    if (holdDepth_ == 1) {
        ShowAppended();  // still held: the views hear of the rows as new ones
    }
    holdDepth_ = std::max(holdDepth_ - 1, 0);
}

void ResultTableModel::ShowAppended() {
    const int rows = table_.DataRowCount();
    if (rows > shownRows_) {
        beginInsertRows(QModelIndex(), shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    }
}

void ResultTableModel::CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                                    int32_t lastColumn) {
    if (holdDepth_ > 0) {
        // Rows the views do not know of yet are shown whole when they are announced.
        lastRow = std::min(lastRow, TableRowOf(shownRows_ - 1));
        if (firstRow > lastRow) {
            return;
        }
    }
    // A changed mark repaints the whole row, which shows it.
    if (lastColumn >= table_.FlagColumn()) {
        firstColumn = 0;
        lastColumn = table_.ColumnCount() - 1;
    }
    ListTableModel::CellsChanged(firstRow, lastRow, firstColumn, lastColumn);
}

void ResultTableModel::RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) {
    appendHeld_ = holdDepth_ > 0 && ModelRowOf(firstRow) == table_.DataRowCount();
    if (appendHeld_) {
        return;
    }
    if (holdDepth_ > 0) {
        ShowAppended();
    }
    ListTableModel::RowsAboutToBeInserted(firstRow, lastRow);
}

void ResultTableModel::RowsInserted() {
    if (std::exchange(appendHeld_, false)) {
        return;
    }
    shownRows_ = table_.DataRowCount();
    ListTableModel::RowsInserted();
}

void ResultTableModel::RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) {
    if (holdDepth_ > 0) {
        ShowAppended();
    }
    ListTableModel::RowsAboutToBeRemoved(firstRow, lastRow);
}

void ResultTableModel::RowsRemoved() {
    shownRows_ = table_.DataRowCount();
    ListTableModel::RowsRemoved();
}

void ResultTableModel::ResetDone() {
    shownRows_ = table_.DataRowCount();
    ListTableModel::ResetDone();
}

void ResultTableModel::AboutToReset() {
    if (holdDepth_ > 0) {
        ShowAppended();
    }
    ListTableModel::AboutToReset();
}

void ResultTableModel::WriteCell(int32_t column, int32_t tableRow, std::string text) {
    // An unchanged text is no edit: it must not rebuild the standings.
    if (table_.Cell(column, tableRow) == text) {
        return;
    }
    table_.SetCell(column, tableRow, std::move(text));
    emit cellEdited();
}

}  // namespace vantrel
