#pragma once
// The options dialog's controls as plain values, and the rules that turn the [Setup]
// settings into control values and the operator's edits back into settings.
// Thread rule: any thread (plain values and pure functions).

#include <cstdint>
#include <string>

#include "common/setup_settings.h"

namespace vantrel {

// Ranges of the spin controls; the track bar's range is the time-out's.
struct SpinRange {
    int32_t minimum;
    int32_t maximum;
    int32_t fallback;  // the value a box that holds no number stands for
};
inline constexpr SpinRange kResolutionRange{1, 20, 5};
inline constexpr SpinRange kDelayRange{100, 10000, 5000};
inline constexpr SpinRange kReadDelayRange{0, 10, 3};
inline constexpr SpinRange kDistanceRange{0, 50, 4};
inline constexpr SpinRange kFloodCarsRange{1, SetupSettings::kMaxFloodCars,
                                           SetupSettings::kDefaultFloodCars};
inline constexpr SpinRange kShortLapRange{0, 100, SetupSettings::kDefaultShortLapPercent};
inline constexpr int32_t kDelayStep = 500;
inline constexpr int32_t kTimeOutMinimum = 1;
inline constexpr int32_t kTimeOutMaximum = 65;
inline constexpr const char* kNoSerialPort = "None";

struct SetupFormValues {
    std::string portText;        // ComboBox1
    std::string resolutionText;  // Memo1
    std::string delayText;       // Memo2
    int32_t startPin = 3;        // ComboBox4..ComboBox7 item indexes
    int32_t finishPin = 0;
    int32_t splitPin1 = kPinNotConnected;
    int32_t splitPin2 = kPinNotConnected;
    bool invert = false;                          // CheckBox1
    int32_t timeFormat = 0;                       // RadioGroup1 item index
    int32_t timeOut = 65;                         // TrackBar1 position
    bool logfile = false;                         // CheckBox3
    std::string commPort;                         // ComboBox2 text
    std::string baudRateText;                     // ComboBox3 text
    std::string readDelayText;                    // Memo3
    bool beepOn = false;                          // CheckBox2
    std::string distanceText;                     // Memo4
    std::string floodCarsText;                    // FloodCarsBox
    std::string shortLapText;                     // ShortLapBox, percent
    std::string plausibleMinText;                 // PlausibleMinBox, seconds with three decimals
    std::string plausibleMaxText;                 // PlausibleMaxBox
    UiLanguage language = UiLanguage::kJapanese;  // LanguageBox item index
};

// What the controls show for stored settings.
SetupFormValues FormValuesOf(const SetupSettings& settings);

// The settings the controls stand for. A number box that holds no number counts as its
// fallback, and each of Memo1..Memo3, FloodCarsBox, ShortLapBox and the two plausible-time
// boxes is rewritten with the number it was read as; the distance text is kept as typed.
SetupSettings SettingsOfForm(SetupFormValues& values);

// The number a spin box's text stands for: a whole number clamped to the range, or the
// range's fallback.
int32_t SpinBoxNumber(const std::string& text, const SpinRange& range);

// A plausible-time box: seconds with up to three decimals ("12.5" is 12500 ms), clamped to
// 0..SetupSettings::kMaxPlausibleMs; 0 (no limit) for a text that is no such number. And the
// text the box shows for a time ("12.500").
int32_t SecondsBoxMs(const std::string& text);
std::string SecondsBoxText(int32_t ms);

// False when both plausible limits are set and the minimum lies above the maximum.
bool PlausibleWindowValid(const SetupSettings& settings);

// A speed box text (" 9600") as a speed; texts of no offered speed give 9600.
int32_t BaudRateOfText(const std::string& text);

}  // namespace vantrel
