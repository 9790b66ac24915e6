#include "modes/gymkhana_flow.h"

#include "common/session_state.h"
#include "common/setup_settings.h"
#include "common/time_text.h"
#include "common/ui_text.h"
#include "lists/entry_table.h"
#include "modes/gymkhana_texts.h"
#include "modes/receiver_codes.h"
#include "sensors/sensor_log.h"
#include "sensors/tick_commands.h"

namespace vantrel {

bool SplitDisplayVisible(bool gymkhanaActive, bool split1Connected, bool split2Connected,
                         int32_t finishPassIndex) {
    return gymkhanaActive && (split1Connected || split2Connected || finishPassIndex > 0);
}

namespace {
GymkhanaView& NoView() {
    static GymkhanaView none;
    return none;
}
}  // namespace

GymkhanaFlow::GymkhanaFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
                           GymkhanaView& view)
    : session_(session), entries_(entries), booking_(booking), view_(&view) {}

GymkhanaFlow::GymkhanaFlow(SessionState& session, EntryTable& entries, ResultBooking& booking)
    : GymkhanaFlow(session, entries, booking, NoView()) {}

void GymkhanaFlow::Configure(const SetupSettings& setup, int32_t startPassIndex,
                             int32_t finishPassIndex) {
    config_.split1Connected = setup.Split1Connected();
    config_.split2Connected = setup.Split2Connected();
    resultSettings_.timeFormat = setup.timeFormat;
    resultSettings_.distanceM = setup.distanceM;
    resultSettings_.timeOut = setup.timeOut;
    SetPassCounts(startPassIndex, finishPassIndex);
}

void GymkhanaFlow::Configure(const SetupSettings& setup) {
    Configure(setup, session_.startPassIndex, session_.finishPassIndex);
}

void GymkhanaFlow::SetPassCounts(int32_t startPassIndex, int32_t finishPassIndex) {
    session_.startPassIndex = startPassIndex;
    session_.finishPassIndex = finishPassIndex;
    config_.startPassIndex = startPassIndex;
    config_.finishPassIndex = finishPassIndex;
    course_.SetConfig(config_);
    view_->ShowPassCountChoice(startPassIndex, finishPassIndex);
}

bool GymkhanaFlow::Running() const {
    return session_.running.load();
}

void GymkhanaFlow::ModeReset() {
    if (links_.tick != nullptr) {
        links_.tick->ResetOffDelays();
    }
    course_.Reset();
    startList_.Reset();
    SelectEntryRow(1);
    view_->ShowStartList();
    view_->ShowPositions();
    view_->ClearResultDisplays();
    SetPassCounts(session_.startPassIndex, session_.finishPassIndex);
}

void GymkhanaFlow::StopSession() {
    RefreshWaitingCar();
    view_->SessionStopped();
}

void GymkhanaFlow::TakeSensorEvent(const SensorEvent& event) {
    if (event.kind != SensorEventKind::kActiveEdge) {
        return;
    }
    switch (event.input) {
        case SensorInput::kStart:
            OnStartEdge(event.tick);
            break;
        case SensorInput::kFinish:
            OnFinishEdge(event.tick);
            break;
        case SensorInput::kSplit1:
            OnSplit1Edge(event.tick);
            break;
        case SensorInput::kSplit2:
            OnSplit2Edge(event.tick);
            break;
    }
}

void GymkhanaFlow::TakeReceivedBytes(uint8_t* bytes, uint16_t count, uint32_t /*tick*/) {
    if (const std::optional<int32_t> car =
            PickCarFromReceiver(bytes, count, session_, session_.entryRow)) {
        view_->SelectEntryRow(*car);
    }
}

std::vector<CarOnCourse> GymkhanaFlow::CarsOnCourseNow() const {
    std::vector<CarOnCourse> cars;
    const CourseState& s = course_.State();
    for (int32_t position = kNewestPosition; position <= kOldestPosition; ++position) {
        if (course_.HoldsCar(position)) {
            const CourseRecord& record = s.courseTimes[position];
            cars.push_back({position, s.courseCar[position], record[kStartWord],
                            record[kSplit1Word], record[kSplit2Word], record[kPenaltyWord]});
        }
    }
    return cars;
}

