#pragma once
// Test stand-ins: an input source whose bytes the test sets, and a USB bus with a scripted
// device list.

#include <atomic>
#include <string>
#include <vector>

#include "sensors/input_source.h"
#include "sensors/usb_bus.h"

namespace vantrel::test {

class FixedSource final : public InputSource {
public:
    explicit FixedSource(ReadRule rule) : rule_(rule) {}

    ReadRule Rule() const override { return rule_; }
    bool Open() override { return open = true; }
    bool IsOpen() const override { return open; }
    bool Read(uint32_t, RawSample& out) override {
        ++reads;
        out = sample;
        return readOk;
    }
    void WriteLamp(uint8_t byte) override { lampWrites.push_back(byte); }
    void Close() override { open = false; }
    std::string LastError() const override { return {}; }

    RawSample sample;
    bool readOk = true;
    bool open = true;
    std::atomic<int> reads{0};
    std::vector<uint8_t> lampWrites;

private:
    ReadRule rule_;
};

struct FakeUsbBus final : public UsbBus {
    int CreateDeviceList(uint32_t& count) override {
        count = static_cast<uint32_t>(devices.size());
        return createStatus;
    }
    int GetDeviceList(std::vector<UsbDeviceInfo>& out) override {
        out = devices;
        return listStatus;
    }
    int Open(int index) override {
        openedIndex = index;
        return openStatus;
    }
    void Configure() override { ++configured; }
    int ReadPins(uint8_t& value) override {
        ++pinReads;
        value = pins;
        return readStatus;
    }
    void Close() override { ++closed; }

    std::vector<UsbDeviceInfo> devices;
    int createStatus = 0;
    int listStatus = 0;
    int openStatus = 0;
    int readStatus = 0;
    uint8_t pins = 0xFF;
    int openedIndex = -1;
    int configured = 0;
    int pinReads = 0;
    int closed = 0;
};

}  // namespace vantrel::test
