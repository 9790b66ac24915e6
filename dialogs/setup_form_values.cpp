#include "dialogs/setup_form_values.h"

#include <algorithm>

#include "common/numbers.h"

namespace vantrel {

namespace {
// Reads a number box, then rewrites it with the number it was read as.
int32_t TakeSpinBox(std::string& text, const SpinRange& range) {
    const int32_t value = SpinBoxNumber(text, range);
    text = std::to_string(value);
    return value;
}
}  // namespace

int32_t SpinBoxNumber(const std::string& text, const SpinRange& range) {
    const auto value = StrToInt(text);
    return value ? std::clamp(*value, range.minimum, range.maximum) : range.fallback;
}

int32_t BaudRateOfText(const std::string& text) {
    const int32_t speed = StrToIntDef(text, 0);
    return speed == 2400 || speed == 4800 || speed == 19200 || speed == 38400 ? speed : 9600;
}

SetupFormValues FormValuesOf(const SetupSettings& settings) {
    SetupFormValues v;
    v.portText = settings.ioAddressText;
    v.resolutionText = std::to_string(settings.resolution);
    v.delayText = std::to_string(settings.delay);
    v.startPin = settings.startPin;
    v.finishPin = settings.finishPin;
    v.splitPin1 = settings.splitPin1;
    v.splitPin2 = settings.splitPin2;
    v.invert = settings.invert;
    v.timeFormat = static_cast<int32_t>(settings.timeFormat);
    v.timeOut = settings.timeOut;
    v.logfile = settings.logfile;
    v.commPort = settings.commPort;
    v.baudRateText = settings.BaudRateText();
    v.readDelayText = std::to_string(settings.readDelay);
    v.beepOn = settings.beepOn;
    v.distanceText = settings.distanceText;
    v.floodCarsText = std::to_string(settings.floodCars);
    return v;
}

SetupSettings SettingsOfForm(SetupFormValues& values) {
    SetupSettings s;
    s.SetIoAddressText(values.portText);
    s.resolution = TakeSpinBox(values.resolutionText, kResolutionRange);
    s.delay = TakeSpinBox(values.delayText, kDelayRange);
    s.readDelay = TakeSpinBox(values.readDelayText, kReadDelayRange);
    s.startPin = values.startPin;
    s.finishPin = values.finishPin;
    s.splitPin1 = values.splitPin1;
    s.splitPin2 = values.splitPin2;
    s.invert = values.invert;
    s.timeFormat = values.timeFormat == 1 ? TimeFormat::kMilliseconds : TimeFormat::kMinutesSeconds;
    s.timeOut = std::clamp(values.timeOut, kTimeOutMinimum, kTimeOutMaximum);
    s.logfile = values.logfile;
    s.commPort = values.commPort;
    s.baudRate = BaudRateOfText(values.baudRateText);
    s.beepOn = values.beepOn;
    s.distanceText = values.distanceText;
    s.distanceM = DistanceOfText(values.distanceText);
    s.floodCars = TakeSpinBox(values.floodCarsText, kFloodCarsRange);
    return s;
}

}  // namespace vantrel
