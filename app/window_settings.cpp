#include "app/window_settings.h"

#include <algorithm>
#include <climits>

namespace vantrel {

MainWindowSettings MainWindowSettings::Load(const IniFile& ini) {
    MainWindowSettings s;
    s.window.top = ReadNumber(ini, "Window", "Top", 0);
    s.window.left = ReadNumber(ini, "Window", "Left", 0);
    s.window.height = ReadNumber(ini, "Window", "Height", 450);
    s.window.width = ReadNumber(ini, "Window", "Width", 636);
    s.maskTime = std::clamp(ReadNumber(ini, "Window", "MaskTime", 30), 1, 60);
    s.raceMode = ReadItemIndex(ini, "Window", "RaceMode", 0, 2);
    s.portSelect = ReadItemIndex(ini, "Window", "PortSelect", 0, 2);
    s.sensorCountStart = ReadItemIndex(ini, "SensorCount", "Start", 0, 9);
    s.sensorCountFinish = ReadItemIndex(ini, "SensorCount", "Finish", 0, 9);
    s.outputMask = ReadNumber(ini, "Output", "Mask", 4) & 0xFF;
    s.proStart = ReadNumber(ini, "Drag", "ProStart", 0) != 0;
    s.entryListDir = ini.ReadString("InitialDir", "EntryList", "");
    s.resultListDir = ini.ReadString("InitialDir", "ResultList", "");
    s.recordWindow.top = ReadNumber(ini, "RecordWindow", "Top", 0);
    s.recordWindow.left = ReadNumber(ini, "RecordWindow", "Left", 0);
    s.recordWindow.height = ReadNumber(ini, "RecordWindow", "Height", 0);
    s.recordWindow.width = ReadNumber(ini, "RecordWindow", "Width", 0);
    s.displayFontName = ini.ReadString("DspFont", "Name", "ＭＳ ゴシック");
    s.displayFontSize = ReadNumber(ini, "DspFont", "Size", 9);
    if (s.displayFontSize < 1 || s.displayFontSize > 72) {
        s.displayFontSize = 9;
    }
    s.printerFontName = ini.ReadString("PrnFont", "Name", "ＭＳ ゴシック");
    // The printer font has its own size key; older files only have the display size.
    s.printerFontSize = ReadNumber(ini, "PrnFont", "Size", s.displayFontSize);
    if (s.printerFontSize < 1 || s.printerFontSize > 72) {
        s.printerFontSize = s.displayFontSize;
    }
    s.topMargin = ReadNumber(ini, "Printer", "TopMargin", 15);
    s.bottomMargin = ReadNumber(ini, "Printer", "BottomMargin", 15);
    s.leftMargin = ReadNumber(ini, "Printer", "LeftMargin", 20);
    s.rightMargin = ReadNumber(ini, "Printer", "RightMargin", 20);
    return s;
}

void MainWindowSettings::Save(IniFile& ini) const {
    ini.WriteInt("Window", "Top", window.top);
    ini.WriteInt("Window", "Left", window.left);
    ini.WriteInt("Window", "Height", window.height);
    ini.WriteInt("Window", "Width", window.width);
    ini.WriteInt("Window", "MaskTime", maskTime);
    ini.WriteInt("Window", "RaceMode", raceMode);
    ini.WriteInt("Window", "PortSelect", portSelect);
    ini.WriteInt("SensorCount", "Start", sensorCountStart);
    ini.WriteInt("SensorCount", "Finish", sensorCountFinish);
    ini.WriteInt("Drag", "ProStart", proStart ? 1 : 0);
    ini.WriteInt("RecordWindow", "Top", recordWindow.top);
    ini.WriteInt("RecordWindow", "Left", recordWindow.left);
    ini.WriteInt("RecordWindow", "Height", recordWindow.height);
    ini.WriteInt("RecordWindow", "Width", recordWindow.width);
    ini.WriteString("DspFont", "Name", displayFontName);
    ini.WriteInt("DspFont", "Size", displayFontSize);
    ini.WriteString("PrnFont", "Name", printerFontName);
    ini.WriteInt("PrnFont", "Size", printerFontSize);
    ini.WriteInt("Printer", "TopMargin", topMargin);
    ini.WriteInt("Printer", "BottomMargin", bottomMargin);
    ini.WriteInt("Printer", "LeftMargin", leftMargin);
    ini.WriteInt("Printer", "RightMargin", rightMargin);
}

WindowRect FitToScreen(WindowRect rect, int32_t screenWidth, int32_t screenHeight) {
    rect.height = std::min(rect.height, screenHeight);
    rect.width = std::min(rect.width, screenWidth);
    // Stored values may be anything up to the int32 limits: add in 64 bits.
    if (int64_t{rect.top} + rect.height > screenHeight) {
        rect.top = screenHeight - rect.height;
    }
    if (int64_t{rect.left} + rect.width > screenWidth) {
        rect.left = screenWidth - rect.width;
    }
    return rect;
}

namespace {
int64_t Overlap(int64_t a0, int64_t a1, int64_t b0, int64_t b1) {
    return std::max<int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

int32_t ToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

int64_t OverlapArea(const WindowRect& a, const WindowRect& b) {
    return Overlap(a.left, int64_t{a.left} + a.width, b.left, int64_t{b.left} + b.width) *
           Overlap(a.top, int64_t{a.top} + a.height, b.top, int64_t{b.top} + b.height);
}
}  // namespace

WindowRect FitToScreens(WindowRect rect, const std::vector<WindowRect>& screens) {
    if (screens.empty()) {
        return rect;
    }
    WindowRect screen = screens.front();
    int64_t best = 0;
    for (const WindowRect& candidate : screens) {
        if (const int64_t area = OverlapArea(rect, candidate); area > best) {
            best = area;
            screen = candidate;
        }
    }
    // Fitted in the screen's own coordinates, then moved back.
    rect.left = ToInt32(int64_t{rect.left} - screen.left);
    rect.top = ToInt32(int64_t{rect.top} - screen.top);
    WindowRect fitted = FitToScreen(rect, screen.width, screen.height);
    fitted.top = std::max(fitted.top, 0);
    // A window on no screen at all (stored for a screen that is gone) comes back whole.
    const int32_t visible = best == 0 ? fitted.width : std::min(fitted.width, kMinVisibleWidth);
    fitted.left = std::max(fitted.left, visible - fitted.width);
    fitted.left += screen.left;
    fitted.top += screen.top;
    return fitted;
}

WindowRect ClampRecordWindow(WindowRect rect, int32_t screenWidth, int32_t screenHeight) {
    rect.top = std::max(rect.top, 0);
    rect.left = std::max(rect.left, 0);
    rect.height = std::min(rect.height, screenHeight);
    rect.width = std::min(rect.width, screenWidth);
    return rect;
}

}  // namespace vantrel
