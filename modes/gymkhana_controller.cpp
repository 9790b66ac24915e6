#include "modes/gymkhana_controller.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "common/messages.h"
#include "common/ms_clock.h"
#include "common/session_state.h"
#include "common/setup_settings.h"
#include "common/time_text.h"
#include "lists/entry_panel.h"
#include "lists/result_panel.h"
#include "modes/course_clock.h"
#include "modes/gymkhana_page.h"
#include "modes/gymkhana_texts.h"
#include "modes/receiver_codes.h"
#include "modes/start_list.h"
#include "widgets/lamp_images.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

namespace {
QLabel* LampOf(GymkhanaPage* page, SensorInput input) {
    switch (input) {
        case SensorInput::kStart:
            return page->StartLed;
        case SensorInput::kFinish:
            return page->FinishLed;
        case SensorInput::kSplit1:
            return page->SplitLed1;
        case SensorInput::kSplit2:
            return page->SplitLed2;
    }
    return page->StartLed;
}

QLabel* LabelOf(GymkhanaPage* page, SensorInput input) {
    switch (input) {
        case SensorInput::kStart:
            return page->Label2;
        case SensorInput::kFinish:
            return page->Label3;
        case SensorInput::kSplit1:
            return page->Label20;
        case SensorInput::kSplit2:
            return page->Label21;
    }
    return page->Label2;
}
}  // namespace

GymkhanaController::GymkhanaController(const GymkhanaWidgets& widgets, GymkhanaFlow& flow,
                                       SessionState& session, Prompter& prompter,
                                       const MsClock& clock, GymkhanaHooks hooks, QObject* parent)
    : QObject(parent),
      w_(widgets),
      session_(session),
      prompter_(prompter),
      clock_(clock),
      hooks_(std::move(hooks)),
      flow_(flow) {
    GymkhanaPage* p = w_.page;
    carBoxes_ = {nullptr, p->Memo101, p->Memo102, p->Memo107, p->Memo120};
    clockBoxes_ = {nullptr, p->Memo105, p->Memo106, p->Memo108, p->Memo121};
    ConnectWidgets();
    flow_.BindView(*this);
}

void GymkhanaController::ConnectWidgets() {
    GymkhanaPage* p = w_.page;
    connect(p->BitBtn2, &QPushButton::clicked, this, &GymkhanaController::BitBtn2Click);
    connect(p->Memo114, &QLineEdit::textEdited, this,
            [this](const QString& text) { flow_.SetProposalText(FromQ(text)); });
    p->Memo114->installEventFilter(this);
    for (QLineEdit* box : p->startBoxes) {
        box->installEventFilter(this);
        connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& pos) {
            w_.page->StartPopup->popup(box->mapToGlobal(pos));
        });
    }
    connect(p->StartClear, &QAction::triggered, this, &GymkhanaController::StartClearClick);
    for (int position = 1; position <= 4; ++position) {
        for (QLineEdit* box : {carBoxes_[position], clockBoxes_[position]}) {
            box->installEventFilter(this);
            connect(box, &QWidget::customContextMenuRequested, this,
                    [this, box](const QPoint& pos) { ShowAttackPopup(box, pos); });
        }
        connect(w_.clocks[position - 1], &QTimer::timeout, this,
                [this, position] { ClockTimeout(position); });
    }
    connect(p->Pilontouch11, &QAction::triggered, this, &GymkhanaController::Pilontouch11Click);
    connect(p->Pilontouch12, &QAction::triggered, this, &GymkhanaController::Pilontouch12Click);
    connect(p->Misscourse1, &QAction::triggered, this, &GymkhanaController::Misscourse1Click);
    connect(p->Clearpenalty1, &QAction::triggered, this, &GymkhanaController::Clearpenalty1Click);
    connect(p->Clear1, &QAction::triggered, this, &GymkhanaController::AttackClearClick);
    for (QComboBox* combo : {p->ComboBox100, p->ComboBox101}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            flow_.SetPassCounts(w_.page->ComboBox100->currentIndex(),
                                w_.page->ComboBox101->currentIndex());
        });
    }
}

void GymkhanaController::StartClearClick() {
    flow_.ClearStartPlace(QueuePlaceOf(QApplication::focusWidget()));
}

void GymkhanaController::Pilontouch11Click() {
    ReportPopupOutcome(flow_.AddPylonTouch(popupRun_));
}

void GymkhanaController::Pilontouch12Click() {
    ReportPopupOutcome(flow_.RemovePylonTouch(popupRun_));
}

