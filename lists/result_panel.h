#pragma once
// The result panel below the tabs: the result grid, its label, file name, the result
// buttons, the "RS232C" box and the grid's popup menu.
// Thread rule: GUI thread only.

#include <QFrame>
#include <vector>

#include "common/main_layout.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace vantrel {

class ResultTable;
class ResultTableModel;

class ResultPanel : public QFrame {
    Q_OBJECT
public:
    ResultPanel(ResultTable& table, QWidget* parent);

    ResultTableModel* Model() const { return model_; }
    // Column widths of the mode's layout; "Name" and "Model" come from the layout pass.
    void SetColumnWidths(const std::vector<int>& widths);
    void ApplyLayout(const MainLayout& layout);
    void ShowFileName(const QString& name);
    // Enables the GYMKHANA-only controls (penalty buttons and "RS232C").
    void EnableGymkhanaControls(bool enabled);
    // Selects data row `row` (1-based) and keeps it in view.
    void SelectRow(int row);

    QLabel* Label4;  // "リザルトリスト"
    QLabel* ResultFile;
    QTableView* StringGrid2;
    QPushButton* BitBtn3;  // clear
    QPushButton* BitBtn4;  // miss course
    QPushButton* BitBtn5;  // penalty +1
    QPushButton* BitBtn6;  // penalty -1
    QPushButton* BitBtn7;  // lecture
    QCheckBox* CheckBox2;  // "RS232C"
    QMenu* Grid2Popup;
    QAction* Grid2Edit;
    QAction* Grid2Delete;
    QAction* Grid2Excel;
    QAction* Grid2Undo;  // "元に戻す"
    QAction* Grid2Redo;  // "やり直し"

private:
    ResultTableModel* model_;
    std::vector<int> widths_;
};

}  // namespace vantrel
