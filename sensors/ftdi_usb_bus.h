#pragma once
// UsbBus over libftdi1: FTDI devices of the usual vendor/product ids, by index.
// Thread rule: as UsbBus.

#include <vector>

#include "sensors/usb_bus.h"

struct ftdi_context;
struct ftdi_device_list;

namespace vantrel {

class FtdiUsbBus final : public UsbBus {
public:
    FtdiUsbBus();
    ~FtdiUsbBus() override;
    FtdiUsbBus(const FtdiUsbBus&) = delete;
    FtdiUsbBus& operator=(const FtdiUsbBus&) = delete;

    int CreateDeviceList(uint32_t& count) override;
    int GetDeviceList(std::vector<UsbDeviceInfo>& devices) override;
    int Open(int index) override;
    void Configure() override;
    int ReadPins(uint8_t& pins) override;
    void Close() override;

private:
    void FreeList();

    ftdi_context* context_ = nullptr;
    ftdi_device_list* list_ = nullptr;
    int listCount_ = 0;
    bool open_ = false;
};

}  // namespace vantrel
