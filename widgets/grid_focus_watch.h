#pragma once
// Tells when the keyboard focus enters or leaves a grid within its window. The grid's cell
// editor counts as part of the grid, and focus taken by popup menus or other windows (dialogs,
// message boxes) is no leaving: the grid gets the focus back when they close.
// Thread rule: GUI thread only.

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace vantrel {

class GridFocusWatch : public QObject {
    Q_OBJECT
public:
    GridFocusWatch(QWidget* grid, std::function<void()> entered, std::function<void()> left,
                   QObject* parent);

    bool Inside() const { return inside_; }

private:
    void FocusChanged(QWidget* old, QWidget* now);

    QPointer<QWidget> grid_;
    std::function<void()> entered_;
    std::function<void()> left_;
    bool inside_ = false;
};

}  // namespace vantrel
