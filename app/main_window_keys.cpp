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
#include "modes/circuit_page.h"
#include "widgets/widget_util.h"

namespace vantrel {

namespace {
bool IsKeypad(const QKeyEvent* event) {
    return event->modifiers() & Qt::KeypadModifier;
}
}  // namespace

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

void TMainForm::SetSensorKey(int key, bool down) {
    switch (key) {
        case Qt::Key_Slash:
        case Qt::Key_F11:
            state_.keys.keyStart = down;
            break;
        case Qt::Key_Asterisk:
        case Qt::Key_F12:
            state_.keys.keyFinish = down;
            break;
        case Qt::Key_Minus:
            state_.keys.keySplit1 = down;
            break;
        case Qt::Key_Plus:
            state_.keys.keySplit2 = down;
            break;
        default:
            break;
    }
}

bool TMainForm::HandleKey(QKeyEvent* event, bool down) {
    const int key = event->key();
    const bool sensorKey = key == Qt::Key_F11 || key == Qt::Key_F12 ||
                           (IsKeypad(event) && (key == Qt::Key_Slash || key == Qt::Key_Asterisk ||
                                                key == Qt::Key_Minus || key == Qt::Key_Plus));
    if (sensorKey) {
        // A held key repeats; the sensor stays active until the real release.
        if (!event->isAutoRepeat()) {
            SetSensorKey(key, down);
        }
        return true;
    }
    if (down && (event->modifiers() & Qt::AltModifier) && HandleAltKey(key)) {
        return true;
    }
    if (!down) {
        if (!event->isAutoRepeat()) {
            state_.keys.keyDragLines = 0;
        }
        return false;
    }
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
    if (digit && !event->isAutoRepeat() && DigitKeysAllowed() &&
        state_.currentMode == RaceMode::Drag && key >= Qt::Key_1 && key <= Qt::Key_8) {
        state_.keys.keyDragLines = 1 << (key - Qt::Key_1);
        // The digit still reaches a focused box (the car number box is typed into meanwhile),
        // but not a grid, where it would jump the selection to a car.
        return qobject_cast<QAbstractItemView*>(QApplication::focusWidget()) != nullptr;
    }
    return false;
}

bool TMainForm::DigitKeysAllowed() const {
    // A grid is in editing state while it shows the editing colour.
    const bool editing = IsEditingColor(Panel1->StringGrid1) || IsEditingColor(Panel2->StringGrid2);
    return SessionRunning() && !editing && !TabSheet3->Memo302->hasFocus();
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
    if (ActivePageMode() != RaceMode::Gymkhana) {
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
