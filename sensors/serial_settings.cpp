#include "sensors/serial_settings.h"

namespace vantrel {

std::string SerialDevicePath(std::string_view name) {
    if (name == "None") {
        return {};
    }
    if (name.size() == 4 && name.substr(0, 3) == "COM" && name[3] >= '1' && name[3] <= '6') {
        return "/dev/ttyS" + std::string(1, static_cast<char>(name[3] - 1));
    }
    return std::string(name);
}

int32_t SerialSpeed(int32_t stored) {
    switch (stored) {
        case 2400:
        case 4800:
        case 19200:
        case 38400:
            return stored;
        default:
            return 9600;
    }
}

SerialLineSettings ReceiverLineSettings(int32_t storedBaud) {
    SerialLineSettings settings;
    settings.speed = SerialSpeed(storedBaud);
    return settings;
}

}  // namespace vantrel
