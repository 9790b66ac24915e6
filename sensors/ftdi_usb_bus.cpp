#include "sensors/ftdi_usb_bus.h"

#include <ftdi.h>

#include <array>

namespace vantrel {

namespace {
constexpr int kTimeoutMs = 10;
constexpr int kBaudRate = 300;
constexpr int kFailed = -1;
}  // namespace

FtdiUsbBus::FtdiUsbBus() : context_(ftdi_new()) {}

FtdiUsbBus::~FtdiUsbBus() {
    Close();
    FreeList();
    if (context_ != nullptr) {
        ftdi_free(context_);
    }
}

void FtdiUsbBus::FreeList() {
    if (list_ != nullptr) {
        ftdi_list_free(&list_);
        list_ = nullptr;
    }
    listCount_ = 0;
}

int FtdiUsbBus::CreateDeviceList(uint32_t& count) {
    count = 0;
    if (context_ == nullptr) {
        return kFailed;
    }
    FreeList();
    // Vendor and product 0 search the usual FTDI ids.
    const int found = ftdi_usb_find_all(context_, &list_, 0, 0);
    if (found < 0) {
        return found;
    }
    listCount_ = found;
    count = static_cast<uint32_t>(found);
    return 0;
}

int FtdiUsbBus::GetDeviceList(std::vector<UsbDeviceInfo>& devices) {
    devices.clear();
    int readable = 0;
    for (ftdi_device_list* node = list_; node != nullptr; node = node->next) {
        std::array<char, 64> description{};
        std::array<char, 16> serial{};
        UsbDeviceInfo info;
        // Reading the strings opens the device: without permission they stay empty.
        if (ftdi_usb_get_strings(context_, node->dev, nullptr, 0, description.data(),
                                 static_cast<int>(description.size()), serial.data(),
                                 static_cast<int>(serial.size())) == 0) {
            info.description = description.data();
            info.serialNumber = serial.data();
            ++readable;
        }
        devices.push_back(std::move(info));
    }
    // Not one readable device (typically no permission): the list itself could not be read.
    const bool complete = static_cast<int>(devices.size()) == listCount_;
    return complete && (readable > 0 || devices.empty()) ? 0 : kFailed;
}

int FtdiUsbBus::Open(int index) {
    ftdi_device_list* node = list_;
    for (int i = 0; node != nullptr && i < index; ++i) {
        node = node->next;
    }
    if (node == nullptr || ftdi_usb_open_dev(context_, node->dev) != 0) {
        return kFailed;
    }
    open_ = true;
    return 0;
}

void FtdiUsbBus::Configure() {
    context_->usb_read_timeout = kTimeoutMs;
    context_->usb_write_timeout = kTimeoutMs;
    ftdi_set_baudrate(context_, kBaudRate);
    ftdi_tcioflush(context_);
    ftdi_set_bitmode(context_, 0x00, BITMODE_BITBANG);
}

int FtdiUsbBus::ReadPins(uint8_t& pins) {
    if (!open_) {
        return kFailed;
    }
    unsigned char byte = 0xFF;
    const int result = ftdi_read_pins(context_, &byte);
    pins = byte;
    return result == 0 ? 0 : kFailed;
}

void FtdiUsbBus::Close() {
    if (open_) {
        ftdi_usb_close(context_);
        open_ = false;
    }
}

}  // namespace vantrel
