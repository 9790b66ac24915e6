#include "support/layout_check.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

#include "widgets/elided_text_delegate.h"
#include "widgets/up_down.h"

namespace vantrel::test {
namespace {

// The text as drawn: a single "&" marks a mnemonic and takes no room.
QString Shown(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

int TextWidth(const QFontMetrics& metrics, const QString& text) {
    int width = 0;
    for (const QString& line : Shown(text).split(QLatin1Char('\n'))) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    return width;
}

QString TextOf(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        return label->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        return edit->text();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        return combo->currentText();
    }
    if (auto* group = qobject_cast<const QGroupBox*>(w)) {
        return group->title();
    }
    return QString();
}

QString Describe(const QWidget* w) {
    QString name = w->objectName();
    if (name.isEmpty()) {
        name = QString::fromLatin1(w->metaObject()->className());
    }
    const QString text = TextOf(w);
    return text.isEmpty() ? name : QStringLiteral("%1 \"%2\"").arg(name, text);
}

// Controls whose child widgets are parts of the control, not controls of their own.
bool IsWhole(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QTabBar*>(w) ||
           qobject_cast<const QMenuBar*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const UpDown*>(w);
}

// Room for text that a control leaves, or -1 when the control is not checked for it.
int TextRoom(const QWidget* w) {
    QStyle* style = w->style();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->wordWrap() || label->textFormat() == Qt::RichText) {
            return -1;
        }
        const int indent = std::max(label->indent(), 0);
        return label->contentsRect().width() - 2 * label->margin() - indent;
    }
    if (auto* box = qobject_cast<const QCheckBox*>(w)) {
        return box->width() -
               (box->sizeHint().width() - TextWidth(box->fontMetrics(), box->text()));
    }
    if (auto* radio = qobject_cast<const QRadioButton*>(w)) {
        return radio->width() -
               (radio->sizeHint().width() - TextWidth(radio->fontMetrics(), radio->text()));
    }
    if (auto* button = qobject_cast<const QPushButton*>(w)) {
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return button->width() - icon - style->pixelMetric(QStyle::PM_ButtonMargin) -
               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.rect = edit->rect();
        option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QRect contents = style->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        const QMargins margins = edit->textMargins();
        return contents.width() - margins.left() - margins.right() - 4;  // 2 inner margin a side
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.rect = combo->rect();
        option.editable = combo->isEditable();
        return style
                   ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                    combo)
                   .width() -
               2;
    }
    if (qobject_cast<const QGroupBox*>(w)) {
        return w->width() - 16;
    }
    return -1;
}

void CheckText(const QWidget* w, QStringList& faults) {
    const QString text = TextOf(w);
    const int room = TextRoom(w);
    if (text.isEmpty() || room < 0) {
        return;
    }
    const int needed = TextWidth(w->fontMetrics(), text);
    if (needed > room) {
        faults << QStringLiteral("%1: text needs %2 px, has %3")
                      .arg(Describe(w))
                      .arg(needed)
                      .arg(room);
    }
    const int lines = static_cast<int>(Shown(text).count(QLatin1Char('\n'))) + 1;
    const int height = lines * w->fontMetrics().height();
    if (!qobject_cast<const QGroupBox*>(w) && height > w->height()) {
        faults << QStringLiteral("%1: text is %2 px high, control %3")
                      .arg(Describe(w))
                      .arg(height)
                      .arg(w->height());
    }
}

bool Elides(const QTableView* grid, int column) {
    const auto* delegate = qobject_cast<const ElidedTextDelegate*>(grid->itemDelegate());
    return grid->textElideMode() != Qt::ElideNone ||
           (delegate != nullptr && delegate->ElidesColumn(grid->model(), column));
}

