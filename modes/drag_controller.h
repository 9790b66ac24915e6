#pragma once
// The DRAG tab at work: the car number box, the tree button, Pro/Stock, the run's displays and
// the finish routine that books the run. The light tree itself runs on the timing thread
// (DragTree); this controller sends it the operator's actions and shows what it reports.
// Thread rule: GUI thread only.

#include <QObject>
#include <cstdint>

#include "common/session_state.h"
#include "common/time_text.h"
#include "modes/race_mode_controller.h"

class QWidget;

namespace vantrel {

class DragPage;
class EntryPanel;
class EntryTable;
class LineList;
class MsClock;
class Prompter;
class ResultBooking;
class SensorHub;

struct DragWiring {
    DragPage* page = nullptr;
    LineList* receiverBox = nullptr;  // CIRCUIT's received list, which the reset empties
    EntryPanel* entries = nullptr;
    EntryTable* entryTable = nullptr;
    ResultBooking* results = nullptr;
    SensorHub* sensors = nullptr;  // gets the drag step; takes the tree commands
    const MsClock* clock = nullptr;
    Prompter* prompter = nullptr;
    QWidget* dialogParent = nullptr;
};

class DragController final : public QObject, public RaceModeController {
    Q_OBJECT
public:
    DragController(const DragWiring& wiring, SessionState& session, QObject* parent);

    RaceMode Mode() const override { return RaceMode::kDrag; }
    void Configure(const SetupSettings& setup) override { timeFormat_ = setup.timeFormat; }
    void ModeReset() override;
    void StartSession(uint32_t) override {}
    bool ReadsSensors() const override { return true; }
    bool OpensUsbAdapter() const override { return false; }
    void StopSession() override;
    bool CarsRunning() const override { return false; }
    void TakeSensorEvent(const SensorEvent& event) override;
    bool UsesResultButtons() const override { return false; }
    bool TakeDigitKey(int digit) override;

    // The car number box on Enter.
    void Memo204KeyDown();
    // The tree button, pressed or released by the operator.
    void SpeedButton200Click(bool down);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ShowLine(int line, bool active);
    void ShowLamps(uint8_t lampByte);
    void NewRun();
    void StartLine(const DragLineTimes& run);
    void FinishRun(const DragLineTimes& run);
    void ClearRunDisplays();
    void ReleaseTree();
    int32_t TakeCarForRun();
    int32_t CarOfBox() const;

    DragWiring w_;
    SessionState& session_;
    TimeFormat timeFormat_ = TimeFormat::kMinutesSeconds;
    int32_t runCar_ = -1;  // the car of the run in progress (Memo210), -1 for none
};

}  // namespace vantrel
