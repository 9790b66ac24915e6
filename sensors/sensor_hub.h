#pragma once
// SensorHub: the GUI thread's side of sensor input. It owns the sampler, its timing thread,
// the event queue, the input sources and the sensor log; starts and stops sampling per
// session; drains the events strictly in order when the timing thread wakes it (one
// coalesced eventfd wake-up) and hands each to `eventSampled`. Start and finish passes are added
// to the sensor log here, with their sample tick, before their event is handed on. GUI
// actions for the tick (timing keys, OFF-delay reset, the drag commands) go through the
// sampler's command ring.
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

#include "common/ms_clock.h"
#include "common/race_mode.h"
#include "common/setup_settings.h"
#include "sensors/parallel_port.h"
#include "sensors/sampler.h"
#include "sensors/script_source.h"
#include "sensors/sensor_command_line.h"
#include "sensors/sensor_event_queue.h"
#include "sensors/sensor_log.h"
#include "sensors/session_recorder.h"
#include "sensors/tick_commands.h"
#include "sensors/timing_loop.h"
#include "sensors/usb_adapter.h"
#include "sensors/wake_signal.h"

namespace vantrel {

class SensorHub final : public QObject, private EventWaker {
    Q_OBJECT

public:
    // Adds the started-up line to the log. `usbBus` null: the libftdi1 bus.
    explicit SensorHub(const MsClock& clock, std::unique_ptr<UsbBus> usbBus = {},
                       QObject* parent = nullptr);
    // Stops the timing thread (no exit line; see AddExitAndSave).
    ~SensorHub() override;

    // First show, parallel port chosen (ioAddress != 0): opens the port. False: show
    // PortFailureText(); inputs then read idle.
    bool OpenPortDriver(int32_t ioAddress);
    // Message 123 naming the device that was tried, followed directly by the reason.
    QString PortFailureText() const;
    PortDriver& Driver() { return portDriver_; }
    // After Prime: the parallel port chosen for this session could not be opened, so its
    // inputs read idle and only the keyboard sensors work.
    bool PortFailed() const { return portFailed_; }

    // Plays this script (simulation or recording) instead of the chosen port from the next
    // session on.
    void UseScript(SimulationScript script);
    bool UsesScript() const { return simulated_ != nullptr; }
    // Reads `source` (levels from elsewhere: another program, a test rig) instead of the
    // chosen port from the next session on, the way a script is played.
    void UseSource(std::unique_ptr<InputSource> source);
    // Records every session for replay: the first to `file`, later ones numbered.
    void RecordSessionsTo(const std::filesystem::path& file) { recordFile_ = file; }
    // The drag step run by the tick while DRAG is the active mode. Set it before the first
    // session; the hub keeps it, so it lives as long as the timing thread.
    void SetDragHook(std::unique_ptr<DragHook> hook) { dragHook_ = std::move(hook); }

    // Session start: takes the configuration snapshot, picks and opens the source (the
    // parallel port at the address chosen now, see PortFailed), primes the sampler (one
    // read). Stops a timing thread still running.
    void Prime(const SetupSettings& settings, int32_t outputMask);
    // Session start in GYMKHANA with the port choice "USB": opens the adapter. A failed result
    // carries message 136..140 (warning box, caption kUsbErrorCaption).
    UsbOpenResult OpenUsbAdapter();
    // Session start, last: arms the sampling and starts the timing thread.
    void Arm();
    // Stop routine: disarms, waits for the last tick, closes the USB adapter and delivers the
    // events still queued. Safe to call when nothing runs.
    void Stop();
    bool IsArmed() const { return armed_.load(); }
    bool IsSampling() const { return !loop_.IsIdle(); }

    // The tab the tick works for (DRAG runs the drag step).
    void SetActiveMode(RaceMode mode) { sampler_.SetActiveMode(mode); }
    // What the next tick is to do: timing keys, drag lines, the drag tree, resets.
    TickCommands& Commands() { return control_; }
    void SetSensorKey(SensorInput input, bool down) { control_.SetSensorKey(input, down); }
    void SetDragLineKeys(uint8_t lines) { control_.SetDragLineKeys(lines); }
    const KeyLevels& Keys() const { return sampler_.Commands().Levels().keys; }
    void SetTreeButton(bool down) { control_.SetTreeButton(down); }
    void SetProTree(bool pro) { control_.SetProTree(pro); }
    void ResetDragRun() { control_.ResetDragRun(); }

