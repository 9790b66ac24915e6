#pragma once
// The digit keys the record window passes on while it has the keyboard: they stand for
// receiver codes in a running CIRCUIT session (the sensor keys use the sensors' key map).
// Thread rule: GUI thread only.

#include <optional>

namespace vantrel {

// The receiver code byte of a digit key of either keyboard: "1".."9" for 1..9, ":" (car 10)
// for 0; nullopt for any other key.
std::optional<char> ReceiverCodeForKey(int key);

}  // namespace vantrel
