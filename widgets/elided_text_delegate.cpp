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
    // The cell leaves its last pixel column and row to the grid lines, as the view's own grid
    // would.
    QStyleOptionViewItem inner = option;
    if (gridLines_) {
        inner.rect.adjust(0, 0, -1, -1);
    }
    QStyleOptionViewItem cell = inner;
    initStyleOption(&cell, index);
    if (!PaintTextCell(painter, cell)) {
        QStyledItemDelegate::paint(painter, inner, index);
    }
    if (gridLines_) {
        PaintGridLines(painter, option);
    }
}

void ElidedTextDelegate::PaintGridLines(QPainter* painter,
                                        const QStyleOptionViewItem& option) const {
    const QWidget* widget = option.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    const QColor color = QColor::fromRgba(
        static_cast<QRgb>(style->styleHint(QStyle::SH_Table_GridLineColor, &option, widget)));
    const QRect& r = option.rect;
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width() - 1, 1), color);
}

void ElidedTextDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const {
    QStyleOptionViewItem inner = option;
    if (gridLines_) {
        inner.rect.adjust(0, 0, -1, -1);
    }
    QStyledItemDelegate::updateEditorGeometry(editor, inner, index);
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
    // The panel of a plain cell is empty; skipping it saves a style call per cell.
    const bool plain = !(cell.state & QStyle::State_Selected) &&
                       !(cell.features & QStyleOptionViewItem::Alternate) &&
                       cell.backgroundBrush.style() == Qt::NoBrush;
    if (!plain) {
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    }
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
    // The delegate draws the grid lines: filling a pixel row costs far less than the view's
    // line drawing.
    grid->setShowGrid(false);
    auto* delegate = new ElidedTextDelegate(headings, grid);
    delegate->SetDrawsGridLines(true);
    grid->setItemDelegate(delegate);
}

}  // namespace vantrel
