#include "sensors/sampler.h"

namespace vantrel {

namespace {

constexpr uint8_t kBusyBit = 0x80;  // pin 11 is inverted by the port hardware

// Wrap-safe "a is earlier than b" for the 32-bit millisecond tick.
bool Before(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) < 0;
}

int Index(SensorInput input) {
    return static_cast<int>(input);
}

}  // namespace

Sampler::Sampler(const MsClock& clock, SensorEventQueue& events) : clock_(clock), events_(events) {}

void Sampler::Prime() {
    TakeCommands();
    state_.controls.keysSeen = state_.controls.keys;
    state_.controls.treeButtonPressed = false;
    state_.controls.treeButtonReleased = false;
    state_.dataByte = 0xFF;
    state_.statusByte = 0xFF;
    readFailureReported_ = false;
    levelsRecorded_ = false;
    emitted_ = 0;
    Read();
    state_.prevDataByte = state_.dataByte;
    if (config_.dragHook != nullptr) {
        config_.dragHook->SessionStart(state_);
    }
    // A recording counts from this read, as a script played back does.
    RecordLevels();
}

void Sampler::Read() {
    InputSource* source = config_.source;
    const uint32_t now = clock_.MsTick();
    RawSample raw;
    const ReadRule rule = source != nullptr ? source->Rule() : ReadRule::kIdle;
    if (rule == ReadRule::kParallelPort) {
        if (source->Read(now, raw)) {
            raw.statusByte ^= kBusyBit;
            if (config_.invert) {
                raw.dataByte = static_cast<uint8_t>(~raw.dataByte);
                raw.statusByte = static_cast<uint8_t>(~raw.statusByte);
            }
        } else {
            // A port that never opened was reported at the session start; one that stops
            // answering is reported here. Either way its inputs read idle.
            if (source->IsOpen()) {
                ReportReadFailure();
            }
            raw = RawSample{};
        }
        state_.dataByte = raw.dataByte;
        state_.statusByte = raw.statusByte;
    } else if (rule == ReadRule::kUsbPins) {
        ReadUsb();
    } else if (rule == ReadRule::kLevels && source->Read(now, raw)) {
        state_.dataByte = raw.dataByte;
        state_.statusByte = raw.statusByte;
    } else {
        state_.dataByte = 0xFF;
        state_.statusByte = 0xFF;
    }
    state_.controlByte = static_cast<uint8_t>(raw.controlByte ^ config_.controlXor);
    // A script gives the levels of the moment it was read at: stamping a later moment would
    // put its changes after their scripted time, and one earlier before it.
    state_.sampleTime = rule == ReadRule::kLevels ? now : clock_.MsTick();
}

void Sampler::ReadUsb() {
    InputSource* source = config_.source;
    state_.dataByte = 0xFF;
    if (!source->IsOpen()) {
        // DRAG and CIRCUIT sessions never open the adapter: their inputs stay idle.
        state_.statusByte = 0xFF;
        return;
    }
    RawSample raw;
    if (source->Read(clock_.MsTick(), raw)) {
        state_.statusByte = raw.statusByte;
    } else {
        ReportReadFailure();  // the status byte keeps its value
    }
}

void Sampler::ReportReadFailure() {
    if (readFailureReported_) {
        return;  // once per session
    }
    readFailureReported_ = true;
    SensorEvent event;
    event.kind = SensorEventKind::kReadFailed;
    event.tick = clock_.MsTick();
    emitted_ += events_.Push(event) ? 1 : 0;
}

void Sampler::TakeCommands() {
    SamplerControls& controls = state_.controls;
    controls.keysSeen = KeyLevels{};
    controls.treeButtonPressed = false;
    controls.treeButtonReleased = false;
    commands_.Take([this](const SamplerCommand& command) { ApplyCommand(command); });
    controls.keysSeen = controls.keysSeen | controls.keys;
}

void Sampler::ApplyCommand(const SamplerCommand& command) {
    SamplerControls& controls = state_.controls;
    switch (command.kind) {
        case SamplerCommandKind::kKeyLevels:
            // A key pressed and released again before this tick still counts as active once.
            controls.keysSeen = controls.keysSeen | command.keys.PressedSince(controls.keys);
            controls.keys = command.keys;
            break;
        case SamplerCommandKind::kTreeButtonDown:
        case SamplerCommandKind::kTreeButtonUp: {
            // An edge against the button as this thread has it: a release after the finish
            // has released it already changes nothing.
            const bool down = command.kind == SamplerCommandKind::kTreeButtonDown;
            if (down != controls.treeButtonDown) {
                (down ? controls.treeButtonPressed : controls.treeButtonReleased) = true;
                controls.treeButtonDown = down;
            }
            break;
        }
        case SamplerCommandKind::kProStart:
        case SamplerCommandKind::kStockStart:
            controls.proTree = command.kind == SamplerCommandKind::kProStart;
            break;
        case SamplerCommandKind::kOffDelayReset:
            offDelayResetRequested_ = true;
            break;
        case SamplerCommandKind::kRunReset:
            controls.runResetRequested = true;
            break;
    }
}

