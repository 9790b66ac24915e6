#pragma once
// Where the program keeps its files. The settings file "Vantrel.ini" lives: beside the program when
// its folder is writable and not an installed program's folder (prefix/bin beside
// prefix/share/vantrel); otherwise in the user's configuration folder, $XDG_CONFIG_HOME/vantrel or
// ~/.config/vantrel, created when missing. Thread rule: any thread.

#include <filesystem>
#include <string>

namespace vantrel {

// What the decision needs from the surroundings; tests hand in their own.
struct SettingsPlaces {
    std::filesystem::path programDir;
    bool programDirWritable = false;
    std::string xdgConfigHome;  // "" when unset
    std::string home;           // "" when unknown
};

// The folder of the settings file. When no configuration folder can be made, the program
// folder is kept, so the settings are at least read from where they always were.
std::filesystem::path SettingsFolder(const SettingsPlaces& places);

// The places of this process: the given program folder, whether this user may write there,
// and the environment (HOME, else the password database).
SettingsPlaces CurrentSettingsPlaces(const std::filesystem::path& programDir);

// True for prefix/bin when prefix/share/vantrel exists: a program installed by the package.
bool IsInstalledProgramDir(const std::filesystem::path& programDir);

// The installed data folder (prefix/share/vantrel) of an installed program, else "".
std::filesystem::path InstalledDataDir(const std::filesystem::path& programDir);

// A file named on the command line: as given when it exists or `sampleDir` is empty, else the
// file of that name in `sampleDir` (the installed demo scripts) when there is one.
std::filesystem::path FindSampleFile(const std::filesystem::path& given,
                                     const std::filesystem::path& sampleDir);

}  // namespace vantrel
