#pragma once
// The record window's keys of section [RecordWindow] in the settings file.
// Thread rule: GUI thread only.

#include <cstdint>

#include "common/ini_file.h"
#include "reports/record_layout.h"
#include "reports/scoreboard.h"

namespace vantrel {

struct RecordWindowSettings {
    WindowPlacement placement;  // Left, Top, Width, Height (default 0 each)
    int32_t fontColor = Scoreboard::kDefaultFontColor;
    int32_t background = Scoreboard::kDefaultBackground;
};

// Read at window creation.
RecordWindowSettings ReadRecordWindowSettings(const IniFile& ini);

// Written when the window closes: Top, Left, FontColor, BGColor and AutoUpdate ("1"/"0").
// Height and Width are written by the main window when the program ends.
void WriteRecordWindowSettings(IniFile& ini, int32_t top, int32_t left, int32_t fontColor,
                               int32_t background, bool autoUpdate);

}  // namespace vantrel
