#pragma once
// The circuit lap step: a car's passing is its first (its clock starts), a lap (booked), or
// rejected by the mask time, which runs from the car's last counted passing.
// Thread rule: GUI thread only.

#include <cstdint>
#include <string_view>

#include "common/time_text.h"
#include "lists/booked_result.h"

namespace vantrel {

class EntryTable;
struct SessionState;

// Columns of the CIRCUIT result layout.
enum CircuitColumn : int32_t {
    kCircuitCar = 0,
    kCircuitName = 1,
    kCircuitModel = 2,
    kCircuitLap = 3,
    kCircuitLapTime = 4,
    kCircuitTotal = 5,
    kCircuitColumns = 6,
};

// The mask time in seconds that the mask-time box's text gives: 20 for a text that is no
// number; 0 or below masks nothing.
int32_t CircuitMaskSeconds(std::string_view maskText);

enum class PassingKind { kRejected, kFirstPassing, kLap };

struct CircuitPassing {
    PassingKind kind = PassingKind::kRejected;
    int32_t car = 0;
    int32_t lapMs = 0;    // kLap
    int32_t totalMs = 0;  // kLap
    int32_t lap = 0;      // kLap: the car's laps, this one included
};

// One passing of car 1..199 at `tick`. Counts it in `session` (lastPassTime, firstPassTime,
// runCount, entryRow) unless the mask rejects it; a rejected passing changes nothing.
CircuitPassing LapStep(int32_t car, uint32_t tick, int32_t maskS, SessionState& session);

// Session start: common start times every car from the session start, lap timing from the
// car's first passing.
void PrepareCircuitSession(SessionState& session, uint32_t sessionStartTick);

// The entry list's "Lap" cell of the passing's car ("0" after a first passing), and for a lap
// its booking: the 6-column row, the record window's fields, the standings entry (with the
// total in common start) and the announcement, which overwrites the last slot of a full ring.
void ShowPassingInEntryList(const CircuitPassing& passing, EntryTable& entries);
BookedResult BookCircuitLap(const CircuitPassing& lap, const EntryTable& entries, TimeFormat format,
                            bool commonStart);

}  // namespace vantrel
