// The main window's race modes: one controller per mode, and the one in force.
#include <QTabWidget>

#include "app/main_window.h"
#include "lists/result_list_controller.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/drag_controller.h"
#include "modes/drag_page.h"
#include "modes/gymkhana_controller.h"
#include "sensors/sensor_hub.h"

namespace vantrel {

void TMainForm::BuildDragAndCircuit() {
    DragWiring drag;
    drag.page = TabSheet2;
    drag.receiverBox = TabSheet3->Memo300;
    drag.entries = Panel1;
    drag.entryTable = &entries_;
    drag.results = &resultList_->Commands();
    drag.sensors = sensors_.get();
    drag.clock = env_.clock;
    drag.prompter = env_.prompter;
    drag.dialogParent = this;
    drag_ = std::make_unique<DragController>(drag, state_, this);
    CircuitWiring circuit;
    circuit.page = TabSheet3;
    circuit.entries = Panel1;
    circuit.entryTable = &entries_;
    circuit.results = &resultList_->Commands();
    circuit.resultPanel = Panel2;
    circuit.log = &sensors_->Log();
    circuit.clock = env_.clock;
    circuit.tone = [this](bool high) { RequestCircuitTone(high); };
    circuit_ = std::make_unique<CircuitController>(circuit, state_, this);
    modes_ = {gymkhana_.get(), drag_.get(), circuit_.get()};
}

RaceModeController& TMainForm::ModeInForce() const {
    return *modes_[static_cast<size_t>(state_.currentMode)];
}

}  // namespace vantrel
