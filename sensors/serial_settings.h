#pragma once
// The serial port choice of the options as the system names it: the stored port name becomes
// a device path and the stored speed one of the five speeds the receiver link offers.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// "COM1".."COM6" -> "/dev/ttyS0".."/dev/ttyS5"; "None" -> "" (no port); any other text is
// taken as the device path itself (a USB adapter's "/dev/ttyUSB0", a pseudo-terminal).
std::string SerialDevicePath(std::string_view name);

// 2400, 4800, 19200 and 38400 map to themselves, every other stored value to 9600.
int32_t SerialSpeed(int32_t stored);

// The line settings the link puts on the port: 8 data bits and no flow control, neither
// XON/XOFF nor the CTS or DSR output handshake, so a write never waits on the other end;
// parity, stop bits and DTR/RTS are not set (the system's setting stays).
struct SerialLineSettings {
    int32_t speed = 9600;
    int32_t dataBits = 8;
    bool softwareFlowControl = false;
    bool hardwareFlowControl = false;
};
SerialLineSettings ReceiverLineSettings(int32_t storedBaud);

}  // namespace vantrel
