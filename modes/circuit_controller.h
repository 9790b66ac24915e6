#pragma once
// The CIRCUIT tab at work: its counting method, input port and mask time (kept in the session
// state, which the page edits), its resets and its sessions. The lap step comes with the
// circuit timing; until then the start sensor's passes taken through the printer port are
// handed on as `printerPortPassed` and nothing counts them.
// Thread rule: GUI thread only.

#include <QObject>

#include "common/session_state.h"
#include "modes/race_mode_controller.h"

namespace vantrel {

class CircuitPage;

class CircuitController final : public QObject, public RaceModeController {
    Q_OBJECT
public:
    CircuitController(CircuitPage* page, SessionState& session, QObject* parent);

    // Shows the stored settings on the page (first show).
    void ShowSettings();

    RaceMode Mode() const override { return RaceMode::kCircuit; }
    void Configure(const SetupSettings&) override {}
    void ModeReset() override;
    void StartSession(uint32_t sessionStartTick) override;
    bool ReadsSensors() const override;
    bool OpensUsbAdapter() const override { return false; }
    void StopSession() override {}
    bool CarsRunning() const override { return false; }
    void TakeSensorEvent(const SensorEvent& event) override;
    bool UsesResultButtons() const override { return false; }

signals:
    // The start sensor passed while the printer port is the circuit's input.
    void printerPortPassed(quint32 tick);

private:
    void MaskTimeEdited(const QString& text);

    CircuitPage* page_;
    SessionState& session_;
};

}  // namespace vantrel
