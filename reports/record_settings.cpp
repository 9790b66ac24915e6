#include "reports/record_settings.h"

namespace vantrel {

namespace {
constexpr const char* kSection = "RecordWindow";
}

RecordWindowSettings ReadRecordWindowSettings(const IniFile& ini) {
    RecordWindowSettings s;
    s.placement.height = ReadNumber(ini, kSection, "Height", 0);
    s.placement.width = ReadNumber(ini, kSection, "Width", 0);
    s.placement.top = ReadNumber(ini, kSection, "Top", 0);
    s.placement.left = ReadNumber(ini, kSection, "Left", 0);
    s.fontColor = ReadNumber(ini, kSection, "FontColor", Scoreboard::kDefaultFontColor);
    s.background = ReadNumber(ini, kSection, "BGColor", Scoreboard::kDefaultBackground);
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
