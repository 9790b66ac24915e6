// The ppdev port lookup and open failures on a fake /proc and /dev tree.

#include "sensors/parallel_port.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class ParallelPortTest : public ::testing::Test {
protected:
    ParallelPortTest() {
        fs::create_directories(dir / "dev");
        AddPort(0, "888\t1912\n");  // 0x378
        AddPort(2, "632\t1656\n");  // 0x278; parport1 does not exist
        AddPort(3, "garbage\n");
    }
    void AddPort(int n, const std::string& baseAddr) {
        const fs::path folder = dir / "proc" / ("parport" + std::to_string(n));
        fs::create_directories(folder);
        test::WriteBytes(folder / "base-addr", baseAddr);
    }
    test::TempDir dir;
};

TEST_F(ParallelPortTest, FindsThePortByItsBaseAddress) {
    EXPECT_EQ(FindParportByBase(dir / "proc", 0x378), 0);
    EXPECT_EQ(FindParportByBase(dir / "proc", 0x278), 2);
    EXPECT_EQ(FindParportByBase(dir / "proc", 0x3BC), std::nullopt);
    EXPECT_EQ(FindParportByBase(dir / "missing", 0x378), std::nullopt);
}

TEST_F(ParallelPortTest, NoMatchingPortGivesAClearErrorAndIdleInputs) {
    PortDriver driver(dir / "proc", dir / "dev");
    driver.OpenDriver(0x3BC);
    EXPECT_FALSE(driver.ActiveHW());
    EXPECT_NE(driver.LastError().find("0x3BC"), std::string::npos) << driver.LastError();
    uint8_t value = 0;
    EXPECT_FALSE(driver.ReadByte(0x3BC + 1, value));
    EXPECT_FALSE(driver.CloseDriver());

    ParallelPortSource source(driver);
    RawSample sample;
    EXPECT_FALSE(source.Open());
    EXPECT_FALSE(source.Read(0, sample));
}

TEST_F(ParallelPortTest, MissingDeviceNodeNamesTheDevice) {
    PortDriver driver(dir / "proc", dir / "dev");
    driver.OpenDriver(0x278);
    EXPECT_FALSE(driver.ActiveHW());
    EXPECT_NE(driver.LastError().find("parport2"), std::string::npos) << driver.LastError();
}

TEST_F(ParallelPortTest, DeviceThatIsNoPortFailsToClaim) {
    test::WriteBytes(dir / "dev" / "parport0", "");  // a plain file: the claim ioctl fails
    PortDriver driver(dir / "proc", dir / "dev");
    driver.OpenDriver(0x378);
    EXPECT_FALSE(driver.ActiveHW());
    EXPECT_NE(driver.LastError().find("claim"), std::string::npos) << driver.LastError();
}

}  // namespace
}  // namespace vantrel
