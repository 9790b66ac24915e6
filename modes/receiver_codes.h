#pragma once
// What the receiver's codes (common/car_code.h) do in each mode: in GYMKHANA a long run of one
// code picks that car in the entry list; in CIRCUIT every valid code is a passing.
// Thread rule: GUI thread only.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/car_code.h"

namespace vantrel {

struct SessionState;

constexpr uint8_t kInvalidCodeMark = '-';
// The received list of the CIRCUIT tab keeps this many lines at most.
constexpr int kReceivedListLines = 201;

// GYMKHANA: counts repetitions of one code; the 102nd identical byte after a different one
// picks its car, and every further 101st confirms it again. Invalid bytes (car 0 included)
// are overwritten with '-'. Returns the car picked last in the block, if any, when it differs
// from `selectedRow`; `session.entryRow` then holds it.
std::optional<int32_t> PickCarFromReceiver(uint8_t* bytes, std::size_t count, SessionState& session,
                                           int32_t selectedRow);

// CIRCUIT: what one block decodes to, in order.
struct DecodedPassings {
    std::vector<std::string> shownLines;  // the car numbers for the received list, 0 included
    std::vector<int32_t> cars;            // the passings that count (car 0 never does)
};
// Invalid bytes are overwritten with '-' and skipped. Every valid code is shown and, unless it
// is car 0, handed on: a car's successive laps may arrive as the same byte twice in a row,
// and the lap step's mask time is what stops double counting.
DecodedPassings DecodePassings(uint8_t* bytes, std::size_t count, SessionState& session);

}  // namespace vantrel
