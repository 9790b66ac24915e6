#include "app/meet.h"

#include <initializer_list>

#include "common/ms_clock.h"
#include "common/prompter_face.h"
#include "modes/tone_sink.h"
#include "sensors/sensor_log.h"
#include "sensors/tick_commands.h"

namespace vantrel {

Meet::Meet(const MeetLinks& links)
    : gymkhana_(session_, entries_, resultList_),
      drag_(session_, entries_, resultList_, *links.tick, *links.log, *links.clock,
            *links.prompter),
      circuit_(session_, entries_, resultList_, *links.log, *links.clock, *links.tones) {
    for (ModeFlow* flow : std::initializer_list<ModeFlow*>{&gymkhana_, &drag_, &circuit_}) {
        flows_[static_cast<size_t>(flow->Mode())] = flow;
    }
    GymkhanaLinks gymkhana;
    gymkhana.tick = links.tick;
    gymkhana.log = links.log;
    gymkhana.tones = links.tones;
    gymkhana_.Link(gymkhana);
    board_.UseResults(&results_);
}

void Meet::Configure(const SetupSettings& setup) {
    setup_ = setup;
    for (ModeFlow* flow : flows_) {
        flow->Configure(setup_);
    }
    resultList_.FlagWith({setup_.shortLapPercent, setup_.plausibleMinMs, setup_.plausibleMaxMs});
}

ListFiles Meet::Files() const {
    return {entryList_.File(), resultList_.File(), session_.entryModified, session_.resultModified};
}

void Meet::RestoreFiles(const ListFiles& files) {
    entryList_.RestoreFile(files.entry);
    resultList_.RestoreFile(files.result);
    session_.entryModified = files.entryModified;
    session_.resultModified = files.resultModified;
}

void Meet::ConnectSinks(const ResultSinks& sinks) {
    if (sinksConnected_) {
        return;
    }
    sinksConnected_ = true;
    for (ResultSink* sink : {sinks.journal, sinks.standings, sinks.sensorLog, sinks.resultGrid,
                             sinks.entryGrid, sinks.announcer, sinks.serialOutput, sinks.web}) {
        if (sink != nullptr) {
            resultList_.AddSink(*sink);
        }
    }
}

RebuildOutcome Meet::RebuildStandings() {
    const bool commonStart = session_.countingMethod == SessionState::kCommonStart;
    return RebuildRanking(standings_, results_, ReplayRuleFor(session_.currentMode, commonStart),
                          CurrentTimeStyle());
}

TimeStyle Meet::CurrentTimeStyle() const {
    // The mode in force, not the tab shown: during a mode change's questions they differ.
    return TimeStyle{setup_.timeFormat, ModeInForce().ShowsDragTimes()};
}

SnapshotSources Meet::LiveSources() const {
    SnapshotSources sources;
    sources.standings = &standings_;
    sources.results = &results_;
    sources.entries = &entries_;
    sources.board = &board_;
    sources.mode = session_.currentMode;
    sources.running = session_.running.load();
    if (&ModeInForce() == &gymkhana_) {
        sources.course = &gymkhana_.Course();
    }
    return sources;
}

bool Meet::ShowsSplits(RaceMode shownMode) const {
    return SplitDisplayVisible(&FlowOf(shownMode) == &gymkhana_, setup_.Split1Connected(),
                               setup_.Split2Connected(), session_.finishPassIndex);
}

ModeFlow& Meet::FlowOf(RaceMode mode) {
    return const_cast<ModeFlow&>(static_cast<const Meet&>(*this).FlowOf(mode));
}

const ModeFlow& Meet::FlowOf(RaceMode mode) const {
    return *flows_[static_cast<size_t>(mode)];
}

void Meet::TakeSensorEvent(const SensorEvent& event) {
    switch (event.kind) {
        case SensorEventKind::kLampOn:
        case SensorEventKind::kLampOff:
        case SensorEventKind::kLabelRed:
        case SensorEventKind::kOffDelayOver:
            gymkhana_.TakeLampEvent(event);
            break;
        case SensorEventKind::kActiveEdge:
        case SensorEventKind::kDragLineOn:
        case SensorEventKind::kDragLineOff:
        case SensorEventKind::kDragLabelNormal:
        case SensorEventKind::kDragNewRun:
        case SensorEventKind::kDragStartLine:
        case SensorEventKind::kDragSplit:
        case SensorEventKind::kDragFinish:
        case SensorEventKind::kDragRunReset:
        case SensorEventKind::kDragLamps:
            ModeInForce().TakeSensorEvent(event);
            InputTaken();
            break;
        case SensorEventKind::kReadFailed:
        case SensorEventKind::kEventsLost:
        case SensorEventKind::kLevelChange:
            break;  // the window's: they report on the devices, not on the event
    }
}

void Meet::TakeReceivedBlock(RaceMode shownMode, uint8_t* bytes, uint16_t count, uint32_t tick) {
    FlowOf(shownMode).TakeReceivedBytes(bytes, count, tick);
}

bool Meet::TakeDigitKey(int digit) {
    const bool used = ModeInForce().TakeDigitKey(digit);
    if (used) {
        InputTaken();
    }
    return used;
}

void Meet::InputTaken() {
    if (inputTaken_) {
        inputTaken_();
    }
}

void Meet::ModeReset() {
    ModeInForce().ModeReset();
    // The gymkhana's penalty hints go with any mode reset: they name runs of a reset course.
    gymkhana_.ClearPenaltyHints();
    entries_.ClearLaps();
    session_.ClearCarCounters();
    session_.lastCarCode = 0;
}

void Meet::StartSession(uint32_t startTick) {
    session_.sessionStartTick = startTick;
    session_.running = true;
    ModeInForce().StartSession(startTick);
}

void Meet::StopSession() {
    // Nothing samples the inputs any more: no lamp may stay lit or label stay red.
    gymkhana_.ClearLamps();
    ModeInForce().StopSession();
}

bool Meet::CanTakeBackFinish(const CarOnCourse& run) const {
    const bool timing = session_.running.load() && &ModeInForce() == &gymkhana_;
    return !timing || gymkhana_.CanTakeBackFinish(run);
}

void Meet::TakeBackFinish(const CarOnCourse& run, bool undone) {
    if (session_.running.load() && &ModeInForce() == &gymkhana_) {
        gymkhana_.TakeBackFinish(run, undone);
    }
}

void Meet::EnterMode(RaceMode mode) {
    session_.currentMode = mode;
    resultList_.ChangeLayout(mode);
}

}  // namespace vantrel
