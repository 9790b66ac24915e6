#pragma once
// GUI actions that change what the tick does (keyboard sensors, OFF-delay reset, the drag
// tree's button, Pro/Stock, run reset), handed to the timing thread through a fixed ring that
// the tick takes at its start, in the order they were sent.
//
// Every command carries the sender's complete levels, so the newest command alone says where
// every key and button stands. When the ring is full the sender folds the command into one
// spill word instead (newest levels, requests added up) that the tick takes after the ring:
// a full ring may fold away a press shorter than the backlog, but never a release or a request.
// Thread rule: Send* and Levels on the sending thread only (the GUI thread); Take on the
// tick's thread (the timing thread, or the GUI thread while that thread is stopped).

#include <atomic>
#include <cstdint>

#include "sensors/sensor_event.h"
#include "sensors/spsc_queue.h"

namespace vantrel {

// The simulated sensor levels of the timing keys.
struct KeyLevels {
    bool keyStart = false;
    bool keyFinish = false;
    bool keySplit1 = false;
    bool keySplit2 = false;
    uint8_t keyDragLines = 0;  // bit k: drag line k forced active

    bool Forces(SensorInput input) const;
    void Set(SensorInput input, bool down);
    // Active in either.
    KeyLevels operator|(const KeyLevels& other) const;
    // The keys active here that were not in `before`.
    KeyLevels PressedSince(const KeyLevels& before) const;
};

// Everything the sender holds down or has chosen.
struct SamplerLevels {
    KeyLevels keys;
    bool treeButtonDown = false;
    bool proTree = false;  // Pro tree (all ambers at once) rather than Stock
};

enum class SamplerCommandKind : uint8_t {
    kKeyLevels,       // the keyboard sensor levels changed
    kTreeButtonDown,  // the drag tree's button went down
    kTreeButtonUp,
    kProStock,       // Pro/Stock changed
    kOffDelayReset,  // every input runs its OFF-delay expiry (a request)
    kRunReset,       // the drag run starts over (a request)
};

struct SamplerCommand {
    SamplerCommandKind kind = SamplerCommandKind::kKeyLevels;
    uint32_t seq = 0;      // sending order
    SamplerLevels levels;  // the sender's levels once this command is applied
};

class SamplerCommandRing {
public:
    static constexpr std::size_t kCapacity = 256;

    void SendKeys(const KeyLevels& keys);
    void SendTreeButton(bool down);
    void SendProTree(bool pro);
    void SendRequest(SamplerCommandKind request);  // kOffDelayReset or kRunReset
    // The levels last sent.
    const SamplerLevels& Levels() const { return sent_; }

    // Hands every command sent since the previous Take to `apply`, oldest first. A command
    // older than a spill already applied only passes on its request, with the newest levels.
    template <typename Apply>
    void Take(Apply&& apply) {
        SamplerCommand command;
        while (ring_.TryPop(command)) {
            Deliver(command, apply);
        }
        const uint64_t spill = spill_.exchange(0, std::memory_order_acq_rel);
        if (spill != 0) {
            for (const SamplerCommand& folded : Unfold(spill)) {
                if (folded.seq != 0) {
                    Deliver(folded, apply);
                }
            }
        }
    }

private:
    struct Unfolded {
        SamplerCommand items[3];
        const SamplerCommand* begin() const { return items; }
        const SamplerCommand* end() const { return items + 3; }
    };

    void Send(SamplerCommandKind kind);
    static Unfolded Unfold(uint64_t spill);
    static bool IsRequest(SamplerCommandKind kind) {
        return kind == SamplerCommandKind::kOffDelayReset || kind == SamplerCommandKind::kRunReset;
    }
    template <typename Apply>
    void Deliver(SamplerCommand command, Apply& apply) {
        if (taken_ != 0 && static_cast<int32_t>(command.seq - taken_) <= 0) {
            if (!IsRequest(command.kind)) {
                return;  // stale: a newer spill has set the levels already
            }
            command.levels = takenLevels_;
        } else {
            taken_ = command.seq;
            takenLevels_ = command.levels;
        }
        apply(command);
    }

    SpscQueue<SamplerCommand, kCapacity> ring_;
    // 0, or the sequence number (high half) and the folded levels and requests (low half).
    std::atomic<uint64_t> spill_{0};
    SamplerLevels sent_;  // sender only
    uint32_t nextSeq_ = 1;
    uint32_t taken_ = 0;  // taker only: sequence number of the newest levels applied
    SamplerLevels takenLevels_;
};

}  // namespace vantrel