void GymkhanaFlow::PutBackOnCourse(const std::vector<CarOnCourse>& cars) {
    for (const CarOnCourse& car : cars) {
        course_.PutBack(car.position, car.car,
                        {car.startTick, car.split1Ms, car.split2Ms, car.penalty});
    }
    view_->ShowPositions();
}

void GymkhanaFlow::TakeLampEvent(const SensorEvent& event) {
    const auto index = static_cast<size_t>(event.input);
    switch (event.kind) {
        case SensorEventKind::kLampOn:
            RequestTone(event.input);
            view_->ShowLamp(event.input, true);
            break;
        case SensorEventKind::kLampOff:
            view_->ShowLamp(event.input, false);
            break;
        case SensorEventKind::kLabelRed:
        case SensorEventKind::kOffDelayOver:
            labelRed_[index] = event.kind == SensorEventKind::kLabelRed;
            view_->ShowLabelRed(event.input, labelRed_[index]);
            break;
        default:
            break;
    }
}

void GymkhanaFlow::RequestTone(SensorInput input) {
    // Only a pass that turns its label red sounds, and only while nothing waits to be spoken.
    if (input != SensorInput::kStart && input != SensorInput::kFinish) {
        return;
    }
    if (links_.tones == nullptr || LabelRed(input) || links_.tones->Busy()) {
        return;
    }
    links_.tones->RequestTone(input == SensorInput::kStart ? Tone::kHigh : Tone::kLow);
}

void GymkhanaFlow::RestoreStarters(std::string proposal, const std::array<int32_t, 4>& queue) {
    startList_.Restore(std::move(proposal), queue);
    RefreshWaitingCar();
}

bool GymkhanaFlow::CanTakeBackFinish(const CarOnCourse& run) const {
    return !course_.HoldsCar(kNewestPosition) &&
           course_.PositionOf({0, run.car, run.startTick}) == 0;
}

bool GymkhanaFlow::TakeBackFinish(const CarOnCourse& run, bool undone) {
    bool changed = false;
    if (undone) {
        changed =
            course_.Unfinish(run.car, {run.startTick, run.split1Ms, run.split2Ms, run.penalty});
    } else if (const int32_t position = course_.PositionOf({0, run.car, run.startTick})) {
        changed = course_.RemovePosition(position);
    }
    view_->ShowPositions();
    return changed;
}

void GymkhanaFlow::ClearLamps() {
    for (int i = 0; i < kSensorInputCount; ++i) {
        const auto input = static_cast<SensorInput>(i);
        labelRed_[static_cast<size_t>(i)] = false;
        view_->ShowLabelRed(input, false);
        if (input == SensorInput::kStart || input == SensorInput::kFinish) {
            view_->ShowLamp(input, false);
        }
    }
}

void GymkhanaFlow::StartSession() {
    course_.StartSession();
    RefreshWaitingCar();
}

void GymkhanaFlow::RefreshWaitingCar() {
    const WaitingCarChoice choice = startList_.RefreshWaitingCar(Running());
    session_.waitingNumber = choice.number;
    course_.SetWaitingCar(choice.number);
    view_->ShowStartList();
    view_->ShowStatus(choice.statusText);
}

void GymkhanaFlow::SelectEntryRow(int32_t row) {
    if (row < 1 || row > kMaxCarNumber) {
        return;
    }
    session_.entryRow = row;
    view_->SelectEntryRow(row);
}

