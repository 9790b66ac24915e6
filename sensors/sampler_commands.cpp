#include "sensors/sampler_commands.h"

namespace vantrel {

namespace {

// The spill word's bits. Tree button edges keep which kinds were folded and the last one:
// applied as "the other kind, then the last", they leave the tick's button where the folded
// sequence would have, with a reset exactly when that sequence had a real edge.
constexpr uint64_t kKeyBitsMask = 0xFFF;
constexpr uint64_t kKeysFolded = 1u << 12;
constexpr uint64_t kTreeDownFolded = 1u << 13;
constexpr uint64_t kTreeUpFolded = 1u << 14;
constexpr uint64_t kTreeLastDown = 1u << 15;
constexpr uint64_t kStartMethodFolded = 1u << 16;
constexpr uint64_t kStartMethodPro = 1u << 17;
constexpr uint64_t kOffDelayResetFolded = 1u << 18;
constexpr uint64_t kRunResetFolded = 1u << 19;

uint64_t PackKeys(const KeyLevels& k) {
    return (k.keyStart ? 1u : 0u) | (k.keyFinish ? 2u : 0u) | (k.keySplit1 ? 4u : 0u) |
           (k.keySplit2 ? 8u : 0u) | (static_cast<uint64_t>(k.keyDragLines) << 4);
}

KeyLevels UnpackKeys(uint64_t bits) {
    KeyLevels keys;
    keys.keyStart = (bits & 1u) != 0;
    keys.keyFinish = (bits & 2u) != 0;
    keys.keySplit1 = (bits & 4u) != 0;
    keys.keySplit2 = (bits & 8u) != 0;
    keys.keyDragLines = static_cast<uint8_t>(bits >> 4);
    return keys;
}

}  // namespace

bool KeyLevels::Forces(SensorInput input) const {
    switch (input) {
        case SensorInput::kStart:
            return keyStart;
        case SensorInput::kFinish:
            return keyFinish;
        case SensorInput::kSplit1:
            return keySplit1;
        case SensorInput::kSplit2:
            return keySplit2;
    }
    return false;
}

void KeyLevels::Set(SensorInput input, bool down) {
    switch (input) {
        case SensorInput::kStart:
            keyStart = down;
            break;
        case SensorInput::kFinish:
            keyFinish = down;
            break;
        case SensorInput::kSplit1:
            keySplit1 = down;
            break;
        case SensorInput::kSplit2:
            keySplit2 = down;
            break;
    }
}

KeyLevels KeyLevels::operator|(const KeyLevels& other) const {
    KeyLevels both;
    both.keyStart = keyStart || other.keyStart;
    both.keyFinish = keyFinish || other.keyFinish;
    both.keySplit1 = keySplit1 || other.keySplit1;
    both.keySplit2 = keySplit2 || other.keySplit2;
    both.keyDragLines = static_cast<uint8_t>(keyDragLines | other.keyDragLines);
    return both;
}

KeyLevels KeyLevels::PressedSince(const KeyLevels& before) const {
    KeyLevels pressed;
    pressed.keyStart = keyStart && !before.keyStart;
    pressed.keyFinish = keyFinish && !before.keyFinish;
    pressed.keySplit1 = keySplit1 && !before.keySplit1;
    pressed.keySplit2 = keySplit2 && !before.keySplit2;
    pressed.keyDragLines = static_cast<uint8_t>(keyDragLines & ~before.keyDragLines);
    return pressed;
}

void SamplerCommandRing::SendKeys(const KeyLevels& keys) {
    sent_.keys = keys;
    Send({SamplerCommandKind::kKeyLevels, keys});
}

void SamplerCommandRing::SendTreeButton(bool down) {
    sent_.treeButtonDown = down;
    Send({down ? SamplerCommandKind::kTreeButtonDown : SamplerCommandKind::kTreeButtonUp, {}});
}

void SamplerCommandRing::SendProTree(bool pro) {
    sent_.proTree = pro;
    Send({pro ? SamplerCommandKind::kProStart : SamplerCommandKind::kStockStart, {}});
}

void SamplerCommandRing::SendRequest(SamplerCommandKind request) {
    if (request == SamplerCommandKind::kOffDelayReset || request == SamplerCommandKind::kRunReset) {
        Send({request, {}});
    }
}

void SamplerCommandRing::Send(const SamplerCommand& command) {
    // While a spill waits, later commands join it: nothing may overtake it through the ring.
    uint64_t old = spill_.load(std::memory_order_acquire);
    if (old == 0 && ring_.TryPush(command)) {
        return;
    }
    while (!spill_.compare_exchange_weak(old, Fold(old, command), std::memory_order_acq_rel)) {
    }
}

uint64_t SamplerCommandRing::Fold(uint64_t spill, const SamplerCommand& command) {
    switch (command.kind) {
        case SamplerCommandKind::kKeyLevels:
            return (spill & ~kKeyBitsMask) | kKeysFolded | PackKeys(command.keys);
        case SamplerCommandKind::kTreeButtonDown:
            return spill | kTreeDownFolded | kTreeLastDown;
        case SamplerCommandKind::kTreeButtonUp:
            return (spill & ~kTreeLastDown) | kTreeUpFolded;
        case SamplerCommandKind::kProStart:
            return spill | kStartMethodFolded | kStartMethodPro;
        case SamplerCommandKind::kStockStart:
            return (spill & ~kStartMethodPro) | kStartMethodFolded;
        case SamplerCommandKind::kOffDelayReset:
            return spill | kOffDelayResetFolded;
        case SamplerCommandKind::kRunReset:
            return spill | kRunResetFolded;
    }
    return spill;
}

SamplerCommandRing::Unfolded SamplerCommandRing::Unfold(uint64_t spill) {
    Unfolded out;
    const auto add = [&out](SamplerCommandKind kind, KeyLevels keys = {}) {
        out.items[out.count++] = {kind, keys};
    };
    if ((spill & kKeysFolded) != 0) {
        add(SamplerCommandKind::kKeyLevels, UnpackKeys(spill & kKeyBitsMask));
    }
    if ((spill & kStartMethodFolded) != 0) {
        add((spill & kStartMethodPro) != 0 ? SamplerCommandKind::kProStart
                                           : SamplerCommandKind::kStockStart);
    }
    const bool lastDown = (spill & kTreeLastDown) != 0;
    if ((spill & (lastDown ? kTreeUpFolded : kTreeDownFolded)) != 0) {
        add(lastDown ? SamplerCommandKind::kTreeButtonUp : SamplerCommandKind::kTreeButtonDown);
    }
    if ((spill & (kTreeDownFolded | kTreeUpFolded)) != 0) {
        add(lastDown ? SamplerCommandKind::kTreeButtonDown : SamplerCommandKind::kTreeButtonUp);
    }
    if ((spill & kOffDelayResetFolded) != 0) {
        add(SamplerCommandKind::kOffDelayReset);
    }
    if ((spill & kRunResetFolded) != 0) {
        add(SamplerCommandKind::kRunReset);
    }
    return out;
}

}  // namespace vantrel
