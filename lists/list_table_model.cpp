#include "lists/list_table_model.h"

#include <QCoreApplication>
#include <algorithm>

#include "lists/list_texts.h"

namespace vantrel {

ListTableModel::ListTableModel(const GridEditState* editState, QObject* parent)
    : QAbstractTableModel(parent), editState_(editState) {}

QString ListTableModel::Heading(const std::string& heading) {
    return QCoreApplication::translate(kHeadingContext, heading.c_str());
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TableColumnCount();
}

namespace {
// The first kMaxShownChars characters of a longer text and an ellipsis. Only a prefix of the
// bytes is decoded: a cell of megabytes would take the grid a minute to lay out.
QString ShownText(const std::string& text) {
    constexpr qsizetype kMaxBytes = ListTableModel::kMaxShownChars * 4;  // UTF-8 at the most
    if (text.size() <= static_cast<std::size_t>(ListTableModel::kMaxShownChars)) {
        return QString::fromStdString(text);
    }
    qsizetype bytes = std::min<qsizetype>(static_cast<qsizetype>(text.size()), kMaxBytes);
    while (bytes > 0 && bytes < static_cast<qsizetype>(text.size()) &&
           (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
        --bytes;  // not inside a character
    }
    QString shown = QString::fromUtf8(text.data(), bytes);
    if (bytes == static_cast<qsizetype>(text.size()) &&
        shown.size() <= ListTableModel::kMaxShownChars) {
        return shown;
    }
    qsizetype kept = std::min(shown.size(), ListTableModel::kMaxShownChars);
    if (kept > 0 && shown.at(kept - 1).isHighSurrogate()) {
        --kept;
    }
    shown.truncate(kept);
    return shown + QChar(0x2026);
}
}  // namespace

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
    if (index.isValid() && role == kMaxCharsRole) {
        return MaxChars(index.column());
    }
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    const std::string& text = TableCell(index.column(), TableRowOf(index.row()));
    // The editor gets the whole text, which it writes back.
    return role == Qt::DisplayRole ? ShownText(text) : QString::fromStdString(text);
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return Heading(TableCell(section, 0));
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
