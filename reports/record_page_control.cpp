#include "reports/record_page_control.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace vantrel {

namespace {

class FixedWidthTabBar final : public QTabBar {
public:
    explicit FixedWidthTabBar(QWidget* parent) : QTabBar(parent) {}

protected:
    QSize tabSizeHint(int index) const override {
        return {RecordPageControl::kTabWidth, QTabBar::tabSizeHint(index).height()};
    }
};

}  // namespace

RecordPageControl::RecordPageControl(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("PageControl1"));
    setTabBar(new FixedWidthTabBar(this));
    setFocusPolicy(Qt::NoFocus);
}

int RecordPageControl::PageChromeHeight() const {
    // Measured on a nominal frame: the style places the pages the same way at any height.
    constexpr int kProbeHeight = 1000;
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, std::max(width(), 200), kProbeHeight);
    const QRect pages = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
    return kProbeHeight - pages.height();
}

}  // namespace vantrel
