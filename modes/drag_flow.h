#pragma once
// The DRAG tab's rules in one place: the car number box, which car runs and which is next,
// Pro/Stock, the tree button, the run's displays and the finish that books the run. The light
// tree itself runs on the timing thread (DragTree); this flow sends it the operator's actions
// through TickCommands and shows what its events report through DragView.
// Thread rule: GUI thread only.

#include <cstdint>
#include <string>
#include <utility>

#include "common/time_text.h"
#include "modes/mode_flow.h"

namespace vantrel {

class EntryTable;
class MsClock;
class PrompterFace;
class ResultBooking;
class SensorLog;
class TickCommands;
struct SessionState;

class DragView {
public:
    virtual ~DragView() = default;
    // Memo204, the car number of the next run; the caret goes to the end, nothing selected.
    virtual void ShowNextCar(const std::string& /*text*/) {}
    // entryRow changed: select that entry row (and scroll to it).
    virtual void SelectEntryRow(int32_t /*row*/) {}
    // Memo210, the car of the run in progress.
    virtual void ShowRunCar(const std::string& /*text*/) {}
    // Memo205, the R/T.
    virtual void ShowReaction(const std::string& /*text*/) {}
    // Memo206..Memo209: the split at 18, 100, 200 or 300 m (`index` 0..3).
    virtual void ShowSplit(int /*index*/, const std::string& /*text*/) {}
    // Memo200..Memo203, the last result: car, name, E.T., speed.
    virtual void ShowLastResult(const std::string& /*car*/, const std::string& /*name*/,
                                const std::string& /*elapsed*/, const std::string& /*speed*/) {}
    // The tree picture: which of its lamps are lit.
    virtual void ShowTreeLamps(bool /*amber*/, bool /*green*/, bool /*red*/) {}
    // The tree button down ("Abort" in red) or up ("Amber ON" in green).
    virtual void ShowTreeButton(bool /*down*/) {}
    // A line's indicator on or off; an active line's label turns red as well.
    virtual void ShowLine(int /*line*/, bool /*active*/) {}
    // A line's label back to the normal colour (its OFF delay ran out, or sampling ended).
    virtual void ShowLineLabelNormal(int /*line*/) {}
    // CIRCUIT's list of received car numbers, which the DRAG reset empties.
    virtual void ClearReceivedList() {}
    // "Pro" (true) or "Stock" is in force (the settings read, or a restore).
    virtual void ShowProStart(bool /*pro*/) {}
};

class DragFlow final : public ModeFlow {
public:
    // Runs are booked through `booking`; the tree's commands go to `ticks`; the tree button's
    // log lines go to `log`, stamped by `clock`; a car number that is no number is reported
    // through `prompter`.
    DragFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
             TickCommands& ticks, SensorLog& log, const MsClock& clock, PrompterFace& prompter,
             DragView& view);
    // The same showing nothing until BindView.
    DragFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
             TickCommands& ticks, SensorLog& log, const MsClock& clock, PrompterFace& prompter);
    void BindView(DragView& view) { view_ = &view; }

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
    bool ShowsDragTimes() const override { return true; }
    // The digits 1 to 8 force lines 0 to 7 active.
    bool TakeDigitKey(int digit) override;

    // The car number box: its text as typed (no check), and Enter, which commits it.
    void SetCarBoxText(std::string text) { carBoxText_ = std::move(text); }
    void CommitCarBox();
    // An entry row picked by mouse or Enter proposes that car for the next run.
    void PickEntryRow(int32_t car);
    // The tree button, pressed or released by the operator.
    void TreeButton(bool down);
    // "Pro" (true) or "Stock" chosen.
    void SetProStart(bool pro);

    // After a restore: the car number box as it was, or the car whose run a crash broke off,
    // which runs again.
    void RestoreNextCar(const std::string& nextCar, int32_t brokenOffCar);

    const std::string& CarBoxText() const { return carBoxText_; }
    // The car of the run in progress (Memo210), -1 for none.
    int32_t RunCar() const { return runCar_; }
    bool TreeButtonDown() const { return treeButtonDown_; }

private:
    void ShowCarBox(std::string text);
    void ShowLamps(uint8_t lampByte);
    void ClearRunDisplays();
    void ReleaseTree();
    void NewRun();
    void StartLine(const DragLineTimes& run);
    void ShowSplitOf(const DragLineTimes& run, int line);
    void FinishRun(const DragLineTimes& run);
    int32_t TakeCarForRun();

    SessionState& session_;
    EntryTable& entries_;
    ResultBooking& booking_;
    TickCommands& ticks_;
    SensorLog& log_;
    const MsClock& clock_;
    PrompterFace& prompter_;
    DragView* view_;
    TimeFormat timeFormat_ = TimeFormat::kMinutesSeconds;
    std::string carBoxText_ = "1";
    int32_t runCar_ = -1;
    bool treeButtonDown_ = false;
};

}  // namespace vantrel
