#pragma once
// The status bar's mark of receiver passings held as a flood: hidden while none is held, it
// names how many are held and opens their list, where the operator books all, some or none of
// them in one step (one undo, after one question).
// Thread rule: GUI thread only.

#include <QToolButton>
#include <functional>
#include <vector>

#include "common/time_text.h"

namespace vantrel {

class CircuitFlow;
class HeldPassingsDialog;
class ListJournal;
struct SessionState;

class HeldPassingsBox final : public QToolButton {
    Q_OBJECT
public:
    struct Links {
        CircuitFlow* circuit = nullptr;
        ListJournal* journal = nullptr;         // makes the booking one step
        const SessionState* session = nullptr;  // the session start the times count from
        std::function<TimeFormat()> timeFormat;
    };
    // All of `links` must outlive the box's use; `dialogParent` owns the list's window.
    HeldPassingsBox(const Links& links, QWidget* parent, QWidget* dialogParent);

    // Opens the list (the click).
    void OpenList();
    HeldPassingsDialog& Dialog() { return *dialog_; }

private:
    void Refresh();
    void Settle(const std::vector<bool>& book);

    Links links_;
    HeldPassingsDialog* dialog_;
};

}  // namespace vantrel
