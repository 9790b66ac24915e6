#include "modes/held_passings_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/messages.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

namespace {
enum Column { kCarColumn = 0, kTimeColumn = 1 };
}  // namespace

HeldPassingsDialog::HeldPassingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HeldPassingsDialog"));
    setWindowTitle(Tr(msg::kHeldCaption));
    setModal(false);
    HeldExplain = MakeNamed<QLabel>(this, "HeldExplain");
    HeldExplain->setWordWrap(true);
    HeldList = MakeNamed<QTableWidget>(this, "HeldList", 0, 2);
    HeldList->setHorizontalHeaderLabels({Tr(msg::kHeldCarColumn), Tr(msg::kHeldTimeColumn)});
    HeldList->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    HeldList->verticalHeader()->setVisible(false);
    HeldList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    HeldList->setSelectionMode(QAbstractItemView::NoSelection);
    HeldList->setWordWrap(false);
    HeldBookAll = MakeNamed<QPushButton>(this, "HeldBookAll", Tr(msg::kHeldBookAll));
    HeldBookChosen = MakeNamed<QPushButton>(this, "HeldBookChosen", Tr(msg::kHeldBookChosen));
    HeldBookNone = MakeNamed<QPushButton>(this, "HeldBookNone", Tr(msg::kHeldBookNone));
    HeldClose = MakeNamed<QPushButton>(this, "HeldClose", Tr(msg::kHeldClose));
    // Nothing is settled by Enter: each choice is a click of its own.
    for (QPushButton* button : {HeldBookAll, HeldBookChosen, HeldBookNone, HeldClose}) {
        button->setAutoDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(HeldBookAll);
    buttons->addWidget(HeldBookChosen);
    buttons->addWidget(HeldBookNone);
    buttons->addStretch(1);
    buttons->addWidget(HeldClose);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeldExplain);
    outer->addWidget(HeldList, 1);
    outer->addLayout(buttons);
    connect(HeldBookAll, &QPushButton::clicked, this, [this] { Settle(true, false); });
    connect(HeldBookChosen, &QPushButton::clicked, this, [this] { Settle(false, false); });
    connect(HeldBookNone, &QPushButton::clicked, this, [this] { Settle(false, true); });
    connect(HeldClose, &QPushButton::clicked, this, &QDialog::hide);
    resize(420, 360);
}

void HeldPassingsDialog::ShowPassings(const std::vector<Row>& rows) {
    const std::vector<bool> ticked = Ticked();
    HeldList->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* car = new QTableWidgetItem(rows[i].car);
        car->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        car->setCheckState(i < ticked.size() && ticked[i] ? Qt::Checked : Qt::Unchecked);
        HeldList->setItem(row, kCarColumn, car);
        auto* time = new QTableWidgetItem(rows[i].time);
        time->setFlags(Qt::ItemIsEnabled);
        time->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        HeldList->setItem(row, kTimeColumn, time);
    }
    HeldExplain->setText(Tr(msg::kHeldExplain).arg(rows.size()));
    const bool any = !rows.empty();
    HeldBookAll->setEnabled(any);
    HeldBookChosen->setEnabled(any);
    HeldBookNone->setEnabled(any);
}

std::vector<bool> HeldPassingsDialog::Ticked() const {
    std::vector<bool> ticked(static_cast<size_t>(HeldList->rowCount()), false);
    for (int row = 0; row < HeldList->rowCount(); ++row) {
        const QTableWidgetItem* car = HeldList->item(row, kCarColumn);
        ticked[static_cast<size_t>(row)] = car != nullptr && car->checkState() == Qt::Checked;
    }
    return ticked;
}

void HeldPassingsDialog::Settle(bool all, bool none) {
    std::vector<bool> book = Ticked();
    if (all || none) {
        book.assign(book.size(), all);
    }
    // The rows listed next are others: none may inherit these ticks.
    HeldList->setRowCount(0);
    emit settled(book);
}

}  // namespace vantrel
