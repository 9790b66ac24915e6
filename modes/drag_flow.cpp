#include "modes/drag_flow.h"

#include <optional>

#include "common/messages.h"
#include "common/ms_clock.h"
#include "common/prompter_face.h"
#include "common/session_state.h"
#include "lists/result_sink.h"
#include "modes/drag_result.h"
#include "modes/drag_tree.h"
#include "sensors/sensor_log.h"
#include "sensors/tick_commands.h"

namespace vantrel {

DragFlow::DragFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
                   TickCommands& ticks, SensorLog& log, const MsClock& clock,
                   PrompterFace& prompter, DragView& view)
    : session_(session),
      entries_(entries),
      booking_(booking),
      ticks_(ticks),
      log_(log),
      clock_(clock),
      prompter_(prompter),
      view_(&view) {}

namespace {
DragView& NoView() {
    static DragView none;
    return none;
}
}  // namespace

DragFlow::DragFlow(SessionState& session, EntryTable& entries, ResultBooking& booking,
                   TickCommands& ticks, SensorLog& log, const MsClock& clock,
                   PrompterFace& prompter)
    : DragFlow(session, entries, booking, ticks, log, clock, prompter, NoView()) {}

void DragFlow::ModeReset() {
    view_->ShowLastResult("", "", "", "");
    view_->ShowReaction("");
    ShowCarBox(std::to_string(session_.entryRow));
    view_->ClearReceivedList();
}

void DragFlow::StopSession() {
    treeButtonDown_ = false;
    view_->ShowTreeButton(false);
    ClearRunDisplays();
    runCar_ = -1;
    ticks_.SetTreeButton(false);
    ticks_.ResetDragRun();
    // Nothing samples the lines any more: no indicator may stay lit or label stay red.
    for (int line = 0; line < kDragLineCount; ++line) {
        view_->ShowLine(line, false);
        view_->ShowLineLabelNormal(line);
    }
}

bool DragFlow::TakeDigitKey(int digit) {
    if (digit < 1 || digit > kDragLineCount) {
        return false;
    }
    ticks_.SetDragLineKeys(static_cast<uint8_t>(1u << (digit - 1)));
    return true;
}

void DragFlow::CommitCarBox() {
    std::optional<int32_t> car = DragCarOfText(carBoxText_);
    if (!car) {
        prompter_.Warn(Translated(msg::k109), Translated(msg::k110));
        car = session_.entryRow;  // the box keeps the number it had
    }
    ShowCarBox(std::to_string(*car));
    session_.entryRow = *car;
    view_->SelectEntryRow(*car);
}

void DragFlow::PickEntryRow(int32_t car) {
    ShowCarBox(std::to_string(car));
}

void DragFlow::TreeButton(bool down) {
    if (!down) {
        ReleaseTree();
        return;
    }
    treeButtonDown_ = true;
    log_.AddDragStart(clock_.MsTick());
    ClearRunDisplays();
    view_->ShowTreeLamps(true, false, false);
    view_->ShowTreeButton(true);
    ticks_.SetTreeButton(true);
}

void DragFlow::SetProStart(bool pro) {
    session_.proStart = pro;
    ticks_.SetProTree(pro);
    view_->ShowProStart(pro);
}

void DragFlow::ReleaseTree() {
    treeButtonDown_ = false;
    log_.AddDragStop(clock_.MsTick());
    ClearRunDisplays();
    view_->ShowTreeButton(false);
    // The release resets the tree at the next tick. After a finish the tree was reset in the
    // finish's own tick and the release is no new edge, so a run begun since then stays.
    ticks_.SetTreeButton(false);
}

void DragFlow::RestoreNextCar(const std::string& nextCar, int32_t brokenOffCar) {
    ShowCarBox(brokenOffCar >= 0 ? std::to_string(brokenOffCar) : nextCar);
}

void DragFlow::ShowCarBox(std::string text) {
    carBoxText_ = std::move(text);
    view_->ShowNextCar(carBoxText_);
}

void DragFlow::ShowLamps(uint8_t lampByte) {
    const auto lit = [lampByte](uint8_t bit) { return (lampByte & bit) == 0; };
    view_->ShowTreeLamps(lit(kAmberLampBit), lit(kGreenLampBit), lit(kRedLampBit));
}

void DragFlow::ClearRunDisplays() {
    view_->ShowReaction("");
    for (int k = 0; k < 4; ++k) {
        view_->ShowSplit(k, "");
    }
    view_->ShowRunCar("");
    ShowLamps(0xFF);
}

void DragFlow::TakeSensorEvent(const SensorEvent& event) {
    switch (event.kind) {
        case SensorEventKind::kDragLineOn:
        case SensorEventKind::kDragLineOff:
            view_->ShowLine(event.line, event.kind == SensorEventKind::kDragLineOn);
            break;
        case SensorEventKind::kDragLabelNormal:
            view_->ShowLineLabelNormal(event.line);
            break;
        case SensorEventKind::kDragNewRun:
            NewRun();
            break;
        case SensorEventKind::kDragStartLine:
            StartLine(event.drag);
            break;
        case SensorEventKind::kDragSplit:
            ShowSplitOf(event.drag, event.line);
            break;
        case SensorEventKind::kDragFinish:
            FinishRun(event.drag);
            break;
        case SensorEventKind::kDragRunReset:
            // Only the tree's own reset ends the run's car: a finish sampled before an Abort
            // that the window took first still books the car that ran.
            ClearRunDisplays();
            runCar_ = -1;
            break;
        case SensorEventKind::kDragLamps:
            ShowLamps(event.lampByte);
            break;
        default:
            break;
    }
}

void DragFlow::NewRun() {
    view_->ShowReaction("");
    for (int k = 0; k < 4; ++k) {
        view_->ShowSplit(k, "");
    }
    TakeCarForRun();
}

void DragFlow::StartLine(const DragLineTimes& run) {
    for (int k = 0; k < 4; ++k) {
        view_->ShowSplit(k, "");
    }
    view_->ShowReaction(DragTextsOf(run, timeFormat_).reaction);
    if (runCar_ < 0) {
        TakeCarForRun();
    }
}

void DragFlow::ShowSplitOf(const DragLineTimes& run, int line) {
    const int index = line - 2;
    if (index >= 0 && index < 4) {
        view_->ShowSplit(index, DragTextsOf(run, timeFormat_).splits[index]);
    }
}

int32_t DragFlow::TakeCarForRun() {
    runCar_ = DragCarOfRunBox(carBoxText_, session_.entryRow);
    view_->ShowRunCar(std::to_string(runCar_));
    const int32_t next = NextDragCar(runCar_);
    session_.entryRow = next;
    view_->SelectEntryRow(next);
    ShowCarBox(std::to_string(next));
    return runCar_;
}

void DragFlow::FinishRun(const DragLineTimes& run) {
    const int32_t car = runCar_ >= 0 ? runCar_ : TakeCarForRun();
    BookedResult booked = BookDragRun(run, car, timeFormat_, entries_, session_);
    view_->ShowLastResult(std::to_string(car), booked.display.name, booked.display.time,
                          booked.cells[kDragSpeed]);
    booking_.AddResult(std::move(booked));
    ReleaseTree();
}

}  // namespace vantrel
