#pragma once
// ReceiverHub: the GUI thread's side of the lap-counting receiver. It owns the serial link and
// the reader thread that stamps every block on arrival; drains the blocks strictly in order
// when the reader wakes it (one coalesced queued call) and hands each to `blockReceived`.
// A script (--receiver) stands in for the port and goes through the same reader and queue;
// every opening can be recorded for replay (--record-receiver).
//
// Open at a CIRCUIT session start or when "RS232C" is ticked; Close at session stop, on
// unticking, on a mode change and at exit. After `linkLost` the hub stays open (nothing more
// arrives, Transmit fails) until Close.
// Thread rule: GUI thread only, every function and every signal.

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ms_clock.h"
#include "sensors/received_block.h"
#include "sensors/receiver_reader.h"
#include "sensors/receiver_recorder.h"
#include "sensors/receiver_script.h"
#include "sensors/receiver_script_player.h"
#include "sensors/serial_link.h"

namespace vantrel {

class ReceiverHub final : public QObject, private EventWaker {
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
    // Bytes the port's driver reported dropped since the hub was made.
    uint64_t BytesLost() const { return reader_.BytesLost(); }

    // For tests: the reader's wake posts nothing; the test calls Drain itself.
    void SetManualDrain(bool manual) { manualDrain_.store(manual); }
    // Delivers every queued block in order (also run by the coalesced wake). Called again from
    // a nested event loop of a handler it delivers nothing: the running drain goes on, in
    // order, once the handler returns.
    void Drain();

signals:
    // Bytes that arrived together, all stamped with `block.tick` (kind kBytes only).
    void blockReceived(const vantrel::ReceivedBlock& block);
    // The port went away (unplugged, hung up); told once per opening, after every block
    // received before it.
    void linkLost(const QString& reason);
    // The port's driver dropped `count` bytes before the next block (its buffer overran).
    void bytesLost(quint32 count);

private:
    void Wake() override;  // reader thread
    void Dispatch(const ReceivedBlock& block);
    bool StartSource(const std::string& portName, int32_t storedBaud, int& fd);
    void BeginRecording(const std::string& portName, int32_t storedBaud);

    const MsClock& clock_;
    ReceivedQueue queue_;
    SerialLink link_;
    std::unique_ptr<ReceiverScriptPlayer> player_;
    ReceiverReader reader_;
    ReceiverRecorder recorder_;
    std::optional<std::filesystem::path> recordFile_;
    int recordedOpenings_ = 0;
    std::string lastError_;
    std::string scriptTransmitted_;
    uint32_t openTick_ = 0;
    bool open_ = false;
    bool linkLostTold_ = false;
    bool endRecordingAfterDrain_ = false;
    bool draining_ = false;
    std::atomic<bool> wakePending_{false};
    std::atomic<bool> manualDrain_{false};
};

// Puts --receiver and --record-receiver of `arguments` (argv without the program name) into
// effect on `receiver`. False when they cannot be used: `error` is then the text to show in an
// error box (the file and line and the fault); a usable --record-receiver still takes effect.
bool ApplyReceiverOptions(const std::vector<std::string>& arguments, ReceiverHub& receiver,
                          QString* error);

}  // namespace vantrel

Q_DECLARE_METATYPE(vantrel::ReceivedBlock)
