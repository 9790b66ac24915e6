// The main window's side of the GYMKHANA start list that the session control needs.
#include <QComboBox>
#include <QLineEdit>

#include "app/main_window.h"
#include "app/messages.h"
#include "app/widget_util.h"
#include "common/numbers.h"
#include "modes/gymkhana_page.h"

namespace vantrel {

void TMainForm::RefreshWaitingCar() {
    auto& boxes = TabSheet1->startBoxes;
    // Three rounds close every gap of the four-place queue.
    for (int round = 0, cursor = 0; round < 3; ++round) {
        if (boxes[cursor]->text() == QStringLiteral("0")) {
            for (int k = cursor; k < 3; ++k) {
                boxes[k]->setText(boxes[k + 1]->text());
            }
            boxes[3]->setText(QStringLiteral("0"));
        } else {
            ++cursor;
        }
    }
    int next = StrToIntDef(FromQ(boxes[0]->text()), 0);
    if (next == 0) {
        next = StrToIntDef(FromQ(TabSheet1->Memo114->text()), 1);
    }
    if (next < 1 || next > kMaxCarNumber) {
        next = kMaxCarNumber;
        TabSheet1->Memo114->setText(QStringLiteral("199"));
    }
    state_.waitingNumber = next;
    SetStatusText(0, SessionRunning()
                         ? QStringLiteral("Car #%1%2").arg(next).arg(QString::fromUtf8(msg::k119))
                         : QString::fromUtf8(msg::k121));
}

}  // namespace vantrel
