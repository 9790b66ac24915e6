#pragma once
// The GYMKHANA tab at work: forwards the tab's boxes, buttons, popups and clock timers to
// the gymkhana logic and shows what the logic reports. The main window hands it the sensor
// edges; booked results go out through the result list's sinks.
// Thread rule: GUI thread only.

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "modes/gymkhana_flow.h"
#include "modes/race_mode_controller.h"

class QLineEdit;
class QTableView;
class QTimer;

namespace vantrel {

class EntryPanel;
class GymkhanaPage;
class MsClock;
class Prompter;
class ResultPanel;
struct SetupSettings;

struct GymkhanaHooks {
    std::function<void(const QString&)> showStatus;  // status panel 0
    // A split was shown on the tab (the record window shows it too).
    std::function<void(SplitDisplay, const QString& car, const QString& time)> splitShown;
    // Every sensor event already taken must be handled before a clock decides a time-out.
    std::function<void()> drainSensorEvents;
    // The time limit finished the car in position "I" at `tick` (its finish line in the log).
    std::function<void(uint32_t tick)> timeoutFinishPass;
    // The mode reset returns every input's label to normal at the next tick.
    std::function<void()> resetSensorOffDelays;
    // The pass counts are to be read again from their combos (ComboBox100Change).
    std::function<void()> passCountsChanged;
};

struct GymkhanaWidgets {
    GymkhanaPage* page = nullptr;
    EntryPanel* entries = nullptr;
    ResultPanel* results = nullptr;
    QLineEdit* splitCar = nullptr;    // Memo304
    QLineEdit* splitTime = nullptr;   // Memo303
    std::array<QTimer*, 4> clocks{};  // Timer2..Timer5, positions 1..4
};

class GymkhanaController : public QObject, public RaceModeController, private GymkhanaView {
    Q_OBJECT
public:
    GymkhanaController(const GymkhanaWidgets& widgets, SessionState& session, EntryTable& entries,
                       ResultBooking& booking, Prompter& prompter, const MsClock& clock,
                       GymkhanaHooks hooks, QObject* parent);

    GymkhanaFlow& Flow() { return flow_; }
    int SelectedPosition() const { return selectedPosition_; }

    // The race mode: settings and the pass-count combos, resets, sessions, sensor events.
    RaceMode Mode() const override { return RaceMode::kGymkhana; }
    void Configure(const SetupSettings& setup) override;
    void ModeReset() override;
    void StartSession(uint32_t sessionStartTick) override;
    bool ReadsSensors() const override { return true; }
    bool OpensUsbAdapter() const override { return true; }
    void StopSession() override;
    bool CarsRunning() const override { return flow_.Course().CarsOnCourse() > 0; }
    void TakeSensorEvent(const SensorEvent& event) override;
    bool UsesResultButtons() const override { return true; }
    // A long run of one receiver code picks that car in the entry list (the next-car box and
    // the start queue stay as they are: taking the car is the operator's pick).
    void TakeReceivedBytes(uint8_t* bytes, uint16_t count, uint32_t tick) override;
    std::vector<CarOnCourse> CarsOnCourseNow() const override;
    void PutBackOnCourse(const std::vector<CarOnCourse>& cars) override;
    void RefreshWaitingCar() { flow_.RefreshWaitingCar(); }
    // An entry row picked by mouse or Enter.
    void PickEntryRow(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the logic reports.
    void ShowStatus(const std::string& text) override;
    void ShowStartList() override;
    void SelectEntryRow(int32_t row) override;
    void ShowPositions() override;
    void ShowPassCounters(int32_t startPasses, int32_t finishPasses) override;
    void ShowSplit(SplitDisplay display, const std::string& carText,
                   const std::string& timeText) override;
    void ShowResult(const BookedResult& result, int32_t resultRow) override;
    void TimeoutFinishPass(uint32_t tick) override;

    // The tab's buttons and popup items.
    void ConnectWidgets();
    void BitBtn2Click();
    void StartClearClick();
    void Pilontouch11Click();
    void Pilontouch12Click();
    void Misscourse1Click();
    void Clearpenalty1Click();
    void AttackClearClick();
    void ClockTimeout(int position);
    void ShowClock(int position);
    bool HandleQueueBox(QLineEdit* box, QEvent* event);
    bool HandleCourseBox(QLineEdit* box, QEvent* event);
    void BeginBoxEdit(QLineEdit* box);
    void CommitQueueBox(QLineEdit* box);
    void CommitCourseBox(QLineEdit* box);
    void ToggleCourseEdit(QLineEdit* box, bool editing);
    void MoveInRing(QLineEdit* from, bool left);
    void SelectPositionOf(QObject* box);
    void ShowAttackPopup(QLineEdit* box, const QPoint& pos);
    void InputError();
    void ReportRefusedEdit(EditCommit outcome, const QString& movedText);
    int QueuePlaceOf(const QObject* box) const;
    int PositionOfBox(const QObject* box) const;

    GymkhanaWidgets w_;
    SessionState& session_;
    Prompter& prompter_;
    const MsClock& clock_;
    GymkhanaHooks hooks_;
    GymkhanaFlow flow_;
    std::array<QLineEdit*, 5> carBoxes_{};    // by course position 1..4
    std::array<QLineEdit*, 5> clockBoxes_{};  // by course position 1..4
    int selectedPosition_ = 0;
    // What each box's edit began on, so a commit goes to that car or is refused.
    std::array<PlaceEdit, 5> placeEdits_{};    // by queue place 1..4
    std::array<CourseEdit, 5> courseEdits_{};  // by course position 1..4
    // Set by the session stop: from then on the clocks show the run times at the stop.
    std::optional<uint32_t> stopTick_;
};

}  // namespace vantrel
