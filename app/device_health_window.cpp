#include "app/device_health_window.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "common/messages.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {

constexpr int kColumns = 6;  // device, state, changed, events, bytes, lost

UiText DeviceName(int row) {
    static constexpr UiText kNames[kHealthDeviceCount] = {msg::kHealthParallel, msg::kHealthUsb,
                                                          msg::kHealthReceiver, msg::kHealthSound,
                                                          msg::kHealthJournal,  msg::kHealthWeb};
    return kNames[row];
}

// Each row is named after its device, so that a test finds it without counting rows.
const char* RowName(int row) {
    static constexpr const char* kRowNames[kHealthDeviceCount] = {
        "HealthParallelPort", "HealthUsbAdapter", "HealthReceiver",
        "HealthSound",        "HealthJournal",    "HealthWeb"};
    return kRowNames[row];
}

QTableWidgetItem* Cell(const QString& text, bool right) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (right) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return item;
}

}  // namespace

DeviceHealthWindow::DeviceHealthWindow(std::function<HealthReadings()> read,
                                       std::function<int64_t()> wallMs, QWidget* parent)
    : QWidget(parent, Qt::Window), read_(std::move(read)), wallMs_(std::move(wallMs)) {
    setObjectName(QStringLiteral("DeviceHealthWindow"));
    setWindowTitle(Tr(msg::kHealthCaption));
    HealthGrid = new QTableWidget(kHealthDeviceCount, kColumns, this);
    HealthGrid->setObjectName(QStringLiteral("HealthGrid"));
    HealthGrid->setHorizontalHeaderLabels(
        {QCoreApplication::translate("DeviceHealthWindow", "機器"),
         QCoreApplication::translate("DeviceHealthWindow", "状態"),
         QCoreApplication::translate("DeviceHealthWindow", "最終変化"),
         QCoreApplication::translate("DeviceHealthWindow", "イベント"),
         QCoreApplication::translate("DeviceHealthWindow", "バイト"),
         QCoreApplication::translate("DeviceHealthWindow", "欠落")});
    HealthGrid->verticalHeader()->hide();
    HealthGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    HealthGrid->setWordWrap(false);
    HealthGrid->setTextElideMode(Qt::ElideRight);
    HealthGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int row = 0; row < kHealthDeviceCount; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            HealthGrid->setItem(row, column, Cell(QString(), column >= 3));
        }
        HealthGrid->item(row, 0)->setText(Tr(DeviceName(row)));
        HealthGrid->item(row, 0)->setData(Qt::UserRole, QString::fromLatin1(RowName(row)));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HealthGrid);
    resize(620, 260);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("HealthTimer"));
    connect(timer_, &QTimer::timeout, this, &DeviceHealthWindow::Poll);
    timer_->start(kPollMs);
    Poll();
    HealthGrid->resizeColumnsToContents();
    // Counts grow through an event: room for ten digits from the start.
    const int countWidth =
        HealthGrid->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12;
    for (int column = 3; column < kColumns; ++column) {
        HealthGrid->setColumnWidth(column, std::max(HealthGrid->columnWidth(column), countWidth));
    }
}

void DeviceHealthWindow::Poll() {
    if (health_.Update(read_(), wallMs_()) == 0) {
        return;
    }
    for (int row = 0; row < kHealthDeviceCount; ++row) {
        ShowRow(row);
    }
}

void DeviceHealthWindow::ShowRow(int row) {
    const HealthRow& h = health_.Row(static_cast<HealthDevice>(row));
    QTableWidgetItem* state = HealthGrid->item(row, 1);
    state->setText(QString::fromStdString(h.reading.state));
    state->setToolTip(state->text());
    state->setForeground(h.reading.fault ? QBrush(Qt::red) : QBrush());
    HealthGrid->item(row, 2)->setText(QString::fromStdString(LocalClockText(h.changedMs)));
    HealthGrid->item(row, 3)->setText(QString::number(h.reading.events));
    HealthGrid->item(row, 4)->setText(QString::number(h.reading.bytes));
    HealthGrid->item(row, 5)->setText(QString::number(h.reading.lost));
}

}  // namespace vantrel