void GymkhanaController::Misscourse1Click() {
    ReportPopupOutcome(flow_.MissCourse(popupRun_));
}

void GymkhanaController::Clearpenalty1Click() {
    ReportPopupOutcome(flow_.ClearPenalty(popupRun_));
}

void GymkhanaController::AttackClearClick() {
    ReportPopupOutcome(flow_.RemoveCar(popupRun_));
}

void GymkhanaController::ReportPopupOutcome(PopupOutcome outcome) {
    if (outcome == PopupOutcome::kRunLeft) {
        prompter_.Warn(w_.page, Tr(kMsgCarLeftPosition).arg(popupRun_.car),
                       Tr(kEditCancelledCaption));
    }
}

void GymkhanaController::FirstShow() {
    flow_.ModeReset();
    for (int position = 1; position <= 4; ++position) {
        carBoxes_[position]->clear();  // empty at start-up, "0" only after a mode reset
    }
}

void GymkhanaController::EnableSessionControls(bool running) {
    w_.page->ComboBox100->setEnabled(!running);
    w_.page->ComboBox101->setEnabled(!running);
    w_.page->BitBtn2->setEnabled(running);
}

void GymkhanaController::ShowSplitSensors(bool split1Connected, bool split2Connected) {
    w_.page->SplitLed1->setVisible(split1Connected);
    w_.page->Label20->setVisible(split1Connected);
    w_.page->SplitLed2->setVisible(split2Connected);
    w_.page->Label21->setVisible(split2Connected);
}

void GymkhanaController::ClearPenaltyHints() {
    for (int position = 1; position <= 4; ++position) {
        carBoxes_[position]->setToolTip(QString());
        clockBoxes_[position]->setToolTip(QString());
    }
}

void GymkhanaController::PickEntryRow(int row) {
    flow_.PickEntryRow(row);
}

void GymkhanaController::BitBtn2Click() {
    if (!flow_.AddCar()) {
        InputError();
    }
    w_.page->Memo114->selectAll();
}

void GymkhanaController::InputError() {
    prompter_.Warn(w_.page, Tr(msg::k109), Tr(msg::k110));
}

// ---- What the logic reports ----

void GymkhanaController::ShowStatus(const std::string& text) {
    if (hooks_.showStatus) {
        hooks_.showStatus(ToQ(text));
    }
}

void GymkhanaController::ShowStartList() {
    for (int place = 1; place <= StartList::kPlaces; ++place) {
        QLineEdit* box = w_.page->startBoxes[place - 1];
        if (!flow_.PlaceEditing(place)) {
            box->setText(ToQ(flow_.Starters().PlaceText(place)));
        }
    }
    const QString proposal = ToQ(flow_.Starters().ProposalText());
    if (w_.page->Memo114->text() != proposal) {
        w_.page->Memo114->setText(proposal);
    }
}

void GymkhanaController::SelectEntryRow(int32_t row) {
    w_.entries->ShowCar(row);
}

void GymkhanaController::ShowPositions() {
    const CourseState& s = flow_.Course().State();
    for (int position = 1; position <= 4; ++position) {
        const bool occupied = flow_.Course().HoldsCar(position);
        if (!flow_.CourseEditing(position)) {
            carBoxes_[position]->setText(QString::number(s.courseCar[position]));
        }
        const QString hint = ToQ(flow_.Course().PenaltyHintAt(position));
        carBoxes_[position]->setToolTip(hint);
        clockBoxes_[position]->setToolTip(hint);
        if (occupied) {
            ShowClock(position);
        } else {
            w_.clocks[position - 1]->stop();
            clockBoxes_[position]->setText(QString::fromUtf8(kEmptyClockText));
        }
    }
}

void GymkhanaController::ShowClock(int position) {
    // No clock runs outside a session: a penalty booked after the stop must not start one
    // again, or its time limit would write a result into a stopped session.
    const bool running = session_.running.load();
    const uint32_t now = running || !stopTick_ ? clock_.MsTick() : *stopTick_;
    const int32_t elapsed = flow_.Course().ElapsedMs(position, now);
    // Redrawing only shows the clock; the time limit is decided by the clock timer alone.
    const CourseClockTick tick = CourseClock(elapsed, /*positionI=*/false, /*timeOutMinutes=*/0);
    clockBoxes_[position]->setText(ToQ(tick.text));
    if (running) {
        w_.clocks[position - 1]->start(tick.nextIntervalMs);
    } else {
        w_.clocks[position - 1]->stop();
    }
}

