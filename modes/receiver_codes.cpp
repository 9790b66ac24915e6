#include "modes/receiver_codes.h"

#include "common/race_mode.h"
#include "common/session_state.h"

namespace vantrel {

namespace {
constexpr int32_t kRepeatsToPick = 100;  // the 101st repetition, the 102nd byte, picks
}  // namespace

std::optional<int32_t> PickCarFromReceiver(uint8_t* bytes, std::size_t count, SessionState& session,
                                           int32_t selectedRow) {
    std::optional<int32_t> picked;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t code = bytes[i];
        const std::optional<int32_t> car = CarOfCode(code);
        if (!car || *car == 0) {
            bytes[i] = kInvalidCodeMark;
            continue;
        }
        if (code != session.lastCarCode) {
            session.lastCarCode = code;
            session.sameCodeCount = 0;
            continue;
        }
        if (++session.sameCodeCount > kRepeatsToPick) {
            if (*car != selectedRow) {
                session.entryRow = *car;
                selectedRow = *car;
                picked = *car;
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
