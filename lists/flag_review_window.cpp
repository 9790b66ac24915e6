#include "lists/flag_review_window.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "common/messages.h"
#include "lists/result_flag_text.h"
#include "lists/result_table.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

// The texts are looked up under the plain class name "FlagReviewWindow", the context the
// translation files hold (tr() would look under the namespaced name).
namespace {
// Every layout's fifth column holds the time a mark judges (time, E.T, lap time).
constexpr int32_t kTimeColumn = 4;
enum GridColumn { kCarColumn, kTimeGridColumn, kWhyColumn, kAcceptColumn, kUndoColumn };
}  // namespace

FlagReviewWindow::FlagReviewWindow(ResultTable& table, QWidget* parent)
    : QWidget(parent, Qt::Tool), table_(table) {
    setObjectName(QStringLiteral("FlagReviewWindow"));
    setWindowTitle(Tr(msg::kFlagReviewTitle));
    auto* layout = new QVBoxLayout(this);
    empty_ = MakeNamed<QLabel>(this, "FlagReviewEmpty", Tr(msg::kFlagReviewEmpty));
    grid_ = MakeNamed<QTableWidget>(this, "FlagReviewGrid", 0, 5);
    grid_->setHorizontalHeaderLabels({QCoreApplication::translate("FlagReviewWindow", "Car"),
                                      QCoreApplication::translate("FlagReviewWindow", "Time"),
                                      QStringLiteral("?"), QString(), QString()});
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    // Nothing in the grid is picked; only its buttons act, so no cell shows a focus frame.
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setWordWrap(false);
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kWhyColumn, QHeaderView::Stretch);
    layout->addWidget(empty_);
    layout->addWidget(grid_);
    resize(520, 260);
    table_.AddObserver(this);
    Refresh();
}

FlagReviewWindow::~FlagReviewWindow() {
    table_.RemoveObserver(this);
}

void FlagReviewWindow::showEvent(QShowEvent* event) {
    Refresh();
    QWidget::showEvent(event);
}

void FlagReviewWindow::Schedule() {
    if (!scheduled_) {
        scheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            if (scheduled_) {
                Refresh();
            }
        });
    }
}

void FlagReviewWindow::Refresh() {
    scheduled_ = false;
    const int before = static_cast<int>(rows_.size());
    rows_.clear();
    for (int32_t row = 1; row < table_.RowCount(); ++row) {
        if (!table_.Flag(row).empty()) {
            rows_.push_back(row);
        }
    }
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (int i = 0; i < rows_.size(); ++i) {
        const int32_t row = rows_[i];
        grid_->setItem(i, kCarColumn,
                       new QTableWidgetItem(ToQ(table_.Cell(ResultTable::kCar, row))));
        grid_->setItem(i, kTimeGridColumn,
                       new QTableWidgetItem(ToQ(table_.Cell(kTimeColumn, row))));
        grid_->setItem(i, kWhyColumn, new QTableWidgetItem(FlagReasonText(table_.Flag(row))));
        AddButtons(i, row);
    }
    empty_->setVisible(rows_.isEmpty());
    if (before != rows_.size()) {
        emit countChanged(static_cast<int>(rows_.size()));
    }
}

void FlagReviewWindow::AddButtons(int gridRow, int resultRow) {
    auto* accept = new QPushButton(Tr(msg::kFlagAccept));
    accept->setObjectName(QStringLiteral("FlagAccept%1").arg(resultRow));
    connect(accept, &QPushButton::clicked, this,
            [this, resultRow] { emit acceptClicked(resultRow); });
    auto* undo = new QPushButton(Tr(msg::kFlagUndo));
    undo->setObjectName(QStringLiteral("FlagUndo%1").arg(resultRow));
    connect(undo, &QPushButton::clicked, this, [this, resultRow] { emit undoClicked(resultRow); });
    grid_->setCellWidget(gridRow, kAcceptColumn, accept);
    grid_->setCellWidget(gridRow, kUndoColumn, undo);
}

}  // namespace vantrel
