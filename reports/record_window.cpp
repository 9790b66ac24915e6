// The record window: its controls, creation and close with their settings, the placement and
// the timing keys.
#include "reports/record_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <cassert>
#include <utility>

#include "common/ini_file.h"
#include "common/ms_clock.h"
#include "common/session_state.h"
#include "reports/class_standings_view.h"
#include "reports/record_keys.h"
#include "reports/record_page_control.h"
#include "reports/record_settings.h"
#include "reports/scoreboard_page.h"
#include "reports/standings.h"
#include "reports/text_grid_model.h"
#include "sensors/sensor_keys.h"
#include "widgets/elided_text_delegate.h"
#include "widgets/grid_header.h"
#include "widgets/widget_util.h"

namespace vantrel {

// Texts are looked up under the class name without its namespace, the context the
// translation files hold them under (tr() would use the namespaced name).

namespace {

constexpr int kRowHeight = 15;
constexpr int kRankWidths[] = {30, 30, 103, 115, 64, 30, 64, 64};
constexpr int kListWidths[] = {30, 79, 60, 60, 30, 60, 60, 60, 60};
constexpr int kAddedListColumnWidth = 60;  // history columns "-3", "-4", ... like "-1", "-2"

int TimeColumnWidth(const QTableView* grid) {
    constexpr int kCellPadding = 8;
    return grid->fontMetrics().horizontalAdvance(QStringLiteral("+00:00.000")) + kCellPadding;
}

QTableView* MakeGrid(QWidget* page, const char* name, TextGridModel* model) {
    auto* grid = MakeNamed<QTableView>(page, name);
    UseGridHeader(grid);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    ElideTextInColumns(grid, {QCoreApplication::translate(kStandingsHeadingContext, "Name"),
                              QCoreApplication::translate(kStandingsHeadingContext, "Model")});
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return grid;
}

// Time columns are widened where the grid's font would cut a time text short, and every
// column where it would cut its heading.
template <size_t N>
void SetWidths(QTableView* grid, const int (&widths)[N], std::initializer_list<int> timeColumns) {
    QHeaderView* header = grid->horizontalHeader();
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
    for (size_t i = 0; i < N; ++i) {
        const int column = static_cast<int>(i);
        const QString heading = grid->model()->headerData(column, Qt::Horizontal).toString();
        const int fitted = header->fontMetrics().horizontalAdvance(heading) + margins;
        header->resizeSection(column, std::max(widths[i], fitted));
    }
    const int timeWidth = TimeColumnWidth(grid);
    for (int column : timeColumns) {
        const int width = std::max(grid->columnWidth(column), timeWidth);
        grid->horizontalHeader()->resizeSection(column, width);
    }
}

}  // namespace

TRecordForm::TRecordForm(const RecordWindowEnvironment& env, QWidget* parent)
    : QWidget(parent, Qt::Window),
      env_(env),
      ownScoreboard_(env.scoreboard == nullptr ? std::make_unique<Scoreboard>() : nullptr),
      scoreboard_(env.scoreboard != nullptr ? *env.scoreboard : *ownScoreboard_) {
    assert(env_.standings && env_.prompter && env_.session && env_.clock);
    scoreboard_.UseClasses(env_.entries != nullptr ? env_.entries : &env_.standings->Entries());
    setObjectName(QStringLiteral("RecordForm"));
    setWindowTitle(QCoreApplication::translate("TRecordForm", "Record"));
    setMinimumSize(kRecordMinWidth, kRecordMinHeight);
    BuildWidgets();
    ConnectCommands();
    ReadSettings();
    naming_.Start(env_.exportFolder);
    FillClassSelector();  // the entry list may hold classes already
    ResetRecord();
    qApp->installEventFilter(this);
    if (env_.entries != nullptr) {
        entryWatch_ = std::make_unique<TableChangeWatch>([this] { Refresh(); });
        env_.entries->AddObserver(entryWatch_.get());
    }
}

TRecordForm::~TRecordForm() {
    if (entryWatch_) {
        env_.entries->RemoveObserver(entryWatch_.get());
    }
    qApp->removeEventFilter(this);
}

void TRecordForm::BuildWidgets() {
    PageControl1 = new RecordPageControl(this);
    TabSheet1 = MakeNamed<QWidget>(PageControl1, "TabSheet1");
    TabSheet2 = MakeNamed<QWidget>(PageControl1, "TabSheet2");
    TabSheet3 = new ScoreboardPage(PageControl1);
    PageControl1->addTab(TabSheet1, QCoreApplication::translate("TRecordForm", "Rank"));
    PageControl1->addTab(TabSheet2, QCoreApplication::translate("TRecordForm", "List"));
    PageControl1->addTab(TabSheet3, QCoreApplication::translate("TRecordForm", "Display"));
    BuildGrids();

    BitBtn1 = MakeNamed<QPushButton>(this, "BitBtn1",
                                     QCoreApplication::translate("TRecordForm", "Close"));
    BitBtn2 = MakeNamed<QPushButton>(this, "BitBtn2",
                                     QCoreApplication::translate("TRecordForm", "Rebuild"));
    CheckBox1 = MakeNamed<QCheckBox>(this, "CheckBox1",
                                     QCoreApplication::translate("TRecordForm", "Auto update"));
    SpeedButton1 = MakeNamed<QToolButton>(this, "SpeedButton1");
    SpeedButton2 = MakeNamed<QToolButton>(this, "SpeedButton2");
    SpeedButton1->setIcon(QIcon::fromTheme(QStringLiteral("document-save"),
                                           style()->standardIcon(QStyle::SP_DialogSaveButton)));
    SpeedButton2->setIcon(QIcon::fromTheme(QStringLiteral("document-print"),
                                           style()->standardIcon(QStyle::SP_FileIcon)));
    for (QWidget* button : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2)}) {
        button->resize(75, 25);
    }
    for (QToolButton* button : {SpeedButton1, SpeedButton2}) {
        button->setAutoRaise(true);
        button->resize(25, 25);
    }
    CheckBox1->adjustSize();
    classSelector = MakeNamed<QComboBox>(this, "classSelector");
    classSelector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    classSelector->hide();
    StatusBar1 = MakeNamed<QStatusBar>(this, "StatusBar1");
    StatusBar1->setSizeGripEnabled(true);
}

