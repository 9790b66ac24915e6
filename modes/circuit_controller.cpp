#include "modes/circuit_controller.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "common/numbers.h"
#include "modes/circuit_page.h"
#include "widgets/up_down.h"

namespace vantrel {

namespace {
constexpr int32_t kMaskTimeWhenNoNumber = 20;
}

CircuitController::CircuitController(CircuitPage* page, SessionState& session, QObject* parent)
    : QObject(parent), page_(page), session_(session) {
    connect(page_->RadioGroup300, &RadioGroup::itemClicked, this,
            [this](int index) { session_.countingMethod = index; });
    connect(page_->RadioGroup301, &RadioGroup::itemClicked, this, [this](int index) {
        session_.circuitInput = index;
        page_->Label11->setEnabled(index == 0);
    });
    connect(page_->Memo302, &QLineEdit::textChanged, this, &CircuitController::MaskTimeEdited);
}

void CircuitController::ShowSettings() {
    page_->RadioGroup300->SetItemIndex(session_.countingMethod);
    page_->RadioGroup301->SetItemIndex(session_.circuitInput);
    page_->Label11->setEnabled(session_.circuitInput == 0);
    page_->UpDown2->SetPosition(session_.maskTimeS);
}

void CircuitController::MaskTimeEdited(const QString& text) {
    session_.maskTimeS = StrToIntDef(text.toStdString(), kMaskTimeWhenNoNumber);
}

void CircuitController::ModeReset() {
    page_->Memo300->clear();
}

void CircuitController::StartSession(uint32_t sessionStartTick) {
    if (session_.countingMethod == SessionState::kCommonStart) {
        // Common start: every car's clock and mask run from the session start.
        session_.firstPassTime.fill(sessionStartTick);
        session_.lastPassTime.fill(sessionStartTick);
    }
}

bool CircuitController::ReadsSensors() const {
    return session_.circuitInput == SessionState::kPrinterPort;
}

void CircuitController::TakeSensorEvent(const SensorEvent& event) {
    if (ReadsSensors() && event.kind == SensorEventKind::kActiveEdge &&
        event.input == SensorInput::kStart) {
        emit printerPortPassed(event.tick);
    }
}

}  // namespace vantrel
