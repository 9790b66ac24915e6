// The main window's part in the review of marked results: the review window, opened from the
// result grid's popup, accepting a mark and taking a marked result out.
#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "app/meet_journal.h"
#include "common/messages.h"
#include "lists/flag_review_window.h"
#include "lists/result_flag_check.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "reports/record_window.h"
#include "widgets/ui_tr.h"

namespace vantrel {

void TMainForm::BuildFlagReview() {
    flagReview_ = new FlagReviewWindow(results_, this);
    QAction* open = Panel2->Grid2Popup->addAction(Tr(msg::kFlagReviewItem));
    open->setObjectName(QStringLiteral("Grid2Review"));
    connect(open, &QAction::triggered, this, [this] {
        flagReview_->show();
        flagReview_->raise();
    });
    connect(flagReview_, &FlagReviewWindow::acceptClicked, this, [this](int row) {
        resultList_->Commands().AcceptFlag(row);
        record_->Refresh();  // the scoreboard's mark goes with the row's
    });
    connect(flagReview_, &FlagReviewWindow::undoClicked, this, &TMainForm::UndoFlaggedResult);
}

void TMainForm::UndoFlaggedResult(int row) {
    if (results_.Flag(row).empty()) {
        return;
    }
    const ListStep* step = meetJournal_->NextUndo();
    if (step != nullptr && StepBooksRow(*step, row)) {
        UndoClick();
        return;
    }
    Panel2->SelectRow(resultList_->Commands().DeleteRow(row));
    RebuildRanking();
}

}  // namespace vantrel
