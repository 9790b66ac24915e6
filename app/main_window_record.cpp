// The main window's side of the standings: the record window, the rebuild, and what a
// finished gymkhana run shows and records outside the tab.
#include <QAction>
#include <filesystem>

#include "app/main_window.h"
#include "common/messages.h"
#include "widgets/prompter.h"
#include "widgets/widget_util.h"
#include "common/numbers.h"
#include "lists/result_list_controller.h"
#include "modes/circuit_page.h"
#include "modes/gymkhana_result.h"
#include "reports/record_window.h"
#include "reports/standings_rebuild.h"
#include "sensors/sensor_hub.h"

namespace vantrel {

TimeStyle TMainForm::CurrentTimeStyle() const {
    // The mode in force, not the tab shown: during a mode change's questions they differ.
    return TimeStyle{setup_.timeFormat, state_.currentMode == RaceMode::Drag};
}

void TMainForm::BuildRecordWindow() {
    RecordWindowEnvironment env;
    env.standings = &standings_;
    env.iniPath = IniPath();
    env.prompter = env_.prompter;
    env.session = &state_;
    env.clock = env_.clock;
    env.exportFolder = resultList_->commands().file().folder;
    env.sessionRunning = [this] { return SessionRunning(); };
    env.activeTab = [this] { return ActivePageMode(); };
    env.rebuild = [this] { RebuildRanking(); };
    env.sensorKey = [this](SensorInput input, bool down) { sensors_->SetSensorKey(input, down); };
    record_ = std::make_unique<TRecordForm>(env);
    connect(menu.ToolRecord, &QAction::triggered, this, [this] {
        record_->show();
        record_->raise();
        record_->activateWindow();
    });
}

void TMainForm::RebuildRanking() {
    RebuildRanking(std::filesystem::path());
}

void TMainForm::RebuildRanking(const std::filesystem::path& loadedFrom) {
    const bool commonStart = TabSheet3->RadioGroup300->ItemIndex() == 1;
    const RebuildOutcome outcome = vantrel::RebuildRanking(
        standings_, results_, ReplayRuleFor(state_.currentMode, commonStart), CurrentTimeStyle());
    record_->Refresh();
    if (!outcome.ok) {
        const std::string text =
            loadedFrom.empty() ? outcome.error : RebuildErrorInFile(outcome, loadedFrom);
        env_.prompter->Error(this, ToQ(text), QString::fromUtf8(msg::kTitle));
    }
}

void TMainForm::ResetRecord() {
    record_->ResetRecord();
}

void TMainForm::OnGymkhanaResult(const GymkhanaResult& result, int /*row*/) {
    const RecordDisplay& shown = result.record;
    if (shown.memo5) {
        record_->ShowResult(result.car, shown.memo2, *shown.memo5);
    } else {
        record_->ShowCar(result.car, shown.memo2);
    }
    record_->ShowSplitTexts(shown.memo3.value_or(std::string()),
                            shown.memo4.value_or(std::string()));
    if (record_->AutoUpdate()) {
        try {
            standings_.AddResult(result.car, result.runMs, result.runCount, CurrentTimeStyle());
        } catch (const ConversionError& error) {
            env_.prompter->Error(this, ToQ(error.what()), QString::fromUtf8(msg::kTitle));
        }
        record_->Refresh();
    }
    if (setup_.logfile) {
        // A log that cannot be written must not stop the timing; the next finish tries again.
        sensors_->Log().Save(std::filesystem::current_path());
    }
    if (result.rebuildRanking) {
        RebuildRanking();
    }
}

}  // namespace vantrel
