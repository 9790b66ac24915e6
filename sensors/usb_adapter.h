#pragma once
// The USB input adapter (an FTDI chip in bit-bang mode, described "Vantrel2000"): its open
// sequence with the operator's messages, one pin read per tick, and close.
// Thread rule: Open, Close, LastError and LastMessage on the GUI thread while the timing
// thread is stopped (the owner joins it before Close, so a close never overlaps a read);
// Read on the timing thread.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "common/messages.h"
#include "sensors/input_source.h"
#include "sensors/usb_bus.h"

namespace vantrel {

constexpr const char* kUsbDeviceDescription = "Vantrel2000";
constexpr UiText kUsbErrorCaption = msg::k135;

// The adapter's messages by number (136..141, from the message texts); "" for other numbers.
UiText UsbMessageText(int message);

struct UsbOpenResult {
    int message = 0;   // 0 = open; else 136..140
    std::string text;  // the message text for the warning box (caption kUsbErrorCaption)
    bool Ok() const { return message == 0; }
};

class UsbAdapter final : public InputSource {
public:
    explicit UsbAdapter(std::unique_ptr<UsbBus> bus) : bus_(std::move(bus)) {}
    ~UsbAdapter() override { Close(); }

    // The open sequence; the result says which message to show when it failed.
    UsbOpenResult OpenAdapter();
    int DeviceIndex() const { return deviceIndex_; }

    ReadRule Rule() const override { return ReadRule::kUsbPins; }
    bool Open() override { return OpenAdapter().Ok(); }
    bool IsOpen() const override { return open_.load(); }
    // The pin byte goes into statusByte; false on a failed transfer (message 141).
    bool Read(uint32_t now, RawSample& out) override;
    void WriteLamp(uint8_t) override {}
    void Close() override;
    std::string LastError() const override { return lastError_; }
    // Pin reads and failed reads since the adapter was made; any thread.
    uint64_t ReadCount() const { return reads_.load(std::memory_order_relaxed); }
    uint64_t ReadFailures() const { return readFailures_.load(std::memory_order_relaxed); }

private:
    UsbOpenResult Fail(int message);

    std::unique_ptr<UsbBus> bus_;
    std::atomic<bool> open_{false};
    std::atomic<uint64_t> reads_{0};
    std::atomic<uint64_t> readFailures_{0};
    int deviceIndex_ = -1;
    std::string lastError_;
};

}  // namespace vantrel
