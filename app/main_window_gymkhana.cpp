// The main window's side of the GYMKHANA tab: the tab's controller, which books its runs
// through the result list.
#include <QLineEdit>
#include <QTimer>

#include "app/clock_panel.h"
#include "app/main_window.h"
#include "common/ms_clock.h"
#include "lists/entry_panel.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "modes/drag_controller.h"
#include "modes/gymkhana_controller.h"
#include "modes/gymkhana_page.h"
#include "reports/record_window.h"
#include "sensors/sensor_hub.h"
#include "widgets/prompter.h"
#include "widgets/widget_util.h"

namespace vantrel {

void TMainForm::BuildGymkhana() {
    GymkhanaWidgets widgets;
    widgets.page = TabSheet1;
    widgets.entries = Panel1;
    widgets.results = Panel2;
    widgets.splitCar = Panel5->Memo304;
    widgets.splitTime = Panel5->Memo303;
    widgets.clocks = courseTimers;
    GymkhanaHooks hooks;
    hooks.showStatus = [this](const QString& text) { SetStatusText(0, text); };
    hooks.splitShown = [this](SplitDisplay display, const QString& car, const QString& time) {
        const int32_t number = car.toInt();
        if (display == SplitDisplay::kSplit1) {
            record_->ShowSplit1(number, FromQ(time));
        } else {
            record_->ShowSplit2(number, FromQ(time));
        }
    };
    // Also the passes sampled but not yet queued: a finish just before the limit wins.
    hooks.drainSensorEvents = [this] { sensors_->DeliverUpTo(env_.clock->MsTick()); };
    hooks.passCountsShown = [this] { UpdateSplitDisplay(); };
    gymkhana_ = std::make_unique<GymkhanaController>(
        widgets, meet_->Gymkhana(), state_, *env_.prompter, *env_.clock, std::move(hooks), this);
}

void TMainForm::RefreshWaitingCar() {
    gymkhana_->RefreshWaitingCar();
}

void TMainForm::PickEntryRow(int row) {
    if (row < 1 || row > kMaxCarNumber) {
        return;
    }
    meet_->Drag().PickEntryRow(row);
    gymkhana_->PickEntryRow(row);
}

}  // namespace vantrel
