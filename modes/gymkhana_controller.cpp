#include "modes/gymkhana_controller.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
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
#include "widgets/prompter.h"
#include "widgets/widget_util.h"

namespace vantrel {

GymkhanaController::GymkhanaController(const GymkhanaWidgets& widgets, SessionState& session,
                                       EntryTable& entries, ResultBooking& booking,
                                       Prompter& prompter, const MsClock& clock,
                                       GymkhanaHooks hooks, QObject* parent)
    : QObject(parent),
      w_(widgets),
      session_(session),
      prompter_(prompter),
      clock_(clock),
      hooks_(std::move(hooks)),
      flow_(session, entries, booking, *this) {
    GymkhanaPage* p = w_.page;
    carBoxes_ = {nullptr, p->Memo101, p->Memo102, p->Memo107, p->Memo120};
    clockBoxes_ = {nullptr, p->Memo105, p->Memo106, p->Memo108, p->Memo121};
    ConnectWidgets();
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
}

void GymkhanaController::StartClearClick() {
    flow_.ClearStartPlace(QueuePlaceOf(QApplication::focusWidget()));
}

void GymkhanaController::Pilontouch11Click() {
    flow_.AddPylonTouch(selectedPosition_);
}

void GymkhanaController::Pilontouch12Click() {
    flow_.RemovePylonTouch(selectedPosition_);
}

void GymkhanaController::Misscourse1Click() {
    flow_.MissCourse(selectedPosition_);
}

void GymkhanaController::Clearpenalty1Click() {
    flow_.ClearPenalty(selectedPosition_);
}

void GymkhanaController::AttackClearClick() {
    flow_.RemoveCar(selectedPosition_);
}

void GymkhanaController::Configure(const SetupSettings& setup) {
    flow_.Configure(setup, w_.page->ComboBox100->currentIndex(),
                    w_.page->ComboBox101->currentIndex());
}

void GymkhanaController::ModeReset() {
    selectedPosition_ = 0;
    if (hooks_.resetSensorOffDelays) {
        hooks_.resetSensorOffDelays();
    }
    flow_.ModeReset();
    for (QLineEdit* box : {w_.page->Memo103, w_.page->Memo104, w_.page->Memo110, w_.splitCar}) {
        box->clear();
    }
    w_.splitTime->setText(QStringLiteral("--:--:--"));
    if (hooks_.passCountsChanged) {
        hooks_.passCountsChanged();
    }
}

void GymkhanaController::TakeSensorEvent(const SensorEvent& event) {
    if (event.kind != SensorEventKind::kActiveEdge) {
        return;
    }
    switch (event.input) {
        case SensorInput::kStart:
            flow_.OnStartEdge(event.tick);
            break;
        case SensorInput::kFinish:
            flow_.OnFinishEdge(event.tick);
            break;
        case SensorInput::kSplit1:
            flow_.OnSplit1Edge(event.tick);
            break;
        case SensorInput::kSplit2:
            flow_.OnSplit2Edge(event.tick);
            break;
    }
}

void GymkhanaController::StartSession(uint32_t /*sessionStartTick*/) {
    stopTick_.reset();
    flow_.StartSession();
}

void GymkhanaController::StopSession() {
    stopTick_ = clock_.MsTick();
    for (QTimer* timer : w_.clocks) {
        timer->stop();
    }
    flow_.StopSession();
    ShowPositions();
}

std::vector<CarOnCourse> GymkhanaController::CarsOnCourseNow() const {
    std::vector<CarOnCourse> cars;
    const CourseState& s = flow_.Course().State();
    for (int32_t position = kNewestPosition; position <= kOldestPosition; ++position) {
        if (flow_.Course().HoldsCar(position)) {
            const CourseRecord& record = s.courseTimes[position];
            cars.push_back({position, s.courseCar[position], record[kStartWord],
                            record[kSplit1Word], record[kSplit2Word], record[kPenaltyWord]});
        }
    }
    return cars;
}

void GymkhanaController::PutBackOnCourse(const std::vector<CarOnCourse>& cars) {
    for (const CarOnCourse& car : cars) {
        flow_.PutBackOnCourse(car.position, car.car,
                              {car.startTick, car.split1Ms, car.split2Ms, car.penalty});
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
    prompter_.Warn(w_.page, QString::fromUtf8(msg::k109), QString::fromUtf8(msg::k110));
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
        if (!IsEditingColor(box)) {
            box->setText(ToQ(flow_.Starters().PlaceText(place)));
        }
    }
    const QString proposal = ToQ(flow_.Starters().ProposalText());
    if (w_.page->Memo114->text() != proposal) {
        w_.page->Memo114->setText(proposal);
    }
}

void GymkhanaController::TakeReceivedBytes(uint8_t* bytes, uint16_t count, uint32_t /*tick*/) {
    const std::optional<int32_t> car =
        PickCarFromReceiver(bytes, count, session_, w_.entries->CurrentCar());
    if (car) {
        w_.entries->ShowCar(*car);
    }
}

void GymkhanaController::SelectEntryRow(int32_t row) {
    w_.entries->ShowCar(row);
}

void GymkhanaController::ShowPositions() {
    const CourseState& s = flow_.Course().State();
    for (int position = 1; position <= 4; ++position) {
        const bool occupied = flow_.Course().HoldsCar(position);
        if (!IsEditingColor(carBoxes_[position])) {
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

void GymkhanaController::TimeoutFinishPass(uint32_t tick) {
    if (hooks_.timeoutFinishPass) {
        hooks_.timeoutFinishPass(tick);
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
        placeEdits_[place] = flow_.BeginStartPlaceEdit(place);
    } else if (const int position = PositionOfBox(box); position != 0) {
        courseEdits_[position] = flow_.BeginCourseEdit(position);
    }
    SetEditingColor(box, true);
    box->setReadOnly(false);
    box->selectAll();
}

void GymkhanaController::CommitQueueBox(QLineEdit* box) {
    SetEditingColor(box, false);
    box->setReadOnly(true);
    const int place = QueuePlaceOf(box);
    ReportRefusedEdit(flow_.CommitStartPlace(placeEdits_[place], FromQ(box->text())),
                      QString::fromUtf8(kMsgQueueMovedOn));
}

void GymkhanaController::CommitCourseBox(QLineEdit* box) {
    SetEditingColor(box, false);
    box->setReadOnly(true);
    const CourseEdit& edit = courseEdits_[PositionOfBox(box)];
    ReportRefusedEdit(flow_.CommitCourseCar(edit, FromQ(box->text())),
                      QString::fromUtf8(kMsgCarLeftPosition).arg(edit.car));
}

void GymkhanaController::ReportRefusedEdit(EditCommit outcome, const QString& movedText) {
    if (outcome == EditCommit::kNotANumber) {
        InputError();
    } else if (outcome == EditCommit::kMoved) {
        prompter_.Warn(w_.page, movedText, QString::fromUtf8(kEditCancelledCaption));
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
    const bool editing = IsEditingColor(box);
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
    const bool editing = carBox && IsEditingColor(box);
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
