#pragma once
// The [Web] section of the settings file: whether the results are served to browsers on the
// local network, and on which port. Read and written by the window that owns the server.
// Thread rule: GUI thread only.

#include <cstdint>

#include "common/ini_file.h"

namespace vantrel {

struct WebSettings {
    static constexpr int32_t kDefaultPort = 8080;

    bool enabled = false;         // [Web] Enabled (0/1)
    int32_t port = kDefaultPort;  // [Web] Port

    static WebSettings Load(const IniFile& ini);
    void Save(IniFile& ini) const;
    bool operator==(const WebSettings&) const = default;
};

// The port a text names, or kDefaultPort when it is no number in 1-65535.
int32_t WebPortOf(int64_t value);

}  // namespace vantrel
