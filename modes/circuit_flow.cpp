#include "modes/circuit_flow.h"

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
}

void CircuitFlow::ModeReset() {
    view_->ClearReceived();
}

void CircuitFlow::StartSession(uint32_t sessionStartTick) {
    PrepareCircuitSession(session_, sessionStartTick);
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
    if (decoded.cars.empty()) {
        return;
    }
    // A block's laps reach the screen together: the record window and the entry grid are
    // drawn once at its end, only the last booked row needs selecting, and a tone asked for
    // again before the announcer has served it would sound only once anyway.
    BlockOutcome block;
    {
        const ResultBatch batch(booking_);
        for (const int32_t car : decoded.cars) {
            PassCar(car, tick, block);
        }
        if (!block.shownCars.empty()) {
            view_->ShowCars(block.shownCars);
        }
    }
    if (block.lastRow > 0) {
        view_->SelectResultRow(block.lastRow);
    }
    AskTones(block);
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
