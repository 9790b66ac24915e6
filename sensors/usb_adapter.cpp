#include "sensors/usb_adapter.h"

#include <vector>

#include "common/messages.h"

namespace vantrel {

UiText UsbMessageText(int message) {
    switch (message) {
        case 136:
            return msg::k136;
        case 137:
            return msg::k137;
        case 138:
            return msg::k138;
        case 139:
            return msg::k139;
        case 140:
            return msg::k140;
        case 141:
            return msg::k141;
        default:
            return UiText{"messages", ""};
    }
}

UsbOpenResult UsbAdapter::Fail(int message) {
    UsbOpenResult result;
    result.message = message;
    result.text = Translated(UsbMessageText(message));
    lastError_ = result.text;
    return result;
}

UsbOpenResult UsbAdapter::OpenAdapter() {
    if (open_.load()) {
        return {};
    }
    uint32_t count = 0;
    if (bus_->CreateDeviceList(count) != 0) {
        return Fail(136);
    }
    if (count == 0) {
        return Fail(137);
    }
    std::vector<UsbDeviceInfo> devices;
    if (bus_->GetDeviceList(devices) != 0) {
        return Fail(138);
    }
    deviceIndex_ = -1;
    for (size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].description == kUsbDeviceDescription) {
            deviceIndex_ = static_cast<int>(i);
            break;
        }
    }
    if (deviceIndex_ < 0) {
        return Fail(139);
    }
    if (bus_->Open(deviceIndex_) != 0) {
        return Fail(140);
    }
    bus_->Configure();
    lastError_.clear();
    open_.store(true);
    return {};
}

bool UsbAdapter::Read(uint32_t, RawSample& out) {
    if (!open_.load()) {
        return false;
    }
    uint8_t pins = 0xFF;
    reads_.fetch_add(1, std::memory_order_relaxed);
    if (bus_->ReadPins(pins) != 0) {
        readFailures_.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    out.statusByte = pins;
    return true;
}

void UsbAdapter::Close() {
    if (open_.exchange(false)) {
        bus_->Close();
    }
}

}  // namespace vantrel
