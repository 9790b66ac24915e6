#pragma once
// ReceiverHub: the GUI thread's side of the lap-counting receiver. It owns the serial link, the
// stamp ring and the reader thread that stamps every byte on arrival; drains the ring strictly
// in order when the reader wakes it and hands each block to `blockReceived`, however long the
// window was busy before.
// A script (--receiver) stands in for the port and goes through the same reader and ring;
// every opening can be recorded for replay (--record-receiver).
//
// Open at a CIRCUIT session start or when "RS232C" is ticked; Close at session stop, on
// unticking, on a mode change and at exit. A port lost while open (`linkLost`) is tried again
// by the reader every ReceiverReader::kReopenPeriodMs; once it is back the race goes on
// (`linkBack`) and the gap is kept in Gaps(). Meanwhile the hub stays open and Transmit fails.
// Thread rule: GUI thread only, every function and every signal.

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ms_clock.h"
#include "sensors/received_block.h"
#include "sensors/receiver_gaps.h"
#include "sensors/receiver_reader.h"
#include "sensors/receiver_recorder.h"
#include "sensors/receiver_script.h"
#include "sensors/receiver_script_player.h"
#include "sensors/serial_link.h"
#include "sensors/wake_signal.h"

namespace vantrel {

class ReceiverHub final : public QObject, private EventWaker, private ReceiverReopener {
    Q_OBJECT

public:
    explicit ReceiverHub(const MsClock& clock, QObject* parent = nullptr);
    // Closes without delivering what is still queued.
    ~ReceiverHub() override;

    // Opens the port ("COM1".."COM6", a device path; "None" fails) at SerialSpeed(storedBaud)
    // and starts receiving, or with a script starts playing it (the port name is then not
    // used). False: LastError() tells the device and the reason; the hub stays closed.
    bool Open(const std::string& portName, int32_t storedBaud);
    // Stops the reader, delivers every block still queued, then closes. Safe when closed.
    void Close();
    bool IsOpen() const { return open_; }
    // Writes all of `bytes` to the port. With a script they are kept in ScriptTransmitted().
    bool Transmit(std::string_view bytes);
    QString LastError() const { return QString::fromStdString(lastError_); }

    // From the next Open on, plays this script in place of the port; times count from Open.
    void UseScript(ReceiverScript script);
    bool UsesScript() const { return player_ != nullptr; }
    // Whether the script has been played to its end (false without a script).
    bool ScriptFinished() const { return player_ != nullptr && player_->Finished(); }
    // What Transmit sent while a script stood in for the port, since the hub was made.
    const std::string& ScriptTransmitted() const { return scriptTransmitted_; }
    // Records every opening for replay with --receiver: the first to `file`, later ones
    // numbered like the sensor recordings.
    void RecordTo(const std::filesystem::path& file) { recordFile_ = file; }

    // The tick of the latest Open (time 0 of scripts and recordings).
    uint32_t OpenTick() const { return openTick_; }
    // Bytes the reader has taken from the port (or script) since the hub was made.
    uint64_t BytesReceived() const { return reader_.BytesRead(); }
    // Bytes lost since the hub was made: dropped by the port's driver or by a full ring.
    uint64_t BytesLost() const { return reader_.BytesLost(); }
    // Blocks handed on (`blockReceived`) since the hub was made.
    uint64_t BlocksReceived() const { return blocksReceived_; }
    // Bytes told lost (`bytesLost`) since the latest Open.
    uint64_t BytesLostSinceOpen() const { return lostSinceOpen_; }

    // The stamp ring's size in bytes (rounded up to a power of two); closes the hub first.
    void SetRingCapacity(std::size_t bytes);
    std::size_t RingCapacity() const { return ring_.Capacity(); }
    // Whether the reader asks for the real-time class (the default), from the next Open on.
    void SetReaderRealtime(bool wanted) { reader_.SetRealtime(wanted); }
    bool ReaderRealtimeGranted() const { return reader_.RealtimeGranted(); }

    // The times the port was gone since the latest Open, oldest first.
    const ReceiverGaps& Gaps() const { return gaps_; }
    // The status bar's texts of the gaps (empty without one): the latest with its times, and
    // every one on its own line for the tooltip.
    QString LinkStatusText() const;
    QString LinkStatusDetail() const;
    // The status bar's text of the bytes lost since the latest Open.
    QString BytesLostText() const;

    // For tests: the reader's wake does nothing; the test calls Drain itself.
    void SetManualDrain(bool manual) { manualDrain_.store(manual); }
    // Delivers every queued block in order (also run by the coalesced wake). Called again from
    // a nested event loop of a handler it delivers nothing: the running drain goes on, in
    // order, once the handler returns.
    void Drain();

signals:
    // Bytes that arrived together, all stamped with `block.tick` (kind kBytes only).
    void blockReceived(const vantrel::ReceivedBlock& block);
    // The port went away (unplugged, hung up) at `tick`, after every block received before
    // it; told once per loss.
    void linkLost(const QString& reason, quint32 tick);
    // The port lost at `lostTick` is open again since `backTick`; what the receiver sent in
    // between was not received.
    void linkBack(quint32 lostTick, quint32 backTick);
    // `count` bytes were dropped before the next block (the driver's buffer overran, or the
    // ring was full).
    void bytesLost(quint32 count);

private:
    void Wake() override;   // reader thread
    int Reopen() override;  // reader thread
    void Dispatch(const ReceivedBlock& block);
    int32_t MsOfDayAt(uint32_t tick) const;
    bool StartSource(const std::string& portName, int32_t storedBaud, int& fd);
    void BeginRecording(const std::string& portName, int32_t storedBaud);

    const MsClock& clock_;
    ReceiverRing ring_;
    WakeSignal wake_{[this] { Drain(); }};
    std::mutex linkMutex_;  // link_ between Transmit and the reader's Reopen
    SerialLink link_;
    std::string portName_;  // what Reopen opens
    int32_t storedBaud_ = 9600;
    std::unique_ptr<ReceiverScriptPlayer> player_;
    ReceiverReader reader_;
    ReceiverRecorder recorder_;
    std::optional<std::filesystem::path> recordFile_;
    int recordedOpenings_ = 0;
    std::string lastError_;
    std::string scriptTransmitted_;
    uint32_t openTick_ = 0;
    bool open_ = false;
    bool endRecordingAfterDrain_ = false;
    bool draining_ = false;
    ReceiverGaps gaps_;
    uint64_t lostSinceOpen_ = 0;
    uint64_t blocksReceived_ = 0;
    std::atomic<bool> manualDrain_{false};
};

// Puts --receiver and --record-receiver of `arguments` (argv without the program name) into
// effect on `receiver`. False when they cannot be used: `error` is then the text to show in an
// error box (the file and line and the fault); a usable --record-receiver still takes effect.
bool ApplyReceiverOptions(const std::vector<std::string>& arguments, ReceiverHub& receiver,
                          QString* error);

}  // namespace vantrel

Q_DECLARE_METATYPE(vantrel::ReceivedBlock)