void TRecordForm::BuildGrids() {
    Standings& standings = *env_.standings;
    shown_ = std::make_unique<ClassStandingsView>(
        standings, env_.entries != nullptr ? *env_.entries : standings.Entries());
    rankModel_ = new TextGridModel(shown_->Rank(), this, kStandingsHeadingContext);
    listModel_ = new TextGridModel(shown_->List(), this, kStandingsHeadingContext);
    StringGrid1 = MakeGrid(TabSheet1, "StringGrid1", rankModel_);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(64);
    SetWidths(StringGrid1, kRankWidths, {RankPage::kBestLap, RankPage::kTotal, RankPage::kBehind});
    // Name and model share what the other columns leave, so "Behind" stays in view at the
    // window's minimum size (they end a long text with an ellipsis).
    for (int column : {RankPage::kName, RankPage::kModel}) {
        StringGrid1->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    }
    StringGrid2 = MakeGrid(TabSheet2, "StringGrid2", listModel_);
    StringGrid2->horizontalHeader()->setDefaultSectionSize(
        std::max(kAddedListColumnWidth, TimeColumnWidth(StringGrid2)));
    SetWidths(StringGrid2, kListWidths,
              {ListPage::kTotal, ListPage::kBestLap, ListPage::kLast, ListPage::kLast + 1,
               ListPage::kLast + 2});
}

void TRecordForm::ConnectCommands() {
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    connect(BitBtn2, &QPushButton::clicked, this, &TRecordForm::BitBtn2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TRecordForm::ExportPage);
    connect(SpeedButton2, &QToolButton::clicked, this, &TRecordForm::printRequested);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TRecordForm::PageControl1Change);
    connect(classSelector, &QComboBox::currentIndexChanged, this,
            &TRecordForm::ClassSelectorChanged);
    connect(TabSheet3->ChangeFontColor, &QAction::triggered, this,
            &TRecordForm::ChangeFontColorClick);
    connect(TabSheet3->ChangeBackground, &QAction::triggered, this,
            &TRecordForm::ChangeBackgroundClick);
}

