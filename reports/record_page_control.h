#pragma once
// `PageControl1` of the record window: a tab widget whose tabs are all 100 pixels wide and
// which tells how much of its height the tabs and the frame take.
// Thread rule: GUI thread only.

#include <QTabWidget>

namespace vantrel {

class RecordPageControl : public QTabWidget {
    Q_OBJECT

public:
    static constexpr int kTabWidth = 100;

    explicit RecordPageControl(QWidget* parent = nullptr);

    // Height of the control minus the height of its pages; the same at every size, and
    // known before the control has ever been shown.
    int PageChromeHeight() const;
};

}  // namespace vantrel
