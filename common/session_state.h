#pragma once
// The state that several parts of the main window share: modification flags, the selected
// entry row, per-car counters, the session's start tick.
// Thread rule: GUI thread only.

#include <array>
#include <atomic>
#include <cstdint>

#include "common/race_mode.h"

namespace vantrel {

struct SessionState {
    std::atomic<bool> running{false};  // a session is active

    RaceMode currentMode = RaceMode::kGymkhana;  // the mode in force
    bool entryModified = false;
    bool resultModified = false;
    // Runs and laps booked since start-up: a question about unsaved results compares it to
    // see whether a result came in while the question or the stop was under way.
    uint64_t resultsBooked = 0;
    int32_t entryRow = 1;       // selected entry row = car number
    int32_t resultRow = 1;      // remembered current result row
    int32_t waitingNumber = 1;  // car the next start pass starts
    uint32_t sessionStartTick = 0;
    std::array<int32_t, kCarSlots> runCount{};
    std::array<uint32_t, kCarSlots> firstPassTime{};
    std::array<uint32_t, kCarSlots> lastPassTime{};
    uint8_t lastCarCode = 0;
    int32_t sameCodeCount = 0;

    // Mode settings that decide behaviour; the tab pages show and edit them.
    static constexpr int32_t kCommonStart = 1;  // countingMethod: 0 lap timing, 1 common start
    static constexpr int32_t kPrinterPort = 1;  // circuitInput: 0 serial port, 1 printer port
    int32_t countingMethod = 0;                 // [Window] RaceMode
    int32_t circuitInput = 0;                   // [Window] PortSelect
    int32_t maskTimeS = 30;                     // [Window] MaskTime (20 when typed as no number)
    bool proStart = false;                      // DRAG "Pro" start, [Drag] ProStart
    // GYMKHANA extra passes per car: item indexes of ComboBox100 (start) and ComboBox101
    // (finish), [Window] SensorCountStart / SensorCountFinish.
    int32_t startPassIndex = 0;
    int32_t finishPassIndex = 0;
    // Outputs of every booking: "読み上げ" queues the time for the announcer, "RS232C" sends it
    // on the serial port; each follows its check box, whoever ticks or unticks it.
    bool voiceOn = false;
    bool serialOutputOn = false;

    // Clears the per-car counters (session start, mode change, result-list clear).
    void ClearCarCounters();
};

}  // namespace vantrel
