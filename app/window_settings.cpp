#include "app/window_settings.h"

#include <algorithm>

namespace vantrel {

MainWindowSettings MainWindowSettings::Load(const IniFile& ini) {
    MainWindowSettings s;
    s.window.top = ini.ReadInt("Window", "Top", 0);
    s.window.left = ini.ReadInt("Window", "Left", 0);
    s.window.height = ini.ReadInt("Window", "Height", 450);
    s.window.width = ini.ReadInt("Window", "Width", 636);
    s.maskTime = std::clamp(ini.ReadInt("Window", "MaskTime", 30), 1, 60);
    s.raceMode = std::clamp(ini.ReadInt("Window", "RaceMode", 0), 0, 1);
    s.portSelect = std::clamp(ini.ReadInt("Window", "PortSelect", 0), 0, 1);
    s.sensorCountStart = std::clamp(ini.ReadInt("SensorCount", "Start", 0), 0, 8);
    s.sensorCountFinish = std::clamp(ini.ReadInt("SensorCount", "Finish", 0), 0, 8);
    s.outputMask = ini.ReadInt("Output", "Mask", 4) & 0xFF;
    s.proStart = ini.ReadInt("Drag", "ProStart", 0) != 0;
    s.entryListDir = ini.ReadString("InitialDir", "EntryList", "");
    s.resultListDir = ini.ReadString("InitialDir", "ResultList", "");
    s.recordWindow.top = ini.ReadInt("RecordWindow", "Top", 0);
    s.recordWindow.left = ini.ReadInt("RecordWindow", "Left", 0);
    s.recordWindow.height = ini.ReadInt("RecordWindow", "Height", 0);
    s.recordWindow.width = ini.ReadInt("RecordWindow", "Width", 0);
    s.displayFontName = ini.ReadString("DspFont", "Name", "ＭＳ ゴシック");
    s.displayFontSize = ini.ReadInt("DspFont", "Size", 9);
    if (s.displayFontSize < 1 || s.displayFontSize > 72) {
        s.displayFontSize = 9;
    }
    s.printerFontName = ini.ReadString("PrnFont", "Name", "ＭＳ ゴシック");
    // The printer font has its own size key; older files only have the display size.
    s.printerFontSize = ini.ReadInt("PrnFont", "Size", s.displayFontSize);
    if (s.printerFontSize < 1 || s.printerFontSize > 72) {
        s.printerFontSize = s.displayFontSize;
    }
    s.topMargin = ini.ReadInt("Printer", "TopMargin", 15);
    s.bottomMargin = ini.ReadInt("Printer", "BottomMargin", 15);
    s.leftMargin = ini.ReadInt("Printer", "LeftMargin", 20);
    s.rightMargin = ini.ReadInt("Printer", "RightMargin", 20);
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
    if (screenHeight < rect.height) {
        rect.height = screenHeight;
    }
    if (screenWidth < rect.width) {
        rect.width = screenWidth;
    }
    if (rect.top + rect.height > screenHeight) {
        rect.top = screenHeight - rect.height;
    }
    if (rect.left + rect.width > screenWidth) {
        rect.left = screenWidth - rect.width;
    }
    return rect;
}

WindowRect ClampRecordWindow(WindowRect rect, int32_t screenWidth, int32_t screenHeight) {
    rect.top = std::max(rect.top, 0);
    rect.left = std::max(rect.left, 0);
    rect.height = std::min(rect.height, screenHeight);
    rect.width = std::min(rect.width, screenWidth);
    return rect;
}

}  // namespace vantrel
