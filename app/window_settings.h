#pragma once
// The main window's sections of the settings file: read when the window is first shown,
// written when it closes ([Setup] belongs to the options settings, [InitialDir] is written
// by the list file commands).
// Thread rule: GUI thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "common/ini_file.h"
#include "common/window_rect.h"

namespace vantrel {

struct MainWindowSettings {
    WindowRect window{0, 0, 636, 450};              // [Window] Left, Top, Width, Height
    int32_t maskTime = 30;                          // [Window] MaskTime, seconds
    int32_t raceMode = 0;                           // [Window] RaceMode (circuit counting method)
    int32_t portSelect = 0;                         // [Window] PortSelect (circuit input)
    int32_t sensorCountStart = 0;                   // [SensorCount] Start (combo index)
    int32_t sensorCountFinish = 0;                  // [SensorCount] Finish
    int32_t outputMask = 4;                         // [Output] Mask (never written)
    bool proStart = false;                          // [Drag] ProStart
    std::string entryListDir;                       // [InitialDir] EntryList
    std::string resultListDir;                      // [InitialDir] ResultList
    WindowRect recordWindow{0, 0, 0, 0};            // [RecordWindow] Left, Top, Width, Height
    std::string displayFontName = "ＭＳ ゴシック";  // [DspFont] Name
    int32_t displayFontSize = 9;                    // [DspFont] Size
    std::string printerFontName = "ＭＳ ゴシック";  // [PrnFont] Name
    int32_t printerFontSize = 9;                    // [PrnFont] Size
    int32_t topMargin = 15;                         // [Printer] margins in millimetres
    int32_t bottomMargin = 15;
    int32_t leftMargin = 20;
    int32_t rightMargin = 20;

    static MainWindowSettings Load(const IniFile& ini);
    // Writes the keys the main window owns at close ([InitialDir], [Output] and the record
    // window's colour keys are not its to write).
    void Save(IniFile& ini) const;
};

// Fits the main window to the screen: a window taller or wider than the screen shrinks to
// it; a window reaching past the bottom or right edge is moved back. Negative positions stay.
WindowRect FitToScreen(WindowRect rect, int32_t screenWidth, int32_t screenHeight);

// Places the stored main window on the screens that exist (primary first) so the operator can
// always reach it: on the screen it overlaps most, fitted as FitToScreen does, with its top
// edge (the title bar) on that screen and at least kMinVisibleWidth of it in view sideways; a
// window that overlaps no screen comes whole onto the primary one.
inline constexpr int32_t kMinVisibleWidth = 100;
WindowRect FitToScreens(WindowRect rect, const std::vector<WindowRect>& screens);

// Places the record window from its stored position: negative positions become 0 and a
// window larger than the screen shrinks to it.
WindowRect ClampRecordWindow(WindowRect rect, int32_t screenWidth, int32_t screenHeight);

}  // namespace vantrel