CourseClockTick GymkhanaFlow::OnClockTimer(int32_t position, uint32_t now) {
    if (!Running() || !course_.HoldsCar(position)) {
        return {};
    }
    const bool positionI = position == kOldestPosition;
    CourseClockTick tick =
        CourseClock(course_.ElapsedMs(position, now), positionI, resultSettings_.timeOut);
    if (tick.timedOut) {
        // Before the finish books the run and saves the log.
        if (links_.log != nullptr) {
            links_.log->AddFinishPass(now);
        }
        view_->TimeoutFinishPass(now);
        course_.OnTimeout(now, TimeoutLimitMs(resultSettings_.timeOut));
    }
    return tick;
}

bool GymkhanaFlow::AddCar() {
    if (!Running()) {
        return true;
    }
    const AddCarOutcome outcome = startList_.AddCar();
    if (outcome.refused) {
        view_->ShowStartList();
        return false;
    }
    RefreshWaitingCar();
    SelectEntryRow(outcome.entryRow);
    return true;
}

void GymkhanaFlow::PickEntryRow(int32_t row) {
    if (row < 1 || row > kMaxCarNumber) {
        return;
    }
    startList_.SetProposalText(std::to_string(row));
    SelectEntryRow(row);
    RefreshWaitingCar();
}

EditCommit GymkhanaFlow::CommitStartPlace(const PlaceEdit& edit, const std::string& text) {
    const EditCommit outcome = startList_.CommitPlace(edit, text);
    RefreshWaitingCar();
    return outcome;
}

void GymkhanaFlow::BeginPlaceEditing(int32_t place) {
    if (ValidSlot(place)) {
        placeEdits_[place] = startList_.BeginPlaceEdit(place);
        view_->ShowPlaceEditing(place, true);
    }
}

bool GymkhanaFlow::PlaceEditing(int32_t place) const {
    return ValidSlot(place) && placeEdits_[place].has_value();
}

EditCommit GymkhanaFlow::CommitPlaceEditing(int32_t place, const std::string& text) {
    if (!PlaceEditing(place)) {
        return EditCommit::kMoved;
    }
    const PlaceEdit edit = *placeEdits_[place];
    placeEdits_[place].reset();
    view_->ShowPlaceEditing(place, false);
    return CommitStartPlace(edit, text);
}

void GymkhanaFlow::BeginCourseEditing(int32_t position) {
    if (ValidSlot(position)) {
        courseEdits_[position] = course_.BeginEdit(position);
        view_->ShowCourseEditing(position, true);
    }
}

bool GymkhanaFlow::CourseEditing(int32_t position) const {
    return ValidSlot(position) && courseEdits_[position].has_value();
}

int32_t GymkhanaFlow::CourseEditCar(int32_t position) const {
    return CourseEditing(position) ? courseEdits_[position]->car : 0;
}

EditCommit GymkhanaFlow::CommitCourseEditing(int32_t position, const std::string& text) {
    if (!CourseEditing(position)) {
        return EditCommit::kMoved;
    }
    const CourseEdit edit = *courseEdits_[position];
    courseEdits_[position].reset();
    view_->ShowCourseEditing(position, false);
    return CommitCourseCar(edit, text);
}

void GymkhanaFlow::ClearStartPlace(int32_t place) {
    startList_.ClearPlace(place);
    RefreshWaitingCar();
}

bool GymkhanaFlow::PopupEnabled(int32_t selectedPosition) const {
    return course_.HoldsCar(PositionOfSelection(selectedPosition));
}

bool GymkhanaFlow::AfterPenalty(bool changed) {
    if (changed) {
        view_->ShowPositions();
    }
    return changed;
}

CourseEdit GymkhanaFlow::PopupRun(int32_t selectedPosition) const {
    return course_.BeginEdit(PositionOfSelection(selectedPosition));
}

PopupOutcome GymkhanaFlow::OnRun(const CourseEdit& run, bool (GymkhanaCourse::*item)(int32_t)) {
    if (run.car == 0) {
        return PopupOutcome::kUnchanged;
    }
    const int32_t position = course_.PositionOf(run);
    if (position == 0) {
        return PopupOutcome::kRunLeft;
    }
    return AfterPenalty((course_.*item)(position)) ? PopupOutcome::kChanged
                                                   : PopupOutcome::kUnchanged;
}

