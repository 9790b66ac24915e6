#include "modes/circuit_controller.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "common/ms_clock.h"
#include "lists/entry_panel.h"
#include "lists/result_panel.h"
#include "lists/result_sink.h"
#include "modes/circuit_laps.h"
#include "modes/circuit_page.h"
#include "modes/receiver_codes.h"
#include "sensors/sensor_log.h"
#include "widgets/line_list.h"
#include "widgets/up_down.h"

namespace vantrel {

CircuitController::CircuitController(const CircuitWiring& wiring, SessionState& session,
                                     QObject* parent)
    : QObject(parent), w_(wiring), session_(session) {
    CircuitPage* page = w_.page;
    connect(page->RadioGroup300, &RadioGroup::itemClicked, this,
            [this](int index) { session_.countingMethod = index; });
    connect(page->RadioGroup301, &RadioGroup::itemClicked, this, [this](int index) {
        session_.circuitInput = index;
        w_.page->Label11->setEnabled(index == 0);
    });
    connect(page->Memo302, &QLineEdit::textChanged, this, &CircuitController::MaskTimeEdited);
}

void CircuitController::ShowSettings() {
    w_.page->RadioGroup300->SetItemIndex(session_.countingMethod);
    w_.page->RadioGroup301->SetItemIndex(session_.circuitInput);
    w_.page->Label11->setEnabled(session_.circuitInput == 0);
    w_.page->UpDown2->SetPosition(session_.maskTimeS);
}

void CircuitController::MaskTimeEdited(const QString& text) {
    session_.maskTimeS = CircuitMaskSeconds(text.toStdString());
}

void CircuitController::ModeReset() {
    w_.page->Memo300->Clear();
}

void CircuitController::StartSession(uint32_t sessionStartTick) {
    PrepareCircuitSession(session_, sessionStartTick);
}

bool CircuitController::ReadsSensors() const {
    return session_.circuitInput == SessionState::kPrinterPort;
}

void CircuitController::TakeSensorEvent(const SensorEvent& event) {
    if (ReadsSensors() && event.kind == SensorEventKind::kActiveEdge &&
        event.input == SensorInput::kStart) {
        // The pass is credited to the car selected in the entry list.
        uint8_t code = CodeOfCar(session_.entryRow);
        ProcessPassings(&code, 1, event.tick);
        emit printerPortPassed(event.tick);
    }
}

bool CircuitController::TakeDigitKey(int digit) {
    uint8_t code = CodeOfDigitKey(digit);
    ProcessPassings(&code, 1, w_.clock->MsTick());
    return true;
}

void CircuitController::ProcessPassings(uint8_t* bytes, uint16_t count, uint32_t tick) {
    const DecodedPassings decoded = DecodePassings(bytes, count, session_);
    if (!decoded.shownLines.empty()) {
        // Lines the list would drop again at once are not made at all.
        const size_t shown = decoded.shownLines.size();
        const size_t first = shown > kReceivedListLines ? shown - kReceivedListLines : 0;
        QStringList lines;
        for (size_t i = first; i < shown; ++i) {
            lines.push_back(QString::fromStdString(decoded.shownLines[i]));
        }
        w_.page->Memo300->AppendLines(lines);
    }
    if (decoded.cars.empty()) {
        return;
    }
    // A block's laps reach the screen together: the record window and the entry grid are
    // drawn once at its end, only the last booked row needs selecting, and a tone asked for
    // again before the announcer has served it would sound only once anyway.
    BlockOutcome block;
    {
        const ResultBatch batch(*w_.results);
        for (const int32_t car : decoded.cars) {
            PassCar(car, tick, block);
        }
        w_.entries->ShowCars(block.shownCars);
    }
    if (block.lastRow > 0) {
        w_.resultPanel->SelectRow(block.lastRow);
    }
    if (w_.tone) {
        for (const bool high : {true, false}) {
            if (high ? block.highTone : block.lowTone) {
                w_.tone(high);
            }
        }
    }
}

void CircuitController::PassCar(int32_t car, uint32_t tick, BlockOutcome& block) {
    const CircuitPassing passing = LapStep(car, tick, session_.maskTimeS, session_);
    if (passing.kind == PassingKind::kRejected) {
        return;
    }
    ShowPassingInEntryList(passing, *w_.entryTable);
    if (passing.kind == PassingKind::kLap) {
        w_.log->AddPassing(w_.clock->MsTick(), car);
        const bool commonStart = session_.countingMethod == SessionState::kCommonStart;
        block.lastRow = w_.results->AddResult(
            BookCircuitLap(passing, *w_.entryTable, timeFormat_, commonStart));
        block.lowTone = true;
    } else {
        block.highTone = true;
    }
    block.shownCars.push_back(car);
}

}  // namespace vantrel
