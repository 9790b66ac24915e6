#include "modes/receiver_codes.h"

#include "common/race_mode.h"
#include "common/session_state.h"

namespace vantrel {

namespace {
constexpr uint8_t kCarZero = 0x30;
constexpr uint8_t kFirstInvalidHigh = 0xF8;
constexpr int32_t kRepeatsToPick = 100;  // the 101st repetition, the 102nd byte, picks
}  // namespace

std::optional<int32_t> CarOfCode(uint8_t code) {
    if (code < kCarZero || code >= kFirstInvalidHigh) {
        return std::nullopt;
    }
    return code - kCarZero;
}

uint8_t CodeOfCar(int32_t car) {
    return static_cast<uint8_t>((car & 0xFF) + kCarZero);
}

uint8_t CodeOfDigitKey(int digit) {
    return digit == 0 ? static_cast<uint8_t>(':') : static_cast<uint8_t>('0' + digit);
}

std::optional<int32_t> PickCarFromReceiver(uint8_t* bytes, std::size_t count, SessionState& session,
                                           int32_t selectedRow) {
    std::optional<int32_t> picked;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t code = bytes[i];
        if (code <= kCarZero || code >= kFirstInvalidHigh) {
            bytes[i] = kInvalidCodeMark;
            continue;
        }
        if (code != session.lastCarCode) {
            session.lastCarCode = code;
            session.sameCodeCount = 0;
            continue;
        }
        if (++session.sameCodeCount > kRepeatsToPick) {
            const int32_t car = code - kCarZero;
            if (car != selectedRow) {
                session.entryRow = car;
                selectedRow = car;
                picked = car;
            }
            session.sameCodeCount = 0;
        }
    }
    return picked;
}

DecodedPassings DecodePassings(uint8_t* bytes, std::size_t count, SessionState& session) {
    DecodedPassings decoded;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<int32_t> car = CarOfCode(bytes[i]);
        if (!car) {
            bytes[i] = kInvalidCodeMark;
            continue;
        }
        session.lastCarCode = static_cast<uint8_t>(*car);
        decoded.shownLines.push_back(std::to_string(*car));
        if (*car != 0) {
            decoded.cars.push_back(*car);
        }
    }
    return decoded;
}

}  // namespace vantrel
