// The records of what the tabs show outside the lists: the DRAG tab's next car, the mode in
// force and the counting method.
#include "journal/journal_bytes.h"
#include "journal/journal_content.h"

namespace vantrel {

std::vector<uint8_t> EncodeDrag(const JournalDrag& drag) {
    ByteWriter out;
    out.PutString(drag.nextCar);
    out.PutI32(drag.runCar);
    return out.Take();
}

std::optional<JournalDrag> DecodeDrag(std::span<const uint8_t> payload) {
    ByteReader in(payload);
    JournalDrag drag;
    if (!in.GetString(drag.nextCar) || !in.GetI32(drag.runCar) || !in.Ok() || !in.AtEnd()) {
        return std::nullopt;
    }
    return drag;
}

std::vector<uint8_t> EncodeMode(const JournalMode& mode) {
    ByteWriter out;
    out.PutU8(static_cast<uint8_t>(mode.mode));
    out.PutI32(mode.countingMethod);
    return out.Take();
}

std::optional<JournalMode> DecodeMode(std::span<const uint8_t> payload) {
    ByteReader in(payload);
    JournalMode mode;
    uint8_t value = 0;
    if (!in.GetU8(value) || value > static_cast<uint8_t>(RaceMode::kCircuit) ||
        !in.GetI32(mode.countingMethod) || !in.Ok() || !in.AtEnd()) {
        return std::nullopt;
    }
    mode.mode = static_cast<RaceMode>(value);
    return mode;
}

}  // namespace vantrel
