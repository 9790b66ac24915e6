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
    // The pass counts in force changed (the split display depends on them).
    std::function<void()> passCountsShown;
};

struct GymkhanaWidgets {
    GymkhanaPage* page = nullptr;
    EntryPanel* entries = nullptr;
    ResultPanel* results = nullptr;
    QLineEdit* splitCar = nullptr;    // Memo304
    QLineEdit* splitTime = nullptr;   // Memo303
    std::array<QTimer*, 4> clocks{};  // Timer2..Timer5, positions 1..4
};

// Binds the GYMKHANA page to the event's gymkhana flow: the page's boxes, buttons, popups
// and clock timers go to the flow, and the flow's view calls are drawn on the page.
class GymkhanaController : public QObject, private GymkhanaView {
    Q_OBJECT
public:
    GymkhanaController(const GymkhanaWidgets& widgets, GymkhanaFlow& flow, SessionState& session,
                       Prompter& prompter, const MsClock& clock, GymkhanaHooks hooks,
                       QObject* parent);

    GymkhanaFlow& Flow() { return flow_; }
    int SelectedPosition() const { return selectedPosition_; }
    void RefreshWaitingCar() { flow_.RefreshWaitingCar(); }
    // The window's first show: the mode reset, but the course's car boxes stay empty.
    void FirstShow();
    // Start and the buttons that need a session; the pass counts only without one.
    void EnableSessionControls(bool running);
    // The split sensors' lamps and labels are shown for the connected ones only.
    void ShowSplitSensors(bool split1Connected, bool split2Connected);
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
    void ShowLamp(SensorInput input, bool on) override;
    void ShowLabelRed(SensorInput input, bool red) override;
    void ClearResultDisplays() override;
    void ShowPassCountChoice(int32_t startIndex, int32_t finishIndex) override;
    void SessionStopped() override;
    void ShowPlaceEditing(int32_t place, bool editing) override;
    void ShowCourseEditing(int32_t position, bool editing) override;
    void ClearPenaltyHints() override;

    // The tab's buttons and popup items.
    void ConnectWidgets();
    void BitBtn2Click();
    void StartClearClick();
    void Pilontouch11Click();
    void Pilontouch12Click();
    void Misscourse1Click();
    void Clearpenalty1Click();
    void AttackClearClick();
    void ReportPopupOutcome(PopupOutcome outcome);
    void ClockTimeout(int position);
    void ShowClock(int position);
    bool HandleQueueBox(QLineEdit* box, QEvent* event);
    bool HandleCourseBox(QLineEdit* box, QEvent* event);
    void BeginBoxEdit(QLineEdit* box);
    bool BoxEditing(const QObject* box) const;
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
    GymkhanaFlow& flow_;
    std::array<QLineEdit*, 5> carBoxes_{};    // by course position 1..4
    std::array<QLineEdit*, 5> clockBoxes_{};  // by course position 1..4
    int selectedPosition_ = 0;
    // The run the course popup was opened on; its items act on that run only.
    CourseEdit popupRun_{};
    // Set by the session stop: from then on the clocks show the run times at the stop.
    std::optional<uint32_t> stopTick_;
};

}  // namespace vantrel
