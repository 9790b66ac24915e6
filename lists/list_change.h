#pragma once
// One change of the entry list, the result list or the per-car counters, with the values before
// and after it, so that it can be replayed forward (journal) and backward (undo). A step is
// what one command or one booked result changed.
// Thread rule: GUI thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "common/car_on_course.h"
#include "common/race_mode.h"
#include "common/session_state.h"
#include "lists/entry_table.h"
#include "lists/list_file_name.h"
#include "lists/result_table.h"

namespace vantrel {

using TableRows = std::vector<std::vector<std::string>>;

enum class ListKind : uint8_t { kEntry = 0, kResult = 1 };

struct CellChange {
    ListKind list = ListKind::kResult;
    int32_t row = 0;
    int32_t column = 0;
    std::string before;
    std::string after;
    bool operator==(const CellChange&) const = default;
};

// Result rows inserted at or removed from `firstRow` (the entry list has fixed rows).
struct RowsChange {
    bool inserted = true;
    int32_t firstRow = 1;
    TableRows rows;
    bool operator==(const RowsChange&) const = default;
};

// The whole result list replaced (load, clear, a new layout).
struct ResetChange {
    RaceMode beforeMode = RaceMode::kGymkhana;
    RaceMode afterMode = RaceMode::kGymkhana;
    TableRows before;
    TableRows after;
    bool operator==(const ResetChange&) const = default;
};

using ListChange = std::variant<CellChange, RowsChange, ResetChange>;

// runCount, firstPassTime and lastPassTime of one car.
enum class CounterKind : uint8_t { kRunCount = 0, kFirstPass = 1, kLastPass = 2 };

struct CounterChange {
    CounterKind kind = CounterKind::kRunCount;
    int32_t car = 0;
    int64_t before = 0;
    int64_t after = 0;
    bool operator==(const CounterChange&) const = default;
};

// The files the two lists were last loaded from or saved to, with their modified flags.
struct ListFiles {
    ListFileName entry;
    ListFileName result;
    bool entryModified = false;
    bool resultModified = false;
    bool operator==(const ListFiles&) const = default;
};

// What a step did to the files and flags: a load names another file, and undoing the load
// must name the old one again, or a save without dialog would write over the loaded file.
struct FilesChange {
    ListFiles before;
    ListFiles after;
    bool operator==(const FilesChange&) const = default;
};

enum class StepKind : uint8_t {
    kEdit = 0,     // an operator's command or a cell edit
    kBooking = 1,  // a finished run or counted lap; undoing it asks first
};

struct ListStep {
    StepKind kind = StepKind::kEdit;
    std::vector<ListChange> changes;
    std::vector<CounterChange> counters;
    // Set when the files or flags differ after the step; the journal keeps the files apart.
    std::optional<FilesChange> files;
    // A booking's run as it was on course before its finish (gymkhana).
    std::optional<CarOnCourse> finishedRun;
    bool operator==(const ListStep&) const = default;

    bool Empty() const { return changes.empty() && counters.empty(); }
    bool Touches(ListKind list) const;
};

// The lists and counters a step acts on.
struct ListTarget {
    EntryTable& entries;
    ResultTable& results;
    SessionState& state;
};

// Counter `kind` of `car` in `state`, widened so that before and after fit any counter.
int64_t CounterValue(const SessionState& state, CounterKind kind, int32_t car);
void SetCounterValue(SessionState& state, CounterKind kind, int32_t car, int64_t value);

// Redoes a step on lists that are as they were before it, and undoes it on lists that are as
// it left them.
void ApplyStepForward(const ListStep& step, ListTarget target);
void ApplyStepBackward(const ListStep& step, ListTarget target);

}  // namespace vantrel
