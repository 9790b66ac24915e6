// The main window's keyboard: simulated sensors, focus keys, session and penalty keys.
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "app/clock_panel.h"
#include "app/main_window.h"
#include "lists/entry_panel.h"
#include "lists/result_panel.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/drag_controller.h"
#include "modes/drag_page.h"
#include "sensors/sensor_hub.h"
#include "sensors/sensor_keys.h"
#include "widgets/widget_util.h"

namespace vantrel {

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    const bool release = event->type() == QEvent::KeyRelease;
    if ((press || release) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        if (HandleKey(static_cast<QKeyEvent*>(event), press)) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::HandleKey(QKeyEvent* event, bool down) {
    const int key = event->key();
    if (ForwardSensorKey(*event, down, [this](SensorInput input, bool level) {
            sensors_->SetSensorKey(input, level);
        })) {
        return true;
    }
    if (down && (event->modifiers() & Qt::AltModifier) && HandleAltKey(key)) {
        return true;
    }
    if (!down) {
        if (!event->isAutoRepeat()) {
            sensors_->SetDragLineKeys(0);
        }
        return false;
    }
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
    if (digit && !event->isAutoRepeat() && DigitKeysAllowed() &&
        meet_->TakeDigitKey(key - Qt::Key_0)) {
        // The digit still reaches a focused box (the car number box is typed into meanwhile),
        // but not a grid, where it would jump the selection to a car.
        return qobject_cast<QAbstractItemView*>(QApplication::focusWidget()) != nullptr;
    }
    return false;
}

bool TMainForm::DigitKeysAllowed() const {
    const bool editing =
        meet_->EntryList().EditState().Editing() || meet_->ResultList().EditState().Editing();
    // Digits typed into the car number box are a car number, not a tree start or a split.
    return SessionRunning() && !editing && !circuit_->TakesTypedDigits() &&
           !drag_->TakesTypedDigits();
}

bool TMainForm::HandleAltKey(int key) {
    switch (key) {
        case Qt::Key_E:
            Panel1->StringGrid1->setFocus();
            return true;
        case Qt::Key_R:
            Panel2->StringGrid2->setFocus();
            return true;
        case Qt::Key_S:
            Panel5->SpeedButton1->toggle();
            SpeedButton1Click();
            return true;
        default:
            break;
    }
    if (!meet_->FlowOf(ActivePageMode()).UsesResultButtons()) {
        return false;
    }
    QPushButton* button = nullptr;
    switch (key) {
        case Qt::Key_Z:
            button = Panel2->BitBtn4;
            break;
        case Qt::Key_X:
            button = Panel2->BitBtn5;
            break;
        case Qt::Key_C:
            button = Panel2->BitBtn6;
            break;
        case Qt::Key_V:
            button = Panel2->BitBtn7;
            break;
        default:
            return false;
    }
    if (button->isEnabled()) {
        button->click();
    }
    return true;
}

}  // namespace vantrel
