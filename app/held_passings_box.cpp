#include "app/held_passings_box.h"

#include "common/messages.h"
#include "common/session_state.h"
#include "journal/list_journal.h"
#include "modes/circuit_flow.h"
#include "modes/held_passings_dialog.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

HeldPassingsBox::HeldPassingsBox(const Links& links, QWidget* parent, QWidget* dialogParent)
    : QToolButton(parent), links_(links), dialog_(new HeldPassingsDialog(dialogParent)) {
    setObjectName(QStringLiteral("HeldPassingsBox"));
    setAutoRaise(true);
    setToolTip(Tr(msg::kHeldPassingsTip));
    SetLabelRed(this, true);
    hide();
    connect(this, &QToolButton::clicked, this, &HeldPassingsBox::OpenList);
    connect(dialog_, &HeldPassingsDialog::settled, this, &HeldPassingsBox::Settle);
    links_.circuit->OnHeldChanged([this] { Refresh(); });
}

void HeldPassingsBox::OpenList() {
    dialog_->show();
    Refresh();
    dialog_->raise();
    dialog_->activateWindow();
}

void HeldPassingsBox::Refresh() {
    const std::vector<HeldPassing>& held = links_.circuit->Held();
    setText(Tr(msg::kHeldPassings).arg(held.size()));
    setVisible(!held.empty());
    if (!dialog_->isVisible()) {
        return;  // filled when opened: a flood may hold thousands
    }
    if (held.empty()) {
        dialog_->hide();
        return;
    }
    const TimeFormat format = links_.timeFormat ? links_.timeFormat() : TimeFormat{};
    std::vector<HeldPassingsDialog::Row> rows;
    rows.reserve(held.size());
    for (const HeldPassing& passing : held) {
        const auto sinceStart =
            static_cast<int32_t>(passing.tick - links_.session->sessionStartTick);
        rows.push_back(
            {QString::number(passing.car), ToQ(FormatRaceTime(sinceStart, format, false))});
    }
    dialog_->ShowPassings(rows);
}

void HeldPassingsBox::Settle(const std::vector<bool>& book) {
    links_.journal->BeginOneStep();
    links_.circuit->SettleHeld(book);
    links_.journal->EndOneStep();
}

}  // namespace vantrel
