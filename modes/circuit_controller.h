#pragma once
// The CIRCUIT tab's page bound to its CircuitFlow: the page's settings boxes go to the flow,
// and what the flow shows goes to the page, the entry list and the result list.
// Thread rule: GUI thread only.

#include <QObject>

#include "modes/circuit_flow.h"

namespace vantrel {

class CircuitPage;
class EntryPanel;
class LineList;
class ResultPanel;

struct CircuitWiring {
    CircuitPage* page = nullptr;
    EntryPanel* entries = nullptr;
    ResultPanel* resultPanel = nullptr;
};

class CircuitController final : public QObject, private CircuitView {
    Q_OBJECT
public:
    // Binds `flow` (the event's) to the page. Every pointer of `wiring` must be set and
    // outlive this object.
    CircuitController(const CircuitWiring& wiring, CircuitFlow& flow, QObject* parent);

    CircuitFlow& Flow() { return flow_; }
    // The list of received car numbers (the DRAG reset empties it too).
    LineList* ReceivedList() const;
    // The counting method and the input port are chosen only without a session.
    void EnableSessionControls(bool running);
    // Digits typed into the mask box are a mask time, not passings.
    bool TakesTypedDigits() const;
    // Shows the settings in force on the page (first show, settings loaded).
    void ShowSettings() { flow_.ShowSettings(); }

private:
    void AppendReceived(const std::vector<std::string>& lines) override;
    void ClearReceived() override;
    void ShowCars(const std::vector<int32_t>& cars) override;
    void SelectResultRow(int32_t row) override;
    void ShowSettings(const CircuitSettings& settings) override;

    CircuitWiring w_;
    CircuitFlow& flow_;
};

}  // namespace vantrel
