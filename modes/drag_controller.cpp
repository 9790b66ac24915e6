#include "modes/drag_controller.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "lists/entry_panel.h"
#include "modes/drag_page.h"
#include "widgets/lamp_images.h"
#include "widgets/line_list.h"
#include "widgets/widget_util.h"

namespace vantrel {

DragController::DragController(const DragWiring& wiring, DragFlow& flow, QObject* parent)
    : QObject(parent), w_(wiring), flow_(flow) {
    flow_.BindView(*this);
    DragPage* page = w_.page;
    connect(page->RadioButton1, &QRadioButton::toggled, this,
            [this](bool pro) { flow_.SetProStart(pro); });
    connect(page->SpeedButton200, &QPushButton::clicked, this,
            [this](bool down) { flow_.TreeButton(down); });
    // Every change of the box, typed or set, is the text a run takes when it starts.
    connect(page->Memo204, &QLineEdit::textChanged, this,
            [this](const QString& text) { flow_.SetCarBoxText(FromQ(text)); });
    flow_.SetCarBoxText(FromQ(page->Memo204->text()));
    page->Memo204->installEventFilter(this);
}

bool DragController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == w_.page->Memo204 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            flow_.CommitCarBox();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void DragController::ShowNextCar(const std::string& text) {
    QLineEdit* box = w_.page->Memo204;
    box->setText(ToQ(text));
    box->deselect();
    box->setCursorPosition(static_cast<int>(box->text().size()));
}

void DragController::SelectEntryRow(int32_t row) {
    w_.entries->ShowCar(row);
}

void DragController::ShowRunCar(const std::string& text) {
    w_.page->Memo210->setText(ToQ(text));
}

void DragController::ShowReaction(const std::string& text) {
    w_.page->Memo205->setText(ToQ(text));
}

void DragController::ShowSplit(int index, const std::string& text) {
    QLineEdit* boxes[] = {w_.page->Memo206, w_.page->Memo207, w_.page->Memo208, w_.page->Memo209};
    boxes[index]->setText(ToQ(text));
}

void DragController::ShowLastResult(const std::string& car, const std::string& name,
                                    const std::string& elapsed, const std::string& speed) {
    w_.page->Memo200->setText(ToQ(car));
    w_.page->Memo201->setText(ToQ(name));
    w_.page->Memo202->setText(ToQ(elapsed));
    w_.page->Memo203->setText(ToQ(speed));
}

void DragController::ShowTreeLamps(bool amber, bool green, bool red) {
    w_.page->SignalAmber->setPixmap(LampPixmap(amber ? Lamp::kAmberOn : Lamp::kAmberOff, 18));
    w_.page->SignalGreen->setPixmap(LampPixmap(green ? Lamp::kGreenOn : Lamp::kGreenOff, 18));
    w_.page->SignalRed->setPixmap(LampPixmap(red ? Lamp::kRedOn : Lamp::kRedOff, 18));
}

void DragController::ShowTreeButton(bool down) {
    w_.page->SpeedButton200->setChecked(down);
    w_.page->ShowTreeButtonArmed(down);
}

void DragController::ShowProStart(bool pro) {
    const QSignalBlocker blockPro(w_.page->RadioButton1);
    const QSignalBlocker blockStock(w_.page->RadioButton2);
    w_.page->RadioButton1->setChecked(pro);
    w_.page->RadioButton2->setChecked(!pro);
}

void DragController::ShowLine(int line, bool active) {
    w_.page->lineImages[line]->setPixmap(LampPixmap(active ? Lamp::kOn : Lamp::kOff, 12));
    if (active) {
        SetLabelRed(w_.page->lineLabels[line], true);
    }
}

void DragController::ShowLineLabelNormal(int line) {
    SetLabelRed(w_.page->lineLabels[line], false);
}

void DragController::ClearReceivedList() {
    w_.receiverBox->Clear();
}

void DragController::EnableSessionControls(bool running) {
    w_.page->SpeedButton200->setEnabled(running);
}

bool DragController::TakesTypedDigits() const {
    return w_.page->Memo204->hasFocus();
}

}  // namespace vantrel
