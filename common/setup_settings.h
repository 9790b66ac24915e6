#pragma once
// The [Setup] settings: loaded from and saved to the settings file, edited by the options
// dialog and read by the rest of the program (sampler, timing, serial port, announcer).
// Thread rule: GUI thread only; the timing thread gets a copy at session start.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/ini_file.h"
#include "common/time_text.h"

namespace vantrel {

// The port choice of the options dialog, in the order of its items.
enum class PortChoice : int32_t { kLpt378 = 0, kLpt3BC = 1, kLpt278 = 2, kNone = 3, kUsb = 4 };

// Status-register bit of each pin choice: "Pin#10", "Pin#11", "Pin#12", "Pin#13", "Pin#15",
// "NC". An index outside the table is "NC".
uint8_t PinMask(int32_t pinIndex);
constexpr int32_t kPinNotConnected = 5;

// The distance in metres a `Distance` text stands for: its leading number as the settings
// file reads it, clamped to 0..50; 4 when the text starts with no number at all.
int32_t DistanceOfText(std::string_view text);

// The language of the windows (`Language`: "ja", "en" or "system"); files and the voice keep
// theirs whatever it is.
enum class UiLanguage : int32_t { kJapanese = 0, kEnglish = 1, kSystem = 2 };
std::string_view LanguageKey(UiLanguage language);
UiLanguage LanguageOfKey(std::string_view key);  // anything unknown is Japanese

struct SetupSettings {
    std::string ioAddressText = "0x378";
    PortChoice port = PortChoice::kLpt378;
    int32_t ioAddress = 0x378;  // 0 for "None" and "USB"
    int32_t resolution = 3;     // poll period, 1..20 ms
    int32_t delay = 5000;       // OFF delay, 100..10000 ms
    int32_t startPin = 3;
    int32_t finishPin = 0;
    int32_t splitPin1 = kPinNotConnected;
    int32_t splitPin2 = kPinNotConnected;
    bool invert = false;
    TimeFormat timeFormat = TimeFormat::kMinutesSeconds;
    int32_t timeOut = 65;  // minutes, 1..65; above 60 no time-out
    bool logfile = false;
    std::string commPort = "COM1";
    int32_t baudRate = 9600;  // 2400, 4800, 9600, 19200 or 38400
    int32_t readDelay = 3;    // seconds, 0..10
    bool beepOn = false;
    std::string distanceText = "4";  // as typed in the dialog; the number when read
    int32_t distanceM = 4;           // 0..50; 0 = no speed
    // Receiver floods: a received block naming more than this many distinct cars within
    // 100 ms is held for the operator rather than booked (`FloodCars`, 1..199).
    int32_t floodCars = kDefaultFloodCars;
    static constexpr int32_t kDefaultFloodCars = 8;
    static constexpr int32_t kMaxFloodCars = 199;
    // Review marks: a circuit lap under `shortLapPercent` % of the median of the car's recent
    // laps (`ShortLapPercent`, 0..100, 0 = off), and the event's plausible window for gymkhana
    // and drag times (`PlausibleMinMs`, `PlausibleMaxMs`, 0 = no limit).
    int32_t shortLapPercent = kDefaultShortLapPercent;
    int32_t plausibleMinMs = 0;
    int32_t plausibleMaxMs = 0;
    static constexpr int32_t kDefaultShortLapPercent = 60;
    static constexpr int32_t kMaxPlausibleMs = 3600000;
    UiLanguage language = UiLanguage::kJapanese;

    // Reads [Setup] with the defaults above; values out of a control's range are clamped.
    static SetupSettings Load(const IniFile& ini);
    // Writes all sixteen [Setup] keys (BaudRate as the dialog's item text, " 9600"), and each
    // key added since only when it is in the file already or differs from its default.
    void Save(IniFile& ini) const;

    // Maps an `IoAddress` text to the port choice and address; unknown texts are "None".
    void SetIoAddressText(const std::string& text);
    // The text of the baud-rate item for `baudRate` (" 2400", " 4800", " 9600", "19200",
    // "38400"); any other value gives " 9600".
    std::string BaudRateText() const;

    bool TimeOutEnabled() const { return timeOut <= 60; }
    bool Split1Connected() const { return PinMask(splitPin1) != 0; }
    bool Split2Connected() const { return PinMask(splitPin2) != 0; }
};

}  // namespace vantrel
