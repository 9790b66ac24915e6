#include "reports/record_settings.h"

namespace vantrel {

namespace {
constexpr const char* kSection = "RecordWindow";
}

RecordWindowSettings ReadRecordWindowSettings(const IniFile& ini) {
    RecordWindowSettings s;
    s.placement.height = ini.ReadInt(kSection, "Height", 0);
    s.placement.width = ini.ReadInt(kSection, "Width", 0);
    s.placement.top = ini.ReadInt(kSection, "Top", 0);
    s.placement.left = ini.ReadInt(kSection, "Left", 0);
    s.fontColor = ini.ReadInt(kSection, "FontColor", Scoreboard::kDefaultFontColor);
    s.background = ini.ReadInt(kSection, "BGColor", Scoreboard::kDefaultBackground);
    return s;
}

void WriteRecordWindowSettings(IniFile& ini, int32_t top, int32_t left, int32_t fontColor,
                               int32_t background, bool autoUpdate) {
    ini.WriteInt(kSection, "Top", top);
    ini.WriteInt(kSection, "Left", left);
    ini.WriteInt(kSection, "FontColor", fontColor);
    ini.WriteInt(kSection, "BGColor", background);
    ini.WriteBool(kSection, "AutoUpdate", autoUpdate);
}

}  // namespace vantrel
