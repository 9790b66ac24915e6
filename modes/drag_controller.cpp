#include "modes/drag_controller.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "modes/drag_page.h"

namespace vantrel {

DragController::DragController(DragPage* page, QPlainTextEdit* receiverBox, SessionState& session,
                               QObject* parent)
    : QObject(parent), page_(page), receiverBox_(receiverBox), session_(session) {
    connect(page_->RadioButton1, &QRadioButton::toggled, this,
            [this](bool pro) { session_.proStart = pro; });
}

void DragController::ModeReset() {
    for (QLineEdit* box :
         {page_->Memo200, page_->Memo201, page_->Memo202, page_->Memo203, page_->Memo205}) {
        box->clear();
    }
    page_->Memo204->setText(QString::number(session_.entryRow));
    receiverBox_->clear();
}

}  // namespace vantrel
