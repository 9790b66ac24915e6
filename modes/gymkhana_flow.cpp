#include "modes/gymkhana_flow.h"

#include "common/session_state.h"
#include "common/setup_settings.h"
#include "common/time_text.h"
#include "lists/entry_table.h"
#include "modes/gymkhana_texts.h"

namespace vantrel {

bool SplitDisplayVisible(bool gymkhanaActive, bool split1Connected, bool split2Connected,
                         int32_t finishPassIndex) {
    return gymkhanaActive && (split1Connected || split2Connected || finishPassIndex > 0);
}

GymkhanaFlow::GymkhanaFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
                           GymkhanaView& view)
    : session_(session), entries_(entries), booking_(booking), view_(view) {}

void GymkhanaFlow::Configure(const SetupSettings& setup, int32_t startPassIndex,
                             int32_t finishPassIndex) {
    CourseConfig config;
    config.startPassIndex = startPassIndex;
    config.finishPassIndex = finishPassIndex;
    config.split1Connected = setup.Split1Connected();
    config.split2Connected = setup.Split2Connected();
    course_.SetConfig(config);
    resultSettings_.timeFormat = setup.timeFormat;
    resultSettings_.distanceM = setup.distanceM;
    resultSettings_.timeOut = setup.timeOut;
}

bool GymkhanaFlow::Running() const {
    return session_.running.load();
}

void GymkhanaFlow::ModeReset() {
    course_.Reset();
    startList_.Reset();
    SelectEntryRow(1);
    view_.ShowStartList();
    view_.ShowPositions();
}

void GymkhanaFlow::StartSession() {
    course_.StartSession();
    RefreshWaitingCar();
}

void GymkhanaFlow::RefreshWaitingCar() {
    const WaitingCarChoice choice = startList_.RefreshWaitingCar(Running());
    session_.waitingNumber = choice.number;
    course_.SetWaitingCar(choice.number);
    view_.ShowStartList();
    view_.ShowStatus(choice.statusText);
}

void GymkhanaFlow::SelectEntryRow(int32_t row) {
    if (row < 1 || row > kMaxCarNumber) {
        return;
    }
    session_.entryRow = row;
    view_.SelectEntryRow(row);
}

CourseClockTick GymkhanaFlow::OnClockTimer(int32_t position, uint32_t now) {
    if (!Running() || !course_.HoldsCar(position)) {
        return {};
    }
    const bool positionI = position == kOldestPosition;
    CourseClockTick tick =
        CourseClock(course_.ElapsedMs(position, now), positionI, resultSettings_.timeOut);
    if (tick.timedOut) {
        view_.TimeoutFinishPass(now);  // before the finish books the run and saves the log
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
        view_.ShowStartList();
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

void GymkhanaFlow::ClearStartPlace(int32_t place) {
    startList_.ClearPlace(place);
    RefreshWaitingCar();
}

bool GymkhanaFlow::PopupEnabled(int32_t selectedPosition) const {
    return course_.HoldsCar(PositionOfSelection(selectedPosition));
}

bool GymkhanaFlow::AfterPenalty(bool changed) {
    if (changed) {
        view_.ShowPositions();
    }
    return changed;
}

bool GymkhanaFlow::AddPylonTouch(int32_t selectedPosition) {
    return AfterPenalty(course_.AddPylonTouch(PositionOfSelection(selectedPosition)));
}

bool GymkhanaFlow::RemovePylonTouch(int32_t selectedPosition) {
    return AfterPenalty(course_.RemovePylonTouch(PositionOfSelection(selectedPosition)));
}

bool GymkhanaFlow::MissCourse(int32_t selectedPosition) {
    return AfterPenalty(course_.MissCourse(PositionOfSelection(selectedPosition)));
}

bool GymkhanaFlow::ClearPenalty(int32_t selectedPosition) {
    return AfterPenalty(course_.ClearPenalty(PositionOfSelection(selectedPosition)));
}

bool GymkhanaFlow::RemoveCar(int32_t selectedPosition) {
    return AfterPenalty(course_.RemovePosition(PositionOfSelection(selectedPosition)));
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
    view_.ShowPositions();
    return outcome;
}

void GymkhanaFlow::StartPassesChanged(int32_t remaining) {
    view_.ShowPassCounters(remaining, course_.State().finishPassesToSkip);
}

void GymkhanaFlow::FinishPassesChanged(int32_t remaining) {
    view_.ShowPassCounters(course_.State().startPassesToSkip, remaining);
}

void GymkhanaFlow::CourseFull() {
    view_.ShowStatus(kMsgCourseFull);
}

void GymkhanaFlow::CarStarted(int32_t /*car*/, int32_t /*position*/) {
    SelectEntryRow(startList_.CarStarted());
    view_.ShowPositions();
    RefreshWaitingCar();
}

void GymkhanaFlow::SplitShown(SplitDisplay display, int32_t car, int32_t ms) {
    view_.ShowSplit(display, std::to_string(car),
                    FormatRaceTime(ms, resultSettings_.timeFormat, false));
}

void GymkhanaFlow::CarFinished(const FinishedRun& run) {
    view_.ShowPositions();
    const BookedResult result = BookGymkhanaResult(run, resultSettings_, entries_, session_);
    const int32_t resultRow = booking_.AddResult(result);
    session_.resultRow = resultRow;
    view_.ShowResult(result, resultRow);
}

}  // namespace vantrel
