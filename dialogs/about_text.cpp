#include "dialogs/about_text.h"

#include <charconv>

#include "common/ui_text.h"

namespace vantrel {

namespace {

constexpr UiText kUnknownOs = VANTREL_TEXT("about", "Unknown OS");
constexpr UiText kMemory = VANTREL_TEXT("about", "Total Physical Memory: %1 Kbytes");
constexpr UiText kMemoryUnknown = VANTREL_TEXT("about", "Total Physical Memory: unknown");
constexpr UiText kParallelPorts = VANTREL_TEXT("about", "Parallel port: %1");
constexpr UiText kNoParallelPort = VANTREL_TEXT("about", "Parallel port: none");

// Reads the decimal number at the front of `text` and drops it.
uint64_t TakeNumber(std::string_view& text) {
    uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc()) {
        return 0;  // no digits, or more than fit: nothing is taken
    }
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return value;
}

bool TakeChar(std::string_view& text, char c) {
    if (!text.empty() && text.front() == c) {
        text.remove_prefix(1);
        return true;
    }
    return false;
}

}  // namespace

std::string ProductNameText(const VersionValues& values) {
    return values.productName.value_or(kDesignProductName);
}

std::string VersionText(const VersionValues& values) {
    std::string text = kDesignVersion;
    if (values.productVersion) {
        text += *values.productVersion;
    }
    if (values.fileVersion) {
        text += "  (Build)" + *values.fileVersion;
    }
    return text;
}

std::string CompanyNameText(const VersionValues& values) {
    return values.companyName.value_or(kDesignCompanyName);
}

std::string OsLine(std::string_view sysname, std::string_view release) {
    std::string_view rest = release;
    const uint64_t major = TakeNumber(rest);
    uint64_t minor = 0;
    if (rest.size() < release.size() && TakeChar(rest, '.')) {
        minor = TakeNumber(rest);
    }
    // The separator after major.minor ("6.1.0-28" or "6.1-rc2") is not part of the build.
    if (rest.size() < release.size() && !TakeChar(rest, '.')) {
        TakeChar(rest, '-');
    }
    const std::string family = sysname.empty() ? Translated(kUnknownOs) : std::string(sysname);
    return family + " " + std::to_string(major) + "." + std::to_string(minor) + "  Build " +
           std::string(rest);
}

std::optional<uint64_t> MemTotalKb(std::string_view meminfo) {
    constexpr std::string_view kKey = "MemTotal:";
    size_t at = 0;
    while (at < meminfo.size()) {
        size_t end = meminfo.find('\n', at);
        if (end == std::string_view::npos) {
            end = meminfo.size();
        }
        std::string_view line = meminfo.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(kKey)) {
            continue;
        }
        line.remove_prefix(kKey.size());
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        const size_t before = line.size();
        const uint64_t kilobytes = TakeNumber(line);
        return line.size() < before ? std::optional<uint64_t>(kilobytes) : std::nullopt;
    }
    return std::nullopt;
}

std::string MemoryLine(std::optional<uint64_t> kilobytes) {
    return kilobytes ? Translated(kMemory, {std::to_string(*kilobytes)})
                     : Translated(kMemoryUnknown);
}

std::string ParallelPortLine(const std::vector<std::string>& devices) {
    std::string list;
    for (const std::string& device : devices) {
        list += (list.empty() ? "" : ", ") + device;
    }
    return list.empty() ? Translated(kNoParallelPort) : Translated(kParallelPorts, {list});
}

}  // namespace vantrel