void TRecordForm::ReadSettings() {
    const RecordWindowSettings s = ReadRecordWindowSettings(IniFile(env_.iniPath));
    const QRect screenRect = screen() ? screen()->geometry() : QRect(0, 0, 1024, 768);
    const WindowPlacement p =
        PlaceRecordWindow(s.placement, screenRect.width(), screenRect.height());
    resize(p.width, p.height);
    move(p.left, p.top);
    CheckBox1->hide();
    {
        const QSignalBlocker block(PageControl1);
        PageControl1->setCurrentIndex(static_cast<int>(RecordPage::kRank));
    }
    PageControl1Change(PageControl1->currentIndex());
    scoreboard_.fontColor = s.fontColor;
    scoreboard_.background = s.background;
    CheckBox1->setChecked(true);
}

void TRecordForm::WriteSettings() {
    IniFile ini(env_.iniPath);
    WriteRecordWindowSettings(ini, y(), x(), FontColor(), BGColor(), AutoUpdate());
    // A settings file that cannot be written is left as it is, without a message.
    (void)ini.Save();
}

void TRecordForm::closeEvent(QCloseEvent* event) {
    WriteSettings();
    QWidget::closeEvent(event);
}

void TRecordForm::PlaceAt(int32_t left, int32_t top) {
    const QRect screenRect = screen() ? screen()->geometry() : QRect(0, 0, 1024, 768);
    const WindowPlacement p = PlaceRecordWindowAtFirstShow({x(), y(), width(), height()}, left, top,
                                                           screenRect.width(), screenRect.height());
    resize(p.width, p.height);
    move(p.left, p.top);
}

void TRecordForm::ResetRecord() {
    env_.standings->ResetRecord();
    scoreboard_.Reset();
    TabSheet3->Show(scoreboard_);
    ApplyDisplayColors();
    Refresh();
    // The reset's design sizes are fitted to the fields at once, not only at the next resize.
    FormResize();
}

void TRecordForm::Refresh() {
    ShowScoreboardTexts();  // an accepted or undone result takes the time's mark away
    if (holdDepth_ > 0) {
        gridsHeld_ = true;
        return;
    }
    UpdateClasses();
    rankModel_->Refresh();
    listModel_->Refresh();
}

void TRecordForm::HoldUpdates() {
    ++holdDepth_;
}

void TRecordForm::ReleaseUpdates() {
    if (holdDepth_ == 0 || --holdDepth_ > 0) {
        return;
    }
    if (std::exchange(textsHeld_, false)) {
        ShowScoreboardTexts();
    }
    if (std::exchange(gridsHeld_, false)) {
        Refresh();
    }
}

bool TRecordForm::AutoUpdate() const {
    return CheckBox1->isChecked();
}

bool TRecordForm::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    const bool release = event->type() == QEvent::KeyRelease;
    if ((press || release) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        HandleKey(static_cast<QKeyEvent*>(event), press)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TRecordForm::HandleKey(QKeyEvent* event, bool down) {
    if (ForwardSensorKey(*event, down, [this](SensorInput input, bool level) {
            if (env_.sensorKey) {
                env_.sensorKey(input, level);
            }
        })) {
        return true;
    }
    if (!down || event->isAutoRepeat() || !CircuitKeysLive()) {
        return false;
    }
    const std::optional<char> code = ReceiverCodeForKey(event->key());
    if (!code) {
        return false;
    }
    emit circuitPassing(*code, env_.clock->MsTick());
    return true;
}

bool TRecordForm::CircuitKeysLive() const {
    const bool running = env_.sessionRunning ? env_.sessionRunning() : env_.session->running.load();
    const RaceMode tab = env_.activeTab ? env_.activeTab() : env_.session->currentMode;
    return running && tab == RaceMode::kCircuit;
}

}  // namespace vantrel
