#include "app/device_health_sources.h"

#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "journal/list_journal.h"
#include "sensors/receiver_hub.h"
#include "sensors/sensor_hub.h"
#include "voice/announcer.h"
#include "web/web_server.h"

namespace vantrel {

namespace {

bool ParallelChosen(const SetupSettings& setup) {
    return setup.port != PortChoice::kNone && setup.port != PortChoice::kUsb;
}

HealthReading ParallelPort(SensorHub& sensors, const SetupSettings& setup) {
    const PortDriver& driver = sensors.Driver();
    HealthReading r;
    if (driver.ActiveHW()) {
        r.state =
            (ParallelChosen(setup) ? "使用中 " : "開いています (未選択) ") + driver.TriedDevice();
    } else if (ParallelChosen(setup) && !driver.LastError().empty()) {
        r.state = "開けません " + driver.TriedDevice() + ": " + driver.LastError();
        r.fault = true;
    } else {
        r.state = ParallelChosen(setup) ? "未接続" : "未使用";
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
        r.state = "使用中";
    } else if (setup.port == PortChoice::kUsb) {
        r.fault = !usb.LastError().empty();
        r.state = r.fault ? "開けません: " + usb.LastError() : "閉じています (開始時に開きます)";
    } else {
        r.state = "未使用";
    }
    r.events = sensors.UsbPasses();
    r.bytes = usb.ReadCount();
    r.lost = usb.ReadFailures() + (sensors.SessionSourceIs(usb) ? sensors.EventsLost() : 0);
    return r;
}

HealthReading Receiver(ReceiverHub& receiver) {
    HealthReading r;
    if (!receiver.IsOpen()) {
        r.state = "閉じています";
    } else if (receiver.Gaps().LinkDown()) {
        r.state = "切断 (再接続待ち)";
        r.fault = true;
    } else {
        r.state = receiver.UsesScript() ? "スクリプト再生中" : "受信中";
    }
    r.events = receiver.BlocksReceived();
    r.bytes = receiver.BytesReceived();
    r.lost = receiver.BytesLost();
    return r;
}

HealthReading Sound(const CSound& sound) {
    HealthReading r;
    if (!sound.HasDevice()) {
        r.state = "デバイスなし (ビープ)";
    } else if (!sound.DeviceUsable()) {
        r.state = "サウンド出力停止";
        r.fault = true;
    } else {
        r.state = sound.VoiceOn() ? "使用中 (読み上げ)" : "使用可能";
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
        r.state = "停止";
    } else if (writer.Failing()) {
        r.state = "書き込み失敗 " + journal.Path().filename().string();
        r.fault = true;
    } else {
        r.state = "記録中 " + journal.Path().filename().string();
    }
    r.events = writer.RecordsDurable();
    r.bytes = writer.BytesDurable();
    r.lost = writer.FailedWrites();
    return r;
}

HealthReading Web(const WebServer& web) {
    const WebServerCounters& counters = web.Counters();
    HealthReading r;
    r.state = web.Serving() ? "公開中 ポート " + std::to_string(web.Port()) + ", 接続 " +
                                  std::to_string(counters.connections.load())
                            : "停止";
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
