// Session start and stop, the session clock and the race-mode change of the main window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include "app/clock_panel.h"
#include "widgets/lamp_images.h"
#include "app/main_window.h"
#include "common/messages.h"
#include "widgets/prompter.h"
#include "widgets/unbuilt_features.h"
#include "widgets/widget_util.h"
#include "common/ms_clock.h"
#include "common/time_text.h"
#include "lists/entry_panel.h"
#include "lists/entry_table_model.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "lists/result_table_model.h"
#include "modes/circuit_page.h"
#include "modes/drag_page.h"
#include "modes/gymkhana_controller.h"
#include "modes/gymkhana_page.h"
#include "sensors/sensor_hub.h"

namespace vantrel {

void TMainForm::SpeedButton1Click() {
    if (Panel5->SpeedButton1->isChecked()) {
        sensors_->Log().AddSessionStart(env_.clock->MsTick());
        StartRoutine();
    } else {
        // Passes sampled before the click reach the log (and the course) before its stop line.
        const uint32_t now = env_.clock->MsTick();
        sensors_->DeliverUpTo(now);
        sensors_->Log().AddSessionStop(now);
        StopWithQuestion();
    }
}

void TMainForm::StartRoutine() {
    sensors_->Prime(setup_, windowSettings_.outputMask);
    ModeReset();
    Panel5->SpeedButton1->setText(QString::fromUtf8(msg::k117));
    state_.sessionStartTick = env_.clock->MsTick();
    EnableSessionControls(true);
    state_.running = true;
    Timer1->start(1000);
    switch (state_.currentMode) {
        case RaceMode::Gymkhana:
            gymkhana_->StartSession();
            break;
        case RaceMode::Drag:
            break;
        case RaceMode::Circuit:
            if (TabSheet3->RadioGroup300->ItemIndex() == 1) {
                // Common start: every car's clock and mask run from the session start.
                state_.firstPassTime.fill(state_.sessionStartTick);
                state_.lastPassTime.fill(state_.sessionStartTick);
            }
            break;
    }
    if (!OpenSessionInput()) {
        Panel5->SpeedButton1->setChecked(false);
        StopWithQuestion();
    }
}

void TMainForm::StopWithQuestion() {
    const bool carsOnCourse = std::any_of(courseTimers.begin(), courseTimers.end(),
                                          [](const QTimer* timer) { return timer->isActive(); });
    if (carsOnCourse && !env_.prompter->AskYesNo(this, QString::fromUtf8(msg::k122),
                                                 QString::fromUtf8(msg::k117))) {
        Panel5->SpeedButton1->setChecked(true);
        return;
    }
    StopRoutine();
}

void TMainForm::StopRoutine() {
    state_.running = false;
    // Waits for the last tick, closes the USB adapter and delivers what is still queued.
    sensors_->Stop();
    Panel5->SpeedButton1->setChecked(false);
    Panel5->SpeedButton1->setText(QString::fromUtf8(msg::k116));
    EnableSessionControls(false);
    Timer1->stop();
    for (QLabel* label :
         {TabSheet1->Label2, TabSheet1->Label3, TabSheet1->Label20, TabSheet1->Label21}) {
        SetLabelRed(label, false);
    }
    SetStatusText(2, QString());
    TabSheet1->StartLed->setPixmap(LampPixmap(Lamp::Off));
    TabSheet1->FinishLed->setPixmap(LampPixmap(Lamp::Off));
    gymkhana_->StopSession();  // stops the course clocks and shows the waiting car
    SetStatusText(1, QString());
}

void TMainForm::EnableSessionControls(bool running) {
    menu.ToolSetup->setEnabled(!running);
    Panel2->BitBtn3->setEnabled(!running);
    TabSheet1->ComboBox100->setEnabled(!running);
    TabSheet1->ComboBox101->setEnabled(!running);
    SetEnabledIfBuilt(TabSheet3->RadioGroup300, Feature::kCircuitInputs, !running);
    SetEnabledIfBuilt(TabSheet3->RadioGroup301, Feature::kCircuitInputs, !running);
    TabSheet1->BitBtn2->setEnabled(running);
    SetEnabledIfBuilt(TabSheet2->SpeedButton200, Feature::kDragTree, running);
}

void TMainForm::Timer1Timer() {
    const uint32_t elapsed = env_.clock->MsTick() - state_.sessionStartTick;
    Panel5->Memo301->setText(ToQ(FormatSessionClock(elapsed)));
    SetStatusText(2, QStringLiteral("%1msec.").arg(sensors_->LastTickInterval()));
}

void TMainForm::RevertTab() {
    revertingTab_ = true;
    PageControl1->setCurrentIndex(static_cast<int>(state_.currentMode));
    revertingTab_ = false;
}

bool TMainForm::ResultsMayBeDropped(UnsavedResultsCheck& check, const char* text,
                                    const char* caption) {
    if (!state_.resultModified ||
        (check.accepted && check.bookedWhenAccepted == state_.resultsBooked)) {
        return true;
    }
    // A result booked while this box is open was not seen by the operator: ask again later.
    const uint64_t bookedBefore = state_.resultsBooked;
    if (!env_.prompter->AskYesNo(this, QString::fromUtf8(text), QString::fromUtf8(caption))) {
        return false;
    }
    check.accepted = true;
    check.bookedWhenAccepted = bookedBefore;
    return true;
}

bool TMainForm::StopForLeaving(const char* question) {
    if (!SessionRunning()) {
        return true;
    }
    if (question != nullptr &&
        !env_.prompter->AskYesNo(this, QString::fromUtf8(question), QString::fromUtf8(msg::k114))) {
        return false;
    }
    Panel5->SpeedButton1->setChecked(false);
    SpeedButton1Click();
    // Cars on course and "No" to stopping: the session goes on.
    return !SessionRunning();
}

void TMainForm::PageControl1Change(int index) {
    if (revertingTab_ || index < 0 || index == static_cast<int>(state_.currentMode)) {
        return;
    }
    // The results are asked about before the stop and again after it when a run finished
    // meanwhile, so no run is cleared by the mode reset unasked.
    UnsavedResultsCheck results;
    if (!ResultsMayBeDropped(results, msg::k118, msg::k114) || !StopForLeaving(msg::k113) ||
        !ResultsMayBeDropped(results, msg::k118, msg::k114)) {
        RevertTab();
        return;
    }
    state_.currentMode = static_cast<RaceMode>(index);
    sensors_->SetActiveMode(state_.currentMode);
    ModeDependentSetup();
    sensors_->Log().AddModeChange(env_.clock->MsTick(), state_.currentMode);
    Panel2->CheckBox2->setChecked(false);
    ModeReset();
    ResetRecord();
    ResizeRoutine();
}

void TMainForm::ModeDependentSetup() {
    resultList_->commands().ChangeLayout(state_.currentMode);
    FontRoutine();
    Panel2->EnableGymkhanaControls(state_.currentMode == RaceMode::Gymkhana);
    Panel2->SelectRow(1);
}

void TMainForm::ResetGymkhanaDisplays() {
    // Queue, course boxes, clocks, hints and the entry row come from the course logic.
    gymkhana_->ModeReset();
    GymkhanaPage* g = TabSheet1;
    for (QLineEdit* box : {g->Memo103, g->Memo104, g->Memo110}) {
        box->clear();
    }
    Panel5->Memo304->clear();
    Panel5->Memo303->setText(QStringLiteral("--:--:--"));
}

void TMainForm::ResetDragDisplays() {
    DragPage* d = TabSheet2;
    for (QLineEdit* box : {d->Memo200, d->Memo201, d->Memo202, d->Memo203, d->Memo205}) {
        box->clear();
    }
    d->Memo204->setText(QString::number(state_.entryRow));
}

void TMainForm::ResetCircuitDisplays() {
    TabSheet3->Memo300->clear();
}

void TMainForm::ModeReset() {
    switch (state_.currentMode) {
        case RaceMode::Gymkhana:
            sensors_->ResetOffDelays();
            ResetGymkhanaDisplays();
            ComboBox100Change();
            break;
        case RaceMode::Drag:
            ResetDragDisplays();
            ResetCircuitDisplays();
            break;
        case RaceMode::Circuit:
            ResetCircuitDisplays();
            break;
    }
    if (state_.currentMode != RaceMode::Gymkhana) {
        Panel5->ShowSplitDisplay(false);
    }
    Panel5->Memo301->setText(QStringLiteral("00:00:00"));
    entries_.ClearLaps();
    state_.ClearCarCounters();
    for (QLineEdit* box :
         {TabSheet1->Memo120, TabSheet1->Memo121, TabSheet1->Memo107, TabSheet1->Memo108,
          TabSheet1->Memo102, TabSheet1->Memo106, TabSheet1->Memo101, TabSheet1->Memo105}) {
        box->setToolTip(QString());
    }
    state_.lastCarCode = 0;
    SetStatusText(0, QString());
    SetStatusText(2, QString());
}

void TMainForm::ComboBox100Change() {
    TabSheet1->ShowPassCountBoxes();
    gymkhana_->Configure(setup_);
    UpdateSplitDisplay();
}

void TMainForm::UpdateSplitDisplay() {
    Panel5->ShowSplitDisplay(SplitDisplayVisible(ActivePageMode() == RaceMode::Gymkhana,
                                                 setup_.Split1Connected(), setup_.Split2Connected(),
                                                 TabSheet1->ComboBox101->currentIndex()));
    TabSheet1->SplitLed1->setVisible(setup_.Split1Connected());
    TabSheet1->Label20->setVisible(setup_.Split1Connected());
    TabSheet1->SplitLed2->setVisible(setup_.Split2Connected());
    TabSheet1->Label21->setVisible(setup_.Split2Connected());
}

}  // namespace vantrel
