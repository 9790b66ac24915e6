#pragma once
// SensorHub: the GUI thread's side of sensor input. It owns the sampler, its timing thread,
// the event queue, the input sources and the sensor log; starts and stops sampling per
// session; drains the events strictly in order when the timing thread wakes it (one
// coalesced queued call) and turns each into a Qt signal. Start and finish passes are added
// to the sensor log here, with their sample tick, before `activeEdge` is emitted.
//
// Session start (in the start routine's order): Prime() -> (GYMKHANA with "USB")
// OpenUsbAdapter() -> Arm(). Session stop: Stop(). Mode reset: ResetOffDelays().
// Thread rule: GUI thread only, every function and every signal.

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "common/session_state.h"
#include "common/setup_settings.h"
#include "common/ms_clock.h"
#include "sensors/parallel_port.h"
#include "sensors/sampler.h"
#include "sensors/script_source.h"
#include "sensors/sensor_command_line.h"
#include "sensors/sensor_event_queue.h"
#include "sensors/sensor_log.h"
#include "sensors/session_recorder.h"
#include "sensors/timing_loop.h"
#include "sensors/usb_adapter.h"

namespace vantrel {

class SensorHub final : public QObject, private EventWaker {
    Q_OBJECT

public:
    // Adds the started-up line to the log. `usbBus` null: the libftdi1 bus.
    SensorHub(SessionState& session, const MsClock& clock, std::unique_ptr<UsbBus> usbBus = {},
              QObject* parent = nullptr);
    // Stops the timing thread (no exit line; see AddExitAndSave).
    ~SensorHub() override;

    // First show, parallel port chosen (ioAddress != 0): opens the port. False: show
    // PortFailureText(); inputs then read idle.
    bool OpenPortDriver(int32_t ioAddress);
    // Message 123 naming the device that was tried, followed directly by the reason.
    QString PortFailureText() const;
    PortDriver& portDriver() { return portDriver_; }
    // After Prime: the parallel port chosen for this session could not be opened, so its
    // inputs read idle and only the keyboard sensors work.
    bool PortFailed() const { return portFailed_; }

    // Plays this script (simulation or recording) instead of the chosen port from the next
    // session on.
    void UseScript(SimulationScript script);
    bool UsesScript() const { return script_ != nullptr; }
    // Records every session for replay: the first to `file`, later ones numbered.
    void RecordSessionsTo(const std::filesystem::path& file) { recordFile_ = file; }
    // The drag step run by the tick while DRAG is the active mode (not owned).
    void SetDragHook(DragHook* hook) { dragHook_ = hook; }

    // Session start, before `running` is set: takes the configuration snapshot, picks and
    // opens the source (the parallel port at the address chosen now, see PortFailed), primes
    // the sampler (one read). Stops a timing thread still running.
    void Prime(const SetupSettings& settings, int32_t outputMask);
    // Session start in GYMKHANA with the port choice "USB": opens the adapter. A failed result
    // carries message 136..140 (warning box, caption kUsbErrorCaption).
    UsbOpenResult OpenUsbAdapter();
    // Session start, last: starts the timing thread (the session's `running` must be set).
    void Arm();
    // Stop routine: clears `running`, waits for the last tick, closes the USB adapter and
    // delivers the events still queued. Safe to call when nothing runs.
    void Stop();
    bool IsSampling() const { return !loop_.IsIdle(); }

    // For tests on a fake clock: Arm starts no thread; TickNow runs one timer callback on the
    // calling thread and delivers its events. Returns whether a tick ran.
    void SetManualTicks(bool manual) { manualTicks_ = manual; }
    bool TickNow();
    // Mode reset: every input runs its OFF-delay expiry at the next tick (labels normal).
    void ResetOffDelays() { sampler_.RequestOffDelayReset(); }

    SensorLog& Log() { return log_; }
    // Program end: adds the exit line and, when `logfile` is on, saves the log in `folder`.
    IoResult AddExitAndSave(bool logfile, const std::filesystem::path& folder);

    // Status panel 2: ms between the two latest timer callbacks.
    int32_t LastTickInterval() const { return loop_.LastTickInterval(); }
    uint64_t EventsLost() const { return queue_.LostTotal(); }
    bool RealtimeGranted() const { return loop_.RealtimeGranted(); }
    // Whether the script being played has run to its end (false without a script).
    bool ScriptFinished() const { return script_ != nullptr && script_->Finished(); }

    // Delivers every queued event in order (also run by the coalesced wake). Called again
    // from a nested event loop of an event's handler it delivers nothing: the running drain
    // goes on, in order, once the handler returns.
    void Drain();
    // Delivers, in order, every event sampled up to `tick` and none sampled later, waiting
    // the few ms the timing thread may need to queue them; for log lines that must follow them.
    void DeliverUpTo(uint32_t tick);

signals:
    void lampChanged(vantrel::SensorInput input, bool on);
    void labelRed(vantrel::SensorInput input);
    void labelNormal(vantrel::SensorInput input);
    void activeEdge(vantrel::SensorInput input, quint32 sampleTick);
    // The USB adapter failed during a session: stop the session (no question) and show
    // `message` (message 141) with caption kUsbErrorCaption.
    void usbReadFailed(const QString& message);
    // The parallel port stopped answering during a session (told once per session); its
    // inputs read idle from now on.
    void portReadFailed(const QString& message);
    // Events were dropped because the GUI fell far behind; `total` since start (status bar).
    void eventsLost(quint64 total);

private:
    void Wake() override;  // timing thread
    void DrainThrough(std::optional<uint32_t> lastTick);
    void Dispatch(const SensorEvent& event);
    void ReportReadFailure();
    InputSource* ChooseSource(const SetupSettings& settings);
    void BeginRecording(const SetupSettings& settings);

    SessionState& session_;
    const MsClock& clock_;
    SensorEventQueue queue_;
    Sampler sampler_;
    TimingLoop loop_;
    SensorLog log_;
    PortDriver portDriver_;
    ParallelPortSource parallelSource_{portDriver_};
    UsbAdapter usbAdapter_;
    NoneSource noneSource_;
    std::unique_ptr<ScriptSource> script_;
    SessionRecorder recorder_;
    std::optional<std::filesystem::path> recordFile_;
    int recordedSessions_ = 0;
    DragHook* dragHook_ = nullptr;
    std::atomic<bool> wakePending_{false};
    bool draining_ = false;
    bool portFailed_ = false;
    bool manualTicks_ = false;
};

}  // namespace vantrel

Q_DECLARE_METATYPE(vantrel::SensorInput)
