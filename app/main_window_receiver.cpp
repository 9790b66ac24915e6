// The main window's side of the serial port: the receiver's blocks handed to the tab shown,
// the port opened and closed at its moments, and the "RS232C" box.
#include <QCheckBox>
#include <QStatusBar>
#include <array>
#include <string>
#include <string_view>

#include "app/held_passings_box.h"
#include "app/main_window.h"
#include "app/meet_journal.h"
#include "app/sensor_warning_panel.h"
#include "app/serial_output_sink.h"
#include "common/messages.h"
#include "common/ms_clock.h"
#include "dialogs/setup_dialog.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "modes/mode_flow.h"
#include "sensors/receiver_hub.h"
#include "sensors/sensor_hub.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

void TMainForm::BuildReceiver() {
    receiver_ = std::make_unique<ReceiverHub>(*env_.clock);
    connect(receiver_.get(), &ReceiverHub::blockReceived, this, &TMainForm::ComPort1RxChar);
    // The session goes on meanwhile; the hub opens the port again by itself once it is back.
    connect(receiver_.get(), &ReceiverHub::linkLost, this, [this](const QString&, quint32 tick) {
        sensors_->Log().AddLine(tick, ReceiverLossLogText(receiver_->Gaps().All().back()));
        sensorWarnings_->Set(SensorWarning::kReceiverLost, receiver_->LinkStatusText(),
                             receiver_->LinkStatusDetail());
    });
    connect(receiver_.get(), &ReceiverHub::linkBack, this, [this](quint32, quint32 backTick) {
        sensors_->Log().AddLine(backTick, ReceiverGapLogText(receiver_->Gaps().All().back()));
        sensorWarnings_->Set(SensorWarning::kReceiverLost, receiver_->LinkStatusText(),
                             receiver_->LinkStatusDetail());
    });
    connect(receiver_.get(), &ReceiverHub::bytesLost, this, [this](quint32 count) {
        sensors_->Log().AddLine(env_.clock->MsTick(),
                                "Receiver bytes lost: " + std::to_string(count));
        sensorWarnings_->Set(SensorWarning::kReceiverBytesLost, receiver_->BytesLostText());
    });
    // The state follows every change of the box: a click, a failed opening, a mode change.
    state_.serialOutputOn = Panel2->CheckBox2->isChecked();
    connect(Panel2->CheckBox2, &QCheckBox::toggled, this, [this](bool checked) {
        state_.serialOutputOn = checked;
        ShowSerialOutput();
    });
    connect(Panel2->CheckBox2, &QCheckBox::clicked, this, &TMainForm::CheckBox2Click);
    serialOutputSink_ = std::make_unique<SerialOutputSink>(
        state_,
        [this](std::string_view bytes, std::string* error) {
            if (receiver_->Transmit(bytes)) {
                return true;
            }
            *error = FromQ(receiver_->LastError());
            return false;
        },
        [this] { ShowSerialOutput(); });
    HeldPassingsBox::Links held;
    held.circuit = &meet_->Circuit();
    held.journal = &meetJournal_->Journal();
    held.session = &state_;
    held.timeFormat = [this] { return setup_.timeFormat; };
    statusBar()->addPermanentWidget(new HeldPassingsBox(held, statusBar(), this));
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
    const bool opened = receiver_->Open(setup_.commPort, setup_.baudRate);
    serialOutputSink_->SetPortOpen(opened);
    if (opened) {
        return PortOpening::kOpened;
    }
    env_.prompter->Warn(this, Tr(msg::k124), Tr(msg::k125));
    return PortOpening::kFailed;
}

void TMainForm::CheckBox2Click(bool checked) {
    if (!checked) {
        receiver_->Close();
        serialOutputSink_->SetPortOpen(false);
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
    serialOutputSink_->SetPortOpen(false);
    if (untick) {
        Panel2->CheckBox2->setChecked(false);
        setupForm_->SetSerialInUse(false);
    }
}

void TMainForm::ShowSerialOutput() {
    // Ticked but not sending (the port closed by a stop, or a write that failed): the box
    // turns red and its tooltip says why.
    QCheckBox* box = Panel2->CheckBox2;
    const SerialOutputSink::Status status = serialOutputSink_->CurrentStatus();
    const bool notSending = box->isChecked() && status != SerialOutputSink::Status::kSending;
    SetLabelRed(box, notSending);
    if (!notSending) {
        box->setToolTip(QString());
    } else if (status == SerialOutputSink::Status::kPortClosed) {
        box->setToolTip(Tr(msg::kSerialPortClosed));
    } else {
        box->setToolTip(Tr(msg::kSerialWriteFailed).arg(ToQ(serialOutputSink_->LastError())));
    }
}

}  // namespace vantrel
