#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "app/clock_panel.h"
#include "app/health_tools.h"
#include "app/meet_journal.h"
#include "app/serial_output_sink.h"
#include "common/messages.h"
#include "common/ms_clock.h"
#include "dialogs/about_box.h"
#include "dialogs/setup_dialog.h"
#include "journal/list_journal.h"
#include "lists/entry_list_controller.h"
#include "lists/entry_panel.h"
#include "lists/entry_table_model.h"
#include "lists/list_recorder.h"
#include "lists/list_undo.h"
#include "lists/result_list_controller.h"
#include "lists/result_panel.h"
#include "lists/result_table_model.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/drag_controller.h"
#include "modes/drag_page.h"
#include "modes/gymkhana_controller.h"
#include "modes/gymkhana_page.h"
#include "reports/record_window.h"
#include "sensors/receiver_hub.h"
#include "sensors/sensor_hub.h"
#include "voice/announcer.h"
#include "voice/announcer_sink.h"
#include "voice/voice_pack.h"
#include "web/live_publisher.h"
#include "web/web_server.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/up_down.h"
#include "widgets/widget_util.h"

namespace vantrel {

namespace {
MeetLinks LinksOf(const MainWindowEnvironment& env, SensorHub& sensors, ToneSink& tones) {
    MeetLinks links;
    links.clock = env.clock;
    links.tick = &sensors.Commands();
    links.log = &sensors.Log();
    links.prompter = env.prompter;
    links.tones = &tones;
    return links;
}
}  // namespace

TMainForm::TMainForm(const MainWindowEnvironment& env, QWidget* parent)
    : QMainWindow(parent),
      env_(env),
      sensors_(std::make_unique<SensorHub>(*env_.clock)),
      meet_(std::make_unique<Meet>(LinksOf(env_, *sensors_, *this))),
      state_(meet_->Session()),
      entries_(meet_->Entries()),
      results_(meet_->Results()),
      standings_(meet_->RaceStandings()),
      protocol_(state_, *this, *env_.prompter) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(Tr(msg::kTitle));
    setMinimumSize(kMainMinWidth, kMainMinHeight);
    resize(kMainMinWidth, kMainMinHeight);
    BuildWidgets();
    BuildSensors();
    BuildListControllers();
    BuildGymkhana();  // books its results through the result list
    BuildDragAndCircuit();
    BuildVoice();
    ConnectCommands();
    // Creating the options dialog reads the [Setup] settings and applies them at once.
    setupForm_ = new TSetupForm(
        IniPath(), *env_.prompter, [this](const SetupSettings& settings) { ApplySetup(settings); },
        this);
    connect(menu.ToolSetup, &QAction::triggered, this, [this] { setupForm_->Execute(); });
    aboutForm_ = new TAboutForm(BuiltVersionValues(), ReadSystemLines(), this);
    printer_ = std::make_unique<QPrinter>();
    connect(menu.FileSetup, &QAction::triggered, this,
            [this] { env_.prompter->PageSetup(this, *printer_); });
    BuildJournal();
    BuildFlagReview();
    BuildRecordWindow();
    BuildReceiver();
    BuildWeb();
    ConnectResultSinks();
    AttachHealthTools(*this, *env_.prompter);
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    state_.running = false;
    livePublisher_.reset();  // it reads the controllers and tables taken down below
    webServer_.reset();
    receiver_.reset();  // no block may reach the controllers taken down below
    // The controllers watch the widgets, and the grids view tables owned by this object: first
    // the controllers, then the widgets, then the tables.
    gymkhana_.reset();
    entryList_.reset();
    resultList_.reset();
    drag_.reset();
    circuit_.reset();
    delete centralWidget();
}

std::filesystem::path TMainForm::IniPath() const {
    return env_.programDir / "Vantrel.ini";
}

void TMainForm::BuildWidgets() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);
    menu = BuildMainMenu(menuBar());

    Panel1 = new EntryPanel(entries_, central);
    PageControl1 = MakeNamed<QTabWidget>(central, "PageControl1");
    TabSheet1 = new GymkhanaPage(PageControl1);
    TabSheet2 = new DragPage(PageControl1);
    TabSheet3 = new CircuitPage(PageControl1);
    PageControl1->addTab(TabSheet1, QCoreApplication::translate("TMainForm", "GYMKHANA"));
    PageControl1->addTab(TabSheet2, QCoreApplication::translate("TMainForm", "DRAG"));
    PageControl1->addTab(TabSheet3, QCoreApplication::translate("TMainForm", "CIRCUIT"));
    PageControl1->setFocusPolicy(Qt::NoFocus);
    Panel5 = new ClockPanel(central);
    Panel2 = new ResultPanel(results_, central);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = new QLabel(bar);
        statusPanels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanels_[i]->setFrameShape(QFrame::Panel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(statusPanels_[i], i == 0 ? 0 : 1);
    }
    statusPanels_[0]->setFixedWidth(350);

    Timer1 = MakeNamed<QTimer>(this, "Timer1");
    Timer1->setInterval(1000);
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "Timer" + QByteArray::number(i + 2);
        courseTimers[i] = MakeNamed<QTimer>(this, name.constData());
    }
}

