#pragma once
// The entry panel on the left of the main window: the entry grid, its label, the file name
// and the grid's popup menu. The grid's "Class" column stands between "Model" and "Lap" and
// is shown while a car has a class or the popup's "クラス列を表示" is ticked.
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
    // Whether the "Class" column is shown.
    bool ClassColumnShown() const;

    QLabel* Label1;  // "エントリーリスト"
    QLabel* EntryFile;
    QTableView* StringGrid1;
    QMenu* Grid1Popup;
    QAction* Grid1Edit;
    QAction* Grid1Insert;
    QAction* Grid1Delete;
    QAction* Grid1Class;  // "クラス列を表示", ticked while the "Class" column is shown

private:
    // Puts the "Class" column, when the model has it, before "Lap", ticks the popup item as
    // it stands, and lays out the columns that share their width with it.
    void UpdateClassColumn();
    void ApplyTextColumnWidths();
    // The width the "Class" column would like: its heading's or its widest class's.
    int ClassWidthWanted() const;
    void ScrollAround(int car);
    // Rows the grid shows whole.
    int VisibleRows() const;

    EntryTable& table_;
    EntryTableModel* model_;
    int nameWidth_ = 100;  // "Name" and "Model" as the window's layout gives them
    int modelWidth_ = 72;
};

}  // namespace vantrel
