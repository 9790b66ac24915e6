#pragma once
// The keyboard sensors, the one key map of every window: keypad "/" or F11 start, keypad "*"
// or F12 finish, keypad "-" split 1, keypad "+" split 2.
// Thread rule: GUI thread only.

#include <QKeyEvent>
#include <optional>

#include "sensors/sensor_event.h"

namespace vantrel {

// The input a key stands for; nullopt for any other key (the main keyboard's "/", "*", "-"
// and "+" included).
std::optional<SensorInput> SensorKeyOf(const QKeyEvent& event);

// A sensor key's press or release goes to `setKey` (a held key's repeats change nothing).
// True when the event is a sensor key.
template <typename SetKey>
bool ForwardSensorKey(const QKeyEvent& event, bool down, SetKey&& setKey) {
    const std::optional<SensorInput> input = SensorKeyOf(event);
    if (!input) {
        return false;
    }
    // The sensor stays active until the real release of a held key.
    if (!event.isAutoRepeat()) {
        setKey(*input, down);
    }
    return true;
}

}  // namespace vantrel