void GymkhanaController::ClockTimeout(int position) {
    if (position == 4 && hooks_.drainSensorEvents) {
        // A finish already taken by the sensors must not be overtaken by the time limit.
        hooks_.drainSensorEvents();
    }
    if (!flow_.Course().HoldsCar(position) || !session_.running.load()) {
        w_.clocks[position - 1]->stop();
        return;
    }
    const CourseClockTick tick = flow_.OnClockTimer(position, clock_.MsTick());
    if (tick.timedOut) {
        return;  // the car was finished and the positions redrawn
    }
    clockBoxes_[position]->setText(ToQ(tick.text));
    w_.clocks[position - 1]->setInterval(tick.nextIntervalMs);
}

void GymkhanaController::ShowPassCounters(int32_t startPasses, int32_t finishPasses) {
    w_.page->Memo115->setText(QString::number(startPasses));
    w_.page->Memo116->setText(QString::number(finishPasses));
}

void GymkhanaController::ShowSplit(SplitDisplay display, const std::string& carText,
                                   const std::string& timeText) {
    w_.splitCar->setText(ToQ(carText));
    w_.splitTime->setText(ToQ(timeText));
    if (hooks_.splitShown) {
        hooks_.splitShown(display, ToQ(carText), ToQ(timeText));
    }
}

void GymkhanaController::ShowResult(const BookedResult& result, int32_t resultRow) {
    w_.page->Memo103->setText(ToQ(result.display.car));
    w_.page->Memo110->setText(ToQ(result.display.name));
    w_.page->Memo104->setText(ToQ(result.display.time));
    w_.results->SelectRow(resultRow);
}

void GymkhanaController::ShowLamp(SensorInput input, bool on) {
    LampOf(w_.page, input)->setPixmap(LampPixmap(on ? Lamp::kOn : Lamp::kOff));
}

void GymkhanaController::ShowLabelRed(SensorInput input, bool red) {
    SetLabelRed(LabelOf(w_.page, input), red);
}

void GymkhanaController::ClearResultDisplays() {
    selectedPosition_ = 0;
    popupRun_ = {};
    for (QLineEdit* box : {w_.page->Memo103, w_.page->Memo104, w_.page->Memo110, w_.splitCar}) {
        box->clear();
    }
    w_.splitTime->setText(QStringLiteral("--:--:--"));
}

void GymkhanaController::ShowPassCountChoice(int32_t startIndex, int32_t finishIndex) {
    const QSignalBlocker blockStart(w_.page->ComboBox100);
    const QSignalBlocker blockFinish(w_.page->ComboBox101);
    w_.page->ComboBox100->setCurrentIndex(startIndex);
    w_.page->ComboBox101->setCurrentIndex(finishIndex);
    w_.page->ShowPassCountBoxes();
    if (hooks_.passCountsShown) {
        hooks_.passCountsShown();
    }
}

void GymkhanaController::SessionStopped() {
    stopTick_ = clock_.MsTick();
    for (QTimer* timer : w_.clocks) {
        timer->stop();
    }
    ShowPositions();
}

void GymkhanaController::ShowPlaceEditing(int32_t place, bool editing) {
    QLineEdit* box = w_.page->startBoxes[place - 1];
    SetEditingColor(box, editing);
    box->setReadOnly(!editing);
    if (editing) {
        box->selectAll();
    }
}

void GymkhanaController::ShowCourseEditing(int32_t position, bool editing) {
    QLineEdit* box = carBoxes_[position];
    SetEditingColor(box, editing);
    box->setReadOnly(!editing);
    if (editing) {
        box->selectAll();
    }
}

// ---- The tab's boxes ----

int GymkhanaController::QueuePlaceOf(const QObject* box) const {
    for (int place = 1; place <= 4; ++place) {
        if (w_.page->startBoxes[place - 1] == box) {
            return place;
        }
    }
    return 0;
}

int GymkhanaController::PositionOfBox(const QObject* box) const {
    for (int position = 1; position <= 4; ++position) {
        if (carBoxes_[position] == box || clockBoxes_[position] == box) {
            return position;
        }
    }
    return 0;
}

void GymkhanaController::SelectPositionOf(QObject* box) {
    const int position = PositionOfBox(box);
    selectedPosition_ = position == 0 ? 0 : 5 - position;
    popupRun_ = flow_.PopupRun(selectedPosition_);
}

void GymkhanaController::ShowAttackPopup(QLineEdit* box, const QPoint& pos) {
    SelectPositionOf(box);
    const bool enabled = flow_.PopupEnabled(selectedPosition_);
    for (QAction* action : w_.page->AttackPopup->actions()) {
        action->setEnabled(enabled);
    }
    w_.page->AttackPopup->popup(box->mapToGlobal(pos));
}