void TMainForm::BuildListControllers() {
    EntryListWiring entry;
    entry.panel = Panel1;
    entry.table = &entries_;
    entry.state = &state_;
    entry.commands = &meet_->EntryList();
    entry.prompter = env_.prompter;
    entry.iniPath = IniPath();
    entry.fileNew = menu.FileNewEntry;
    entry.fileLoad = menu.FileLoadEntry;
    entry.fileSave = menu.FileSaveEntry;
    entry.onPick = [this](int car) { PickEntryRow(car); };
    entryList_ = std::make_unique<EntryListController>(std::move(entry));

    ResultListWiring result;
    result.panel = Panel2;
    result.results = &results_;
    result.entries = &entries_;
    result.state = &state_;
    result.commands = &meet_->ResultList();
    result.prompter = env_.prompter;
    result.iniPath = IniPath();
    result.fileLoad = menu.FileLoadResult;
    result.fileSave = menu.FileSaveResult;
    result.fileSaveAs = menu.FileSaveAsResult;
    result.rebuildRanking = [this] { RebuildRanking(); };
    result.rebuildAfterLoad = [this](const std::filesystem::path& file) { RebuildRanking(file); };
    result.resetRecord = [this] { ResetRecord(); };
    resultList_ = std::make_unique<ResultListController>(std::move(result));
}

void TMainForm::ConnectCommands() {
    connect(Panel5->SpeedButton1, &QPushButton::clicked, this, &TMainForm::SpeedButton1Click);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMainForm::PageControl1Change);
    connect(menu.FileExit, &QAction::triggered, this, &QWidget::close);
    connect(menu.Font2, &QAction::triggered, this, &TMainForm::Font2Click);
    connect(menu.HelpContents, &QAction::triggered, this, &TMainForm::HelpContentsClick);
    connect(menu.HelpAbout, &QAction::triggered, this, &TMainForm::HelpAboutClick);
}

QString TMainForm::StatusText(int panel) const {
    return panel >= 0 && panel < 3 ? statusPanels_[panel]->text() : QString();
}

void TMainForm::SetStatusText(int panel, const QString& text) {
    if (panel >= 0 && panel < 3) {
        statusPanels_[panel]->setText(text);
    }
}

void TMainForm::SetStatusPanelWidth(int width) {
    statusPanels_[0]->setFixedWidth(std::max(width, 50));
}

bool TMainForm::SessionRunning() const {
    return state_.running.load();
}

RaceMode TMainForm::ActivePageMode() const {
    return static_cast<RaceMode>(std::max(PageControl1->currentIndex(), 0));
}

void TMainForm::ApplySetup(const SetupSettings& settings) {
    setup_ = settings;
    meet_->Configure(setup_);
    sound_->SetDelayMs(setup_.readDelay * 1000);
    sound_->SetBeepEnabled(setup_.beepOn);
    UpdateSplitDisplay();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShown_) {
        firstShown_ = true;
        FirstShow();
    }
}

void TMainForm::FirstShow() {
    // The controls were built with their start-up texts and states (GYMKHANA in force, the
    // session controls disabled); what follows comes from the course logic and the settings.
    gymkhana_->FirstShow();
    Panel1->SelectCar(1);
    Panel2->SelectRow(1);
    ReadSettings();
    RefreshWaitingCar();
    ModeDependentSetup();
    ResizeRoutine();
    // Asked once the window is on screen, so that the question has it as its parent; queued
    // before the port's report, whose box must not hold the journal back.
    QTimer::singleShot(0, this, &TMainForm::BeginJournal);
    OpenPortDriver();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (!protocol_.MayClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    WriteSettings();
    record_->close();
    // A log that cannot be written is not retried: the program still ends.
    sensors_->AddExitAndSave(setup_.logfile, std::filesystem::current_path());
    meetJournal_->Journal().End();
    event->accept();
    emit closed();
}

}  // namespace vantrel
