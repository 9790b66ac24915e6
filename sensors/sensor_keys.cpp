#include "sensors/sensor_keys.h"

namespace vantrel {

std::optional<SensorInput> SensorKeyOf(const QKeyEvent& event) {
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    switch (event.key()) {
        case Qt::Key_F11:
            return SensorInput::kStart;
        case Qt::Key_F12:
            return SensorInput::kFinish;
        case Qt::Key_Slash:
            return keypad ? std::optional(SensorInput::kStart) : std::nullopt;
        case Qt::Key_Asterisk:
            return keypad ? std::optional(SensorInput::kFinish) : std::nullopt;
        case Qt::Key_Minus:
            return keypad ? std::optional(SensorInput::kSplit1) : std::nullopt;
        case Qt::Key_Plus:
            return keypad ? std::optional(SensorInput::kSplit2) : std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace vantrel
