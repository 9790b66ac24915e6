// Any bytes as the settings file: every setting reads within its control's range, the stored
// windows are placed on a screen whatever the file says, and what the program writes back
// reads again as the settings it wrote.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/window_settings.h"
#include "common/ini_file.h"
#include "common/main_layout.h"
#include "common/setup_settings.h"
#include "fuzz/fuzz_file.h"
#include "fuzz/fuzz_lines.h"
#include "reports/record_layout.h"
#include "reports/record_settings.h"

using namespace vantrel;

namespace {

bool In(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

void CheckRanges(const SetupSettings& s) {
    fuzz::Require(In(s.resolution, 1, 20) && In(s.delay, 100, 10000), "poll period, OFF delay");
    fuzz::Require(In(s.startPin, 0, 4) && In(s.finishPin, 0, 4) &&
                      In(s.splitPin1, 0, kPinNotConnected) && In(s.splitPin2, 0, kPinNotConnected),
                  "pin choices");
    fuzz::Require(In(s.timeOut, 1, 65) && In(s.readDelay, 0, 10) && In(s.distanceM, 0, 50),
                  "time-out, read delay, distance");
    fuzz::Require(s.BaudRateText().size() == 5 && std::stoi(s.BaudRateText()) == s.baudRate,
                  "a listed speed");
    SetupSettings port;
    port.SetIoAddressText(s.ioAddressText);
    fuzz::Require(port.port == s.port && port.ioAddress == s.ioAddress, "port text and choice");
}

void CheckRanges(const MainWindowSettings& s) {
    fuzz::Require(In(s.maskTime, 1, 60) && In(s.raceMode, 0, 1) && In(s.portSelect, 0, 1),
                  "circuit settings");
    fuzz::Require(In(s.sensorCountStart, 0, 8) && In(s.sensorCountFinish, 0, 8), "pass counts");
    fuzz::Require(In(s.outputMask, 0, 255), "a byte mask");
    fuzz::Require(In(s.displayFontSize, 1, 72) && In(s.printerFontSize, 1, 72), "font sizes");
}

// The main window as the program places it: its title bar on a screen and some of it in view.
void CheckPlacement(const MainWindowSettings& s) {
    static const std::vector<WindowRect> kScreens = {{1920, -300, 1280, 1024}, {0, 0, 1920, 1080}};
    WindowRect stored = s.window;
    stored.width = std::max(stored.width, kMainMinWidth);
    stored.height = std::max(stored.height, kMainMinHeight);
    const WindowRect fitted = FitToScreens(stored, kScreens);
    bool onScreen = false;
    for (const WindowRect& screen : kScreens) {
        const int64_t seen = std::min<int64_t>(int64_t{fitted.left} + fitted.width,
                                               int64_t{screen.left} + screen.width) -
                             std::max(fitted.left, screen.left);
        onScreen = onScreen ||
                   (fitted.top >= screen.top && fitted.top < int64_t{screen.top} + screen.height &&
                    seen >= std::min(fitted.width, kMinVisibleWidth));
    }
    fuzz::Require(onScreen, "the title bar is on a screen");
    const WindowRect record = ClampRecordWindow(s.recordWindow, 1920, 1080);
    fuzz::Require(record.top >= 0 && record.left >= 0, "the record window's corner on screen");
}

void CheckPlacement(const RecordWindowSettings& s) {
    const WindowPlacement placed = PlaceRecordWindow(s.placement, 1920, 1080);
    fuzz::Require(placed.width <= 1920 && placed.height <= 1080, "no larger than the screen");
    fuzz::Require(
        int64_t{placed.left} + placed.width <= 1920 && int64_t{placed.top} + placed.height <= 1080,
        "not past the right or bottom edge");
    const WindowPlacement first =
        PlaceRecordWindowAtFirstShow(placed, s.placement.left, s.placement.top, 1920, 1080);
    fuzz::Require(first.left >= 0 && first.top >= 0, "the corner on screen at first show");
}

// What a save and a read keep of a text: characters CP932 cannot hold become "?", and the
// blanks around it go.
std::string Saved(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "\xEF\xBF\xBD") == 0) {
            out += '?';
            i += 2;
        } else {
            out += text[i];
        }
    }
    const size_t first = out.find_first_not_of(" \t");
    const size_t last = out.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : out.substr(first, last + 1 - first);
}

std::string Text(const SetupSettings& s) {
    return s.ioAddressText + "|" + std::to_string(s.resolution) + "|" + std::to_string(s.delay) +
           "|" + std::to_string(s.startPin) + std::to_string(s.finishPin) +
           std::to_string(s.splitPin1) + std::to_string(s.splitPin2) + "|" +
           std::to_string(s.invert) + std::to_string(static_cast<int>(s.timeFormat)) + "|" +
           std::to_string(s.timeOut) + "|" + std::to_string(s.logfile) + "|" + Saved(s.commPort) +
           "|" + std::to_string(s.baudRate) + "|" + std::to_string(s.readDelay) + "|" +
           std::to_string(s.beepOn) + "|" + std::to_string(s.distanceM) + "|" +
           std::to_string(s.floodCars) + "|" + std::to_string(s.shortLapPercent) + "|" +
           std::to_string(s.plausibleMinMs) + "|" + std::to_string(s.plausibleMaxMs) + "|" +
           std::to_string(static_cast<int>(s.language));
}

std::string Text(const WindowRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) +
           "," + std::to_string(r.height);
}

std::string Text(const MainWindowSettings& s) {
    std::string text = Text(s.window) + "|" + Text(s.recordWindow) + "|";
    for (int32_t value : {s.maskTime, s.raceMode, s.portSelect, s.sensorCountStart,
                          s.sensorCountFinish, s.outputMask, s.displayFontSize, s.printerFontSize,
                          s.topMargin, s.bottomMargin, s.leftMargin, s.rightMargin}) {
        text += std::to_string(value) + ",";
    }
    return text + std::to_string(s.proStart) + "|" + Saved(s.entryListDir) + "|" +
           Saved(s.resultListDir) + "|" + Saved(s.displayFontName) + "|" + Saved(s.printerFontName);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFile file("Vantrel.ini");
    file.Write(std::span<const uint8_t>(data, size));
    IniFile ini(file.Path());
    const SetupSettings setup = SetupSettings::Load(ini);
    const MainWindowSettings window = MainWindowSettings::Load(ini);
    const RecordWindowSettings record = ReadRecordWindowSettings(ini);
    CheckRanges(setup);
    CheckRanges(window);
    CheckPlacement(window);
    CheckPlacement(record);

    setup.Save(ini);
    window.Save(ini);
    WriteRecordWindowSettings(ini, record.placement.top, record.placement.left, record.fontColor,
                              record.background, true);
    fuzz::Require(ini.Save().ok, "the settings file is written");
    const IniFile again(file.Path());
    fuzz::Require(Text(SetupSettings::Load(again)) == Text(setup), "[Setup] reads as written");
    fuzz::Require(Text(MainWindowSettings::Load(again)) == Text(window),
                  "the window's sections read as written");
    const RecordWindowSettings recordAgain = ReadRecordWindowSettings(again);
    fuzz::Require(recordAgain.placement == record.placement &&
                      recordAgain.fontColor == record.fontColor &&
                      recordAgain.background == record.background,
                  "[RecordWindow] reads as written");
    return 0;
}
