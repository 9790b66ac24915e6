#include "widgets/elided_text_delegate.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <utility>

namespace vantrel {

ElidedTextDelegate::ElidedTextDelegate(QStringList headings, QObject* parent)
    : QStyledItemDelegate(parent), headings_(std::move(headings)) {}

bool ElidedTextDelegate::ElidesColumn(const QAbstractItemModel* model, int column) const {
    return headings_.contains(model->headerData(column, Qt::Horizontal).toString());
}

void ElidedTextDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->features &= ~QStyleOptionViewItem::WrapText;
    if (ElidesColumn(index.model(), index.column())) {
        option->textElideMode = Qt::ElideRight;
    }
}

void ElideTextInColumns(QTableView* grid, const QStringList& headings) {
    grid->setWordWrap(false);
    grid->setItemDelegate(new ElidedTextDelegate(headings, grid));
}

}  // namespace vantrel
