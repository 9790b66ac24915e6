#include "modes/circuit_flow.h"

#include <algorithm>

#include "common/ms_clock.h"
#include "common/session_state.h"
#include "lists/entry_table.h"
#include "lists/result_sink.h"
#include "modes/circuit_laps.h"
#include "modes/receiver_codes.h"
#include "modes/tone_sink.h"
#include "sensors/sensor_log.h"

namespace vantrel {

CircuitFlow::CircuitFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
                         SensorLog& log, const MsClock& clock, ToneSink& tones, CircuitView& view)
    : session_(session),
      entries_(entries),
      booking_(booking),
      log_(log),
      clock_(clock),
      tones_(tones),
      view_(&view) {}

namespace {
CircuitView& NoView() {
    static CircuitView none;
    return none;
}

std::vector<HeldPassing> PassingsAt(const std::vector<int32_t>& cars, uint32_t tick) {
    std::vector<HeldPassing> passings;
    passings.reserve(cars.size());
    for (const int32_t car : cars) {
        passings.push_back({car, tick});
    }
    return passings;
}
}  // namespace

CircuitFlow::CircuitFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
                         SensorLog& log, const MsClock& clock, ToneSink& tones)
    : CircuitFlow(session, entries, booking, log, clock, tones, NoView()) {}

void CircuitFlow::SetCountingMethod(int32_t method) {
    if (session_.running.load()) {
        ShowSettings();
        return;
    }
    session_.countingMethod = method;
}

void CircuitFlow::SetInputPort(int32_t port) {
    if (session_.running.load()) {
        ShowSettings();
        return;
    }
    session_.circuitInput = port;
    ShowSettings();  // the received list's label follows the port
}

void CircuitFlow::SetMaskText(std::string_view text) {
    session_.maskTimeS = CircuitMaskSeconds(text);
}

CircuitSettings CircuitFlow::Settings() const {
    return {session_.countingMethod, session_.circuitInput, session_.maskTimeS};
}

void CircuitFlow::ShowSettings() {
    view_->ShowSettings(Settings());
}

void CircuitFlow::Configure(const SetupSettings& setup) {
    timeFormat_ = setup.timeFormat;
    flood_.SetLimit(setup.floodCars);
}

void CircuitFlow::ModeReset() {
    view_->ClearReceived();
}

void CircuitFlow::StartSession(uint32_t sessionStartTick) {
    PrepareCircuitSession(session_, sessionStartTick);
    // Held passings belong to the counters the start has just reset.
    DiscardHeld(held_.size());
    flood_.Reset();
}

bool CircuitFlow::ReadsSensors() const {
    return session_.circuitInput == SessionState::kPrinterPort;
}

void CircuitFlow::TakeSensorEvent(const SensorEvent& event) {
    if (ReadsSensors() && event.kind == SensorEventKind::kActiveEdge &&
        event.input == SensorInput::kStart) {
        uint8_t code = CodeOfCar(session_.entryRow);
        ProcessPassings(&code, 1, event.tick);
    }
}

bool CircuitFlow::TakeDigitKey(int digit) {
    uint8_t code = CodeOfDigitKey(digit);
    ProcessPassings(&code, 1, clock_.MsTick());
    return true;
}

void CircuitFlow::ProcessPassings(uint8_t* bytes, uint16_t count, uint32_t tick) {
    DecodedPassings decoded = DecodePassings(bytes, count, session_);
    ShowReceived(std::move(decoded.shownLines));
    BookPassings(PassingsAt(decoded.cars, tick));
}

void CircuitFlow::TakeReceivedBytes(uint8_t* bytes, uint16_t count, uint32_t tick) {
    DecodedPassings decoded = DecodePassings(bytes, count, session_);
    ShowReceived(std::move(decoded.shownLines));
    if (decoded.cars.empty()) {
        return;
    }
    if (flood_.HoldsBlock(decoded.cars, tick)) {
        Hold(decoded.cars, tick);
        return;
    }
    BookPassings(PassingsAt(decoded.cars, tick));
}

