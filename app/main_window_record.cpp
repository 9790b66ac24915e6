// The main window's side of the standings: the record window, the rebuild, and the sinks
// that every booked result goes out to.
#include <QAction>
#include <filesystem>

#include "app/main_window.h"
#include "app/meet_journal.h"
#include "app/sensor_log_sink.h"
#include "app/serial_output_sink.h"
#include "common/messages.h"
#include "common/numbers.h"
#include "journal/list_journal.h"
#include "lists/entry_panel.h"
#include "lists/entry_table_model.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "lists/result_table_model.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "reports/record_window.h"
#include "reports/standings_rebuild.h"
#include "reports/standings_sink.h"
#include "sensors/sensor_hub.h"
#include "voice/announcer_sink.h"
#include "web/live_publisher.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

TimeStyle TMainForm::CurrentTimeStyle() const {
    return meet_->CurrentTimeStyle();
}

void TMainForm::BuildRecordWindow() {
    RecordWindowEnvironment env;
    env.standings = &standings_;
    env.entries = &meet_->Entries();
    env.scoreboard = &meet_->Board();
    env.iniPath = IniPath();
    env.prompter = env_.prompter;
    env.session = &state_;
    env.clock = env_.clock;
    env.exportFolder = resultList_->Commands().File().folder;
    env.sessionRunning = [this] { return SessionRunning(); };
    env.activeTab = [this] { return ActivePageMode(); };
    env.rebuild = [this] { RebuildRanking(); };
    env.sensorKey = [this](SensorInput input, bool down) { sensors_->SetSensorKey(input, down); };
    record_ = std::make_unique<TRecordForm>(env);
    AddResultSinks();
    connect(record_.get(), &TRecordForm::circuitPassing, this, [this](char code, uint32_t tick) {
        auto byte = static_cast<uint8_t>(code);
        meet_->Circuit().ProcessPassings(&byte, 1, tick);
    });
    ConnectReports();
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
    const RebuildOutcome outcome = meet_->RebuildStandings();
    record_->Refresh();
    if (!outcome.ok) {
        const std::string text =
            loadedFrom.empty() ? outcome.error : RebuildErrorInFile(outcome, loadedFrom);
        env_.prompter->Error(this, ToQ(text), Tr(msg::kTitle));
    }
}

void TMainForm::ResetRecord() {
    record_->ResetRecord();
}

void TMainForm::AddResultSinks() {
    StandingsSinkWiring wiring;
    wiring.record = record_.get();
    wiring.standings = &standings_;
    wiring.prompter = env_.prompter;
    wiring.dialogParent = this;
    wiring.timeStyle = [this] { return CurrentTimeStyle(); };
    wiring.rebuild = [this] { RebuildRanking(); };
    standingsSink_ = std::make_unique<StandingsSink>(std::move(wiring));
    sensorLogSink_ = std::make_unique<SensorLogSink>(setup_, sensors_->Log());
}

void TMainForm::ConnectResultSinks() {
    ResultSinks sinks;
    sinks.journal = &meetJournal_->Journal();
    sinks.standings = standingsSink_.get();
    sinks.sensorLog = sensorLogSink_.get();
    sinks.resultGrid = Panel2->Model();
    sinks.entryGrid = Panel1->Model();
    sinks.announcer = announcerSink_.get();
    sinks.serialOutput = serialOutputSink_.get();
    sinks.web = livePublisher_.get();
    meet_->ConnectSinks(sinks);
}

}  // namespace vantrel