int Sampler::Tick() {
    emitted_ = 0;
    TakeCommands();
    Read();
    ApplyOffDelayReset();
    if (activeMode_.load(std::memory_order_relaxed) == RaceMode::kDrag) {
        if (config_.dragHook != nullptr) {
            emitted_ += config_.dragHook->DragStep(state_, config_, events_);
        }
    } else {
        for (SensorInput input : {SensorInput::kFinish, SensorInput::kStart, SensorInput::kSplit1,
                                  SensorInput::kSplit2}) {
            StepInput(input);
        }
        for (int k = 0; k < kSensorInputCount; ++k) {
            const uint8_t mask = config_.Mask(static_cast<SensorInput>(k));
            if (mask != 0) {
                state_.prevState[k] = (state_.statusByte & mask) != 0;
            }
        }
    }
    RecordLevels();
    return emitted_;
}

int Sampler::EndSession() {
    emitted_ = 0;
    TakeCommands();
    if (activeMode_.load(std::memory_order_relaxed) == RaceMode::kDrag &&
        config_.dragHook != nullptr) {
        emitted_ += config_.dragHook->SessionEnd(state_, config_, events_);
    }
    return emitted_;
}

void Sampler::StepInput(SensorInput input) {
    const uint8_t mask = config_.Mask(input);
    if (mask == 0) {
        return;  // "NC": the input is not wired and never fires, not even from its key
    }
    const int k = Index(input);
    // A key pressed and released between two ticks still makes its pass.
    if (state_.controls.keysSeen.Forces(input)) {
        state_.statusByte = static_cast<uint8_t>(state_.statusByte & ~mask);
    }
    const bool cur = (state_.statusByte & mask) != 0;  // true = idle
    const bool prev = state_.prevState[k];
    if (cur != prev) {
        if (prev) {
            Emit(SensorEventKind::kLampOn, input);
            Emit(SensorEventKind::kLabelRed, input);
        } else {
            Emit(SensorEventKind::kLampOff, input);
        }
    }
    if (state_.offDelayActive[k]) {
        if (Before(state_.sampleTime, state_.offDelayUntil[k])) {
            if (!prev) {
                // Still (or again) active: the delay counts from the latest active sample.
                state_.offDelayUntil[k] = state_.sampleTime + config_.offDelayMs;
            }
            return;
        }
        Emit(SensorEventKind::kOffDelayOver, input);
        state_.offDelayActive[k] = false;
    }
    if (cur != prev) {
        if (!prev) {
            state_.offDelayActive[k] = true;
            state_.offDelayUntil[k] = state_.sampleTime + config_.offDelayMs;
            return;
        }
        Emit(SensorEventKind::kActiveEdge, input);
    }
}

void Sampler::ApplyOffDelayReset() {
    if (!offDelayResetRequested_) {
        return;
    }
    offDelayResetRequested_ = false;
    for (int k = 0; k < kSensorInputCount; ++k) {
        if (!state_.offDelayActive[k]) {
            state_.offDelayUntil[k] = state_.sampleTime;  // runs out at once
        }
        // A delay still running keeps its end: a pass just before the reset stays masked.
        state_.offDelayActive[k] = true;
    }
}

void Sampler::RecordLevels() {
    if (!config_.recordLevels) {
        return;
    }
    if (levelsRecorded_ && recordedStatus_ == state_.statusByte &&
        recordedData_ == state_.dataByte) {
        return;
    }
    levelsRecorded_ = true;
    recordedStatus_ = state_.statusByte;
    recordedData_ = state_.dataByte;
    SensorEvent event;
    event.kind = SensorEventKind::kLevelChange;
    event.statusByte = state_.statusByte;
    event.dataByte = state_.dataByte;
    event.tick = state_.sampleTime;
    emitted_ += events_.Push(event) ? 1 : 0;
}

void Sampler::Emit(SensorEventKind kind, SensorInput input) {
    SensorEvent event;
    event.kind = kind;
    event.input = input;
    event.tick = state_.sampleTime;
    emitted_ += events_.Push(event) ? 1 : 0;
}

}  // namespace vantrel
