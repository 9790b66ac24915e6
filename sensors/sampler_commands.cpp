#include "sensors/sampler_commands.h"

namespace vantrel {

namespace {

constexpr uint32_t kTreeBit = 1u << 12;
constexpr uint32_t kProBit = 1u << 13;
constexpr uint32_t kOffDelayResetBit = 1u << 14;
constexpr uint32_t kRunResetBit = 1u << 15;
constexpr uint32_t kRequestBits = kOffDelayResetBit | kRunResetBit;

uint32_t Pack(const SamplerLevels& levels) {
    const KeyLevels& k = levels.keys;
    return (k.keyStart ? 1u : 0u) | (k.keyFinish ? 2u : 0u) | (k.keySplit1 ? 4u : 0u) |
           (k.keySplit2 ? 8u : 0u) | (static_cast<uint32_t>(k.keyDragLines) << 4) |
           (levels.treeButtonDown ? kTreeBit : 0u) | (levels.proTree ? kProBit : 0u);
}

SamplerLevels UnpackLevels(uint32_t bits) {
    SamplerLevels levels;
    levels.keys.keyStart = (bits & 1u) != 0;
    levels.keys.keyFinish = (bits & 2u) != 0;
    levels.keys.keySplit1 = (bits & 4u) != 0;
    levels.keys.keySplit2 = (bits & 8u) != 0;
    levels.keys.keyDragLines = static_cast<uint8_t>(bits >> 4);
    levels.treeButtonDown = (bits & kTreeBit) != 0;
    levels.proTree = (bits & kProBit) != 0;
    return levels;
}

uint32_t RequestBit(SamplerCommandKind kind) {
    switch (kind) {
        case SamplerCommandKind::kOffDelayReset:
            return kOffDelayResetBit;
        case SamplerCommandKind::kRunReset:
            return kRunResetBit;
        default:
            return 0;
    }
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
    Send(SamplerCommandKind::kKeyLevels);
}

void SamplerCommandRing::SendTreeButton(bool down) {
    sent_.treeButtonDown = down;
    Send(down ? SamplerCommandKind::kTreeButtonDown : SamplerCommandKind::kTreeButtonUp);
}

void SamplerCommandRing::SendProTree(bool pro) {
    sent_.proTree = pro;
    Send(SamplerCommandKind::kProStock);
}

void SamplerCommandRing::SendRequest(SamplerCommandKind request) {
    if (IsRequest(request)) {
        Send(request);
    }
}

void SamplerCommandRing::Send(SamplerCommandKind kind) {
    const SamplerCommand command{kind, nextSeq_, sent_};
    nextSeq_ = nextSeq_ + 1 == 0 ? 1 : nextSeq_ + 1;  // 0 marks "no command"
    // While a spill waits, later commands join it: nothing may overtake it through the ring.
    uint64_t old = spill_.load(std::memory_order_acquire);
    if (old == 0 && ring_.TryPush(command)) {
        return;
    }
    uint64_t next = 0;
    do {
        const uint32_t requests = (static_cast<uint32_t>(old) & kRequestBits) | RequestBit(kind);
        next = (static_cast<uint64_t>(command.seq) << 32) | Pack(sent_) | requests;
    } while (!spill_.compare_exchange_weak(old, next, std::memory_order_acq_rel));
}

SamplerCommandRing::Unfolded SamplerCommandRing::Unfold(uint64_t spill) {
    const auto seq = static_cast<uint32_t>(spill >> 32);
    const auto bits = static_cast<uint32_t>(spill);
    const SamplerLevels levels = UnpackLevels(bits);
    Unfolded out;
    out.items[0] = {SamplerCommandKind::kKeyLevels, seq, levels};
    if ((bits & kOffDelayResetBit) != 0) {
        out.items[1] = {SamplerCommandKind::kOffDelayReset, seq, levels};
    }
    if ((bits & kRunResetBit) != 0) {
        out.items[2] = {SamplerCommandKind::kRunReset, seq, levels};
    }
    return out;
}

}  // namespace vantrel
