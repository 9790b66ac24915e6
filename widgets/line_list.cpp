#include "widgets/line_list.h"

#include <QAbstractListModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <deque>

#include "widgets/elided_text_delegate.h"

namespace vantrel {

class LineList::Model final : public QAbstractListModel {
public:
    Model(int maxLines, QObject* parent) : QAbstractListModel(parent), maxLines_(maxLines) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(lines_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) {
            return {};
        }
        return lines_[static_cast<size_t>(index.row())];
    }

    void Append(const QStringList& lines) {
        const int added = static_cast<int>(std::min<qsizetype>(lines.size(), maxLines_));
        if (added == 0) {
            return;
        }
        const QStringList newest = lines.mid(lines.size() - added);
        if (added == maxLines_) {
            beginResetModel();
            lines_.assign(newest.begin(), newest.end());
            endResetModel();
            return;
        }
        const int dropped = std::max(rowCount({}) + added - maxLines_, 0);
        if (dropped > 0) {
            beginRemoveRows({}, 0, dropped - 1);
            lines_.erase(lines_.begin(), lines_.begin() + dropped);
            endRemoveRows();
        }
        const int first = rowCount({});
        beginInsertRows({}, first, first + added - 1);
        lines_.insert(lines_.end(), newest.begin(), newest.end());
        endInsertRows();
    }

    void Clear() {
        beginResetModel();
        lines_.clear();
        endResetModel();
    }

    QString Joined() const {
        QString text;
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (i > 0) {
                text += QLatin1Char('\n');
            }
            text += lines_[i];
        }
        return text;
    }

private:
    const int maxLines_;
    std::deque<QString> lines_;
};

LineList::LineList(int maxLines, QWidget* parent)
    : QListView(parent), model_(new Model(std::max(maxLines, 1), this)) {
    setModel(model_);
    setItemDelegate(new ElidedTextDelegate({}, this));  // draws from laid-out texts
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

void LineList::AppendLines(const QStringList& lines) {
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const int position = bar->value();
    model_->Append(lines);
    if (atEnd) {
        scrollToBottom();
    } else {
        bar->setValue(position);
    }
}

void LineList::Clear() {
    model_->Clear();
}

int LineList::LineCount() const {
    return model_->rowCount({});
}

QString LineList::toPlainText() const {
    return model_->Joined();
}

void LineList::keyPressEvent(QKeyEvent* event) {
    if (!event->matches(QKeySequence::Copy)) {
        QListView::keyPressEvent(event);
        return;
    }
    QModelIndexList selected = selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end());
    QStringList lines;
    for (const QModelIndex& index : selected) {
        lines << index.data().toString();
    }
    if (!lines.isEmpty()) {
        QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
    }
}

}  // namespace vantrel
