#include "modes/circuit_controller.h"

#include <QLabel>
#include <QLineEdit>

#include "lists/entry_panel.h"
#include "lists/result_panel.h"
#include "modes/circuit_laps.h"
#include "modes/circuit_page.h"
#include "widgets/line_list.h"
#include "widgets/up_down.h"

namespace vantrel {

CircuitController::CircuitController(const CircuitWiring& wiring, CircuitFlow& flow,
                                     QObject* parent)
    : QObject(parent), w_(wiring), flow_(flow) {
    flow_.BindView(*this);
    CircuitPage* page = w_.page;
    connect(page->RadioGroup300, &RadioGroup::itemClicked, this,
            [this](int index) { flow_.SetCountingMethod(index); });
    connect(page->RadioGroup301, &RadioGroup::itemClicked, this,
            [this](int index) { flow_.SetInputPort(index); });
    connect(page->Memo302, &QLineEdit::textChanged, this,
            [this](const QString& text) { flow_.SetMaskText(text.toStdString()); });
}

void CircuitController::AppendReceived(const std::vector<std::string>& lines) {
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) {
        shown.push_back(QString::fromStdString(line));
    }
    w_.page->Memo300->AppendLines(shown);
}

void CircuitController::ClearReceived() {
    w_.page->Memo300->Clear();
}

void CircuitController::ShowCars(const std::vector<int32_t>& cars) {
    w_.entries->ShowCars(cars);
}

void CircuitController::SelectResultRow(int32_t row) {
    w_.resultPanel->SelectRow(row);
}

void CircuitController::ShowSettings(const CircuitSettings& settings) {
    CircuitPage* page = w_.page;
    page->RadioGroup300->SetItemIndex(settings.countingMethod);
    page->RadioGroup301->SetItemIndex(settings.inputPort);
    page->Label11->setEnabled(settings.inputPort == 0);
    // The box is rewritten only when it reads otherwise: the spin control would clamp a mask
    // of 0 to its range and so change it.
    if (CircuitMaskSeconds(page->Memo302->text().toStdString()) != settings.maskTimeS) {
        page->UpDown2->SetPosition(settings.maskTimeS);
    }
}

void CircuitController::EnableSessionControls(bool running) {
    w_.page->RadioGroup300->setEnabled(!running);
    w_.page->RadioGroup301->setEnabled(!running);
}

bool CircuitController::TakesTypedDigits() const {
    return w_.page->Memo302->hasFocus();
}

LineList* CircuitController::ReceivedList() const {
    return w_.page->Memo300;
}

}  // namespace vantrel
