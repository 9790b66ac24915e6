#pragma once
// The CIRCUIT tab at work: its counting method, input port and mask time (kept in the session
// state, which the page edits), its resets and sessions, and ProcessPassings, where every
// passing ends up: the receiver's blocks, the digit keys of both windows and the start sensor
// on the printer port.
// Thread rule: GUI thread only.

#include <QObject>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/session_state.h"
#include "common/time_text.h"
#include "modes/race_mode_controller.h"

namespace vantrel {

class CircuitPage;
class EntryPanel;
class EntryTable;
class MsClock;
class ResultBooking;
class ResultPanel;
class SensorLog;

struct CircuitWiring {
    CircuitPage* page = nullptr;
    EntryPanel* entries = nullptr;
    EntryTable* entryTable = nullptr;
    ResultBooking* results = nullptr;
    ResultPanel* resultPanel = nullptr;
    SensorLog* log = nullptr;
    const MsClock* clock = nullptr;
    // Sounds the high (first passing) or low (lap) tone, whatever waits to be spoken.
    std::function<void(bool high)> tone;
};

class CircuitController final : public QObject, public RaceModeController {
    Q_OBJECT
public:
    CircuitController(const CircuitWiring& wiring, SessionState& session, QObject* parent);

    // Shows the stored settings on the page (first show).
    void ShowSettings();

    RaceMode Mode() const override { return RaceMode::kCircuit; }
    void Configure(const SetupSettings& setup) override { timeFormat_ = setup.timeFormat; }
    void ModeReset() override;
    void StartSession(uint32_t sessionStartTick) override;
    bool ReadsSensors() const override;
    bool OpensUsbAdapter() const override { return false; }
    bool UsesReceiverPort() const override { return !ReadsSensors(); }
    void StopSession() override {}
    bool CarsRunning() const override { return false; }
    void TakeSensorEvent(const SensorEvent& event) override;
    bool UsesResultButtons() const override { return false; }
    bool TakeDigitKey(int digit) override;
    void TakeReceivedBytes(uint8_t* bytes, uint16_t count, uint32_t tick) override {
        ProcessPassings(bytes, count, tick);
    }

    // Decodes `count` car codes received at `tick` (invalid ones are overwritten with '-'),
    // shows them in the received list and runs the lap step for each car, in order. A passing
    // the mask rejects does not stop the ones after it.
    void ProcessPassings(uint8_t* bytes, uint16_t count, uint32_t tick);

signals:
    // The start sensor passed while the printer port is the circuit's input.
    void printerPortPassed(quint32 tick);

private:
    void MaskTimeEdited(const QString& text);
    // What a block's passings leave for the screen and the announcer to do at its end.
    struct BlockOutcome {
        int32_t lastRow = 0;  // the last booked result row
        std::vector<int32_t> shownCars;
        bool highTone = false;
        bool lowTone = false;
    };
    void PassCar(int32_t car, uint32_t tick, BlockOutcome& block);

    CircuitWiring w_;
    SessionState& session_;
    TimeFormat timeFormat_ = TimeFormat::kMinutesSeconds;
};

}  // namespace vantrel
