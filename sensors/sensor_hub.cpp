#include "sensors/sensor_hub.h"

#include <cstring>
#include <ctime>

#include "common/messages.h"
#include "sensors/ftdi_usb_bus.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {
std::unique_ptr<UsbBus> OrLibFtdi(std::unique_ptr<UsbBus> bus) {
    return bus ? std::move(bus) : std::make_unique<FtdiUsbBus>();
}

// Wrap-safe "a is later than b" for the 32-bit millisecond tick.
bool After(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) > 0;
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
}  // namespace

SensorHub::SensorHub(const MsClock& clock, std::unique_ptr<UsbBus> usbBus, QObject* parent)
    : QObject(parent),
      clock_(clock),
      sampler_(clock, queue_),
      loop_(sampler_, clock, armed_, this),
      usbAdapter_(OrLibFtdi(std::move(usbBus))) {
    qRegisterMetaType<vantrel::SensorInput>();
    qRegisterMetaType<vantrel::SensorEvent>();
    log_.AddStartedUp(clock_.MsTick(), LocalNow());
}

SensorHub::~SensorHub() {
    armed_.store(false);
    loop_.Join();
    usbAdapter_.Close();
}

bool SensorHub::OpenPortDriver(int32_t ioAddress) {
    portDriver_.OpenDriver(ioAddress);
    return portDriver_.ActiveHW();
}

QString SensorHub::PortFailureText() const {
    return Tr(msg::k123).arg(QString::fromStdString(portDriver_.TriedDevice())) +
           QString::fromStdString(portDriver_.LastError());
}

void SensorHub::UseScript(SimulationScript script) {
    auto source = std::make_unique<ScriptSource>(std::move(script));
    script_ = source.get();
    simulated_ = std::move(source);
}

void SensorHub::UseSource(std::unique_ptr<InputSource> source) {
    script_ = nullptr;
    simulated_ = std::move(source);
}

InputSource* SensorHub::ChooseSource(const SetupSettings& settings) {
    if (simulated_) {
        return simulated_.get();
    }
    switch (settings.port) {
        case PortChoice::kUsb:
            return &usbAdapter_;
        case PortChoice::kNone:
            return &noneSource_;
        default:
            // A ppdev handle belongs to one port: follow a base address changed in the options,
            // and try again a port that did not open before.
            if (portDriver_.ActiveHW() && portDriver_.BaseAddress() != settings.ioAddress) {
                portDriver_.CloseDriver();
            }
            portDriver_.OpenDriver(settings.ioAddress);
            portFailed_ = !portDriver_.ActiveHW();
            return &parallelSource_;
    }
}

void SensorHub::Prime(const SetupSettings& settings, int32_t outputMask) {
    Stop();
    portFailed_ = false;
    SamplerConfig config = MakeSamplerConfig(settings, outputMask);
    config.source = ChooseSource(settings);
    config.dragHook = dragHook_.get();
    if (simulated_) {
        config.ioAddress = 0;  // a script has no lamps to write
        simulated_->Open();
    }
    if (recordFile_) {
        BeginRecording(settings);
        config.recordLevels = recorder_.IsRecording();
    }
    sampler_.Configure(config);
    sampler_.Prime();
}

void SensorHub::BeginRecording(const SetupSettings& settings) {
    const std::filesystem::path file = RecordingPathForSession(*recordFile_, ++recordedSessions_);
    const std::string pins = "pins: start " + std::to_string(settings.startPin) + ", finish " +
                             std::to_string(settings.finishPin) + ", split1 " +
                             std::to_string(settings.splitPin1) + ", split2 " +
                             std::to_string(settings.splitPin2);
    recorder_.Begin(file, {"Vantrel session recording (replay with --replay)", pins,
                           "IoAddress " + settings.ioAddressText + ", Resolution " +
                               std::to_string(settings.resolution) + ", Delay " +
                               std::to_string(settings.delay)});
}

UsbOpenResult SensorHub::OpenUsbAdapter() {
    if (simulated_) {
        return {};  // the script stands in for the adapter
    }
    return usbAdapter_.OpenAdapter();
}

void SensorHub::Arm() {
    armed_.store(true);
    if (!manualTicks_) {
        loop_.Arm();
    }
}

bool SensorHub::TickNow() {
    if (!loop_.IsIdle()) {
        return false;  // the timing thread owns the sampler
    }
    const bool ticked = loop_.Callback();
    Drain();
    return ticked;
}

void SensorHub::Stop() {
    armed_.store(false);
    loop_.Join();  // the close below must never overlap a read
    usbAdapter_.Close();
    Drain();
    recorder_.End();
}

IoResult SensorHub::AddExitAndSave(bool logfile, const std::filesystem::path& folder) {
    log_.AddExit(clock_.MsTick());
    return logfile ? log_.Save(folder) : IoResult::Success();
}

void SensorHub::Wake() {
    wake_.Wake();
}

void SensorHub::Drain() {
    DrainThrough(std::nullopt);
}

void SensorHub::DeliverUpTo(uint32_t tick) {
    loop_.WaitForSampleAt(tick);
    DrainThrough(tick);
}

void SensorHub::DrainThrough(std::optional<uint32_t> lastTick) {
    if (draining_) {
        return;  // a handler opened a nested event loop; the running drain delivers the rest
    }
    draining_ = true;
    SensorEvent event;
    while (queue_.Peek(event) && !(lastTick && After(event.tick, *lastTick))) {
        queue_.Pop(event);
        Dispatch(event);
    }
    draining_ = false;
}

void SensorHub::Dispatch(const SensorEvent& event) {
    switch (event.kind) {
        case SensorEventKind::kActiveEdge:
            log_.AddPassLine(event);
            portPasses_ += SessionSourceIs(parallelSource_) ? 1 : 0;
            usbPasses_ += SessionSourceIs(usbAdapter_) ? 1 : 0;
            break;
        case SensorEventKind::kLevelChange:
            recorder_.Add(event);
            return;
        case SensorEventKind::kEventsLost: {
            SensorEvent total = event;
            total.count = static_cast<uint32_t>(queue_.LostTotal());
            emit eventSampled(total);
            return;
        }
        default:
            break;
    }
    emit eventSampled(event);
}

InputSource* SensorHub::OpenSelfTestPort(const SetupSettings& settings, std::string& name) {
    if (simulated_ || IsArmed() || !loop_.IsIdle()) {
        return nullptr;
    }
    switch (settings.port) {
        case PortChoice::kNone:
            return nullptr;
        case PortChoice::kUsb:
            name = "USB";
            return usbAdapter_.OpenAdapter().Ok() ? &usbAdapter_ : nullptr;
        default:
            if (!portDriver_.ActiveHW() || portDriver_.BaseAddress() != settings.ioAddress) {
                portDriver_.CloseDriver();
                portDriver_.OpenDriver(settings.ioAddress);
            }
            name = portDriver_.TriedDevice();
            return portDriver_.ActiveHW() ? &parallelSource_ : nullptr;
    }
}

bool SensorHub::ReadFailureIsUsb() const {
    return sampler_.Config().source == &usbAdapter_;
}

QString SensorHub::ReadFailureText() const {
    if (ReadFailureIsUsb()) {
        return Tr(UsbMessageText(141));
    }
    const int error = portDriver_.LastIoErrno();
    return Tr(msg::kPortReadFailed)
        .arg(QString::fromStdString(portDriver_.TriedDevice()),
             error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : QString());
}

}  // namespace vantrel