int32_t CircuitFlow::BookPassings(const std::vector<HeldPassing>& passings) {
    if (passings.empty()) {
        return 0;
    }
    // A block's laps reach the screen together: the record window and the entry grid are
    // drawn once at its end, only the last booked row needs selecting, and a tone asked for
    // again before the announcer has served it would sound only once anyway.
    BlockOutcome block;
    {
        const ResultBatch batch(booking_);
        for (const HeldPassing& passing : passings) {
            PassCar(passing.car, passing.tick, block);
        }
        if (!block.shownCars.empty()) {
            view_->ShowCars(block.shownCars);
        }
    }
    if (block.lastRow > 0) {
        view_->SelectResultRow(block.lastRow);
    }
    AskTones(block);
    return block.laps;
}

void CircuitFlow::Hold(const std::vector<int32_t>& cars, uint32_t tick) {
    std::string line = "Held";
    size_t notKept = 0;
    for (const int32_t car : cars) {
        line += ' ' + std::to_string(car);
        if (held_.size() < kMaxHeld) {
            held_.push_back({car, tick});
        } else {
            ++notKept;
        }
    }
    log_.AddLine(tick, line);
    if (notKept > 0) {
        log_.AddLine(tick, "Held passings not kept: " + std::to_string(notKept));
    }
    if (heldChanged_) {
        heldChanged_();
    }
}

int32_t CircuitFlow::SettleHeld(const std::vector<bool>& book) {
    const size_t settled = std::min(book.size(), held_.size());
    std::vector<HeldPassing> chosen;
    std::vector<HeldPassing> dropped;
    for (size_t i = 0; i < settled; ++i) {
        (book[i] ? chosen : dropped).push_back(held_[i]);
    }
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(settled));
    const uint32_t now = clock_.MsTick();
    for (const HeldPassing& passing : dropped) {
        log_.AddLine(now, "Held discarded " + std::to_string(passing.car) + " received " +
                              std::to_string(passing.tick));
    }
    // Stamp order is arrival order, but the mask must see them oldest first whatever the list.
    std::stable_sort(chosen.begin(), chosen.end(), [](const HeldPassing& a, const HeldPassing& b) {
        return static_cast<int32_t>(a.tick - b.tick) < 0;
    });
    const int32_t laps = BookPassings(chosen);
    if (settled > 0 && heldChanged_) {
        heldChanged_();
    }
    return laps;
}

void CircuitFlow::DiscardHeld(size_t count) {
    std::vector<bool> none(std::min(count, held_.size()), false);
    if (!none.empty()) {
        SettleHeld(none);
    }
}

void CircuitFlow::ShowReceived(std::vector<std::string> lines) {
    if (lines.empty()) {
        return;
    }
    // Lines the list would drop again at once are not handed on.
    if (lines.size() > static_cast<size_t>(kReceivedListLines)) {
        lines.erase(lines.begin(), lines.end() - kReceivedListLines);
    }
    view_->AppendReceived(lines);
}

void CircuitFlow::PassCar(int32_t car, uint32_t tick, BlockOutcome& block) {
    // A held passing older than a lap counted since cannot come before it: it is rejected.
    const uint32_t last = car > 0 && car < kCarSlots ? session_.lastPassTime[car] : 0;
    if (last != 0 && static_cast<int32_t>(tick - last) < 0) {
        return;
    }
    const CircuitPassing passing = LapStep(car, tick, session_.maskTimeS, session_);
    if (passing.kind == PassingKind::kRejected) {
        return;
    }
    ShowPassingInEntryList(passing, entries_);
    if (passing.kind == PassingKind::kLap) {
        log_.AddPassing(clock_.MsTick(), car);
        const bool commonStart = session_.countingMethod == SessionState::kCommonStart;
        block.lastRow =
            booking_.AddResult(BookCircuitLap(passing, entries_, timeFormat_, commonStart));
        block.lowTone = true;
        ++block.laps;
    } else {
        block.highTone = true;
    }
    block.shownCars.push_back(car);
}

void CircuitFlow::AskTones(const BlockOutcome& block) {
    // Circuit tones sound whatever waits to be spoken.
    if (block.highTone) {
        tones_.RequestTone(Tone::kHigh);
    }
    if (block.lowTone) {
        tones_.RequestTone(Tone::kLow);
    }
}

}  // namespace vantrel
