#include "common/program_places.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace vantrel {

namespace {

std::filesystem::path ConfigFolder(const SettingsPlaces& places) {
    // XDG_CONFIG_HOME counts only when it is absolute, as the XDG base directories require.
    if (!places.xdgConfigHome.empty() && places.xdgConfigHome.front() == '/') {
        return std::filesystem::path(places.xdgConfigHome) / "vantrel";
    }
    if (!places.home.empty()) {
        return std::filesystem::path(places.home) / ".config" / "vantrel";
    }
    return {};
}

}  // namespace

std::filesystem::path SettingsFolder(const SettingsPlaces& places) {
    if (places.programDirWritable) {
        return places.programDir;
    }
    const std::filesystem::path folder = ConfigFolder(places);
    if (folder.empty()) {
        return places.programDir;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        return places.programDir;
    }
    return folder;
}

bool IsInstalledProgramDir(const std::filesystem::path& programDir) {
    return !InstalledDataDir(programDir).empty();
}

std::filesystem::path InstalledDataDir(const std::filesystem::path& programDir) {
    if (programDir.filename() != "bin") {
        return {};
    }
    const std::filesystem::path data = programDir.parent_path() / "share" / "vantrel";
    std::error_code ec;
    return std::filesystem::is_directory(data, ec) ? data : std::filesystem::path();
}

std::filesystem::path FindSampleFile(const std::filesystem::path& given,
                                     const std::filesystem::path& sampleDir) {
    std::error_code ec;
    if (sampleDir.empty() || std::filesystem::exists(given, ec) || !given.has_filename()) {
        return given;
    }
    const std::filesystem::path installed = sampleDir / given.filename();
    return std::filesystem::is_regular_file(installed, ec) ? installed : given;
}

SettingsPlaces CurrentSettingsPlaces(const std::filesystem::path& programDir) {
    SettingsPlaces places;
    places.programDir = programDir;
    places.programDirWritable =
        access(programDir.c_str(), W_OK) == 0 && !IsInstalledProgramDir(programDir);
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) {
        places.xdgConfigHome = xdg;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        places.home = home;
    } else if (const passwd* user = getpwuid(geteuid()); user != nullptr && user->pw_dir) {
        places.home = user->pw_dir;
    }
    return places;
}

}  // namespace vantrel
