#pragma once
// The cars on the gymkhana course: the waiting car, up to four cars between start and finish
// and the record of the car that has just finished. Consumes the sensors' active edges in
// the order they happened, each with its sample tick, and reports to an observer.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

// Words of a course record.
inline constexpr int32_t kStartWord = 0;    // start tick; the run time in the finished record
inline constexpr int32_t kSplit1Word = 1;   // ms from start, 0 = not yet passed
inline constexpr int32_t kSplit2Word = 2;   // ms from start, 0 = not yet passed
inline constexpr int32_t kPenaltyWord = 3;  // pylon touches, or kMissCourse
inline constexpr int32_t kMissCourse = -1;

// Records: 0 the waiting car, 1..4 the positions (4 = longest on course), 5 the finished car.
inline constexpr int32_t kWaitingRecord = 0;
inline constexpr int32_t kNewestPosition = 1;
inline constexpr int32_t kOldestPosition = 4;
inline constexpr int32_t kFinishedRecord = 5;

using CourseRecord = std::array<int32_t, 4>;

// The finished car as the result routines need it.
struct FinishedRun {
    int32_t car = 0;
    int32_t runMs = 0;
    int32_t split1Ms = 0;
    int32_t split2Ms = 0;
    int32_t penalty = 0;
    bool timedOut = false;   // finished by the time limit, not by the finish sensor
    uint32_t startTick = 0;  // the start pass's sample tick
};

// Which split display a pass goes to (ShowSplit1 or ShowSplit2).
enum class SplitDisplay { kSplit1, kSplit2 };

class CourseObserver {
public:
    virtual ~CourseObserver() = default;
    // The pass counters after they changed (Memo115, Memo116).
    virtual void StartPassesChanged(int32_t /*remaining*/) {}
    virtual void FinishPassesChanged(int32_t /*remaining*/) {}
    // A start pass found all four positions taken (status text, message 120).
    virtual void CourseFull() {}
    // The waiting car has been put on the course; run CarStarted.
    virtual void CarStarted(int32_t /*car*/, int32_t /*position*/) {}
    // A split (or an intermediate finish pass) to show; lastSplitCar/lastSplitMs are set.
    virtual void SplitShown(SplitDisplay /*display*/, int32_t /*car*/, int32_t /*ms*/) {}
    // Every record has moved one position on; record 5 holds `run`. Run CarFinished.
    virtual void CarFinished(const FinishedRun& /*run*/) {}
};

// How the course counts passes; set from the pass-count combos and the split pins.
struct CourseConfig {
    int32_t startPassIndex = 0;   // ComboBox100 item index: extra start passes per car
    int32_t finishPassIndex = 0;  // ComboBox101 item index: extra finish passes per car
    bool split1Connected = false;
    bool split2Connected = false;
};

// A run on course as a correction sees it: its position, car and start tick.
struct CourseEdit {
    int32_t position = 0;
    int32_t car = 0;
    int32_t startWord = 0;
};

// The fields under the names the rest of the program uses. Index 0 of courseCar is unused
// so that positions read as in courseTimes.
struct CourseState {
    int32_t waitingCar = 0;
    std::array<int32_t, 5> courseCar{};
    std::array<CourseRecord, 6> courseTimes{};
    int32_t finishedCar = 0;
    int32_t startPassesToSkip = 0;
    int32_t finishPassesToSkip = 0;
    int32_t lastSplitMs = 0;
    int32_t lastSplitCar = 0;
};

// Milliseconds from a start word to `tick`, across the wrap of the 32-bit tick.
int32_t ElapsedSince(int32_t startWord, uint32_t tick);

class GymkhanaCourse {
public:
    explicit GymkhanaCourse(CourseObserver& observer) : observer_(observer) {}

    const CourseState& State() const { return state_; }
    const CourseConfig& Config() const { return config_; }
    void SetConfig(const CourseConfig& config) { config_ = config; }
    void SetWaitingCar(int32_t car) { state_.waitingCar = car; }

    // Mode reset: no waiting car, empty positions, all records zero.
    void Reset();
    // Session start: no start pass to swallow, the full count of extra finish passes.
    void StartSession();

    void OnStartEdge(uint32_t tick);
    void OnFinishEdge(uint32_t tick);
    void OnSplit1Edge(uint32_t tick);
    void OnSplit2Edge(uint32_t tick);
    // Finishes the car in position "I" as timed out when it has been on course for at least
    // `limitMs` at `tick`, whatever the finish sensor is doing. Returns true if it did.
    bool OnTimeout(uint32_t tick, int32_t limitMs);

    bool HoldsCar(int32_t position) const;
    int32_t CarsOnCourse() const;
    int32_t ElapsedMs(int32_t position, uint32_t now) const;

    // Takes the car off without a result; the younger cars move up with their records.
    bool RemovePosition(int32_t position);
    // A session started again after a crash: `car` goes back to the free `position` with its
    // record (start tick, splits, penalty). False when the position is taken or invalid.
    bool PutBack(int32_t position, int32_t car, const CourseRecord& record);
    // A finish taken back (the undo of a phantom finish): the run goes back to position "I",
    // ahead of the cars that started after it, which move down one. False when the course is
    // full or the run is on course already.
    bool Unfinish(int32_t car, const CourseRecord& record);
    // Replaces the car number of an occupied position; its times and penalty stay.
    bool CorrectCar(int32_t position, int32_t car);
    // The run a course box's edit begins on, and whether that run still holds its position
    // (cars move up whenever an older one finishes or is removed).
    CourseEdit BeginEdit(int32_t position) const;
    bool StillHolds(const CourseEdit& edit) const;
    // The position that holds `run` now, wherever it has moved up to; 0 once it has left the
    // course (finished or removed) or when it names no run.
    int32_t PositionOf(const CourseEdit& run) const;

    // Penalty items; each returns true when the penalty word changed.
    bool AddPylonTouch(int32_t position);
    bool RemovePylonTouch(int32_t position);
    bool MissCourse(int32_t position);
    bool ClearPenalty(int32_t position);
    // The hint text both boxes of the position show: "", "PT<n>" or "MC".
    std::string PenaltyHintAt(int32_t position) const;

private:
    void Split(int32_t word, SplitDisplay display, uint32_t tick);
    void IntermediateFinishPass(uint32_t tick);
    void Finish(uint32_t tick, bool timedOut);
    void SetStartPasses(int32_t value);
    void SetFinishPasses(int32_t value);
    static bool IsPosition(int32_t position);

    CourseObserver& observer_;
    CourseConfig config_;
    CourseState state_;
};

// The hint text of a penalty word: "" for none, "PT<n>" for touches, "MC" for miss course.
std::string PenaltyHint(int32_t penaltyWord);

// The position the course popup acts on: selectedPosition 1 ("I") .. 4 ("IV") to course
// position 4 .. 1; 0 (none) gives 0.
int32_t PositionOfSelection(int32_t selectedPosition);

}  // namespace vantrel
