#include "web/web_settings.h"

namespace vantrel {

namespace {
constexpr const char* kSection = "Web";
}

int32_t WebPortOf(int64_t value) {
    return value >= 1 && value <= 65535 ? static_cast<int32_t>(value) : WebSettings::kDefaultPort;
}

WebSettings WebSettings::Load(const IniFile& ini) {
    WebSettings s;
    s.enabled = ini.ReadInt(kSection, "Enabled", 0) != 0;
    s.port = WebPortOf(ini.ReadInt(kSection, "Port", kDefaultPort));
    return s;
}

void WebSettings::Save(IniFile& ini) const {
    ini.WriteBool(kSection, "Enabled", enabled);
    ini.WriteInt(kSection, "Port", port);
}

}  // namespace vantrel
