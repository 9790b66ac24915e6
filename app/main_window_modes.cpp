// The main window's race modes: one controller per mode, and the one in force.
#include <QTabWidget>

#include "app/main_window.h"
#include "lists/result_list_controller.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/drag_controller.h"
#include "modes/drag_page.h"
#include "modes/drag_tree.h"
#include "modes/gymkhana_controller.h"
#include "sensors/sensor_hub.h"

namespace vantrel {

void TMainForm::BuildDragAndCircuit() {
    DragWiring drag;
    drag.page = TabSheet2;
    drag.receiverBox = TabSheet3->Memo300;
    drag.entries = Panel1;
    sensors_->SetDragHook(std::make_unique<DragTree>());
    drag_ = std::make_unique<DragController>(drag, meet_->Drag(), this);
    CircuitWiring circuit;
    circuit.page = TabSheet3;
    circuit.entries = Panel1;
    circuit.entryTable = &entries_;
    circuit.results = &resultList_->Commands();
    circuit.resultPanel = Panel2;
    circuit.log = &sensors_->Log();
    circuit.clock = env_.clock;
    circuit.tones = this;
    circuit_ = std::make_unique<CircuitController>(circuit, state_, this);
    meet_->AttachFlow(circuit_->Flow());
}

}  // namespace vantrel