void GymkhanaController::BeginBoxEdit(QLineEdit* box) {
    if (const int place = QueuePlaceOf(box); place != 0) {
        flow_.BeginPlaceEditing(place);
    } else if (const int position = PositionOfBox(box); position != 0) {
        flow_.BeginCourseEditing(position);
    }
}

bool GymkhanaController::BoxEditing(const QObject* box) const {
    if (const int place = QueuePlaceOf(box); place != 0) {
        return flow_.PlaceEditing(place);
    }
    const int position = PositionOfBox(box);
    return position != 0 && carBoxes_[position] == box && flow_.CourseEditing(position);
}

void GymkhanaController::CommitQueueBox(QLineEdit* box) {
    const int place = QueuePlaceOf(box);
    ReportRefusedEdit(flow_.CommitPlaceEditing(place, FromQ(box->text())), Tr(kMsgQueueMovedOn));
}

void GymkhanaController::CommitCourseBox(QLineEdit* box) {
    const int position = PositionOfBox(box);
    const int32_t car = flow_.CourseEditCar(position);
    ReportRefusedEdit(flow_.CommitCourseEditing(position, FromQ(box->text())),
                      Tr(kMsgCarLeftPosition).arg(car));
}

void GymkhanaController::ReportRefusedEdit(EditCommit outcome, const QString& movedText) {
    if (outcome == EditCommit::kNotANumber) {
        InputError();
    } else if (outcome == EditCommit::kMoved) {
        prompter_.Warn(w_.page, movedText, Tr(kEditCancelledCaption));
    }
}

void GymkhanaController::MoveInRing(QLineEdit* from, bool left) {
    GymkhanaPage* p = w_.page;
    const std::array<QLineEdit*, 5> ring = {p->Memo114, p->Memo100, p->Memo111, p->Memo112,
                                            p->Memo113};
    const auto it = std::find(ring.begin(), ring.end(), from);
    if (it == ring.end()) {
        return;
    }
    const int index = static_cast<int>(it - ring.begin());
    const int next = (index + (left ? 1 : 4)) % 5;
    ring[next]->setFocus();
}

bool GymkhanaController::HandleQueueBox(QLineEdit* box, QEvent* event) {
    const bool editing = BoxEditing(box);
    switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            editing ? CommitQueueBox(box) : BeginBoxEdit(box);
            return true;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                box->setFocus();
            }
            return false;
        case QEvent::FocusOut:
            if (editing) {
                CommitQueueBox(box);
            }
            return false;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (IsEnterKey(key)) {
                editing ? CommitQueueBox(box) : BeginBoxEdit(box);
                return true;
            }
            if (!editing && (key == Qt::Key_Left || key == Qt::Key_Right)) {
                MoveInRing(box, key == Qt::Key_Left);
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

void GymkhanaController::ToggleCourseEdit(QLineEdit* box, bool editing) {
    if (editing) {
        CommitCourseBox(box);
    } else if (box->text() != QStringLiteral("0")) {
        BeginBoxEdit(box);  // an empty position has no car to correct
    }
}

bool GymkhanaController::HandleCourseBox(QLineEdit* box, QEvent* event) {
    const bool carBox = std::find(carBoxes_.begin(), carBoxes_.end(), box) != carBoxes_.end();
    const bool editing = carBox && BoxEditing(box);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                box->setFocus();
                SelectPositionOf(box);
            }
            return false;
        case QEvent::MouseButtonDblClick:
            if (!carBox) {
                return false;
            }
            ToggleCourseEdit(box, editing);
            return true;
        case QEvent::FocusOut:
            if (editing) {
                CommitCourseBox(box);
            }
            return false;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (carBox && IsEnterKey(key)) {
                ToggleCourseEdit(box, editing);
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

bool GymkhanaController::eventFilter(QObject* watched, QEvent* event) {
    GymkhanaPage* p = w_.page;
    if (watched == p->Memo114) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (IsEnterKey(key)) {
                BitBtn2Click();
                return true;
            }
            if (key == Qt::Key_Left || key == Qt::Key_Right) {
                MoveInRing(p->Memo114, key == Qt::Key_Left);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            flow_.RefreshWaitingCar();
        }
        return false;
    }
    if (QueuePlaceOf(watched) != 0) {
        return HandleQueueBox(static_cast<QLineEdit*>(watched), event);
    }
    if (PositionOfBox(watched) != 0) {
        return HandleCourseBox(static_cast<QLineEdit*>(watched), event);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantrel
