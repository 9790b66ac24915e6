#pragma once
// The DRAG tab bound to its flow: shows what DragFlow reports on DragPage's widgets and hands
// the flow the car number box's text and Enter, the tree button and Pro/Stock.
// Thread rule: GUI thread only.

#include <QObject>

#include "modes/drag_flow.h"

namespace vantrel {

class DragPage;
class EntryPanel;
class EntryTable;
class LineList;

struct DragWiring {
    DragPage* page = nullptr;
    LineList* receiverBox = nullptr;  // CIRCUIT's received list, which the reset empties
    EntryPanel* entries = nullptr;
};

class DragController final : public QObject, private DragView {
    Q_OBJECT
public:
    // Binds `flow` (the event's) to the page; the flow shows on the page from now on.
    DragController(const DragWiring& wiring, DragFlow& flow, QObject* parent);

    DragFlow& Flow() { return flow_; }
    // The tree button works only in a session.
    void EnableSessionControls(bool running);
    // Digits typed into the car number box are a car number, not a tree start or a split.
    bool TakesTypedDigits() const;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    void ShowNextCar(const std::string& text) override;
    void SelectEntryRow(int32_t row) override;
    void ShowRunCar(const std::string& text) override;
    void ShowReaction(const std::string& text) override;
    void ShowSplit(int index, const std::string& text) override;
    void ShowLastResult(const std::string& car, const std::string& name, const std::string& elapsed,
                        const std::string& speed) override;
    void ShowTreeLamps(bool amber, bool green, bool red) override;
    void ShowTreeButton(bool down) override;
    void ShowProStart(bool pro) override;
    void ShowLine(int line, bool active) override;
    void ShowLineLabelNormal(int line) override;
    void ClearReceivedList() override;

    DragWiring w_;
    DragFlow& flow_;
};

}  // namespace vantrel
