#pragma once
// The gymkhana tab's logic in one place: the course fed by the sensors' active edges, the
// start list, the clocks, penalties and corrections, and the booking of finished runs. The
// window implements GymkhanaView to show what changed and forwards its events here.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "lists/result_sink.h"
#include "modes/course_clock.h"
#include "modes/gymkhana_course.h"
#include "modes/gymkhana_result.h"
#include "modes/mode_flow.h"
#include "modes/start_list.h"
#include "modes/tone_sink.h"

namespace vantrel {

class EntryTable;
class SensorLog;
class TickCommands;
struct SessionState;
struct SetupSettings;

class GymkhanaView {
public:
    virtual ~GymkhanaView() = default;
    // Status panel 0 (waiting car, course full).
    virtual void ShowStatus(const std::string& /*text*/) {}
    // The queue boxes and Memo114 from GymkhanaFlow::Starters().
    virtual void ShowStartList() {}
    // entryRow changed: select that entry row (and scroll, EntryGridTopRow).
    virtual void SelectEntryRow(int32_t /*row*/) {}
    // Car boxes, clock timers on exactly for occupied positions, "--:--" for empty ones,
    // hints from GymkhanaCourse::PenaltyHintAt.
    virtual void ShowPositions() {}
    // Memo115 and Memo116.
    virtual void ShowPassCounters(int32_t /*startPasses*/, int32_t /*finishPasses*/) {}
    // Memo304/Memo303 and the record window's split boxes (ShowSplit1, ShowSplit2).
    virtual void ShowSplit(SplitDisplay /*display*/, const std::string& /*carText*/,
                           const std::string& /*timeText*/) {}
    // A run was booked into `resultRow` (the result sinks have had it): the tab's result
    // display and the selection of the row.
    virtual void ShowResult(const BookedResult& /*result*/, int32_t /*resultRow*/) {}
    // The time limit finishes the car in position "I" at `tick`, as a finish pass would.
    virtual void TimeoutFinishPass(uint32_t /*tick*/) {}
    // A sensor's lamp and the colour of its label (red while the input is active or its OFF
    // delay runs).
    virtual void ShowLamp(SensorInput /*input*/, bool /*on*/) {}
    virtual void ShowLabelRed(SensorInput /*input*/, bool /*red*/) {}
    // The mode reset empties the last result and the split display.
    virtual void ClearResultDisplays() {}
    // The pass-count choices in force (item indexes of the two combos).
    virtual void ShowPassCountChoice(int32_t /*startIndex*/, int32_t /*finishIndex*/) {}
    // The session stopped: the clocks show the run times at the stop from now on.
    virtual void SessionStopped() {}
    // A queue place (1..4) or course position (1..4) began or ended its edit.
    virtual void ShowPlaceEditing(int32_t /*place*/, bool /*editing*/) {}
    virtual void ShowCourseEditing(int32_t /*position*/, bool /*editing*/) {}
    // The penalty hints of every position are emptied.
    virtual void ClearPenaltyHints() {}
};

// What a course popup item did to the run it was opened on.
enum class PopupOutcome { kChanged, kUnchanged, kRunLeft };

// What the flow reaches besides the lists; each may be null (tests of the rules alone).
struct GymkhanaLinks {
    TickCommands* tick = nullptr;  // the mode reset's OFF-delay reset
    SensorLog* log = nullptr;      // the finish line of a time-out
    ToneSink* tones = nullptr;     // start and finish tones
};

// The split display is shown on the GYMKHANA tab when a split sensor is connected or cars
// make extra finish passes (those are shown as splits).
bool SplitDisplayVisible(bool gymkhanaActive, bool split1Connected, bool split2Connected,
                         int32_t finishPassIndex);

class GymkhanaFlow final : public ModeFlow, private CourseObserver {
public:
    // Finished runs are booked through `booking`. Without a view the flow shows nothing
    // until BindView.
    GymkhanaFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
                 GymkhanaView& view);
    GymkhanaFlow(SessionState& session, EntryTable& entries, ResultBooking& booking);
    void BindView(GymkhanaView& view) { view_ = &view; }
    void Link(const GymkhanaLinks& links) { links_ = links; }

