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
    CircuitWiring circuit;
    circuit.page = TabSheet3;
    circuit.entries = Panel1;
    circuit.resultPanel = Panel2;
    circuit_ = std::make_unique<CircuitController>(circuit, meet_->Circuit(), this);
    DragWiring drag;
    drag.page = TabSheet2;
    drag.receiverBox = circuit_->ReceivedList();
    drag.entries = Panel1;
    sensors_->SetDragHook(std::make_unique<DragTree>());
    drag_ = std::make_unique<DragController>(drag, meet_->Drag(), this);
}

}  // namespace vantrel
