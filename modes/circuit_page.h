#pragma once
// The CIRCUIT tab: counting method, input port, receiver mask time and the list of
// received car numbers.
// Thread rule: GUI thread only.

#include <QGroupBox>
#include <QWidget>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vantrel {

class LineList;
class UpDown;

// A titled group of radio buttons whose checked item is its index.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent);
    int ItemIndex() const;
    void SetItemIndex(int index);

signals:
    void itemClicked(int index);

private:
    QButtonGroup* buttons_;
};

class CircuitPage : public QWidget {
    Q_OBJECT
public:
    explicit CircuitPage(QWidget* parent);

    void Relayout(int width, int spread);

    RadioGroup* RadioGroup300;  // "計測方式"
    RadioGroup* RadioGroup301;  // "入力ﾎﾟｰﾄ"
    QGroupBox* GroupBox1;       // "受信機設定"
    QLabel* Label10;
    QLineEdit* Memo302;  // mask time in seconds
    UpDown* UpDown2;
    QLabel* Label11;    // "受信ﾃﾞｰﾀ"
    LineList* Memo300;  // the received car numbers, newest last
};

}  // namespace vantrel