    const GymkhanaCourse& Course() const { return course_; }
    const StartList& Starters() const { return startList_; }

    // Split pins, time format, distance, time-out and the pass-count combos' item indexes.
    void Configure(const SetupSettings& setup, int32_t startPassIndex, int32_t finishPassIndex);
    // The pass counts chosen (session.startPassIndex, session.finishPassIndex) changed.
    void SetPassCounts(int32_t startPassIndex, int32_t finishPassIndex);

    // The race mode. The mode reset also resets every input's OFF delay and empties the
    // result displays; the stop leaves the clocks showing the times at the stop.
    RaceMode Mode() const override { return RaceMode::kGymkhana; }
    void Configure(const SetupSettings& setup) override;
    void ModeReset() override;
    void StartSession(uint32_t /*sessionStartTick*/) override { StartSession(); }
    void StartSession();
    bool ReadsSensors() const override { return true; }
    bool OpensUsbAdapter() const override { return true; }
    void StopSession() override;
    bool CarsRunning() const override { return course_.CarsOnCourse() > 0; }
    // Active edges drive the course.
    void TakeSensorEvent(const SensorEvent& event) override;
    bool UsesResultButtons() const override { return true; }
    // A long run of one receiver code picks that car in the entry list (the next-car box and
    // the start queue stay as they are: taking the car is the operator's pick).
    void TakeReceivedBytes(uint8_t* bytes, uint16_t count, uint32_t tick) override;
    std::vector<CarOnCourse> CarsOnCourseNow() const override;
    void PutBackOnCourse(const std::vector<CarOnCourse>& cars) override;
    void RefreshWaitingCar();

    // The sensors' lamps and labels, in every mode (they are shown on this tab): a start or
    // finish whose label is not red yet asks for its tone while nothing waits to be spoken.
    void TakeLampEvent(const SensorEvent& event);
    // Session stop: every lamp dark, every label normal.
    void ClearLamps();
    // The undo of a finished run's booking puts the run back on course at its own start, ahead
    // of the cars that started after it (`undone`); its redo takes it off again. The course
    // must have room (CanTakeBackFinish).
    bool CanTakeBackFinish(const CarOnCourse& run) const;
    // The start queue and the next-car box come back as they were before a crash.
    void RestoreStarters(std::string proposal, const std::array<int32_t, 4>& queue);
    bool TakeBackFinish(const CarOnCourse& run, bool undone);
    void ClearPenaltyHints() { view_->ClearPenaltyHints(); }
    bool LabelRed(SensorInput input) const { return labelRed_[static_cast<size_t>(input)]; }

    // Active edges from the sampler, in their order, with their sample ticks.
    void OnStartEdge(uint32_t tick) { course_.OnStartEdge(tick); }
    void OnFinishEdge(uint32_t tick) { course_.OnFinishEdge(tick); }
    void OnSplit1Edge(uint32_t tick) { course_.OnSplit1Edge(tick); }
    void OnSplit2Edge(uint32_t tick) { course_.OnSplit2Edge(tick); }
    // See GymkhanaCourse::PutBack; the positions are shown again.
    bool PutBackOnCourse(int32_t position, int32_t car, const CourseRecord& record) {
        const bool done = course_.PutBack(position, car, record);
        view_->ShowPositions();
        return done;
    }

    // The clock timer of a course position (Timer2..Timer5 for positions 1..4). Drain the
    // sensor events up to `now` first: on position 4 it finishes a timed-out car at once.
    CourseClockTick OnClockTimer(int32_t position, uint32_t now);

