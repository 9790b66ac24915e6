#include "app/device_health_sources.h"

#include <filesystem>
#include <initializer_list>
#include <string>

#include <QCoreApplication>
#include <QStringList>

#include "app/main_window.h"
#include "journal/list_journal.h"
#include "sensors/receiver_hub.h"
#include "sensors/sensor_hub.h"
#include "voice/announcer.h"
#include "web/web_server.h"

namespace vantrel {

namespace {

// `source` is marked with QT_TRANSLATE_NOOP("DeviceHealth", ...); at most two places, %1 %2.
std::string Text(const char* source, std::initializer_list<std::string> args = {}) {
    const QString text = QCoreApplication::translate("DeviceHealth", source);
    QStringList q;
    for (const std::string& arg : args) {
        q << QString::fromStdString(arg);
    }
    // A device name or error text holding "%2" must not be taken for the next place.
    switch (q.size()) {
        case 0:
            return text.toStdString();
        case 1:
            return text.arg(q[0]).toStdString();
        default:
            return text.arg(q[0], q[1]).toStdString();
    }
}

bool ParallelChosen(const SetupSettings& setup) {
    return setup.port != PortChoice::kNone && setup.port != PortChoice::kUsb;
}

HealthReading ParallelPort(SensorHub& sensors, const SetupSettings& setup) {
    const PortDriver& driver = sensors.Driver();
    HealthReading r;
    if (driver.ActiveHW()) {
        r.state = Text(ParallelChosen(setup)
                           ? QT_TRANSLATE_NOOP("DeviceHealth", "使用中 %1")
                           : QT_TRANSLATE_NOOP("DeviceHealth", "開いています (未選択) %1"),
                       {driver.TriedDevice()});
    } else if (ParallelChosen(setup) && !driver.LastError().empty()) {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "開けません %1: %2"),
                       {driver.TriedDevice(), driver.LastError()});
        r.fault = true;
    } else {
        r.state = Text(ParallelChosen(setup) ? QT_TRANSLATE_NOOP("DeviceHealth", "未接続")
                                             : QT_TRANSLATE_NOOP("DeviceHealth", "未使用"));
    }
    r.events = sensors.PortPasses();
    r.bytes = driver.ReadCount();
    r.lost = driver.ReadFailures() +
             (sensors.SessionSourceIs(sensors.ParallelSource()) ? sensors.EventsLost() : 0);
    return r;
}

HealthReading UsbAdapterHealth(SensorHub& sensors, const SetupSettings& setup) {
    const UsbAdapter& usb = sensors.Usb();
    HealthReading r;
    if (usb.IsOpen()) {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "使用中"));
    } else if (setup.port == PortChoice::kUsb) {
        r.fault = !usb.LastError().empty();
        r.state = r.fault
                      ? Text(QT_TRANSLATE_NOOP("DeviceHealth", "開けません: %1"), {usb.LastError()})
                      : Text(QT_TRANSLATE_NOOP("DeviceHealth", "閉じています (開始時に開きます)"));
    } else {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "未使用"));
    }
    r.events = sensors.UsbPasses();
    r.bytes = usb.ReadCount();
    r.lost = usb.ReadFailures() + (sensors.SessionSourceIs(usb) ? sensors.EventsLost() : 0);
    return r;
}

HealthReading Receiver(ReceiverHub& receiver) {
    HealthReading r;
    if (!receiver.IsOpen()) {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "閉じています"));
    } else if (receiver.Gaps().LinkDown()) {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "切断 (再接続待ち)"));
        r.fault = true;
    } else {
        r.state = Text(receiver.UsesScript() ? QT_TRANSLATE_NOOP("DeviceHealth", "スクリプト再生中")
                                             : QT_TRANSLATE_NOOP("DeviceHealth", "受信中"));
    }
    r.events = receiver.BlocksReceived();
    r.bytes = receiver.BytesReceived();
    r.lost = receiver.BytesLost();
    return r;
}

HealthReading Sound(const CSound& sound) {
    HealthReading r;
    if (!sound.HasDevice()) {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "デバイスなし (ビープ)"));
    } else if (!sound.DeviceUsable()) {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "サウンド出力停止"));
        r.fault = true;
    } else {
        r.state = Text(sound.VoiceOn() ? QT_TRANSLATE_NOOP("DeviceHealth", "使用中 (読み上げ)")
                                       : QT_TRANSLATE_NOOP("DeviceHealth", "使用可能"));
    }
    r.events = sound.SoundsPlayed();
    r.bytes = sound.BytesPlayed();
    r.lost = sound.SoundsLost();
    return r;
}

HealthReading Journal(ListJournal& journal) {
    const JournalWriter& writer = journal.Writer();
    HealthReading r;
    if (!journal.IsOpen()) {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "停止"));
    } else if (writer.Failing()) {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "書き込み失敗 %1"),
                       {journal.Path().filename().string()});
        r.fault = true;
    } else {
        r.state = Text(QT_TRANSLATE_NOOP("DeviceHealth", "記録中 %1"),
                       {journal.Path().filename().string()});
    }
    r.events = writer.RecordsDurable();
    r.bytes = writer.BytesDurable();
    r.lost = writer.FailedWrites();
    return r;
}

HealthReading Web(const WebServer& web) {
    const WebServerCounters& counters = web.Counters();
    HealthReading r;
    r.state = web.Serving()
                  ? Text(QT_TRANSLATE_NOOP("DeviceHealth", "公開中 ポート %1, 接続 %2"),
                         {std::to_string(web.Port()), std::to_string(counters.connections.load())})
                  : Text(QT_TRANSLATE_NOOP("DeviceHealth", "停止"));
    r.events = counters.broadcasts.load();
    r.bytes = counters.bytesSent.load();
    r.lost = counters.dropped.load() + counters.refused.load();
    return r;
}

}  // namespace

HealthReadings ReadDeviceHealth(TMainForm& window) {
    HealthReadings readings;
    auto at = [&readings](HealthDevice device) -> HealthReading& {
        return readings[static_cast<size_t>(device)];
    };
    at(HealthDevice::kParallelPort) = ParallelPort(window.Sensors(), window.Setup());
    at(HealthDevice::kUsbAdapter) = UsbAdapterHealth(window.Sensors(), window.Setup());
    at(HealthDevice::kReceiver) = Receiver(window.Receiver());
    at(HealthDevice::kSound) = Sound(window.Sound());
    at(HealthDevice::kJournal) = Journal(window.Journal());
    at(HealthDevice::kWeb) = Web(window.Web());
    return readings;
}

}  // namespace vantrel
