#include "dialogs/setup_form_values.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "common/numbers.h"

namespace vantrel {

namespace {
// Reads a number box, then rewrites it with the number it was read as.
int32_t TakeSpinBox(std::string& text, const SpinRange& range) {
    const int32_t value = SpinBoxNumber(text, range);
    text = std::to_string(value);
    return value;
}

int32_t TakeSecondsBox(std::string& text) {
    const int32_t ms = SecondsBoxMs(text);
    text = SecondsBoxText(ms);
    return ms;
}

bool AllDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}
}  // namespace

int32_t SecondsBoxMs(const std::string& text) {
    std::string_view rest(text);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    rest.remove_suffix(rest.size() - (rest.find_last_not_of(' ') + 1));
    const size_t point = rest.find('.');
    const std::string_view whole = rest.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction)) {
        return 0;
    }
    constexpr int64_t kMax = SetupSettings::kMaxPlausibleMs;
    // More seconds than the limit holds are the limit, however many digits they take.
    int64_t seconds = 0;
    const auto [at, error] = std::from_chars(whole.data(), whole.data() + whole.size(), seconds);
    if (error == std::errc::result_out_of_range || seconds > kMax / 1000) {
        return static_cast<int32_t>(kMax);
    }
    // Digits past the millisecond are cut, as every time of the program is.
    std::string millis(fraction.substr(0, 3));
    millis.append(3 - millis.size(), '0');
    return static_cast<int32_t>(std::min(seconds * 1000 + std::stoi(millis), kMax));
}

std::string SecondsBoxText(int32_t ms) {
    std::string millis = std::to_string(ms % 1000);
    millis.insert(0, 3 - millis.size(), '0');
    return std::to_string(ms / 1000) + "." + millis;
}

bool PlausibleWindowValid(const SetupSettings& settings) {
    return settings.plausibleMinMs == 0 || settings.plausibleMaxMs == 0 ||
           settings.plausibleMinMs <= settings.plausibleMaxMs;
}

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
    v.shortLapText = std::to_string(settings.shortLapPercent);
    v.plausibleMinText = SecondsBoxText(settings.plausibleMinMs);
    v.plausibleMaxText = SecondsBoxText(settings.plausibleMaxMs);
    v.language = settings.language;
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
    s.shortLapPercent = TakeSpinBox(values.shortLapText, kShortLapRange);
    s.plausibleMinMs = TakeSecondsBox(values.plausibleMinText);
    s.plausibleMaxMs = TakeSecondsBox(values.plausibleMaxText);
    s.language = values.language;
    return s;
}

}  // namespace vantrel
