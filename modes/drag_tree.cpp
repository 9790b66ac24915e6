#include "modes/drag_tree.h"

namespace vantrel {

namespace {

// Wrap-safe "a is earlier than b" for the 32-bit millisecond tick.
bool Before(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) < 0;
}

int32_t Since(uint32_t now, int32_t then) {
    return static_cast<int32_t>(now - static_cast<uint32_t>(then));
}

}  // namespace

void DragTree::SessionStart(SamplerState& state) {
    run_ = DragLineTimes{};
    offDelayActive_ = {};
    state.lampByte = 0xFF;
    state.controls.runResetRequested = false;  // the stop's reset is overtaken by this one
    reportedLamps_ = 0xFF;
}

int DragTree::DragStep(SamplerState& state, const SamplerConfig& config, SensorEventQueue& events) {
    events_ = &events;
    emitted_ = 0;
    ApplyControls(state);
    // A key pressed and released between two ticks still forces its line for one tick.
    state.dataByte = static_cast<uint8_t>(state.dataByte & ~state.controls.keysSeen.keyDragLines);
    for (int line = 0; line < kDragLineCount; ++line) {
        StepLine(line, state, config);
    }
    GreenTimer(state);
    state.prevDataByte = state.dataByte;
    WriteLamps(state, config);
    ReportLamps(state);
    return emitted_;
}

int DragTree::SessionEnd(SamplerState& state, const SamplerConfig& config,
                         SensorEventQueue& events) {
    events_ = &events;
    emitted_ = 0;
    SamplerControls& controls = state.controls;
    controls.treeButtonDown = false;
    controls.treeButtonPressed = false;
    controls.treeButtonReleased = false;
    controls.runResetRequested = false;
    RunReset(state);
    // Nothing drives the tree any more: the Pro indicator goes out as well.
    state.lampByte = 0xFF;
    WriteLamps(state, config);
    ReportLamps(state);
    return emitted_;
}

void DragTree::ReportLamps(const SamplerState& state) {
    if (state.lampByte != reportedLamps_) {
        reportedLamps_ = state.lampByte;
        Emit(SensorEventKind::kDragLamps, 0, state);
    }
}

void DragTree::ApplyControls(SamplerState& state) {
    SamplerControls& controls = state.controls;
    if (controls.runResetRequested) {
        controls.runResetRequested = false;
        RunReset(state);
    }
    // A press and a release within one tick leave the button where it ended up.
    if (controls.treeButtonPressed || controls.treeButtonReleased) {
        RunReset(state);
        if (controls.treeButtonDown) {
            state.lampByte = static_cast<uint8_t>(state.lampByte & ~kAmberLampBit);
        }
    }
}

void DragTree::RunReset(SamplerState& state) {
    run_ = DragLineTimes{};
    state.lampByte = state.controls.proTree ? 0xFE : 0xFF;
    Emit(SensorEventKind::kDragRunReset, 0, state);
    reportedLamps_ = 0;  // the GUI shows the lamps out on a reset: the tick's lamps follow it
}

void DragTree::StepLine(int line, SamplerState& state, const SamplerConfig& config) {
    const uint8_t bit = static_cast<uint8_t>(1u << line);
    const bool prevIdle = (state.prevDataByte & bit) != 0;
    const bool curIdle = (state.dataByte & bit) != 0;
    if (prevIdle != curIdle) {
        Emit(prevIdle ? SensorEventKind::kDragLineOn : SensorEventKind::kDragLineOff, line, state);
    }
    if (offDelayActive_[line]) {
        if (Before(state.sampleTime, offDelayUntil_[line])) {
            if (!prevIdle) {
                offDelayUntil_[line] = state.sampleTime + config.offDelayMs;
            }
            return;
        }
        Emit(SensorEventKind::kDragLabelNormal, line, state);
        offDelayActive_[line] = false;
    }
    if (prevIdle == curIdle) {
        return;
    }
    if (!prevIdle) {  // released: renewed activations are ignored for timing a while
        offDelayActive_[line] = true;
        offDelayUntil_[line] = state.sampleTime + config.offDelayMs;
        return;
    }
    run_.Set(line, static_cast<int32_t>(state.sampleTime));
    LineAction(line, state);
}

void DragTree::LineAction(int line, SamplerState& state) {
    switch (line) {
        case 0:
            // Later lines can only be an earlier car's: they must not reach this run's row.
            run_.setLines = static_cast<uint8_t>(run_.setLines & 0x03);
            run_.greenDelayMs = state.controls.proTree ? kProGreenDelayMs : kStockGreenDelayMs;
            Emit(SensorEventKind::kDragNewRun, line, state);
            state.lampByte = static_cast<uint8_t>(state.lampByte & ~kAmberLampBit);
            break;
        case 1:
            Emit(SensorEventKind::kDragStartLine, line, state);
            if (run_.IsSet(0)) {
                const bool early = Since(state.sampleTime, run_.times[0]) < run_.greenDelayMs;
                state.lampByte =
                    static_cast<uint8_t>(state.lampByte & ~(early ? kRedLampBit : kGreenLampBit));
            }
            break;
        case 2:
        case 3:
        case 4:
        case 5:
            if (run_.IsSet(1)) {
                Emit(SensorEventKind::kDragSplit, line, state);
            }
            break;
        case 7:
            if (run_.IsSet(1)) {
                Emit(SensorEventKind::kDragFinish, line, state);
                // The finish releases the tree button: the GUI's release that follows is no
                // new edge and so cannot reset a run started meanwhile.
                state.controls.treeButtonDown = false;
                RunReset(state);
            }
            break;
        default:
            break;  // line 6, the speed trap, only records its time
    }
}

void DragTree::GreenTimer(SamplerState& state) {
    const uint8_t greenOrRed = kGreenLampBit | kRedLampBit;
    if (run_.IsSet(0) && (state.lampByte & greenOrRed) == greenOrRed &&
        Since(state.sampleTime, run_.times[0]) >= run_.greenDelayMs) {
        state.lampByte = static_cast<uint8_t>(state.lampByte & ~kGreenLampBit);
    }
}

void DragTree::WriteLamps(SamplerState& state, const SamplerConfig& config) {
    if (config.ioAddress != 0 && config.source != nullptr && state.lampByte != state.controlByte) {
        config.source->WriteLamp(static_cast<uint8_t>(state.lampByte ^ config.controlXor));
        state.controlByte = state.lampByte;  // what the register holds until the next read
    }
}

void DragTree::Emit(SensorEventKind kind, int line, const SamplerState& state) {
    SensorEvent event;
    event.kind = kind;
    event.line = static_cast<uint8_t>(line);
    event.tick = state.sampleTime;
    event.lampByte = state.lampByte;
    event.drag = run_;
    emitted_ += events_->Push(event) ? 1 : 0;
}

}  // namespace vantrel