bool GymkhanaFlow::OnSelection(int32_t selectedPosition, bool (GymkhanaCourse::*item)(int32_t)) {
    return OnRun(PopupRun(selectedPosition), item) == PopupOutcome::kChanged;
}

PopupOutcome GymkhanaFlow::AddPylonTouch(const CourseEdit& run) {
    return OnRun(run, &GymkhanaCourse::AddPylonTouch);
}

PopupOutcome GymkhanaFlow::RemovePylonTouch(const CourseEdit& run) {
    return OnRun(run, &GymkhanaCourse::RemovePylonTouch);
}

PopupOutcome GymkhanaFlow::MissCourse(const CourseEdit& run) {
    return OnRun(run, &GymkhanaCourse::MissCourse);
}

PopupOutcome GymkhanaFlow::ClearPenalty(const CourseEdit& run) {
    return OnRun(run, &GymkhanaCourse::ClearPenalty);
}

PopupOutcome GymkhanaFlow::RemoveCar(const CourseEdit& run) {
    return OnRun(run, &GymkhanaCourse::RemovePosition);
}

bool GymkhanaFlow::AddPylonTouch(int32_t selectedPosition) {
    return OnSelection(selectedPosition, &GymkhanaCourse::AddPylonTouch);
}

bool GymkhanaFlow::RemovePylonTouch(int32_t selectedPosition) {
    return OnSelection(selectedPosition, &GymkhanaCourse::RemovePylonTouch);
}

bool GymkhanaFlow::MissCourse(int32_t selectedPosition) {
    return OnSelection(selectedPosition, &GymkhanaCourse::MissCourse);
}

bool GymkhanaFlow::ClearPenalty(int32_t selectedPosition) {
    return OnSelection(selectedPosition, &GymkhanaCourse::ClearPenalty);
}

bool GymkhanaFlow::RemoveCar(int32_t selectedPosition) {
    return OnSelection(selectedPosition, &GymkhanaCourse::RemovePosition);
}

EditCommit GymkhanaFlow::CommitCourseCar(const CourseEdit& edit, const std::string& text) {
    EditCommit outcome = EditCommit::kMoved;
    if (course_.StillHolds(edit)) {
        const int32_t car = ParseCarNumber(text);
        outcome = car == kNotACarNumber ? EditCommit::kNotANumber : EditCommit::kAccepted;
        if (outcome == EditCommit::kAccepted) {
            course_.CorrectCar(edit.position, car);
        }
    }
    view_->ShowPositions();
    return outcome;
}

void GymkhanaFlow::StartPassesChanged(int32_t remaining) {
    view_->ShowPassCounters(remaining, course_.State().finishPassesToSkip);
}

void GymkhanaFlow::FinishPassesChanged(int32_t remaining) {
    view_->ShowPassCounters(course_.State().startPassesToSkip, remaining);
}

void GymkhanaFlow::CourseFull() {
    view_->ShowStatus(Translated(kMsgCourseFull));
}

void GymkhanaFlow::CarStarted(int32_t /*car*/, int32_t /*position*/) {
    SelectEntryRow(startList_.CarStarted());
    view_->ShowPositions();
    RefreshWaitingCar();
}

void GymkhanaFlow::SplitShown(SplitDisplay display, int32_t car, int32_t ms) {
    view_->ShowSplit(display, std::to_string(car),
                     FormatRaceTime(ms, resultSettings_.timeFormat, false));
}

void GymkhanaFlow::CarFinished(const FinishedRun& run) {
    view_->ShowPositions();
    BookedResult result = BookGymkhanaResult(run, resultSettings_, entries_, session_);
    result.run = CarOnCourse{kOldestPosition, run.car,      static_cast<int32_t>(run.startTick),
                             run.split1Ms,    run.split2Ms, run.penalty};
    const int32_t resultRow = booking_.AddResult(result);
    session_.resultRow = resultRow;
    view_->ShowResult(result, resultRow);
}

}  // namespace vantrel
