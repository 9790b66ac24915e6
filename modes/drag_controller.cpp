#include "modes/drag_controller.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/messages.h"
#include "common/ms_clock.h"
#include "lists/entry_panel.h"
#include "lists/entry_table.h"
#include "lists/result_sink.h"
#include "modes/drag_page.h"
#include "modes/drag_result.h"
#include "modes/drag_tree.h"
#include "sensors/sensor_hub.h"
#include "widgets/lamp_images.h"
#include "widgets/line_list.h"
#include "widgets/prompter.h"
#include "widgets/widget_util.h"

namespace vantrel {

DragController::DragController(const DragWiring& wiring, SessionState& session, QObject* parent)
    : QObject(parent), w_(wiring), session_(session) {
    w_.sensors->SetDragHook(std::make_unique<DragTree>());
    DragPage* page = w_.page;
    connect(page->RadioButton1, &QRadioButton::toggled, this, [this](bool pro) {
        session_.proStart = pro;
        w_.sensors->SetProTree(pro);
    });
    connect(page->SpeedButton200, &QPushButton::clicked, this,
            &DragController::SpeedButton200Click);
    page->Memo204->installEventFilter(this);
}

bool DragController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == w_.page->Memo204 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Memo204KeyDown();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void DragController::ModeReset() {
    for (QLineEdit* box : {w_.page->Memo200, w_.page->Memo201, w_.page->Memo202, w_.page->Memo203,
                           w_.page->Memo205}) {
        box->clear();
    }
    w_.page->Memo204->setText(QString::number(session_.entryRow));
    w_.receiverBox->Clear();
}

void DragController::StopSession() {
    w_.page->SpeedButton200->setChecked(false);
    w_.page->ShowTreeButtonArmed(false);
    ClearRunDisplays();
    runCar_ = -1;
    w_.sensors->SetTreeButton(false);
    w_.sensors->ResetDragRun();
    // Nothing samples the lines any more: no indicator may stay lit or label stay red.
    for (int line = 0; line < kDragLineCount; ++line) {
        ShowLine(line, false);
        SetLabelRed(w_.page->lineLabels[line], false);
    }
}

bool DragController::TakeDigitKey(int digit) {
    if (digit < 1 || digit > kDragLineCount) {
        return false;
    }
    w_.sensors->SetDragLineKeys(static_cast<uint8_t>(1u << (digit - 1)));
    return true;
}

void DragController::Memo204KeyDown() {
    QLineEdit* box = w_.page->Memo204;
    std::optional<int32_t> car = DragCarOfText(box->text().toStdString());
    if (!car) {
        w_.prompter->Warn(w_.dialogParent, QString::fromUtf8(msg::k109),
                          QString::fromUtf8(msg::k110));
        car = session_.entryRow;  // the box keeps the number it had
    }
    box->setText(QString::number(*car));
    box->deselect();
    box->setCursorPosition(static_cast<int>(box->text().size()));
    session_.entryRow = *car;
    w_.entries->ShowCar(*car);
}

void DragController::SpeedButton200Click(bool down) {
    if (!down) {
        ReleaseTree();
        return;
    }
    w_.sensors->Log().AddDragStart(w_.clock->MsTick());
    ClearRunDisplays();
    w_.page->SignalAmber->setPixmap(LampPixmap(Lamp::kAmberOn, 18));
    w_.page->ShowTreeButtonArmed(true);
    w_.sensors->SetTreeButton(true);
}

void DragController::ReleaseTree() {
    w_.page->SpeedButton200->setChecked(false);
    w_.sensors->Log().AddDragStop(w_.clock->MsTick());
    ClearRunDisplays();
    w_.page->ShowTreeButtonArmed(false);
    // The release resets the tree at the next tick. After a finish the tree was reset in the
    // finish's own tick and the release is no new edge, so a run begun since then stays.
    w_.sensors->SetTreeButton(false);
}

void DragController::ClearRunDisplays() {
    DragPage* page = w_.page;
    for (QLineEdit* box : {page->Memo205, page->Memo206, page->Memo207, page->Memo208,
                           page->Memo209, page->Memo210}) {
        box->clear();
    }
    ShowLamps(0xFF);
}

void DragController::TakeSensorEvent(const SensorEvent& event) {
    switch (event.kind) {
        case SensorEventKind::kDragLineOn:
        case SensorEventKind::kDragLineOff:
            ShowLine(event.line, event.kind == SensorEventKind::kDragLineOn);
            break;
        case SensorEventKind::kDragLabelNormal:
            SetLabelRed(w_.page->lineLabels[event.line], false);
            break;
        case SensorEventKind::kDragNewRun:
            NewRun();
            break;
        case SensorEventKind::kDragStartLine:
            StartLine(event.drag);
            break;
        case SensorEventKind::kDragSplit: {
            const DragRunTexts texts = DragTextsOf(event.drag, timeFormat_);
            QLineEdit* boxes[] = {w_.page->Memo206, w_.page->Memo207, w_.page->Memo208,
                                  w_.page->Memo209};
            boxes[event.line - 2]->setText(ToQ(texts.splits[event.line - 2]));
            break;
        }
        case SensorEventKind::kDragFinish:
            FinishRun(event.drag);
            break;
        case SensorEventKind::kDragRunReset:
            // Only the tree's own reset ends the run's car: a finish sampled before an Abort
            // that the window took first still books the car that ran.
            ClearRunDisplays();
            runCar_ = -1;
            break;
        case SensorEventKind::kDragLamps:
            ShowLamps(event.lampByte);
            break;
        default:
            break;
    }
}

void DragController::ShowLine(int line, bool active) {
    w_.page->lineImages[line]->setPixmap(LampPixmap(active ? Lamp::kOn : Lamp::kOff, 12));
    if (active) {
        SetLabelRed(w_.page->lineLabels[line], true);
    }
}

void DragController::ShowLamps(uint8_t lampByte) {
    const auto lit = [lampByte](uint8_t bit) { return (lampByte & bit) == 0; };
    w_.page->SignalAmber->setPixmap(
        LampPixmap(lit(kAmberLampBit) ? Lamp::kAmberOn : Lamp::kAmberOff, 18));
    w_.page->SignalGreen->setPixmap(
        LampPixmap(lit(kGreenLampBit) ? Lamp::kGreenOn : Lamp::kGreenOff, 18));
    w_.page->SignalRed->setPixmap(LampPixmap(lit(kRedLampBit) ? Lamp::kRedOn : Lamp::kRedOff, 18));
}

void DragController::NewRun() {
    for (QLineEdit* box : {w_.page->Memo205, w_.page->Memo206, w_.page->Memo207, w_.page->Memo208,
                           w_.page->Memo209}) {
        box->clear();
    }
    TakeCarForRun();
}

void DragController::StartLine(const DragLineTimes& run) {
    for (QLineEdit* box :
         {w_.page->Memo206, w_.page->Memo207, w_.page->Memo208, w_.page->Memo209}) {
        box->clear();
    }
    w_.page->Memo205->setText(ToQ(DragTextsOf(run, timeFormat_).reaction));
    if (runCar_ < 0) {
        TakeCarForRun();
    }
}

int32_t DragController::TakeCarForRun() {
    runCar_ = CarOfBox();
    w_.page->Memo210->setText(QString::number(runCar_));
    const int32_t next = NextDragCar(runCar_);
    session_.entryRow = next;
    w_.entries->ShowCar(next);
    w_.page->Memo204->setText(QString::number(next));
    return runCar_;
}

int32_t DragController::CarOfBox() const {
    return DragCarOfRunBox(w_.page->Memo204->text().toStdString(), session_.entryRow);
}

void DragController::FinishRun(const DragLineTimes& run) {
    const int32_t car = runCar_ >= 0 ? runCar_ : TakeCarForRun();
    const BookedResult booked = BookDragRun(run, car, timeFormat_, *w_.entryTable, session_);
    w_.page->Memo200->setText(QString::number(car));
    w_.page->Memo201->setText(ToQ(booked.display.name));
    w_.page->Memo202->setText(ToQ(booked.display.time));
    w_.page->Memo203->setText(ToQ(booked.cells[kDragSpeed]));
    w_.results->AddResult(booked);
    ReleaseTree();
}

}  // namespace vantrel
