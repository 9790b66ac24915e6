#include "widgets/elided_text_delegate.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPainter>
#include <QStyle>
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

void ElidedTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (!PaintTextCell(painter, cell)) {
        QStyledItemDelegate::paint(painter, option, index);
    }
}

bool ElidedTextDelegate::PaintTextCell(QPainter* painter, const QStyleOptionViewItem& cell) const {
    constexpr auto kOtherParts = QStyleOptionViewItem::HasCheckIndicator |
                                 QStyleOptionViewItem::HasDecoration |
                                 QStyleOptionViewItem::WrapText;
    const QWidget* widget = cell.widget;
    // A style sheet or an open editor draws cells its own way.
    if ((cell.features & kOtherParts) || (cell.state & QStyle::State_Editing) ||
        widget == nullptr || widget->testAttribute(Qt::WA_StyleSheet) ||
        cell.text.contains(QChar::LineSeparator)) {
        return false;
    }
    const QStyle* style = widget->style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    if (!cell.text.isEmpty()) {
        QPalette::ColorGroup group =
            (cell.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(cell.state & QStyle::State_Active)) {
            group = QPalette::Inactive;
        }
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect textRect = cell.rect.adjusted(margin, 0, -margin, 0);
        const QStaticText& text =
            texts_.Text(cell.text, cell.font, textRect.width(), cell.textElideMode);
        const QSize size = text.size().toSize();
        const QRect place =
            QStyle::alignedRect(cell.direction, cell.displayAlignment, size, textRect);
        painter->save();
        if (size.width() > textRect.width()) {
            painter->setClipRect(cell.rect, Qt::IntersectClip);
        }
        painter->setPen(cell.palette.color(group, (cell.state & QStyle::State_Selected)
                                                      ? QPalette::HighlightedText
                                                      : QPalette::Text));
        painter->setFont(cell.font);
        painter->drawStaticText(place.topLeft(), text);
        painter->restore();
    }
    if (cell.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(cell);
        focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &cell, widget);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        const QPalette::ColorGroup group =
            (cell.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        focus.backgroundColor = cell.palette.color(
            group, (cell.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    return true;
}

void ElideTextInColumns(QTableView* grid, const QStringList& headings) {
    grid->setWordWrap(false);
    grid->setItemDelegate(new ElidedTextDelegate(headings, grid));
}

}  // namespace vantrel
