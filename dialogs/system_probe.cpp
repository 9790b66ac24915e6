#include "dialogs/system_probe.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "dialogs/about_text.h"

namespace vantrel {

std::optional<uint64_t> ReadMemTotalKb(const std::filesystem::path& meminfo) {
    std::ifstream in(meminfo);
    if (in) {
        std::ostringstream text;
        text << in.rdbuf();
        if (std::optional<uint64_t> kb = MemTotalKb(text.str())) {
            return kb;
        }
    }
    struct sysinfo info {};
    if (sysinfo(&info) != 0) {
        return std::nullopt;
    }
    return static_cast<uint64_t>(info.totalram) * info.mem_unit / 1024;
}

std::vector<std::string> ParallelPortDevices(const std::filesystem::path& devDir) {
    std::vector<std::string> devices;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(devDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("parport") && name.size() > 7) {
            devices.push_back(entry.path().string());
        }
    }
    std::sort(devices.begin(), devices.end());
    return devices;
}

SystemLines ReadSystemLines() {
    SystemLines lines;
    struct utsname names {};
    if (uname(&names) == 0) {
        lines.os = OsLine(names.sysname, names.release);
    } else {
        lines.os = OsLine("", "");
    }
    lines.memory = MemoryLine(ReadMemTotalKb("/proc/meminfo"));
    lines.parallelPort = ParallelPortLine(ParallelPortDevices("/dev"));
    return lines;
}

}  // namespace vantrel
