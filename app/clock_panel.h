#pragma once
// The clock panel at the top right: the session start button, the session clock, the last
// split and the voice check box.
// Thread rule: GUI thread only.

#include <QFrame>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

class ClockPanel : public QFrame {
    Q_OBJECT
public:
    explicit ClockPanel(QWidget* parent);

    // Centres the controls in the panel's width.
    void Relayout(int width);
    // Shows or hides the split display (label and both boxes).
    void ShowSplitDisplay(bool visible);

    QPushButton* SpeedButton1;  // session start, a toggle
    QLabel* Label18;            // "経過時間"
    QLineEdit* Memo301;         // session clock
    QLabel* Label19;            // "中間タイム"
    QLineEdit* Memo304;         // car of the last split
    QLineEdit* Memo303;         // time of the last split
    QCheckBox* CheckBox1;       // "読み上げ"
};

}  // namespace vantrel
