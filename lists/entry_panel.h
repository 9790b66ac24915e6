#pragma once
// The entry panel on the left of the main window: the entry grid, its label, the file name
// and the grid's popup menu.
// Thread rule: GUI thread only.

#include <QFrame>
#include <cstdint>
#include <vector>

#include "common/main_layout.h"

class QAction;
class QLabel;
class QMenu;
class QTableView;

namespace vantrel {

class EntryTable;
class EntryTableModel;

class EntryPanel : public QFrame {
    Q_OBJECT
public:
    EntryPanel(EntryTable& table, QWidget* parent);

    EntryTableModel* Model() const { return model_; }
    void ApplyLayout(const MainLayout& layout, int carWidth);
    // Shows `name` between double quotes.
    void ShowFileName(const QString& name);
    // Selects the row of `car` and keeps it in view.
    void SelectCar(int car);
    // Selects the car's row for the operator and scrolls so that rows around it stay in view.
    void ShowCar(int car);
    // ShowCar for each car in turn, with the grid drawn once at the end: the scrolling is
    // that of every step, the selection that of the last.
    void ShowCars(const std::vector<int32_t>& cars);
    int CurrentCar() const;

    QLabel* Label1;  // "エントリーリスト"
    QLabel* EntryFile;
    QTableView* StringGrid1;
    QMenu* Grid1Popup;
    QAction* Grid1Edit;
    QAction* Grid1Insert;
    QAction* Grid1Delete;

private:
    void ScrollAround(int car);
    // Rows the grid shows whole.
    int VisibleRows() const;

    EntryTableModel* model_;
};

}  // namespace vantrel
