#include "reports/record_keys.h"

namespace vantrel {

namespace {

std::atomic<bool>* SensorFlag(const QKeyEvent& event, KeyFlags& keys) {
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    switch (event.key()) {
        case Qt::Key_F11:
            return &keys.keyStart;
        case Qt::Key_F12:
            return &keys.keyFinish;
        case Qt::Key_Slash:
            return keypad ? &keys.keyStart : nullptr;
        case Qt::Key_Asterisk:
            return keypad ? &keys.keyFinish : nullptr;
        case Qt::Key_Minus:
            return keypad ? &keys.keySplit1 : nullptr;
        case Qt::Key_Plus:
            return keypad ? &keys.keySplit2 : nullptr;
        default:
            return nullptr;
    }
}

}  // namespace

bool ForwardSensorKey(const QKeyEvent& event, bool down, KeyFlags& keys) {
    std::atomic<bool>* flag = SensorFlag(event, keys);
    if (flag == nullptr) {
        return false;
    }
    // The sensor stays active until the real release of a held key.
    if (!event.isAutoRepeat()) {
        *flag = down;
    }
    return true;
}

std::optional<char> ReceiverCodeForKey(int key) {
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        return static_cast<char>('1' + (key - Qt::Key_1));
    }
    if (key == Qt::Key_0) {
        return ':';
    }
    return std::nullopt;
}

}  // namespace vantrel
