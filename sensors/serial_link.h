#pragma once
// The serial port to the lap-counting receiver, set up through termios as ReceiverLineSettings
// says: 8 data bits, no software or hardware flow control, raw input and output, reads that
// never wait; parity, stop bits and the modem lines (DTR, RTS, hang-up on close) stay as the
// system has them. The port is held exclusively while open.
// Thread rule: Open, Close on one thread while no reader uses the descriptor; Transmit from
// one thread at a time (it may run beside a reader thread on Fd()).

#include <cstdint>
#include <string>
#include <string_view>

#include "sensors/serial_settings.h"

namespace vantrel {

class SerialLink {
public:
    SerialLink() = default;
    ~SerialLink() { Close(); }
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens SerialDevicePath(portName) at SerialSpeed(storedBaud). False, with LastError
    // naming the device and the reason, when it is no serial port, is held by another
    // program or refuses the settings; the port is then closed again.
    bool Open(const std::string& portName, int32_t storedBaud);
    // Discards both queues and closes; safe when closed.
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // Writes all of `bytes` without blocking: it waits for room in the driver no longer than
    // they take to send at the port's speed (plus 50 ms). False, with LastError, when the
    // write fails or the port's output stays full.
    bool Transmit(std::string_view bytes);
    std::string LastError() const { return lastError_; }
    int Fd() const { return fd_; }
    // The device tried by the latest Open.
    const std::string& DevicePath() const { return path_; }

private:
    bool Refuse(const std::string& reason);
    bool Fail(const std::string& step, int error);
    bool Claim();
    bool ApplyLineSettings(const SerialLineSettings& line);

    int fd_ = -1;
    bool claimed_ = false;  // this descriptor set exclusive mode
    int32_t speed_ = 9600;
    std::string path_;
    std::string lastError_;
};

}  // namespace vantrel
