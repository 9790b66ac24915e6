#pragma once
// What the journal's records hold: the steps of the lists, undo and redo, the list files and
// their modified flags, session start and stop, the cars on course, a checkpoint of the
// whole state, and the clean end of the program. Each record type has its payload encoding.
// Thread rule: any thread.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/car_on_course.h"
#include "common/race_mode.h"
#include "journal/journal_record.h"
#include "lists/list_change.h"

namespace vantrel {

enum class JournalType : uint16_t {
    kCheckpoint = 1,
    kStep = 2,
    kUndo = 3,
    kRedo = 4,
    kFiles = 5,
    kSessionStart = 6,
    kSessionStop = 7,
    kCourse = 8,
    kProgramEnd = 9,
    kBooking = 10,
    kStarters = 11,
    kHistory = 12,
    kDrag = 13,
    kMode = 14,
};

// The list files and whether each list differs from its file.
struct JournalFiles {
    std::string entryFolder;
    std::string entryName;
    std::string resultFolder;
    std::string resultName;
    bool entryModified = false;
    bool resultModified = false;
    bool operator==(const JournalFiles&) const = default;
};

// The same files as the lists keep them, and back.
JournalFiles JournalFilesOf(const ListFiles& files);
ListFiles ListFilesOf(const JournalFiles& files);

struct JournalSession {
    RaceMode mode = RaceMode::kGymkhana;
    int32_t countingMethod = 0;
    uint32_t startTick = 0;
    std::string bootId;  // the monotonic tick compares only within one boot
    bool operator==(const JournalSession&) const = default;
};

// The most cars on course that a course record holds.
inline constexpr uint32_t kJournalCourseMax = 4;

struct JournalCourse {
    std::vector<CarOnCourse> cars;
    bool operator==(const JournalCourse&) const = default;
};

// The gymkhana's start queue and next-car box, which a restarted session shows again.
struct JournalStarters {
    std::string proposal = "1";
    std::array<int32_t, 4> queue{};
    bool operator==(const JournalStarters&) const = default;
};

// Everything the lists are restored from.
struct JournalCheckpoint {
    std::vector<NameAndModel> entries;  // cars 1..199, with their classes
    std::vector<std::string> laps;      // the "Lap" column, cars 1..199
    RaceMode resultMode = RaceMode::kGymkhana;
    TableRows resultRows;
    std::vector<int32_t> runCount;  // kCarSlots each
    std::vector<uint32_t> firstPassTime;
    std::vector<uint32_t> lastPassTime;
    JournalFiles files;
    RaceMode currentMode = RaceMode::kGymkhana;
    int32_t countingMethod = 0;
    bool operator==(const JournalCheckpoint&) const = default;
};

std::vector<uint8_t> EncodeStep(const ListStep& step);
std::optional<ListStep> DecodeStep(std::span<const uint8_t> payload);
// A booked run or lap with the cars on course after it, in one record, so that a car that
// finished is never found on course again after a crash.
struct JournalBooking {
    ListStep step;
    JournalCourse course;
    bool operator==(const JournalBooking&) const = default;
};
std::vector<uint8_t> EncodeBooking(const JournalBooking& booking);
std::optional<JournalBooking> DecodeBooking(std::span<const uint8_t> payload);
std::vector<uint8_t> EncodeFiles(const JournalFiles& files);
std::optional<JournalFiles> DecodeFiles(std::span<const uint8_t> payload);
std::vector<uint8_t> EncodeSession(const JournalSession& session);
std::optional<JournalSession> DecodeSession(std::span<const uint8_t> payload);
std::vector<uint8_t> EncodeCourse(const JournalCourse& course);
std::optional<JournalCourse> DecodeCourse(std::span<const uint8_t> payload);
std::vector<uint8_t> EncodeCheckpoint(const JournalCheckpoint& checkpoint);
std::optional<JournalCheckpoint> DecodeCheckpoint(std::span<const uint8_t> payload);

// The bytes that rows take in a step's or a checkpoint's payload: the rows of `rows`, or the
// data rows of `table`.
size_t EncodedRowsSize(const TableRows& rows);
size_t EncodedRowsSize(const ResultTable& table);

// The checkpoint of the lists, counters and files as they are.
JournalCheckpoint CheckpointOf(const EntryTable& entries, const ResultTable& results,
                               const SessionState& state, JournalFiles files);
// Puts the lists and counters of `checkpoint` in place.
void ApplyCheckpoint(const JournalCheckpoint& checkpoint, ListTarget target);

// One line of text for a record, for the journal dump: what happened and to which car.
std::string DescribeRecord(const JournalRecord& record);
// The record type's name in the dump ("booking", "undo", ...; "type <n>" when unknown).
std::string JournalTypeName(uint16_t type);

// A step of the undo history, written after a checkpoint so that undo and redo after a restore
// walk back through the steps made before it. Oldest first: the steps that can be undone, then
// those that can be redone, the next redo last.
struct JournalHistoryStep {
    bool undone = false;
    ListStep step;
    bool operator==(const JournalHistoryStep&) const = default;
};
std::vector<uint8_t> EncodeHistoryStep(const ListStep& step, bool undone);
std::optional<JournalHistoryStep> DecodeHistoryStep(std::span<const uint8_t> payload);
// The bytes EncodeStep would make of `step`, without making them.
size_t EncodedStepSize(const ListStep& step);

// The DRAG tab's car number box and the car whose run was in progress (-1: none).
struct JournalDrag {
    std::string nextCar;
    int32_t runCar = -1;
    bool operator==(const JournalDrag&) const = default;
};
std::vector<uint8_t> EncodeDrag(const JournalDrag& drag);
std::optional<JournalDrag> DecodeDrag(std::span<const uint8_t> payload);

// The mode in force and the CIRCUIT counting method, which change outside any list.
struct JournalMode {
    RaceMode mode = RaceMode::kGymkhana;
    int32_t countingMethod = 0;
    bool operator==(const JournalMode&) const = default;
};
std::vector<uint8_t> EncodeMode(const JournalMode& mode);
std::optional<JournalMode> DecodeMode(std::span<const uint8_t> payload);

std::vector<uint8_t> EncodeStarters(const JournalStarters& starters);
std::optional<JournalStarters> DecodeStarters(std::span<const uint8_t> payload);

}  // namespace vantrel
