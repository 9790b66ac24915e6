// The USB adapter's open sequence and reads against a fake device list.

#include "sensors/usb_adapter.h"

#include <gtest/gtest.h>

#include "sensors/fake_sources.h"

namespace vantrel {
namespace {

using test::FakeUsbBus;

class UsbAdapterTest : public ::testing::Test {
protected:
    UsbAdapterTest() {
        auto owned = std::make_unique<FakeUsbBus>();
        bus = owned.get();
        adapter = std::make_unique<UsbAdapter>(std::move(owned));
    }
    FakeUsbBus* bus;
    std::unique_ptr<UsbAdapter> adapter;
};

TEST_F(UsbAdapterTest, DeviceListNotCreated) {
    bus->createStatus = 4;
    const UsbOpenResult result = adapter->OpenAdapter();
    EXPECT_EQ(result.message, 136);
    EXPECT_EQ(result.text, "USBデバイス情報ﾘｽﾄの作成に失敗しました");
    EXPECT_FALSE(adapter->IsOpen());
}

TEST_F(UsbAdapterTest, NoDevice) {
    EXPECT_EQ(adapter->OpenAdapter().message, 137);
    EXPECT_EQ(adapter->LastError(), "USBデバイスが見つかりませんでした");
}

TEST_F(UsbAdapterTest, DeviceListNotRead) {
    bus->devices = {{"Vantrel2000", "A1"}};
    bus->listStatus = 1;
    EXPECT_EQ(adapter->OpenAdapter().text, "USBデバイス情報ﾘｽﾄの取得に失敗しました");
}

TEST_F(UsbAdapterTest, OnlyOtherDescriptions) {
    bus->devices = {{"FT232R USB UART", "A1"}, {"Vantrel2000 ", "A2"}, {"vantrel2000", "A3"}};
    const UsbOpenResult result = adapter->OpenAdapter();
    EXPECT_EQ(result.message, 139);
    EXPECT_EQ(result.text, "USB Vantrel I/Oデバイスが見つかりませんでした");
    EXPECT_EQ(bus->openedIndex, -1);
}

TEST_F(UsbAdapterTest, OpenFails) {
    bus->devices = {{"Vantrel2000", "A1"}};
    bus->openStatus = 3;
    EXPECT_EQ(adapter->OpenAdapter().text, "USB Vantrel I/Oデバイスのオープンに失敗しました");
    EXPECT_EQ(bus->configured, 0);
    EXPECT_FALSE(adapter->IsOpen());
}

TEST_F(UsbAdapterTest, TwoAdaptersTheLowerIndexIsUsed) {
    bus->devices = {{"Other", "A0"}, {"Vantrel2000", "A1"}, {"Vantrel2000", "A2"}};
    const UsbOpenResult result = adapter->OpenAdapter();
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(bus->openedIndex, 1);
    EXPECT_EQ(adapter->DeviceIndex(), 1);
    EXPECT_EQ(bus->configured, 1);
    EXPECT_TRUE(adapter->IsOpen());
}

TEST_F(UsbAdapterTest, ReadGivesThePinByteAndFailsAfterAnUnplug) {
    bus->devices = {{"Vantrel2000", "A1"}};
    ASSERT_TRUE(adapter->OpenAdapter().Ok());
    bus->pins = 0xB7;
    RawSample sample;
    ASSERT_TRUE(adapter->Read(0, sample));
    EXPECT_EQ(sample.statusByte, 0xB7);
    bus->readStatus = -4;
    EXPECT_FALSE(adapter->Read(0, sample));
    EXPECT_EQ(std::string(UsbMessageText(141).source),
              "USB Vantrel I/Oデバイスからのデータ転送に失敗しました");
}

TEST_F(UsbAdapterTest, CloseOnceAndNoReadAfterIt) {
    bus->devices = {{"Vantrel2000", "A1"}};
    ASSERT_TRUE(adapter->OpenAdapter().Ok());
    adapter->Close();
    adapter->Close();
    EXPECT_EQ(bus->closed, 1);
    RawSample sample;
    EXPECT_FALSE(adapter->Read(0, sample));
    EXPECT_EQ(bus->pinReads, 0);
}

}  // namespace
}  // namespace vantrel