    // BitBtn2 and Enter in Memo114; false when the input was refused (message 109/110).
    bool AddCar();
    // Memo114 typed into (refresh afterwards when the edit is finished).
    void SetProposalText(std::string text) { startList_.SetProposalText(std::move(text)); }
    // An entry row picked by mouse or Enter.
    void PickEntryRow(int32_t row);
    // A queue box's edit begins and is committed; a refused edit leaves the queue as it is.
    PlaceEdit BeginStartPlaceEdit(int32_t place) const { return startList_.BeginPlaceEdit(place); }
    EditCommit CommitStartPlace(const PlaceEdit& edit, const std::string& text);
    // The same with the edit kept here, so that whether a box is being edited is the flow's
    // state, not the box's: begin, ask, commit (a place not being edited commits nothing).
    void BeginPlaceEditing(int32_t place);
    bool PlaceEditing(int32_t place) const;
    EditCommit CommitPlaceEditing(int32_t place, const std::string& text);
    // "削除" of StartPopup; place 0 when no queue box has the focus.
    void ClearStartPlace(int32_t place);

    // Course popup items for selectedPosition 1 ("I") .. 4 ("IV").
    bool PopupEnabled(int32_t selectedPosition) const;
    // The run the popup opens on. Its items act on that run wherever it has moved up to
    // meanwhile, and refuse (kRunLeft) once it has left the course, so that a car finishing
    // while the popup is open never passes its penalty on to the car behind it.
    CourseEdit PopupRun(int32_t selectedPosition) const;
    PopupOutcome AddPylonTouch(const CourseEdit& run);
    PopupOutcome RemovePylonTouch(const CourseEdit& run);
    PopupOutcome MissCourse(const CourseEdit& run);
    PopupOutcome ClearPenalty(const CourseEdit& run);
    PopupOutcome RemoveCar(const CourseEdit& run);
    // The same on the run in the position now; true when something changed.
    bool AddPylonTouch(int32_t selectedPosition);
    bool RemovePylonTouch(int32_t selectedPosition);
    bool MissCourse(int32_t selectedPosition);
    bool ClearPenalty(int32_t selectedPosition);
    bool RemoveCar(int32_t selectedPosition);
    // A course box's edit begins (`position` is the box's Tag, 1..4) and is committed. The
    // correction goes to the run the edit began on; it is refused when the text is no number
    // or that run has left the position meanwhile. The boxes are redrawn either way.
    CourseEdit BeginCourseEdit(int32_t position) const { return course_.BeginEdit(position); }
    EditCommit CommitCourseCar(const CourseEdit& edit, const std::string& text);
    void BeginCourseEditing(int32_t position);
    bool CourseEditing(int32_t position) const;
    // The car the position's edit began on (0 when none).
    int32_t CourseEditCar(int32_t position) const;
    EditCommit CommitCourseEditing(int32_t position, const std::string& text);

private:
    void StartPassesChanged(int32_t remaining) override;
    void FinishPassesChanged(int32_t remaining) override;
    void CourseFull() override;
    void CarStarted(int32_t car, int32_t position) override;
    void SplitShown(SplitDisplay display, int32_t car, int32_t ms) override;
    void CarFinished(const FinishedRun& run) override;

    bool Running() const;
    void SelectEntryRow(int32_t row);
    bool AfterPenalty(bool changed);
    PopupOutcome OnRun(const CourseEdit& run, bool (GymkhanaCourse::*item)(int32_t));
    bool OnSelection(int32_t selectedPosition, bool (GymkhanaCourse::*item)(int32_t));
    void RequestTone(SensorInput input);
    static bool ValidSlot(int32_t slot) { return slot >= 1 && slot <= 4; }

    SessionState& session_;
    EntryTable& entries_;
    ResultBooking& booking_;
    GymkhanaView* view_;
    GymkhanaLinks links_;
    GymkhanaCourse course_{*this};
    StartList startList_;
    ResultSettings resultSettings_;
    CourseConfig config_;
    std::array<std::optional<PlaceEdit>, 5> placeEdits_{};    // by queue place 1..4
    std::array<std::optional<CourseEdit>, 5> courseEdits_{};  // by course position 1..4
    std::array<bool, kSensorInputCount> labelRed_{};
};

}  // namespace vantrel
