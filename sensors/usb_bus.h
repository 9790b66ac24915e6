#pragma once
// The calls the USB adapter needs from the FTDI library, behind an interface so that the
// open sequence can be tested with a fake device list. Status 0 is success.
// Thread rule: as UsbAdapter (list, open, configure and close on the GUI thread; ReadPins on
// the timing thread, never during Close).

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

struct UsbDeviceInfo {
    std::string description;  // the device's product string
    std::string serialNumber;
};

class UsbBus {
public:
    virtual ~UsbBus() = default;
    // Builds the device list; `count` is the number of devices found.
    virtual int CreateDeviceList(uint32_t& count) = 0;
    // Reads the descriptions of the listed devices.
    virtual int GetDeviceList(std::vector<UsbDeviceInfo>& devices) = 0;
    virtual int Open(int index) = 0;
    // 10 ms read and write time-outs, 300 baud, purge both buffers, asynchronous bit-bang with
    // every pin an input. Results are not checked by the caller.
    virtual void Configure() = 0;
    virtual int ReadPins(uint8_t& pins) = 0;
    virtual void Close() = 0;
};

}  // namespace vantrel
