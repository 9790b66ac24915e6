#include "common/setup_settings.h"

#include "common/numbers.h"

#include <algorithm>
#include <array>

namespace vantrel {

namespace {
constexpr const char* kSection = "Setup";

constexpr int32_t kDefaultDistance = 4;
constexpr int32_t kMaxDistance = 50;

int32_t ReadClamped(const IniFile& ini, const char* key, int32_t fallback, int32_t low,
                    int32_t high) {
    return std::clamp(ReadNumber(ini, kSection, key, fallback), low, high);
}

// An item index of a list: one outside the list is no choice at all and means the default
// (the nearest item would be a pin the operator never chose).
int32_t ReadChoice(const IniFile& ini, const char* key, int32_t fallback, int32_t items) {
    return ReadItemIndex(ini, kSection, key, fallback, items);
}
}  // namespace

uint8_t PinMask(int32_t pinIndex) {
    static constexpr std::array<uint8_t, 6> kMasks = {0x40, 0x80, 0x20, 0x10, 0x08, 0x00};
    if (pinIndex < 0 || pinIndex >= static_cast<int32_t>(kMasks.size())) {
        return 0;
    }
    return kMasks[pinIndex];
}

int32_t DistanceOfText(std::string_view text) {
    const std::optional<int32_t> value = LeadingInt(text);
    return value ? std::clamp(*value, 0, kMaxDistance) : kDefaultDistance;
}

void SetupSettings::SetIoAddressText(const std::string& text) {
    if (text == "0x378") {
        port = PortChoice::kLpt378;
        ioAddress = 0x378;
    } else if (text == "0x3BC") {
        port = PortChoice::kLpt3BC;
        ioAddress = 0x3BC;
    } else if (text == "0x278") {
        port = PortChoice::kLpt278;
        ioAddress = 0x278;
    } else if (text == "USB") {
        port = PortChoice::kUsb;
        ioAddress = 0;
    } else {
        port = PortChoice::kNone;
        ioAddress = 0;
    }
    static constexpr std::array<const char*, 5> kTexts = {"0x378", "0x3BC", "0x278", "None", "USB"};
    ioAddressText = kTexts[static_cast<size_t>(port)];
}

std::string SetupSettings::BaudRateText() const {
    switch (baudRate) {
        case 2400:
            return " 2400";
        case 4800:
            return " 4800";
        case 19200:
            return "19200";
        case 38400:
            return "38400";
        default:
            return " 9600";
    }
}

SetupSettings SetupSettings::Load(const IniFile& ini) {
    SetupSettings s;
    s.SetIoAddressText(ini.ReadString(kSection, "IoAddress", "0x378"));
    s.resolution = ReadClamped(ini, "Resolution", 3, 1, 20);
    s.delay = ReadClamped(ini, "Delay", 5000, 100, 10000);
    s.startPin = ReadChoice(ini, "StartPin", 3, kPinNotConnected);
    s.finishPin = ReadChoice(ini, "FinishPin", 0, kPinNotConnected);
    s.splitPin1 = ReadChoice(ini, "SplitPin1", kPinNotConnected, kPinNotConnected + 1);
    s.splitPin2 = ReadChoice(ini, "SplitPin2", kPinNotConnected, kPinNotConnected + 1);
    s.invert = ReadNumber(ini, kSection, "Invert", 0) != 0;
    s.timeFormat = ReadChoice(ini, "TimeFormat", 0, 2) == 1 ? TimeFormat::kMilliseconds
                                                            : TimeFormat::kMinutesSeconds;
    s.timeOut = ReadClamped(ini, "TimeOut", 65, 1, 65);
    s.logfile = ReadNumber(ini, kSection, "Logfile", 0) != 0;
    s.commPort = ini.ReadString(kSection, "CommPort", "COM1");
    s.baudRate = ReadNumber(ini, kSection, "BaudRate", 9600);
    if (s.baudRate != 2400 && s.baudRate != 4800 && s.baudRate != 19200 && s.baudRate != 38400) {
        s.baudRate = 9600;
    }
    s.readDelay = ReadClamped(ini, "ReadDelay", 3, 0, 10);
    s.beepOn = ReadNumber(ini, kSection, "BeepOn", 0) != 0;
    // A distance typed as no number is stored as typed (the dialog's rule); read back it is
    // the default, shown and written again as such.
    s.distanceM = DistanceOfText(ini.ReadString(kSection, "Distance", "4"));
    s.distanceText = std::to_string(s.distanceM);
    s.floodCars = ReadClamped(ini, "FloodCars", kDefaultFloodCars, 1, kMaxFloodCars);
    s.shortLapPercent = ReadClamped(ini, "ShortLapPercent", kDefaultShortLapPercent, 0, 100);
    s.plausibleMinMs = ReadClamped(ini, "PlausibleMinMs", 0, 0, kMaxPlausibleMs);
    s.plausibleMaxMs = ReadClamped(ini, "PlausibleMaxMs", 0, 0, kMaxPlausibleMs);
    s.language = LanguageOfKey(ini.ReadString(kSection, "Language", ""));
    return s;
}

void SetupSettings::Save(IniFile& ini) const {
    ini.WriteString(kSection, "IoAddress", ioAddressText);
    ini.WriteInt(kSection, "Resolution", resolution);
    ini.WriteInt(kSection, "Delay", delay);
    ini.WriteInt(kSection, "StartPin", startPin);
    ini.WriteInt(kSection, "FinishPin", finishPin);
    ini.WriteInt(kSection, "SplitPin1", splitPin1);
    ini.WriteInt(kSection, "SplitPin2", splitPin2);
    ini.WriteBool(kSection, "Invert", invert);
    ini.WriteInt(kSection, "TimeFormat", static_cast<int32_t>(timeFormat));
    ini.WriteInt(kSection, "TimeOut", timeOut);
    ini.WriteBool(kSection, "Logfile", logfile);
    ini.WriteString(kSection, "CommPort", commPort);
    ini.WriteString(kSection, "BaudRate", BaudRateText());
    ini.WriteInt(kSection, "ReadDelay", readDelay);
    ini.WriteBool(kSection, "BeepOn", beepOn);
    ini.WriteString(kSection, "Distance", distanceText);
    if (floodCars != kDefaultFloodCars || ini.HasKey(kSection, "FloodCars")) {
        ini.WriteInt(kSection, "FloodCars", floodCars);
    }
    const auto writeAdded = [&ini](const char* key, int32_t value, int32_t fallback) {
        if (value != fallback || ini.HasKey(kSection, key)) {
            ini.WriteInt(kSection, key, value);
        }
    };
    writeAdded("ShortLapPercent", shortLapPercent, kDefaultShortLapPercent);
    writeAdded("PlausibleMinMs", plausibleMinMs, 0);
    writeAdded("PlausibleMaxMs", plausibleMaxMs, 0);
    if (language != UiLanguage::kJapanese || ini.HasKey(kSection, "Language")) {
        ini.WriteString(kSection, "Language", std::string(LanguageKey(language)));
    }
}

std::string_view LanguageKey(UiLanguage language) {
    switch (language) {
        case UiLanguage::kEnglish:
            return "en";
        case UiLanguage::kSystem:
            return "system";
        case UiLanguage::kJapanese:
            break;
    }
    return "ja";
}

UiLanguage LanguageOfKey(std::string_view key) {
    if (key == "en") {
        return UiLanguage::kEnglish;
    }
    return key == "system" ? UiLanguage::kSystem : UiLanguage::kJapanese;
}

}  // namespace vantrel
