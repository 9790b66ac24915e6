#pragma once
// GUI actions that change what the tick does (keyboard sensors, OFF-delay reset, the drag
// tree's button, Pro/Stock, run reset), handed to the timing thread through a fixed ring that
// the tick takes at its start, in the order they were sent.
//
// A command carries what changed and nothing else: a tree button going down or up, Pro or
// Stock chosen, a reset asked for, or the keyboard sensors' new levels. So a command sent for
// one control can never move another one back to where the sender last saw it (a key released
// after a finish does not press the tree button the finish has released).
// When the ring is full the sender folds the command into one spill word instead (newest key
// levels, the tree button's edges, the start method, requests added up) that the tick takes
// after the ring: a full ring may fold away a key press shorter than the backlog, but never a
// release, a tree button edge or a request.
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
    bool operator==(const KeyLevels&) const = default;
};

// What the sender has sent so far, kept on the sending side only (never sent as a whole).
struct SamplerLevels {
    KeyLevels keys;
    bool treeButtonDown = false;
    bool proTree = false;  // Pro tree (all ambers at once) rather than Stock
};

enum class SamplerCommandKind : uint8_t {
    kKeyLevels,       // the keyboard sensor levels changed (`keys`)
    kTreeButtonDown,  // "Amber ON" pressed
    kTreeButtonUp,    // the tree button released ("Abort", or its release after a finish)
    kProStart,        // "Pro" chosen
    kStockStart,      // "Stock" chosen
    kOffDelayReset,   // every input runs its OFF-delay expiry (a request)
    kRunReset,        // the drag run starts over (a request)
};

struct SamplerCommand {
    SamplerCommandKind kind = SamplerCommandKind::kKeyLevels;
    KeyLevels keys;  // kKeyLevels only: the keyboard sensor levels from now on
};

class SamplerCommandRing {
public:
    static constexpr std::size_t kCapacity = 256;

    void SendKeys(const KeyLevels& keys);
    void SendTreeButton(bool down);
    void SendProTree(bool pro);
    void SendRequest(SamplerCommandKind request);  // kOffDelayReset or kRunReset
    // What was last sent for each control.
    const SamplerLevels& Levels() const { return sent_; }

    // Hands every command sent since the previous Take to `apply`, oldest first.
    template <typename Apply>
    void Take(Apply&& apply) {
        SamplerCommand command;
        while (ring_.TryPop(command)) {
            apply(command);
        }
        if (spill_.load(std::memory_order_acquire) == 0) {
            return;
        }
        // The spill was made after everything the ring holds, and its acquire above makes
        // those commands visible: deliver them first. The sender adds to a spill that is set
        // rather than to the ring, so nothing newer than the spill can be in the ring now.
        while (ring_.TryPop(command)) {
            apply(command);
        }
        const uint64_t spill = spill_.exchange(0, std::memory_order_acq_rel);
        Unfolded folded = Unfold(spill);
        for (int i = 0; i < folded.count; ++i) {
            apply(folded.items[i]);
        }
    }

private:
    struct Unfolded {
        SamplerCommand items[6];
        int count = 0;
    };

    void Send(const SamplerCommand& command);
    static uint64_t Fold(uint64_t spill, const SamplerCommand& command);
    static Unfolded Unfold(uint64_t spill);

    SpscQueue<SamplerCommand, kCapacity> ring_;
    // 0, or the commands folded while the ring was full (see Fold for the bits).
    std::atomic<uint64_t> spill_{0};
    SamplerLevels sent_;  // sender only
};

}  // namespace vantrel
