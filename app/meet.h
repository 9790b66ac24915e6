#pragma once
// The event: everything a timekeeper would call the state of the event in one object. The
// session, both lists with their file names and modified flags, the standings, the booking of
// results with its sinks, and one flow per race mode. Its router hands each sensor event,
// received block and digit key to the mode in force, so the window only shows: it binds the
// flows' views to its pages and carries out what the event cannot (ports, dialogs, timers).
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/car_on_course.h"
#include "common/race_mode.h"
#include "common/session_state.h"
#include "common/setup_settings.h"
#include "lists/entry_list_commands.h"
#include "lists/entry_table.h"
#include "lists/list_change.h"
#include "lists/result_list_commands.h"
#include "lists/result_table.h"
#include "modes/circuit_flow.h"
#include "modes/drag_flow.h"
#include "modes/gymkhana_flow.h"
#include "reports/scoreboard.h"
#include "reports/standings.h"
#include "reports/standings_rebuild.h"
#include "reports/time_style.h"
#include "sensors/sensor_event.h"
#include "web/snapshot_builder.h"

namespace vantrel {

class MsClock;
class PrompterFace;
class SensorLog;
class TickCommands;
class ToneSink;

// What the event reaches outside itself; all must outlive it.
struct MeetLinks {
    const MsClock* clock = nullptr;
    TickCommands* tick = nullptr;  // the timing thread's next tick
    SensorLog* log = nullptr;      // passes, drag starts and stops, time-outs
    PrompterFace* prompter = nullptr;
    ToneSink* tones = nullptr;  // sensor tones
};

// The outputs of every booked result. Any may be null (not built, or not wanted in a test).
struct ResultSinks {
    ResultSink* journal = nullptr;
    ResultSink* standings = nullptr;  // the standings and the record window
    ResultSink* sensorLog = nullptr;
    ResultSink* resultGrid = nullptr;
    ResultSink* entryGrid = nullptr;
    ResultSink* announcer = nullptr;
    ResultSink* serialOutput = nullptr;
    ResultSink* web = nullptr;
};

class Meet {
public:
    explicit Meet(const MeetLinks& links);
    Meet(const Meet&) = delete;
    Meet& operator=(const Meet&) = delete;

    SessionState& Session() { return session_; }
    const SessionState& Session() const { return session_; }
    const SetupSettings& Setup() const { return setup_; }
    // The [Setup] settings in force changed: every flow takes them.
    void Configure(const SetupSettings& setup);

    EntryTable& Entries() { return entries_; }
    ResultTable& Results() { return results_; }
    const ResultTable& Results() const { return results_; }
    EntryListCommands& EntryList() { return entryList_; }
    ResultListCommands& ResultList() { return resultList_; }
    // Both lists' files and modified flags, read and put back as one (undo of a load).
    ListFiles Files() const;
    void RestoreFiles(const ListFiles& files);
    // Every result goes out to `sinks` in this order: the journal first, so that a result is
    // on disk before anything shows it; then the standings, the sensor log, both grids, the
    // announcer, the serial output and the live pages. Call once.
    void ConnectSinks(const ResultSinks& sinks);

    // The standings and how they are rebuilt: the whole result list replayed under the rule
    // of the mode in force (laps then total in common start).
    Standings& RaceStandings() { return standings_; }
    RebuildOutcome RebuildStandings();
    TimeStyle CurrentTimeStyle() const;
    // The large-type scoreboard the record window shows and the live pages publish.
    Scoreboard& Board() { return board_; }
    // What the live pages publish: the standings, lists, scoreboard, mode and course.
    SnapshotSources LiveSources() const;
    // Whether the split display is shown with `shownMode`'s tab in front.
    bool ShowsSplits(RaceMode shownMode) const;

    GymkhanaFlow& Gymkhana() { return gymkhana_; }
    DragFlow& Drag() { return drag_; }
    CircuitFlow& Circuit() { return circuit_; }
    const GymkhanaFlow& Gymkhana() const { return gymkhana_; }
    ModeFlow& FlowOf(RaceMode mode);
    const ModeFlow& FlowOf(RaceMode mode) const;
    ModeFlow& ModeInForce() { return FlowOf(session_.currentMode); }
    const ModeFlow& ModeInForce() const { return FlowOf(session_.currentMode); }

    // The router. Lamps and labels go to the gymkhana tab, where they are shown in every
    // mode; a pass or a drag step to the mode in force. Told after each input that may have
    // put a car on course (the journal writes the cars on course at once).
    void TakeSensorEvent(const SensorEvent& event);
    // A receiver block goes to the mode whose tab is shown (during a mode change's question
    // that is not yet the mode in force); the mode may overwrite invalid bytes.
    void TakeReceivedBlock(RaceMode shownMode, uint8_t* bytes, uint16_t count, uint32_t tick);
    // A digit key, when no box takes it; true when the mode used it as timing input.
    bool TakeDigitKey(int digit);
    void OnInputTaken(std::function<void()> listener) { inputTaken_ = std::move(listener); }

    // The session's steps, in the order the window runs them.
    // Mode reset: the flow of the mode in force, the entry list's laps, the per-car counters.
    void ModeReset();
    // Session start after the mode reset: the start tick, `running`, the flow's start.
    void StartSession(uint32_t startTick);
    // Session stop, after `running` was cleared and the sensors delivered their last events.
    void StopSession();
    // The mode change proper: `mode` is in force and the result list takes its columns.
    void EnterMode(RaceMode mode);
    bool CarsRunning() const { return ModeInForce().CarsRunning(); }
    // A booked gymkhana run taken back by undo goes back on course while its session runs
    // (`undone`), and leaves it again on redo; false from Can... when the course has no room.
    bool CanTakeBackFinish(const CarOnCourse& run) const;
    void TakeBackFinish(const CarOnCourse& run, bool undone);
    std::vector<CarOnCourse> CarsOnCourseNow() const { return ModeInForce().CarsOnCourseNow(); }

private:
    void InputTaken();

    SessionState session_;
    SetupSettings setup_;
    EntryTable entries_;
    ResultTable results_;
    EntryListCommands entryList_{entries_, session_, nullptr};
    ResultListCommands resultList_{results_, entries_, session_, nullptr};
    Standings standings_{entries_};
    Scoreboard board_;
    GymkhanaFlow gymkhana_;
    DragFlow drag_;
    CircuitFlow circuit_;
    std::array<ModeFlow*, 3> flows_{};
    std::function<void()> inputTaken_;
    bool sinksConnected_ = false;
};

}  // namespace vantrel
