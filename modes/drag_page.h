#pragma once
// The DRAG tab: car number entry, light-tree button, start method, the run's times, the
// last result, the tree picture and the eight line indicators.
// Thread rule: GUI thread only.

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vantrel {

class DragPage : public QWidget {
    Q_OBJECT
public:
    explicit DragPage(QWidget* parent);

    void Relayout(int width, int spread);
    // "Amber ON" in green or "Abort" in red.
    void ShowTreeButtonArmed(bool armed);

    QLineEdit* Memo204;  // car number of the next run
    QPushButton* SpeedButton200;
    QGroupBox* GroupBox2;
    QRadioButton* RadioButton1;  // "Pro"
    QRadioButton* RadioButton2;  // "Stock"
    QLineEdit* Memo210;          // car of the run in progress
    QLineEdit* Memo205;          // R/T
    QLineEdit* Memo206;          // 0-18
    QLineEdit* Memo207;          // 0-100
    QLineEdit* Memo208;          // 0-200
    QLineEdit* Memo209;          // 0-300
    QLineEdit* Memo200;          // last result: car
    QLineEdit* Memo201;          // name
    QLineEdit* Memo202;          // E.T.
    QLineEdit* Memo203;          // speed
    QLabel* SignalAmber;
    QLabel* SignalGreen;
    QLabel* SignalRed;
    // Line indicators Image0..Image7 and their labels Label23..Label30 (line order).
    std::array<QLabel*, 8> lineImages{};
    std::array<QLabel*, 8> lineLabels{};

private:
    struct Caption {
        QLabel* label;
        QLineEdit* box;
    };
    std::array<Caption, 6> captions_{};
    QLabel* resultLabel_;
};

}  // namespace vantrel