    // For tests on a fake clock: Arm starts no thread; TickNow runs one timer callback on the
    // calling thread and delivers its events. Returns whether a tick ran.
    void SetManualTicks(bool manual) { manualTicks_ = manual; }
    bool TickNow();
    // Mode reset: every input runs its OFF-delay expiry at the next tick (labels normal).
    void ResetOffDelays() { control_.ResetOffDelays(); }

    SensorLog& Log() { return log_; }
    // Program end: adds the exit line and, when `logfile` is on, saves the log in `folder`.
    IoResult AddExitAndSave(bool logfile, const std::filesystem::path& folder);

    // Status panel 2: ms between the two latest timer callbacks.
    int32_t LastTickInterval() const { return loop_.LastTickInterval(); }
    // After a ReadFailed event: whether it was the USB adapter (stop the session and show the
    // text with caption kUsbErrorCaption) and the text to show (message 141, or the parallel
    // port's device and reason; its inputs read idle from now on).
    bool ReadFailureIsUsb() const;
    QString ReadFailureText() const;
    bool RealtimeGranted() const { return loop_.RealtimeGranted(); }
    // For the health window: the USB adapter, the source of the latest session (null before
    // the first), the sensor passes delivered from the parallel port and from the adapter, and
    // the events the queue dropped.
    const UsbAdapter& Usb() const { return usbAdapter_; }
    const InputSource* SessionSource() const { return sampler_.Config().source; }
    bool SessionSourceIs(const InputSource& source) const { return SessionSource() == &source; }
    const InputSource& ParallelSource() const { return parallelSource_; }
    uint64_t PortPasses() const { return portPasses_; }
    uint64_t UsbPasses() const { return usbPasses_; }
    uint64_t EventsLost() const { return queue_.LostTotal(); }
    // The timing self-test's port, outside a session: the chosen parallel port (opened when it
    // is not yet) or the USB adapter (opened now), with its name in `name`; null with "None", a
    // script, a running session or a port that does not open (the test then simulates one).
    InputSource* OpenSelfTestPort(const SetupSettings& settings, std::string& name);
    // After the self-test: closes the USB adapter again.
    void CloseSelfTestPort() { usbAdapter_.Close(); }

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
    // Every event in tick order except the recording's level changes. An EventsLost event
    // comes with `count` the events dropped since start (the GUI fell far behind).
    void eventSampled(const vantrel::SensorEvent& event);

private:
    void Wake() override;  // timing thread
    void DrainThrough(std::optional<uint32_t> lastTick);
    void Dispatch(const SensorEvent& event);
    InputSource* ChooseSource(const SetupSettings& settings);
    void BeginRecording(const SetupSettings& settings);

    const MsClock& clock_;
    SensorEventQueue queue_;
    std::atomic<bool> armed_{false};  // the timing thread runs while it is set
    Sampler sampler_;
    SamplerControl control_{sampler_};
    TimingLoop loop_;
    SensorLog log_;
    PortDriver portDriver_;
    ParallelPortSource parallelSource_{portDriver_};
    UsbAdapter usbAdapter_;
    NoneSource noneSource_;
    std::unique_ptr<InputSource> simulated_;  // a script or another source of levels
    ScriptSource* script_ = nullptr;          // simulated_ when it is a script
    SessionRecorder recorder_;
    std::optional<std::filesystem::path> recordFile_;
    int recordedSessions_ = 0;
    std::unique_ptr<DragHook> dragHook_;
    WakeSignal wake_{[this] { Drain(); }};
    bool draining_ = false;
    bool portFailed_ = false;
    bool manualTicks_ = false;
    uint64_t portPasses_ = 0;
    uint64_t usbPasses_ = 0;
};

}  // namespace vantrel

Q_DECLARE_METATYPE(vantrel::SensorInput)
Q_DECLARE_METATYPE(vantrel::SensorEvent)
