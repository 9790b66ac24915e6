// The main window's side of the serial port: the receiver's blocks handed to the tab shown,
// the port opened and closed at its moments, and the "RS232C" box.
#include <QCheckBox>
#include <array>
#include <string_view>

#include "app/main_window.h"
#include "app/sensor_warning_panel.h"
#include "app/serial_output_sink.h"
#include "common/messages.h"
#include "dialogs/setup_dialog.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "modes/mode_flow.h"
#include "sensors/receiver_hub.h"
#include "widgets/prompter.h"

namespace vantrel {

void TMainForm::BuildReceiver() {
    receiver_ = std::make_unique<ReceiverHub>(*env_.clock);
    connect(receiver_.get(), &ReceiverHub::blockReceived, this, &TMainForm::ComPort1RxChar);
    connect(receiver_.get(), &ReceiverHub::linkLost, this, [this](const QString& reason) {
        // The session goes on with the other inputs; ticking "RS232C" or a new session start
        // opens the port again once it is back.
        sensorWarnings_->Set(SensorWarning::kReceiverLost,
                             QString::fromUtf8(msg::kWarnReceiverLost), reason);
    });
    // The state follows every change of the box: a click, a failed opening, a mode change.
    state_.serialOutputOn = Panel2->CheckBox2->isChecked();
    connect(Panel2->CheckBox2, &QCheckBox::toggled, this,
            [this](bool checked) { state_.serialOutputOn = checked; });
    connect(Panel2->CheckBox2, &QCheckBox::clicked, this, &TMainForm::CheckBox2Click);
    serialOutputSink_ = std::make_unique<SerialOutputSink>(state_, [this](std::string_view bytes) {
        if (receiver_->IsOpen()) {
            receiver_->Transmit(bytes);
        }
    });
}

void TMainForm::ComPort1RxChar(const ReceivedBlock& block) {
    // The bytes are decoded in place; the block handed out stays as it was received.
    std::array<uint8_t, ReceivedBlock::kMaxBytes> bytes{};
    std::copy_n(block.bytes.begin(), block.count, bytes.begin());
    meet_->TakeReceivedBlock(ActivePageMode(), bytes.data(), block.count, block.tick);
}

TMainForm::PortOpening TMainForm::OpenReceiverPort() {
    if (setup_.commPort == "None" && !receiver_->UsesScript()) {
        return PortOpening::kNoPort;
    }
    if (receiver_->IsOpen()) {
        receiver_->Close();  // a port lost earlier is opened afresh
    }
    if (receiver_->Open(setup_.commPort, setup_.baudRate)) {
        return PortOpening::kOpened;
    }
    env_.prompter->Warn(this, QString::fromUtf8(msg::k124), QString::fromUtf8(msg::k125));
    return PortOpening::kFailed;
}

void TMainForm::CheckBox2Click(bool checked) {
    if (!checked) {
        receiver_->Close();
        setupForm_->SetSerialInUse(false);
        return;
    }
    if (OpenReceiverPort() != PortOpening::kOpened) {
        Panel2->CheckBox2->setChecked(false);
        return;
    }
    setupForm_->SetSerialInUse(true);
}

void TMainForm::CloseReceiverPort(bool untick) {
    receiver_->Close();
    if (untick) {
        Panel2->CheckBox2->setChecked(false);
        setupForm_->SetSerialInUse(false);
    }
}

}  // namespace vantrel
