#include "modes/circuit_laps.h"

#include "common/numbers.h"
#include "common/race_mode.h"
#include "common/session_state.h"
#include "lists/entry_table.h"

namespace vantrel {

namespace {
constexpr int32_t kMaskWhenNoNumberS = 20;
}

int32_t CircuitMaskSeconds(std::string_view maskText) {
    return StrToIntDef(maskText, kMaskWhenNoNumberS);
}

CircuitPassing LapStep(int32_t car, uint32_t tick, int32_t maskS, SessionState& session) {
    CircuitPassing passing;
    passing.car = car;
    if (car < 1 || car > kMaxCarNumber) {
        return passing;
    }
    const uint32_t last = session.lastPassTime[car];
    if (last != 0) {
        const auto lapMs = static_cast<int32_t>(tick - last);
        if (lapMs < int64_t{maskS} * 1000) {
            return passing;
        }
        passing.kind = PassingKind::kLap;
        passing.lapMs = lapMs;
        passing.totalMs = static_cast<int32_t>(tick - session.firstPassTime[car]);
        passing.lap = ++session.runCount[car];
    } else {
        passing.kind = PassingKind::kFirstPassing;
        session.firstPassTime[car] = tick;
    }
    session.entryRow = car;
    session.lastPassTime[car] = tick;
    return passing;
}

void PrepareCircuitSession(SessionState& session, uint32_t sessionStartTick) {
    if (session.countingMethod == SessionState::kCommonStart) {
        session.firstPassTime.fill(sessionStartTick);
        session.lastPassTime.fill(sessionStartTick);
    }
}

void ShowPassingInEntryList(const CircuitPassing& passing, EntryTable& entries) {
    if (passing.kind == PassingKind::kFirstPassing) {
        entries.SetCell(EntryTable::kLap, passing.car, "0");
    } else if (passing.kind == PassingKind::kLap) {
        entries.SetCell(EntryTable::kLap, passing.car, std::to_string(passing.lap));
    }
}

BookedResult BookCircuitLap(const CircuitPassing& lap, const EntryTable& entries, TimeFormat format,
                            bool commonStart) {
    const std::string carText = std::to_string(lap.car);
    const std::string lapText = FormatRaceTime(lap.lapMs, format, false);
    BookedResult booked;
    booked.car = lap.car;
    booked.timeMs = lap.lapMs;
    booked.count = lap.lap;
    if (commonStart) {
        booked.totalMs = lap.totalMs;
    }
    // Built in place: an initializer list would copy every text once more.
    booked.cells.reserve(6);
    booked.cells.push_back(carText);
    booked.cells.push_back(entries.Name(lap.car));
    booked.cells.push_back(entries.Model(lap.car));
    booked.cells.push_back(std::to_string(lap.lap));
    booked.cells.push_back(lapText);
    booked.cells.push_back(FormatRaceTime(lap.totalMs, format, false));
    booked.display = {carText, entries.Name(lap.car), lapText};
    booked.record =
        RecordDisplay{carText, entries.Name(lap.car), std::nullopt, std::nullopt, lapText, true};
    booked.announcement = {true, lap.lapMs, true};
    return booked;
}

}  // namespace vantrel
