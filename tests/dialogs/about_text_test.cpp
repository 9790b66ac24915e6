// The about box's texts from given values: versions, the system lines, and where it opens.
#include <gtest/gtest.h>

#include "dialogs/about_place.h"
#include "dialogs/about_text.h"
#include "dialogs/system_probe.h"
#include "support/temp_dir.h"

namespace vantrel::test {
namespace {

TEST(AboutTextTest, VersionLinesKeepTheDesignTextsForMissingValues) {
    const VersionValues none;
    EXPECT_EQ(ProductNameText(none), "Product Name");
    EXPECT_EQ(VersionText(none), "Version ");
    EXPECT_EQ(CompanyNameText(none), "Company Name");

    VersionValues values;
    values.productName = "Vantrel 2000";
    values.productVersion = "2.0.0";
    values.fileVersion = "2.0.0+g7fdeeaf";
    values.companyName = "Maker";
    EXPECT_EQ(ProductNameText(values), "Vantrel 2000");
    EXPECT_EQ(VersionText(values), "Version 2.0.0  (Build)2.0.0+g7fdeeaf");
    EXPECT_EQ(CompanyNameText(values), "Maker");
    values.productVersion.reset();
    EXPECT_EQ(VersionText(values), "Version   (Build)2.0.0+g7fdeeaf");

    // The built program carries its build's version; the file version starts with it.
    const VersionValues built = BuiltVersionValues();
    ASSERT_TRUE(built.productVersion && built.fileVersion);
    EXPECT_EQ(*built.productVersion, VANTREL_VERSION);
    EXPECT_TRUE(built.fileVersion->starts_with(VANTREL_VERSION));
}

TEST(AboutTextTest, OsLineFromUnameValues) {
    EXPECT_EQ(OsLine("Linux", "6.1.0-28-amd64"), "Linux 6.1  Build 0-28-amd64");
    EXPECT_EQ(OsLine("Linux", "5.15.153.1-microsoft-standard-WSL2"),
              "Linux 5.15  Build 153.1-microsoft-standard-WSL2");
    EXPECT_EQ(OsLine("Linux", "6.9-rc2"), "Linux 6.9  Build rc2");
    EXPECT_EQ(OsLine("Linux", "6"), "Linux 6.0  Build ");
    EXPECT_EQ(OsLine("Linux", "6."), "Linux 6.0  Build ");
    EXPECT_EQ(OsLine("Linux", "weird"), "Linux 0.0  Build weird");
    EXPECT_EQ(OsLine("Linux", ""), "Linux 0.0  Build ");
    EXPECT_EQ(OsLine("", "6.1.0"), "Unknown OS 6.1  Build 0");
    EXPECT_EQ(OsLine("Linux", "99999999999999999999999.1"),
              "Linux 0.0  Build 99999999999999999999999.1");
}

TEST(AboutTextTest, MemoryLineFromMeminfo) {
    const std::string meminfo =
        "MemFree:          123 kB\nMemTotal:       16314248 kB\nSwapTotal: 0 kB\n";
    EXPECT_EQ(MemTotalKb(meminfo), 16314248u);
    EXPECT_EQ(MemoryLine(MemTotalKb(meminfo)), "Total Physical Memory: 16314248 Kbytes");
    EXPECT_EQ(MemTotalKb("MemTotal:\t2048 kB"), 2048u);
    EXPECT_EQ(MemTotalKb(""), std::nullopt);
    EXPECT_EQ(MemTotalKb("MemTotal: lots\n"), std::nullopt);
    EXPECT_EQ(MemTotalKb("XMemTotal: 5 kB\n"), std::nullopt);
    EXPECT_EQ(MemTotalKb("MemTotal: 99999999999999999999999 kB\n"), std::nullopt);
    EXPECT_EQ(MemoryLine(std::nullopt), "Total Physical Memory: unknown");

    TempDir dir;
    WriteBytes(dir / "meminfo", "MemTotal: 1024 kB\n");
    EXPECT_EQ(ReadMemTotalKb(dir / "meminfo"), 1024u);
    // Without the file (or without the line) the system's own count is used.
    const std::optional<uint64_t> fallback = ReadMemTotalKb(dir / "missing");
    ASSERT_TRUE(fallback);
    EXPECT_GT(*fallback, 0u);
    WriteBytes(dir / "empty", "");
    EXPECT_EQ(ReadMemTotalKb(dir / "empty"), fallback);
}

TEST(AboutTextTest, ParallelPortLineNamesTheDriversDevices) {
    EXPECT_EQ(ParallelPortLine({}), "Parallel port: none");
    EXPECT_EQ(ParallelPortLine({"/dev/parport0"}), "Parallel port: /dev/parport0");
    EXPECT_EQ(ParallelPortLine({"/dev/parport0", "/dev/parport1"}),
              "Parallel port: /dev/parport0, /dev/parport1");

    TempDir dir;
    EXPECT_TRUE(ParallelPortDevices(dir.Path()).empty());
    WriteBytes(dir / "parport1", "");
    WriteBytes(dir / "parport0", "");
    WriteBytes(dir / "parport", "");
    WriteBytes(dir / "ttyS0", "");
    EXPECT_EQ(ParallelPortDevices(dir.Path()),
              (std::vector<std::string>{(dir / "parport0").string(), (dir / "parport1").string()}));
    EXPECT_TRUE(ParallelPortDevices(dir / "missing").empty());
}

TEST(AboutTextTest, OpensBesideTheMainWindowAndStaysOnScreen) {
    const WindowRect screen{0, 0, 1280, 1024};
    WindowRect box = PlaceAboutBox({100, 50, 636, 450}, 292, 330, screen);
    EXPECT_EQ(box.left, 320);
    EXPECT_EQ(box.top, 80);
    EXPECT_EQ(box.width, 292);
    box = PlaceAboutBox({1200, 900, 636, 450}, 292, 330, screen);
    EXPECT_EQ(box.left, 1280 - 292);
    EXPECT_EQ(box.top, 1024 - 330);
    box = PlaceAboutBox({-500, -200, 636, 450}, 292, 330, {100, 20, 1180, 1004});
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, 20);
}

}  // namespace
}  // namespace vantrel::test
