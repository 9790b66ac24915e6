// Session start and stop, the session clock and the race-mode change of the main window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include "app/clock_panel.h"
#include "app/main_window.h"
#include "app/meet_journal.h"
#include "common/messages.h"
#include "common/ms_clock.h"
#include "common/time_text.h"
#include "journal/boot_id.h"
#include "journal/list_journal.h"
#include "lists/entry_panel.h"
#include "lists/entry_table_model.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "lists/result_table_model.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/drag_controller.h"
#include "modes/drag_page.h"
#include "modes/gymkhana_controller.h"
#include "modes/gymkhana_page.h"
#include "sensors/sensor_hub.h"
#include "voice/announcer.h"
#include "widgets/lamp_images.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

void TMainForm::SpeedButton1Click() {
    protocol_.StartButton(Panel5->SpeedButton1->isChecked());
}

void TMainForm::LogSessionStart() {
    sensors_->Log().AddSessionStart(env_.clock->MsTick());
}

void TMainForm::LogSessionStop() {
    // Passes sampled before the click reach the log (and the course) before its stop line.
    const uint32_t now = env_.clock->MsTick();
    sensors_->DeliverUpTo(now);
    sensors_->Log().AddSessionStop(now);
}

bool TMainForm::StartRoutine() {
    sensors_->Prime(setup_, windowSettings_.outputMask);
    TakeVoicePack();
    ModeReset();
    Panel5->SpeedButton1->setText(Tr(msg::k117));
    EnableSessionControls(true);
    Timer1->start(1000);
    meet_->StartSession(env_.clock->MsTick());
    if (!OpenSessionInput()) {
        return false;
    }
    sound_->Resume();
    meetJournal_->SessionStarted(CurrentBootId());
    return true;
}

bool TMainForm::CarsRunning() const {
    return meet_->CarsRunning();
}

void TMainForm::ShowStartButton(bool down) {
    Panel5->SpeedButton1->setChecked(down);
}

void TMainForm::StopRoutine() {
    state_.running = false;
    // Waits for the last tick, closes the USB adapter and delivers what is still queued.
    sensors_->Stop();
    Panel5->SpeedButton1->setChecked(false);
    Panel5->SpeedButton1->setText(Tr(msg::k116));
    EnableSessionControls(false);
    Timer1->stop();
    SetStatusText(2, QString());
    meet_->StopSession();
    CloseReceiverPort(false);  // "RS232C" stays ticked; ticking it again opens the port
    DropVoicePack();
    meetJournal_->SessionStopped();
}

void TMainForm::EnableSessionControls(bool running) {
    menu.ToolSetup->setEnabled(!running);
    Panel2->BitBtn3->setEnabled(!running);
    gymkhana_->EnableSessionControls(running);
    drag_->EnableSessionControls(running);
    circuit_->EnableSessionControls(running);
}

void TMainForm::Timer1Timer() {
    const uint32_t elapsed = env_.clock->MsTick() - state_.sessionStartTick;
    Panel5->Memo301->setText(ToQ(FormatSessionClock(elapsed)));
    SetStatusText(
        2, QCoreApplication::translate("TMainForm", "%1msec.").arg(sensors_->LastTickInterval()));
}

void TMainForm::ShowModeInForce() {
    revertingTab_ = true;
    PageControl1->setCurrentIndex(static_cast<int>(state_.currentMode));
    revertingTab_ = false;
}

void TMainForm::PageControl1Change(int index) {
    if (!revertingTab_ && index >= 0) {
        protocol_.ChangeMode(static_cast<RaceMode>(index));
    }
}

void TMainForm::EnterMode(RaceMode mode) {
    state_.currentMode = mode;
    sensors_->SetActiveMode(mode);
    ModeDependentSetup();
    sensors_->Log().AddModeChange(env_.clock->MsTick(), mode);
    CloseReceiverPort(true);
    ModeReset();
    ResetRecord();
    ResizeRoutine();
}

void TMainForm::ModeDependentSetup() {
    meet_->ResultList().ChangeLayout(state_.currentMode);
    FontRoutine();
    Panel2->EnableGymkhanaControls(ModeInForce().UsesResultButtons());
    Panel2->SelectRow(1);
}

void TMainForm::ModeReset() {
    meet_->ModeReset();
    UpdateSplitDisplay();
    Panel5->Memo301->setText(QStringLiteral("00:00:00"));
    SetStatusText(0, QString());
    SetStatusText(2, QString());
}

void TMainForm::UpdateSplitDisplay() {
    Panel5->ShowSplitDisplay(meet_->ShowsSplits(ActivePageMode()));
    gymkhana_->ShowSplitSensors(setup_.Split1Connected(), setup_.Split2Connected());
}

}  // namespace vantrel
