// The main window's side of sensor input: the hub's events turned into lamps, label colours
// and course actions, the session's input opened and the port driver at first show.
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <filesystem>

#include "app/clock_panel.h"
#include "app/lamp_images.h"
#include "app/main_window.h"
#include "app/messages.h"
#include "app/prompter.h"
#include "app/widget_util.h"
#include "modes/circuit_page.h"
#include "modes/gymkhana_controller.h"
#include "modes/gymkhana_page.h"
#include "sensors/parallel_port.h"
#include "sensors/sensor_hub.h"
#include "sensors/usb_adapter.h"

namespace vantrel {

namespace {
QLabel* LampOf(GymkhanaPage* page, SensorInput input) {
    switch (input) {
        case SensorInput::Start:
            return page->StartLed;
        case SensorInput::Finish:
            return page->FinishLed;
        case SensorInput::Split1:
            return page->SplitLed1;
        case SensorInput::Split2:
            return page->SplitLed2;
    }
    return page->StartLed;
}

QLabel* LabelOf(GymkhanaPage* page, SensorInput input) {
    switch (input) {
        case SensorInput::Start:
            return page->Label2;
        case SensorInput::Finish:
            return page->Label3;
        case SensorInput::Split1:
            return page->Label20;
        case SensorInput::Split2:
            return page->Label21;
    }
    return page->Label2;
}
}  // namespace

void TMainForm::BuildSensors() {
    sensors_ = std::make_unique<SensorHub>(state_, *env_.clock);
    connect(sensors_.get(), &SensorHub::lampChanged, this, &TMainForm::OnLampChanged);
    connect(sensors_.get(), &SensorHub::labelRed, this,
            [this](SensorInput input) { OnLabelColor(input, true); });
    connect(sensors_.get(), &SensorHub::labelNormal, this,
            [this](SensorInput input) { OnLabelColor(input, false); });
    connect(sensors_.get(), &SensorHub::activeEdge, this, &TMainForm::OnActiveEdge);
    connect(sensors_.get(), &SensorHub::usbReadFailed, this, &TMainForm::OnUsbReadFailed);
    connect(sensors_.get(), &SensorHub::eventsLost, this, [this](quint64 total) {
        SetStatusText(0, QStringLiteral("センサー入力の取りこぼし %1 件").arg(total));
    });
}

void TMainForm::OpenPortDriver() {
    if (setup_.ioAddress == 0 || sensors_->OpenPortDriver(setup_.ioAddress)) {
        return;
    }
    env_.prompter->Error(this,
                         QString::fromUtf8(kPortDriverOpenFailedText) + sensors_->PortDriverError(),
                         QString::fromUtf8(msg::kTitle));
}

bool TMainForm::OpenSessionInput() {
    switch (state_.currentMode) {
        case RaceMode::Gymkhana:
            if (setup_.port == PortChoice::Usb) {
                const UsbOpenResult result = sensors_->OpenUsbAdapter();
                if (!result.ok()) {
                    env_.prompter->Warn(this, ToQ(result.text),
                                        QString::fromUtf8(kUsbErrorCaption));
                    return false;
                }
            }
            sensors_->Arm();
            return true;
        case RaceMode::Drag:
            sensors_->Arm();
            return true;
        case RaceMode::Circuit:
            if (TabSheet3->RadioGroup301->ItemIndex() == 1) {
                sensors_->Arm();
            }
            return true;
    }
    return true;
}

void TMainForm::OnLampChanged(SensorInput input, bool on) {
    LampOf(TabSheet1, input)->setPixmap(LampPixmap(on ? Lamp::On : Lamp::Off));
}

void TMainForm::OnLabelColor(SensorInput input, bool red) {
    SetLabelRed(LabelOf(TabSheet1, input), red);
}

void TMainForm::OnActiveEdge(SensorInput input, quint32 tick) {
    if (state_.currentMode != RaceMode::Gymkhana) {
        return;
    }
    GymkhanaFlow& flow = gymkhana_->flow();
    switch (input) {
        case SensorInput::Start:
            flow.OnStartEdge(tick);
            break;
        case SensorInput::Finish:
            flow.OnFinishEdge(tick);
            break;
        case SensorInput::Split1:
            flow.OnSplit1Edge(tick);
            break;
        case SensorInput::Split2:
            flow.OnSplit2Edge(tick);
            break;
    }
}

void TMainForm::OnUsbReadFailed(const QString& message) {
    Panel5->SpeedButton1->setChecked(false);
    StopRoutine();
    env_.prompter->Warn(this, message, QString::fromUtf8(kUsbErrorCaption));
}

}  // namespace vantrel
