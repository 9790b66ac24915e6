#pragma once
// The GYMKHANA tab: start queue, next-number box, the four course positions with their
// clocks, the sensor lamps, the pass-count choices and the last result.
// Thread rule: GUI thread only.

#include <QWidget>
#include <array>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vantrel {

class GymkhanaPage : public QWidget {
    Q_OBJECT
public:
    explicit GymkhanaPage(QWidget* parent);

    // Places the controls for the tab width; `spread` widens the gaps of the course columns.
    void Relayout(int width, int spread);
    // Shows the pass-count boxes for the combos' choices.
    void ShowPassCountBoxes();

    // Start queue, in queue order, then the next-number box.
    QLineEdit* Memo100;
    QLineEdit* Memo111;
    QLineEdit* Memo112;
    QLineEdit* Memo113;
    QLineEdit* Memo114;
    QPushButton* BitBtn2;
    QMenu* StartPopup;
    QAction* StartClear;
    std::array<QLineEdit*, 4> startBoxes{};

    // Course positions "I" (longest on course) to "IV": car boxes and clock boxes.
    QLineEdit* Memo120;
    QLineEdit* Memo107;
    QLineEdit* Memo102;
    QLineEdit* Memo101;
    QLineEdit* Memo121;
    QLineEdit* Memo108;
    QLineEdit* Memo106;
    QLineEdit* Memo105;
    QMenu* AttackPopup;
    QAction* Pilontouch11;
    QAction* Pilontouch12;
    QAction* Misscourse1;
    QAction* Clearpenalty1;
    QAction* Clear1;

    // Sensor lamps and their labels.
    QLabel* StartLed;
    QLabel* FinishLed;
    QLabel* SplitLed1;
    QLabel* SplitLed2;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label20;
    QLabel* Label21;

    // Passes per car at the start and the finish, and their counters.
    QComboBox* ComboBox100;
    QComboBox* ComboBox101;
    QLineEdit* Memo115;
    QLineEdit* Memo116;

    // Last result: car, name, time.
    QLineEdit* Memo103;
    QLineEdit* Memo110;
    QLineEdit* Memo104;

private:
    void BuildStartList();
    void BuildCourse();
    void BuildLamps();
    void BuildResult();

    QLabel* startListLabel_;
    QLabel* courseLabel_;
    QLabel* resultLabel_;
    std::array<QLabel*, 4> queueMarks_{};
    std::array<QLabel*, 4> positionMarks_{};
};

}  // namespace vantrel
