#pragma once
// The texts of the about box, formed from plain values: the version lines from the values
// compiled into the program, and the system lines from what the system reports.
// The lines are in the chosen language (common/ui_text.h).
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The version values of the program; a missing one leaves its label's design text.
struct VersionValues {
    std::optional<std::string> productName;
    std::optional<std::string> productVersion;
    std::optional<std::string> fileVersion;
    std::optional<std::string> companyName;
};

// The values this program was built with (the build's project version and, when built from a
// git checkout, its commit).
VersionValues BuiltVersionValues();

// The design texts of the labels, shown when a value is missing.
inline constexpr char kDesignProductName[] = "Product Name";
inline constexpr char kDesignVersion[] = "Version ";
inline constexpr char kDesignCompanyName[] = "Company Name";

// "Product Name" or the product name.
std::string ProductNameText(const VersionValues& values);
// "Version " + product version + "  (Build)" + file version, each part only when present.
std::string VersionText(const VersionValues& values);
std::string CompanyNameText(const VersionValues& values);

// "Linux 6.1  Build 0-28-amd64" from uname's system name "Linux" and release
// "6.1.0-28-amd64"; an empty system name reads "Unknown OS", a release without numbers gives
// 0.0 and keeps the whole release as the build.
std::string OsLine(std::string_view sysname, std::string_view release);

// The "MemTotal:" value of /proc/meminfo in kilobytes; nothing when the text has none.
std::optional<uint64_t> MemTotalKb(std::string_view meminfo);
// "Total Physical Memory: 16314248 Kbytes", or "Total Physical Memory: unknown".
std::string MemoryLine(std::optional<uint64_t> kilobytes);

// "Parallel port: /dev/parport0" (several joined by ", "), or "Parallel port: none".
std::string ParallelPortLine(const std::vector<std::string>& devices);

}  // namespace vantrel
