// The main window's race modes: one controller per mode, and the one in force.
#include <QTabWidget>

#include "app/main_window.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/drag_controller.h"
#include "modes/drag_page.h"
#include "modes/gymkhana_controller.h"

namespace vantrel {

void TMainForm::BuildDragAndCircuit() {
    drag_ = std::make_unique<DragController>(TabSheet2, TabSheet3->Memo300, state_, this);
    circuit_ = std::make_unique<CircuitController>(TabSheet3, state_, this);
    modes_ = {gymkhana_.get(), drag_.get(), circuit_.get()};
}

RaceModeController& TMainForm::ModeInForce() const {
    return *modes_[static_cast<size_t>(state_.currentMode)];
}

}  // namespace vantrel
