#include "lists/entry_panel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <algorithm>

#include "lists/entry_columns.h"
#include "lists/entry_grid_scroll.h"
#include "lists/entry_table.h"
#include "lists/entry_table_model.h"
#include "widgets/elided_text_delegate.h"
#include "widgets/grid_header.h"
#include "widgets/widget_util.h"

namespace vantrel {

// The texts are looked up under the plain class name "EntryPanel", the context the translation
// files hold (tr() would look under the namespaced name).

EntryPanel::EntryPanel(EntryTable& table, QWidget* parent) : QFrame(parent), table_(table) {
    setObjectName(QStringLiteral("Panel1"));
    setFrameShape(QFrame::StyledPanel);
    Label1 = MakeNamed<QLabel>(this, "Label1",
                               QCoreApplication::translate("EntryPanel", "エントリーリスト"));
    Label1->setGeometry(7, 6, 110, 18);
    EntryFile = MakeNamed<QLabel>(this, "EntryFile");
    EntryFile->setGeometry(120, 6, 140, 18);

    StringGrid1 = MakeNamed<QTableView>(this, "StringGrid1");
    UseGridHeader(StringGrid1);
    model_ = new EntryTableModel(table, this);
    StringGrid1->setModel(model_);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(15);
    StringGrid1->verticalHeader()->setMinimumSectionSize(10);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The numbers are never shortened to an ellipsis; a name or model too long for its column
    // is, so that it shows it is cut.
    StringGrid1->setTextElideMode(Qt::ElideNone);
    ElideTextInColumns(StringGrid1, {EntryTableModel::Heading(table.Cell(EntryTable::kName, 0)),
                                     EntryTableModel::Heading(table.Cell(EntryTable::kModel, 0)),
                                     EntryTableModel::Heading(table.Cell(EntryTable::kClass, 0))});
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setColumnWidth(0, 25);
    StringGrid1->setColumnWidth(1, 100);
    StringGrid1->setColumnWidth(2, 72);
    StringGrid1->setColumnWidth(3, 27);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);

    Grid1Popup = MakeNamed<QMenu>(this, "Grid1Popup");
    Grid1Edit = Grid1Popup->addAction(QCoreApplication::translate("EntryPanel", "編集"));
    Grid1Edit->setObjectName(QStringLiteral("Grid1Edit"));
    Grid1Insert = Grid1Popup->addAction(QCoreApplication::translate("EntryPanel", "挿入"));
    Grid1Insert->setObjectName(QStringLiteral("Grid1Insert"));
    Grid1Delete = Grid1Popup->addAction(QCoreApplication::translate("EntryPanel", "削除"));
    Grid1Delete->setObjectName(QStringLiteral("Grid1Delete"));
    Grid1Popup->addSeparator();
    Grid1Class = Grid1Popup->addAction(QCoreApplication::translate("EntryPanel", "クラス列を表示"));
    Grid1Class->setObjectName(QStringLiteral("Grid1Class"));
    Grid1Class->setCheckable(true);
    connect(Grid1Class, &QAction::toggled, model_, &EntryTableModel::AskForClassColumn);
    connect(model_, &QAbstractItemModel::columnsInserted, this, &EntryPanel::UpdateClassColumn);
    connect(model_, &QAbstractItemModel::columnsRemoved, this, &EntryPanel::UpdateClassColumn);
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex& to) {
                if (to.column() >= EntryTable::kClass) {
                    UpdateClassColumn();  // a wider class, or the last one gone
                }
            });
    UpdateClassColumn();
    connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        Grid1Popup->popup(StringGrid1->viewport()->mapToGlobal(pos));
    });
}

void EntryPanel::ApplyLayout(const MainLayout& layout, int carWidth) {
    setGeometry(layout.entryPanel.left, layout.entryPanel.top, layout.entryPanel.width,
                layout.entryPanel.height);
    StringGrid1->setGeometry(layout.entryGrid.left, layout.entryGrid.top, layout.entryGrid.width,
                             layout.entryGrid.height);
    StringGrid1->setColumnWidth(0, carWidth);
    nameWidth_ = layout.entryNameWidth;
    modelWidth_ = layout.entryModelWidth;
    ApplyTextColumnWidths();
    StringGrid1->setColumnWidth(3, carWidth);
    EntryFile->setGeometry(120, 6, std::max(layout.entryPanel.width - 127, 20), 18);
}

