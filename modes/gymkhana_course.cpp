#include "modes/gymkhana_course.h"

#include "modes/gymkhana_texts.h"

namespace vantrel {

int32_t ElapsedSince(int32_t startWord, uint32_t tick) {
    return static_cast<int32_t>(tick - static_cast<uint32_t>(startWord));
}

std::string PenaltyHint(int32_t penaltyWord) {
    if (penaltyWord == kMissCourse) {
        return kPenMissCourse;
    }
    if (penaltyWord == 0) {
        return {};
    }
    return Translated(kPylonTouchHint, {std::to_string(penaltyWord)});
}

int32_t PositionOfSelection(int32_t selectedPosition) {
    if (selectedPosition < 1 || selectedPosition > 4) {
        return 0;
    }
    return 5 - selectedPosition;
}

bool GymkhanaCourse::IsPosition(int32_t position) {
    return position >= kNewestPosition && position <= kOldestPosition;
}

void GymkhanaCourse::Reset() {
    const int32_t startPasses = state_.startPassesToSkip;
    const int32_t finishPasses = state_.finishPassesToSkip;
    state_ = CourseState{};
    state_.startPassesToSkip = startPasses;
    state_.finishPassesToSkip = finishPasses;
}

void GymkhanaCourse::StartSession() {
    SetStartPasses(0);
    SetFinishPasses(config_.finishPassIndex);
}

void GymkhanaCourse::SetStartPasses(int32_t value) {
    state_.startPassesToSkip = value;
    observer_.StartPassesChanged(value);
}

void GymkhanaCourse::SetFinishPasses(int32_t value) {
    state_.finishPassesToSkip = value;
    observer_.FinishPassesChanged(value);
}

void GymkhanaCourse::OnStartEdge(uint32_t tick) {
    if (state_.startPassesToSkip > 0) {
        SetStartPasses(state_.startPassesToSkip - 1);
        return;
    }
    if (state_.waitingCar == 0) {
        return;
    }
    int32_t position = kOldestPosition;
    while (position >= kNewestPosition && state_.courseCar[position] != 0) {
        --position;
    }
    if (position < kNewestPosition) {
        observer_.CourseFull();
        return;
    }
    const int32_t car = state_.waitingCar;
    state_.courseCar[position] = car;
    // A fresh record: words left from an earlier car must not read as splits already passed.
    state_.courseTimes[position] = {static_cast<int32_t>(tick), 0, 0, 0};
    state_.waitingCar = 0;
    observer_.CarStarted(car, position);
    SetStartPasses(config_.startPassIndex);
}

void GymkhanaCourse::OnFinishEdge(uint32_t tick) {
    // The course fills from position 4, so an empty position 4 means nobody to finish; the
    // pass must not use up an intermediate pass owed by the next car.
    if (!HoldsCar(kOldestPosition)) {
        return;
    }
    if (state_.finishPassesToSkip > 0) {
        SetFinishPasses(state_.finishPassesToSkip - 1);
        IntermediateFinishPass(tick);
        return;
    }
    Finish(tick, false);
}

void GymkhanaCourse::IntermediateFinishPass(uint32_t tick) {
    CourseRecord& record = state_.courseTimes[kOldestPosition];
    const int32_t elapsed = ElapsedSince(record[kStartWord], tick);
    if (!config_.split1Connected) {
        record[kSplit1Word] = elapsed;
    } else if (!config_.split2Connected) {
        record[kSplit2Word] = elapsed;
    }
    state_.lastSplitMs = elapsed;
    state_.lastSplitCar = state_.courseCar[kOldestPosition];
    observer_.SplitShown(SplitDisplay::kSplit1, state_.lastSplitCar, elapsed);
}

void GymkhanaCourse::Finish(uint32_t tick, bool timedOut) {
    CourseRecord& finished = state_.courseTimes[kFinishedRecord];
    finished = state_.courseTimes[kOldestPosition];
    finished[kStartWord] = ElapsedSince(finished[kStartWord], tick);
    state_.finishedCar = state_.courseCar[kOldestPosition];
    for (int32_t position = kOldestPosition; position > kNewestPosition; --position) {
        state_.courseCar[position] = state_.courseCar[position - 1];
        state_.courseTimes[position] = state_.courseTimes[position - 1];
    }
    state_.courseCar[kNewestPosition] = 0;
    state_.courseTimes[kNewestPosition] = {};
    SetFinishPasses(config_.finishPassIndex);

    FinishedRun run;
    run.car = state_.finishedCar;
    run.runMs = finished[kStartWord];
    run.split1Ms = finished[kSplit1Word];
    run.split2Ms = finished[kSplit2Word];
    run.penalty = finished[kPenaltyWord];
    run.timedOut = timedOut;
    run.startTick = tick - static_cast<uint32_t>(run.runMs);
    observer_.CarFinished(run);
}

bool GymkhanaCourse::OnTimeout(uint32_t tick, int32_t limitMs) {
    if (!HoldsCar(kOldestPosition) || ElapsedMs(kOldestPosition, tick) < limitMs) {
        return false;
    }
    Finish(tick, true);
    return true;
}

void GymkhanaCourse::OnSplit1Edge(uint32_t tick) {
    Split(kSplit1Word, SplitDisplay::kSplit1, tick);
}

void GymkhanaCourse::OnSplit2Edge(uint32_t tick) {
    Split(kSplit2Word, SplitDisplay::kSplit2, tick);
}

void GymkhanaCourse::Split(int32_t word, SplitDisplay display, uint32_t tick) {
    for (int32_t position = kOldestPosition; position >= kNewestPosition; --position) {
        CourseRecord& record = state_.courseTimes[position];
        if (state_.courseCar[position] == 0 || record[word] != 0) {
            continue;
        }
        record[word] = ElapsedSince(record[kStartWord], tick);
        state_.lastSplitMs = record[word];
        state_.lastSplitCar = state_.courseCar[position];
        observer_.SplitShown(display, state_.lastSplitCar, state_.lastSplitMs);
        return;
    }
}

bool GymkhanaCourse::HoldsCar(int32_t position) const {
    return IsPosition(position) && state_.courseCar[position] != 0;
}

int32_t GymkhanaCourse::CarsOnCourse() const {
    int32_t count = 0;
    for (int32_t position = kNewestPosition; position <= kOldestPosition; ++position) {
        count += HoldsCar(position) ? 1 : 0;
    }
    return count;
}

int32_t GymkhanaCourse::ElapsedMs(int32_t position, uint32_t now) const {
    if (!IsPosition(position)) {
        return 0;
    }
    return ElapsedSince(state_.courseTimes[position][kStartWord], now);
}

bool GymkhanaCourse::RemovePosition(int32_t position) {
    if (!HoldsCar(position)) {
        return false;
    }
    for (int32_t to = position; to > kNewestPosition; --to) {
        state_.courseCar[to] = state_.courseCar[to - 1];
        state_.courseTimes[to] = state_.courseTimes[to - 1];
    }
    state_.courseCar[kNewestPosition] = 0;
    state_.courseTimes[kNewestPosition] = {};
    state_.finishedCar = 0;
    SetStartPasses(0);
    SetFinishPasses(config_.finishPassIndex);
    return true;
}

bool GymkhanaCourse::PutBack(int32_t position, int32_t car, const CourseRecord& record) {
    if (!IsPosition(position) || HoldsCar(position) || car <= 0) {
        return false;
    }
    state_.courseCar[position] = car;
    state_.courseTimes[position] = record;
    return true;
}

bool GymkhanaCourse::Unfinish(int32_t car, const CourseRecord& record) {
    if (car <= 0 || HoldsCar(kNewestPosition) || PositionOf({0, car, record[kStartWord]}) != 0) {
        return false;
    }
    for (int32_t position = kNewestPosition; position < kOldestPosition; ++position) {
        state_.courseCar[position] = state_.courseCar[position + 1];
        state_.courseTimes[position] = state_.courseTimes[position + 1];
    }
    state_.courseCar[kOldestPosition] = car;
    state_.courseTimes[kOldestPosition] = record;
    return true;
}

bool GymkhanaCourse::CorrectCar(int32_t position, int32_t car) {
    if (!HoldsCar(position) || car <= 0) {
        return false;
    }
    state_.courseCar[position] = car;
    return true;
}

CourseEdit GymkhanaCourse::BeginEdit(int32_t position) const {
    if (!HoldsCar(position)) {
        return {position, 0, 0};
    }
    return {position, state_.courseCar[position], state_.courseTimes[position][kStartWord]};
}

bool GymkhanaCourse::StillHolds(const CourseEdit& edit) const {
    return edit.car != 0 && HoldsCar(edit.position) &&
           state_.courseCar[edit.position] == edit.car &&
           state_.courseTimes[edit.position][kStartWord] == edit.startWord;
}

int32_t GymkhanaCourse::PositionOf(const CourseEdit& run) const {
    for (int32_t position = kNewestPosition; position <= kOldestPosition; ++position) {
        if (StillHolds({position, run.car, run.startWord})) {
            return position;
        }
    }
    return 0;
}

bool GymkhanaCourse::AddPylonTouch(int32_t position) {
    if (!HoldsCar(position) || state_.courseTimes[position][kPenaltyWord] == kMissCourse) {
        return false;
    }
    ++state_.courseTimes[position][kPenaltyWord];
    return true;
}

bool GymkhanaCourse::RemovePylonTouch(int32_t position) {
    if (!HoldsCar(position) || state_.courseTimes[position][kPenaltyWord] <= 0) {
        return false;
    }
    --state_.courseTimes[position][kPenaltyWord];
    return true;
}

bool GymkhanaCourse::MissCourse(int32_t position) {
    if (!HoldsCar(position) || state_.courseTimes[position][kPenaltyWord] == kMissCourse) {
        return false;
    }
    state_.courseTimes[position][kPenaltyWord] = kMissCourse;
    return true;
}

bool GymkhanaCourse::ClearPenalty(int32_t position) {
    if (!HoldsCar(position) || state_.courseTimes[position][kPenaltyWord] == 0) {
        return false;
    }
    state_.courseTimes[position][kPenaltyWord] = 0;
    return true;
}

std::string GymkhanaCourse::PenaltyHintAt(int32_t position) const {
    if (!HoldsCar(position)) {
        return {};
    }
    return PenaltyHint(state_.courseTimes[position][kPenaltyWord]);
}

}  // namespace vantrel
