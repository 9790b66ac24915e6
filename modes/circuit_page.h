#pragma once
// The CIRCUIT tab: counting method, input port, receiver mask time and the list of
// received car numbers.
// Thread rule: GUI thread only.

#include <QGroupBox>
#include <QWidget>

#include "widgets/radio_group.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace vantrel {

class LineList;
class UpDown;

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
