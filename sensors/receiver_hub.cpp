#include "sensors/receiver_hub.h"

#include <QStringList>
#include <QTime>

#include "common/messages.h"
#include "sensors/sensor_command_line.h"
#include "sensors/serial_settings.h"
#include "widgets/ui_tr.h"

namespace vantrel {

ReceiverHub::ReceiverHub(const MsClock& clock, QObject* parent)
    : QObject(parent), clock_(clock), reader_(ring_, clock, this) {
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

void ReceiverHub::SetRingCapacity(std::size_t bytes) {
    Close();
    ring_.Reallocate(bytes);
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
    portName_ = portName;
    storedBaud_ = storedBaud;
    // A script's pipe is never lost; a port is tried again when it goes away.
    ReceiverReopener* reopener = player_ ? nullptr : this;
    if (!reader_.Start(fd, lastError_, reopener)) {
        if (player_) {
            player_->Stop();
        }
        link_.Close();
        return false;
    }
    open_ = true;
    gaps_.Clear();
    lostSinceOpen_ = 0;
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
    const std::lock_guard<std::mutex> lock(linkMutex_);
    if (!link_.Transmit(bytes)) {
        lastError_ = link_.LastError();
        return false;
    }
    return true;
}

int ReceiverHub::Reopen() {
    // Nothing is read meanwhile, so the allocations of an opening cost no stamp.
    const std::lock_guard<std::mutex> lock(linkMutex_);
    link_.Close();
    return link_.Open(portName_, storedBaud_) ? link_.Fd() : -1;
}

void ReceiverHub::Wake() {
    if (!manualDrain_.load()) {
        wake_.Wake();
    }
}

void ReceiverHub::Drain() {
    if (draining_) {
        return;  // a handler opened a nested event loop; the running drain delivers the rest
    }
    draining_ = true;
    ReceivedBlock block;
    while (ring_.TryPop(block)) {
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
            ++blocksReceived_;
            emit blockReceived(block);
            break;
        case ReceivedKind::kBytesLost:
            lostSinceOpen_ += block.lost;
            emit bytesLost(block.lost);
            break;
        case ReceivedKind::kLinkLost:
            if (!gaps_.LinkDown()) {
                const std::string reason(block.bytes.begin(), block.bytes.begin() + block.count);
                gaps_.Lost(block.tick, MsOfDayAt(block.tick), reason);
                emit linkLost(QString::fromStdString(reason), block.tick);
            }
            break;
        case ReceivedKind::kLinkBack:
            if (gaps_.LinkDown()) {
                gaps_.Back(block.tick, MsOfDayAt(block.tick));
                emit linkBack(gaps_.All().back().lostTick, block.tick);
            }
            break;
    }
}

int32_t ReceiverHub::MsOfDayAt(uint32_t tick) const {
    const auto ago = static_cast<int32_t>(clock_.MsTick() - tick);
    return QTime::currentTime().msecsSinceStartOfDay() - ago;
}

QString ReceiverHub::LinkStatusText() const {
    const std::vector<ReceiverGap>& gaps = gaps_.All();
    if (gaps.empty()) {
        return {};
    }
    const ReceiverGap& last = gaps.back();
    const QString lost = QString::fromStdString(FormatTimeOfDay(last.lostMsOfDay));
    if (!last.back) {
        return Tr(msg::kWarnReceiverLost) + QLatin1Char(' ') + lost;
    }
    const QString back = QString::fromStdString(FormatTimeOfDay(last.backMsOfDay));
    return gaps.size() == 1 ? Tr(msg::kWarnReceiverGap).arg(lost, back)
                            : Tr(msg::kWarnReceiverGaps).arg(lost, back).arg(gaps.size());
}

QString ReceiverHub::LinkStatusDetail() const {
    QStringList lines;
    for (const ReceiverGap& gap : gaps_.All()) {
        const QString back =
            gap.back ? QString::fromStdString(FormatTimeOfDay(gap.backMsOfDay)) : QString();
        lines << Tr(msg::kReceiverGapDetail)
                         .arg(QString::fromStdString(FormatTimeOfDay(gap.lostMsOfDay)), back) +
                     QStringLiteral(" (") + QString::fromStdString(gap.reason) + QLatin1Char(')');
    }
    return lines.join(QLatin1Char('\n'));
}

QString ReceiverHub::BytesLostText() const {
    return lostSinceOpen_ == 0 ? QString() : Tr(msg::kWarnReceiverBytesLost).arg(lostSinceOpen_);
}

bool ApplyReceiverOptions(const std::vector<std::string>& arguments, ReceiverHub& receiver,
                          QString* error) {
    const SensorCommandLine options = ParseSensorCommandLine(arguments);
    const auto unusable = [error](const QString& where, const std::string& fault) {
        if (error != nullptr) {
            *error = Tr(msg::kScriptUnusable).arg(where, QString::fromStdString(fault));
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
        return unusable(
            loaded.errorLine > 0 ? Tr(msg::kScriptLine).arg(file).arg(loaded.errorLine) : file,
            loaded.fault);
    }
    receiver.UseScript(std::move(loaded.script));
    return true;
}

}  // namespace vantrel
