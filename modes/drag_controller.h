#pragma once
// The DRAG tab at work: its resets and its sessions. The light tree and the run's times come
// with the drag timing; until then a DRAG session times nothing.
// Thread rule: GUI thread only.

#include <QObject>

#include "common/session_state.h"
#include "modes/race_mode_controller.h"

class QPlainTextEdit;

namespace vantrel {

class DragPage;

class DragController final : public QObject, public RaceModeController {
    Q_OBJECT
public:
    // `receiverBox` is the CIRCUIT tab's received list, which the drag reset empties too.
    DragController(DragPage* page, QPlainTextEdit* receiverBox, SessionState& session,
                   QObject* parent);

    RaceMode Mode() const override { return RaceMode::kDrag; }
    void Configure(const SetupSettings&) override {}
    void ModeReset() override;
    void StartSession(uint32_t) override {}
    bool ReadsSensors() const override { return true; }
    bool OpensUsbAdapter() const override { return false; }
    void StopSession() override {}
    bool CarsRunning() const override { return false; }
    void TakeSensorEvent(const SensorEvent&) override {}
    bool UsesResultButtons() const override { return false; }

private:
    DragPage* page_;
    QPlainTextEdit* receiverBox_;
    SessionState& session_;
};

}  // namespace vantrel
