#include "widgets/grid_focus_watch.h"

#include <QApplication>
#include <QWidget>

namespace vantrel {

GridFocusWatch::GridFocusWatch(QWidget* grid, std::function<void()> entered,
                               std::function<void()> left, QObject* parent)
    : QObject(parent), grid_(grid), entered_(std::move(entered)), left_(std::move(left)) {
    connect(qApp, &QApplication::focusChanged, this, &GridFocusWatch::FocusChanged);
}

void GridFocusWatch::FocusChanged(QWidget* /*old*/, QWidget* now) {
    if (grid_.isNull() || now == nullptr || now->window() != grid_->window()) {
        return;
    }
    const bool inside = now == grid_ || grid_->isAncestorOf(now);
    if (inside == inside_) {
        return;
    }
    inside_ = inside;
    if (inside) {
        entered_();
    } else {
        left_();
    }
}

}  // namespace vantrel
