#include "sensors/receiver_hub.h"

#include <QMetaObject>

#include "common/messages.h"
#include "sensors/sensor_command_line.h"
#include "sensors/serial_settings.h"

namespace vantrel {

ReceiverHub::ReceiverHub(const MsClock& clock, QObject* parent)
    : QObject(parent), clock_(clock), reader_(queue_, clock, this) {
    qRegisterMetaType<vantrel::ReceivedBlock>();
}

ReceiverHub::~ReceiverHub() {
    reader_.Stop();
    if (player_) {
        player_->Stop();
    }
    link_.Close();
    recorder_.End();
}

void ReceiverHub::UseScript(ReceiverScript script) {
    Close();
    player_ = std::make_unique<ReceiverScriptPlayer>(std::move(script));
}

bool ReceiverHub::Open(const std::string& portName, int32_t storedBaud) {
    Close();
    lastError_.clear();
    openTick_ = clock_.MsTick();
    int fd = -1;
    if (!StartSource(portName, storedBaud, fd)) {
        return false;
    }
    if (!reader_.Start(fd, lastError_)) {
        if (player_) {
            player_->Stop();
        }
        link_.Close();
        return false;
    }
    open_ = true;
    linkLostTold_ = false;
    if (recordFile_) {
        BeginRecording(portName, storedBaud);
    }
    return true;
}

bool ReceiverHub::StartSource(const std::string& portName, int32_t storedBaud, int& fd) {
    if (player_) {
        if (!player_->Start(lastError_)) {
            return false;
        }
        fd = player_->ReadFd();
        return true;
    }
    if (!link_.Open(portName, storedBaud)) {
        lastError_ = link_.LastError();
        return false;
    }
    fd = link_.Fd();
    return true;
}

void ReceiverHub::BeginRecording(const std::string& portName, int32_t storedBaud) {
    const std::filesystem::path file = RecordingPathForSession(*recordFile_, ++recordedOpenings_);
    const std::string source = player_ ? std::string("a receiver script")
                                       : SerialDevicePath(portName) + " at " +
                                             std::to_string(SerialSpeed(storedBaud)) + " bit/s";
    recorder_.Begin(file, {"Vantrel receiver recording (replay with --receiver)", source},
                    openTick_);
}

void ReceiverHub::Close() {
    if (!open_) {
        return;
    }
    reader_.Stop();
    Drain();
    if (player_) {
        player_->Stop();
    }
    link_.Close();
    open_ = false;
    // Called from a handler, the running drain still has blocks of this opening to record.
    if (draining_) {
        endRecordingAfterDrain_ = true;
    } else {
        recorder_.End();
    }
}

bool ReceiverHub::Transmit(std::string_view bytes) {
    if (!open_) {
        lastError_ = "the serial port is not open";
        return false;
    }
    if (player_) {
        scriptTransmitted_.append(bytes);
        return true;
    }
    if (!link_.Transmit(bytes)) {
        lastError_ = link_.LastError();
        return false;
    }
    return true;
}

void ReceiverHub::Wake() {
    if (!manualDrain_.load() && !wakePending_.exchange(true)) {
        QMetaObject::invokeMethod(this, &ReceiverHub::Drain, Qt::QueuedConnection);
    }
}

void ReceiverHub::Drain() {
    // Cleared by every call, the nested one too: a wake from now on posts a new drain, so none
    // is swallowed by a drain that returns early below.
    wakePending_.store(false);
    if (draining_) {
        return;  // a handler opened a nested event loop; the running drain delivers the rest
    }
    draining_ = true;
    ReceivedBlock block;
    while (queue_.TryPop(block)) {
        Dispatch(block);
    }
    draining_ = false;
    if (endRecordingAfterDrain_) {
        endRecordingAfterDrain_ = false;
        if (!open_) {
            recorder_.End();
        }
    }
}

void ReceiverHub::Dispatch(const ReceivedBlock& block) {
    recorder_.Add(block);
    switch (block.kind) {
        case ReceivedKind::kBytes:
            emit blockReceived(block);
            break;
        case ReceivedKind::kBytesLost:
            emit bytesLost(block.lost);
            break;
        case ReceivedKind::kLinkLost:
            if (!linkLostTold_) {
                linkLostTold_ = true;
                emit linkLost(QString::fromLatin1(reinterpret_cast<const char*>(block.bytes.data()),
                                                  block.count));
            }
            break;
    }
}

bool ApplyReceiverOptions(const std::vector<std::string>& arguments, ReceiverHub& receiver,
                          QString* error) {
    const SensorCommandLine options = ParseSensorCommandLine(arguments);
    const auto unusable = [error](const QString& where, const std::string& fault) {
        if (error != nullptr) {
            *error =
                QString::fromUtf8(msg::kScriptUnusable).arg(where, QString::fromStdString(fault));
        }
        return false;
    };
    if (!options.receiverError.empty()) {
        return unusable(QStringLiteral("--receiver / --record-receiver"), options.receiverError);
    }
    if (options.receiverRecord) {
        receiver.RecordTo(*options.receiverRecord);
    }
    if (!options.receiverScript) {
        return true;
    }
    ReceiverScriptParseResult loaded = LoadReceiverScript(*options.receiverScript);
    if (!loaded.ok) {
        const QString file = QString::fromStdString(options.receiverScript->string());
        return unusable(loaded.errorLine > 0
                            ? QString::fromUtf8(msg::kScriptLine).arg(file).arg(loaded.errorLine)
                            : file,
                        loaded.fault);
    }
    receiver.UseScript(std::move(loaded.script));
    return true;
}

}  // namespace vantrel