void CheckGrid(const QTableView* grid, QStringList& faults) {
    const QString name = Describe(grid);
    const QHeaderView* header = grid->horizontalHeader();
    const QAbstractItemModel* model = grid->model();
    if (model == nullptr) {
        return;
    }
    const int headerMargin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
    const int cellMargin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const bool canScroll = grid->horizontalScrollBar()->isVisible();
    const int viewWidth = grid->viewport()->width();
    const int firstRow = std::max(grid->rowAt(0), 0);
    int lastRow = grid->rowAt(grid->viewport()->height() - 1);
    lastRow = lastRow < 0 ? model->rowCount() - 1 : lastRow;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (grid->isColumnHidden(c) || grid->columnWidth(c) <= 0) {
            continue;
        }
        const int width = grid->columnWidth(c);
        const QString title = model->headerData(c, Qt::Horizontal).toString();
        if (header->isVisible() && TextWidth(header->fontMetrics(), title) + headerMargin > width) {
            faults << QStringLiteral("%1: heading \"%2\" needs %3 px, column has %4")
                          .arg(name, title)
                          .arg(TextWidth(header->fontMetrics(), title) + headerMargin)
                          .arg(width);
        }
        const int right = grid->columnViewportPosition(c) + width;
        if (!canScroll && right > viewWidth) {
            faults << QStringLiteral("%1: column \"%2\" is cut by the grid's edge (%3 > %4)")
                          .arg(name, title)
                          .arg(right)
                          .arg(viewWidth);
        }
        if (Elides(grid, c)) {
            continue;
        }
        for (int r = firstRow; r <= lastRow; ++r) {
            const QString cell = model->index(r, c).data().toString();
            const int needed = grid->fontMetrics().horizontalAdvance(cell) + cellMargin;
            if (needed > width) {
                faults << QStringLiteral("%1: cell \"%2\" (row %3) needs %4 px, column has %5")
                              .arg(name, cell)
                              .arg(r + 1)
                              .arg(needed)
                              .arg(width);
            }
        }
    }
    if (grid->wordWrap()) {
        faults << QStringLiteral("%1: wraps cell texts").arg(name);
    }
    if (model->rowCount() > 0 && grid->rowHeight(firstRow) < grid->fontMetrics().height()) {
        faults << QStringLiteral("%1: rows lower than the font").arg(name);
    }
}

// A list of lines (the received car numbers) scrolls only up and down: every line must fit.
void CheckList(const QListView* list, QStringList& faults) {
    const QAbstractItemModel* model = list->model();
    const int cellMargin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int r = 0; model != nullptr && r < model->rowCount(); ++r) {
        const QString line = model->index(r, 0).data().toString();
        const int needed = list->fontMetrics().horizontalAdvance(line) + cellMargin;
        if (needed > list->viewport()->width()) {
            faults << QStringLiteral("%1: line \"%2\" needs %3 px, the list has %4")
                          .arg(Describe(list), line)
                          .arg(needed)
                          .arg(list->viewport()->width());
        }
    }
}

void CheckChildren(const QWidget* parent, const QWidget* root, QStringList& faults) {
    QList<const QWidget*> children;
    for (const QObject* object : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(object);
        if (w != nullptr && !w->isWindow() && w->isVisibleTo(root)) {
            children << w;
        }
    }
    // A tab control's bar overlaps the frame of its pages by design.
    const bool overlapAllowed = qobject_cast<const QTabWidget*>(parent) != nullptr;
    for (int i = 0; i < children.size(); ++i) {
        const QWidget* a = children[i];
        if (!parent->rect().contains(a->geometry())) {
            faults << QStringLiteral("%1: reaches out of %2").arg(Describe(a), Describe(parent));
        }
        for (int j = i + 1; j < children.size() && !overlapAllowed; ++j) {
            if (a->geometry().intersects(children[j]->geometry())) {
                faults << QStringLiteral("%1 overlaps %2").arg(Describe(a), Describe(children[j]));
            }
        }
        CheckText(a, faults);
        if (auto* grid = qobject_cast<const QTableView*>(a)) {
            CheckGrid(grid, faults);
        }
        if (auto* list = qobject_cast<const QListView*>(a)) {
            CheckList(list, faults);
        }
        if (!IsWhole(a)) {
            CheckChildren(a, root, faults);
        }
    }
}

}  // namespace

QStringList LayoutFaults(const QWidget* root) {
    QStringList faults;
    CheckChildren(root, root, faults);
    return faults;
}

}  // namespace vantrel::test
