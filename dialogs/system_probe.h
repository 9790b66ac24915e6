#pragma once
// Asks the system what the about box shows: the kernel (uname), the physical memory
// (/proc/meminfo, else sysinfo) and the parallel ports of the kernel's driver (/dev/parportN).
// Thread rule: any thread.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

struct SystemLines {
    std::string os;
    std::string memory;
    std::string parallelPort;
};

// The three lines for this machine.
SystemLines ReadSystemLines();

// MemTotal of the given meminfo file; when it is missing or has none, sysinfo's total.
std::optional<uint64_t> ReadMemTotalKb(const std::filesystem::path& meminfo);

// The "parportN" devices in `devDir`, as full paths in name order.
std::vector<std::string> ParallelPortDevices(const std::filesystem::path& devDir);

}  // namespace vantrel
