// Where the settings file goes: beside a program in a writable folder, else in the user's
// configuration folder; and where the installed program finds its demo scripts.
#include <gtest/gtest.h>

#include "common/ini_file.h"
#include "common/program_places.h"
#include "support/temp_dir.h"

namespace vantrel::test {
namespace {

TEST(ProgramPlacesTest, SettingsBesideAWritableProgramElseInTheConfigFolder) {
    TempDir dir;
    SettingsPlaces places;
    places.programDir = dir / "bin";
    places.programDirWritable = true;
    places.xdgConfigHome = (dir / "xdg").string();
    places.home = (dir / "home").string();
    EXPECT_EQ(SettingsFolder(places), dir / "bin");
    EXPECT_FALSE(std::filesystem::exists(dir / "xdg"));

    // A read-only program folder: $XDG_CONFIG_HOME/vantrel, made when missing.
    places.programDirWritable = false;
    EXPECT_EQ(SettingsFolder(places), dir / "xdg" / "vantrel");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "xdg" / "vantrel"));
    // A relative XDG_CONFIG_HOME is not used; a home without .config gets one.
    places.xdgConfigHome = "relative";
    EXPECT_EQ(SettingsFolder(places), dir / "home" / ".config" / "vantrel");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "home" / ".config" / "vantrel"));

    // Settings written there are read back from there.
    {
        IniFile ini(SettingsFolder(places) / "Vantrel.ini");
        ini.WriteInt("Window", "Top", 42);
        EXPECT_TRUE(ini.Save().ok);
    }
    EXPECT_EQ(IniFile(SettingsFolder(places) / "Vantrel.ini").ReadInt("Window", "Top", 0), 42);

    // No folder to be had: the program folder, as before.
    places.xdgConfigHome.clear();
    places.home.clear();
    EXPECT_EQ(SettingsFolder(places), dir / "bin");
    WriteBytes(dir / "blocked", "a file, not a folder");
    places.home = (dir / "blocked").string();
    EXPECT_EQ(SettingsFolder(places), dir / "bin");
}

TEST(ProgramPlacesTest, AnInstalledProgramIsKnownByItsDataFolder) {
    TempDir dir;
    std::filesystem::create_directories(dir / "usr" / "bin");
    EXPECT_FALSE(IsInstalledProgramDir(dir / "usr" / "bin"));
    EXPECT_TRUE(InstalledDataDir(dir / "usr" / "bin").empty());
    // Even a folder this user may write to (root's /usr/bin) keeps no settings when installed.
    const SettingsPlaces plain = CurrentSettingsPlaces(dir / "usr" / "bin");
    EXPECT_TRUE(plain.programDirWritable);

    std::filesystem::create_directories(dir / "usr" / "share" / "vantrel" / "demo");
    EXPECT_TRUE(IsInstalledProgramDir(dir / "usr" / "bin"));
    EXPECT_EQ(InstalledDataDir(dir / "usr" / "bin"), dir / "usr" / "share" / "vantrel");
    EXPECT_FALSE(CurrentSettingsPlaces(dir / "usr" / "bin").programDirWritable);
    EXPECT_FALSE(IsInstalledProgramDir(dir / "usr" / "share"));

    const auto demo = dir / "usr" / "share" / "vantrel" / "demo";
    WriteBytes(demo / "gymkhana_demo.txt", "# demo\n");
    EXPECT_EQ(FindSampleFile("sensors/demo/gymkhana_demo.txt", demo), demo / "gymkhana_demo.txt");
    EXPECT_EQ(FindSampleFile("gymkhana_demo.txt", demo), demo / "gymkhana_demo.txt");
    EXPECT_EQ(FindSampleFile("other.txt", demo), "other.txt");
    EXPECT_EQ(FindSampleFile("gymkhana_demo.txt", {}), "gymkhana_demo.txt");
    // A file that is there as named is used as named.
    WriteBytes(dir / "gymkhana_demo.txt", "# mine\n");
    EXPECT_EQ(FindSampleFile(dir / "gymkhana_demo.txt", demo), dir / "gymkhana_demo.txt");
}

}  // namespace
}  // namespace vantrel::test