bool EntryPanel::ClassColumnShown() const {
    return model_->ClassColumnShown();
}

void EntryPanel::UpdateClassColumn() {
    const bool classes = table_.HasClasses();
    {
        const QSignalBlocker quiet(Grid1Class);
        Grid1Class->setChecked(ClassColumnShown());
    }
    // Classes in the list are always shown: hiding them would hide why the ranks are split.
    Grid1Class->setEnabled(!classes);
    QHeaderView* header = StringGrid1->horizontalHeader();
    if (ClassColumnShown() && header->visualIndex(EntryTable::kClass) != EntryTable::kLap) {
        // The class belongs with name and model; "Lap" keeps the right edge.
        header->moveSection(header->visualIndex(EntryTable::kClass), EntryTable::kLap);
    }
    ApplyTextColumnWidths();
}

void EntryPanel::ApplyTextColumnWidths() {
    if (!ClassColumnShown()) {
        StringGrid1->setColumnWidth(EntryTable::kName, nameWidth_);
        StringGrid1->setColumnWidth(EntryTable::kModel, modelWidth_);
        return;
    }
    const EntryTextColumns widths = ShareWithClass(nameWidth_, modelWidth_, ClassWidthWanted());
    StringGrid1->setColumnWidth(EntryTable::kName, widths.name);
    StringGrid1->setColumnWidth(EntryTable::kModel, widths.model);
    StringGrid1->setColumnWidth(EntryTable::kClass, widths.cls);
}

int EntryPanel::ClassWidthWanted() const {
    const QFontMetrics metrics = StringGrid1->fontMetrics();
    int widest =
        metrics.horizontalAdvance(EntryTableModel::Heading(table_.Cell(EntryTable::kClass, 0)));
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        if (!table_.Class(car).empty()) {
            widest = std::max(widest,
                              metrics.horizontalAdvance(QString::fromStdString(table_.Class(car))));
        }
    }
    constexpr int kPadding = 10;  // the cell's margins on both sides
    return widest + kPadding;
}

void EntryPanel::ShowFileName(const QString& name) {
    EntryFile->setText(QStringLiteral("\"%1\"").arg(name));
}

void EntryPanel::SelectCar(int car) {
    if (car < 1 || car > model_->rowCount()) {
        return;
    }
    const QModelIndex index = model_->index(car - 1, 0);
    StringGrid1->setCurrentIndex(index);
    StringGrid1->scrollTo(index);
}

void EntryPanel::ShowCar(int car) {
    SelectCar(car);
    ScrollAround(car);
}

void EntryPanel::ShowCars(const std::vector<int32_t>& cars) {
    if (cars.empty()) {
        return;
    }
    const bool updates = StringGrid1->updatesEnabled();
    StringGrid1->setUpdatesEnabled(false);
    // The steps before the last leave nothing behind but their scrolling (the next step
    // replaces their selection), so it is worked out on the row numbers and set once.
    QScrollBar* bar = StringGrid1->verticalScrollBar();
    const int visible = VisibleRows();
    int32_t top = std::max(StringGrid1->rowAt(0), 0) + 1;
    const auto onBar = [bar](int32_t row) {
        return std::clamp(row, bar->minimum() + 1, std::max(bar->maximum(), bar->minimum()) + 1);
    };
    for (size_t i = 0; i + 1 < cars.size(); ++i) {
        if (cars[i] >= 1 && cars[i] <= model_->rowCount()) {
            top = onBar(EnsureRowVisibleTopRow(cars[i], top, visible));
        }
        top = onBar(EntryGridTopRow(cars[i], top, visible));
    }
    bar->setValue(top - 1);
    ShowCar(cars.back());
    StringGrid1->setUpdatesEnabled(updates);
}

int EntryPanel::VisibleRows() const {
    const int rowHeight = std::max(StringGrid1->verticalHeader()->defaultSectionSize(), 1);
    return std::max(StringGrid1->viewport()->height() / rowHeight, 1);
}

void EntryPanel::ScrollAround(int car) {
    const int top = std::max(StringGrid1->rowAt(0), 0) + 1;
    StringGrid1->verticalScrollBar()->setValue(EntryGridTopRow(car, top, VisibleRows()) - 1);
}

int EntryPanel::CurrentCar() const {
    const QModelIndex index = StringGrid1->currentIndex();
    return index.isValid() ? index.row() + 1 : 1;
}

}  // namespace vantrel
