#pragma once
// The CIRCUIT tab's rules in one place: its settings (counting method, input port, mask time,
// kept in the session state), its sessions, and ProcessPassings, where every passing ends up:
// the receiver's blocks, the digit keys and the start sensor on the printer port. The page
// implements CircuitView to show what changed and forwards its events here.
// Thread rule: GUI thread only.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/time_text.h"
#include "modes/mode_flow.h"
#include "modes/receiver_flood.h"

namespace vantrel {

class EntryTable;
class MsClock;
class ResultBooking;
class SensorLog;
class ToneSink;
struct SessionState;

// A receiver passing held as part of a flood: its car and the tick it arrived at.
struct HeldPassing {
    int32_t car = 0;
    uint32_t tick = 0;
    bool operator==(const HeldPassing&) const = default;
};

// What the CIRCUIT tab's settings boxes show.
struct CircuitSettings {
    int32_t countingMethod = 0;  // 0 lap timing, SessionState::kCommonStart
    int32_t inputPort = 0;       // 0 serial port, SessionState::kPrinterPort
    int32_t maskTimeS = 30;
};

class CircuitView {
public:
    virtual ~CircuitView() = default;
    // Car numbers to append to the received list, oldest first; never more than it keeps.
    virtual void AppendReceived(const std::vector<std::string>& /*lines*/) {}
    // The received list is emptied.
    virtual void ClearReceived() {}
    // The entry list shows each of these cars' rows in turn (a block's counted passings); the
    // selection ends on the last.
    virtual void ShowCars(const std::vector<int32_t>& /*cars*/) {}
    // The result row (1-based) a block booked last, to select.
    virtual void SelectResultRow(int32_t /*row*/) {}
    virtual void ShowSettings(const CircuitSettings& /*settings*/) {}
};

class CircuitFlow final : public ModeFlow {
public:
    // Laps are booked through `booking`; digit keys and the sensor log are stamped by `clock`.
    CircuitFlow(SessionState& session, EntryTable& entries, ResultBooking& booking, SensorLog& log,
                const MsClock& clock, ToneSink& tones, CircuitView& view);
    // The same showing nothing until BindView.
    CircuitFlow(SessionState& session, EntryTable& entries, ResultBooking& booking, SensorLog& log,
                const MsClock& clock, ToneSink& tones);
    void BindView(CircuitView& view) { view_ = &view; }

    // The page's settings. The counting method and the input port stay as they are while a
    // session runs (the page is shown the settings in force again); the mask text reads as
    // CircuitMaskSeconds does.
    void SetCountingMethod(int32_t method);
    void SetInputPort(int32_t port);
    void SetMaskText(std::string_view text);
    CircuitSettings Settings() const;
    void ShowSettings();

    RaceMode Mode() const override { return RaceMode::kCircuit; }
    void Configure(const SetupSettings& setup) override;
    void ModeReset() override;
    void StartSession(uint32_t sessionStartTick) override;
    bool ReadsSensors() const override;
    bool OpensUsbAdapter() const override { return false; }
    bool UsesReceiverPort() const override { return !ReadsSensors(); }
    void StopSession() override {}
    bool CarsRunning() const override { return false; }
    // With the printer port as input, the start sensor's active edge is a passing of the car
    // selected in the entry list, at the edge's tick.
    void TakeSensorEvent(const SensorEvent& event) override;
    bool UsesResultButtons() const override { return false; }
    // A digit key is a passing ("0" is car 10) at the clock's tick.
    bool TakeDigitKey(int digit) override;
    // A receiver block: shown, then booked as ProcessPassings books it, unless the flood guard
    // (receiver_flood.h, its limit from the settings) holds it.
    void TakeReceivedBytes(uint8_t* bytes, uint16_t count, uint32_t tick) override;

    // Decodes `count` car codes received at `tick` (invalid ones are overwritten with '-'),
    // shows them in the received list and runs the lap step for each car, in order, booking
    // the block's laps as one batch. A passing the mask rejects does not stop the ones after
    // it. The tones of the block are asked for once each, high before low.
    void ProcessPassings(uint8_t* bytes, uint16_t count, uint32_t tick);

    // The passings held and not yet settled, oldest first. They are not results: a session
    // start discards them, and they are not journalled (the sensor log names each).
    const std::vector<HeldPassing>& Held() const { return held_; }
    // Told whenever the held passings change.
    void OnHeldChanged(std::function<void()> listener) { heldChanged_ = std::move(listener); }
    // Settles the first book.size() held passings (those the operator was shown): the ones
    // marked true are booked in stamp order, each at its own tick as if it had been booked on
    // arrival, the mask applied; the others are discarded and named in the sensor log.
    // Returns the laps booked.
    int32_t SettleHeld(const std::vector<bool>& book);
    // Held passings beyond this many are not kept (a receiver sending garbage for minutes);
    // the sensor log counts them.
    static constexpr size_t kMaxHeld = 10000;

private:
    // What a block's passings leave for the screen and the announcer to do at its end.
    struct BlockOutcome {
        int32_t lastRow = 0;  // the last booked result row
        int32_t laps = 0;
        std::vector<int32_t> shownCars;
        bool highTone = false;
        bool lowTone = false;
    };
    void ShowReceived(std::vector<std::string> lines);
    // Runs the lap step for each passing in order, booking the laps as one batch; returns the
    // laps booked.
    int32_t BookPassings(const std::vector<HeldPassing>& passings);
    void Hold(const std::vector<int32_t>& cars, uint32_t tick);
    void DiscardHeld(size_t count);
    void PassCar(int32_t car, uint32_t tick, BlockOutcome& block);
    void AskTones(const BlockOutcome& block);

    SessionState& session_;
    EntryTable& entries_;
    ResultBooking& booking_;
    SensorLog& log_;
    const MsClock& clock_;
    ToneSink& tones_;
    CircuitView* view_;
    TimeFormat timeFormat_ = TimeFormat::kMinutesSeconds;
    ReceiverFloodGuard flood_;
    std::vector<HeldPassing> held_;
    std::function<void()> heldChanged_;
};

}  // namespace vantrel
