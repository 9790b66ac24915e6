#pragma once
// A titled group of radio buttons whose checked item is its index, as the tab pages and the
// options dialog show their choices.
// Thread rule: GUI thread only.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace vantrel {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent);
    // The checked item, -1 when none is.
    int ItemIndex() const;
    // Checks item `index`; an index outside the items changes nothing. Emits no signal.
    void SetItemIndex(int index);

signals:
    // The operator clicked item `index`.
    void itemClicked(int index);

private:
    QButtonGroup* buttons_;
};

}  // namespace vantrel
