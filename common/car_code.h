#pragma once
// The receiver's code table, the one map from car numbers and digit keys to code bytes: one
// byte per passing, the car number plus 0x30; bytes from 0xF8 up stand for no car.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <optional>

namespace vantrel {

inline constexpr uint8_t kCarZeroCode = 0x30;
inline constexpr uint8_t kFirstInvalidCode = 0xF8;

// The car of a code: 0..199, or nullopt for an invalid byte.
constexpr std::optional<int32_t> CarOfCode(uint8_t code) {
    if (code < kCarZeroCode || code >= kFirstInvalidCode) {
        return std::nullopt;
    }
    return code - kCarZeroCode;
}

// The code a car number stands for (keyboard and printer-port passings): its low eight bits
// plus 0x30, as the receiver would send it.
constexpr uint8_t CodeOfCar(int32_t car) {
    return static_cast<uint8_t>((car & 0xFF) + kCarZeroCode);
}

// The code of a digit key of either keyboard: "1".."9" for cars 1..9, "0" for car 10 (":").
constexpr uint8_t CodeOfDigitKey(int digit) {
    return CodeOfCar(digit == 0 ? 10 : digit);
}

}  // namespace vantrel
