// The ppdev port lookup and open failures on a fake /proc and /dev tree, and the lamp writes
// of the drag tree through a fake port.

#include "sensors/parallel_port.h"

#include <gtest/gtest.h>

#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <filesystem>
#include <random>
#include <vector>

#include "common/ms_clock.h"
#include "modes/drag_tree.h"
#include "sensors/sampler.h"
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

// A port behind ppdev as the kernel shows it: the control register reads back its four output
// bits only. Counts every request.
class FakePpdev final : public PpdevIo {
public:
    int Ioctl(int, unsigned long request, void* arg) override {
        auto* byte = static_cast<unsigned char*>(arg);
        switch (request) {
            case PPRDATA:
                *byte = data;
                break;
            case PPRSTATUS:
                *byte = status;
                break;
            case PPRCONTROL:
                ++controlReads;
                *byte = control & 0x0F;
                break;
            case PPWCONTROL:
                written.push_back(*byte);
                control = *byte;
                break;
            default:
                break;  // claim, release, direction
        }
        return 0;
    }

    uint8_t data = 0xFF;
    uint8_t status = 0x7F;  // idle once BUSY is flipped
    uint8_t control = 0x0B;
    int controlReads = 0;
    std::vector<uint8_t> written;
};

TEST_F(ParallelPortTest, TheControlRegisterIsWrittenOnlyWhenTheLampByteChanges) {
    test::WriteBytes(dir / "dev" / "parport0", "");
    FakePpdev port;
    PortDriver driver(dir / "proc", dir / "dev", &port);
    driver.OpenDriver(0x378);
    ASSERT_TRUE(driver.ActiveHW()) << driver.LastError();
    ParallelPortSource source(driver);
    FakeMsClock clock(1000);
    SensorEventQueue queue;
    DragTree tree;
    SamplerConfig config;
    config.ioAddress = 0x378;
    config.pollPeriodMs = 1;
    config.offDelayMs = 20;
    config.controlXor = 4;
    config.source = &source;
    config.dragHook = &tree;
    Sampler sampler(clock, queue);
    sampler.Configure(config);
    sampler.SetActiveMode(RaceMode::kDrag);
    sampler.Prime();

    // Random runs: the tree button, Pro/Stock, lines held for a few ms at random moments.
    std::mt19937 rng(5);
    int lampChanges = 0;
    uint8_t lamps = sampler.State().lampByte;
    for (int tick = 0; tick < 50000; ++tick) {
        const unsigned r = rng() % 1000;
        if (r < 3) {
            sampler.Commands().SendTreeButton(r == 0);
        } else if (r < 4) {
            sampler.Commands().SendProTree(rng() % 2 == 0);
        } else if (r < 40) {
            port.data = static_cast<uint8_t>(~(1u << (rng() % 8)));
        } else if (r < 200) {
            port.data = 0xFF;
        }
        clock.Advance(1);
        sampler.Tick();
        for (SensorEvent e; queue.Pop(e);) {
        }
        const uint8_t now = sampler.State().lampByte;
        lampChanges += now != lamps ? 1 : 0;
        lamps = now;
        ASSERT_EQ(port.control, (lamps ^ 4) & 0x0F) << tick;
    }
    ASSERT_GT(lampChanges, 100);
    // The first tick writes what the session starts with; later writes are the changes only.
    EXPECT_EQ(static_cast<int>(port.written.size()), 1 + lampChanges);
    // The read-back only until a byte was written: the session's first read and first tick.
    EXPECT_EQ(port.controlReads, 2);
    for (const uint8_t byte : port.written) {
        EXPECT_EQ(byte & 0xF0, 0) << "the kernel takes no other bits through PPWCONTROL";
    }
    // A port opened again is written again at once, whatever it held.
    driver.CloseDriver();
    driver.OpenDriver(0x378);
    sampler.Prime();
    clock.Advance(1);
    sampler.Tick();
    EXPECT_EQ(port.written.size(), 2u + lampChanges);
}

}  // namespace
}  // namespace vantrel
