#pragma once
// The timing keys the record window passes on while it has the keyboard: the simulated
// sensor keys (the same flags and the same keys as in the main window) and the digit keys
// that stand for receiver codes in a running CIRCUIT session.
// Thread rule: GUI thread only (the flags themselves are atomics the timing thread reads).

#include <QKeyEvent>
#include <optional>

#include "common/session_state.h"

namespace vantrel {

// Keypad "/" or F11: start; keypad "*" or F12: finish; keypad "-": split 1; keypad "+":
// split 2. A key down sets the flag, a key up clears it; a held key's repeats change
// nothing. True when the event is one of these keys.
bool ForwardSensorKey(const QKeyEvent& event, bool down, KeyFlags& keys);

// The receiver code byte of a digit key of either keyboard: "1".."9" for 1..9, ":" (car 10)
// for 0; nullopt for any other key.
std::optional<char> ReceiverCodeForKey(int key);

}  // namespace vantrel
