// The main window's side of sensor input: the hub's events turned into lamps, label colours
// and course actions, the session's input opened and the port driver at first show.
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <filesystem>

#include "app/clock_panel.h"
#include "app/main_window.h"
#include "app/sensor_warning_panel.h"
#include "common/messages.h"
#include "journal/list_journal.h"
#include "modes/circuit_page.h"
#include "modes/gymkhana_controller.h"
#include "modes/gymkhana_page.h"
#include "sensors/parallel_port.h"
#include "sensors/sensor_hub.h"
#include "sensors/usb_adapter.h"
#include "widgets/lamp_images.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

void TMainForm::BuildSensors() {
    connect(sensors_.get(), &SensorHub::eventSampled, this, &TMainForm::OnSensorEvent);
    // Kept apart from the session texts of panel 0, which the next car start replaces.
    sensorWarnings_ = new SensorWarningPanel(statusBar());
    statusBar()->addPermanentWidget(sensorWarnings_);
}

void TMainForm::OnSensorEvent(const SensorEvent& event) {
    switch (event.kind) {
        case SensorEventKind::kReadFailed:
            if (sensors_->ReadFailureIsUsb()) {
                OnUsbReadFailed(sensors_->ReadFailureText());
            } else {
                OnPortReadFailed(sensors_->ReadFailureText());
            }
            break;
        case SensorEventKind::kEventsLost:
            sensorWarnings_->Set(SensorWarning::kEventsLost,
                                 Tr(msg::kWarnEventsLost).arg(event.count));
            break;
        default:
            meet_->TakeSensorEvent(event);
            break;
    }
}

void TMainForm::OpenPortDriver() {
    if (setup_.ioAddress == 0 || sensors_->UsesScript() ||
        sensors_->OpenPortDriver(setup_.ioAddress)) {
        return;
    }
    env_.prompter->Error(this, sensors_->PortFailureText(), Tr(msg::kTitle));
}

bool TMainForm::OpenSessionInput() {
    sensorWarnings_->ClearAll();
    if (ModeInForce().UsesReceiverPort() && OpenReceiverPort() == PortOpening::kFailed) {
        return false;
    }
    if (!ModeInForce().ReadsSensors()) {
        return true;  // CIRCUIT takes its passings from the receiver
    }
    if (ModeInForce().OpensUsbAdapter() && setup_.port == PortChoice::kUsb) {
        const UsbOpenResult result = sensors_->OpenUsbAdapter();
        if (!result.Ok()) {
            env_.prompter->Warn(this, ToQ(result.text), Tr(kUsbErrorCaption));
            return false;
        }
    }
    if (sensors_->PortFailed()) {
        // The session still runs on the keyboard sensors, but nobody may take it for live.
        const QString text = sensors_->PortFailureText();
        env_.prompter->Error(this, text, Tr(msg::kTitle));
        sensorWarnings_->Set(SensorWarning::kNotLive, Tr(msg::kWarnSensorsNotLive), text);
    }
    sensors_->Arm();
    return true;
}

void TMainForm::OnPortReadFailed(const QString& message) {
    sensorWarnings_->Set(SensorWarning::kReadStopped, Tr(msg::kWarnSensorReadStopped), message);
    env_.prompter->Warn(this, message, Tr(msg::kTitle));
}

void TMainForm::OnUsbReadFailed(const QString& message) {
    sensorWarnings_->Set(SensorWarning::kReadStopped, Tr(msg::kWarnSensorReadStopped), message);
    Panel5->SpeedButton1->setChecked(false);
    StopRoutine();
    env_.prompter->Warn(this, message, Tr(kUsbErrorCaption));
}

}  // namespace vantrel
