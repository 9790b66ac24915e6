#pragma once
// TMainForm: the main window. It composes the entry panel, the three mode pages, the clock
// panel and the result panel, reads and writes its settings, runs the session and switches
// the race mode. The race logic lives in the core; this class forwards to it.
// Thread rule: GUI thread only.

#include <QFont>
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/main_menu.h"
#include "app/meet.h"
#include "app/sensor_log_sink.h"
#include "app/session_protocol.h"
#include "app/window_settings.h"
#include "modes/tone_sink.h"
#include "reports/standings_sink.h"

class QLabel;
class QPrinter;
class QTabWidget;
class QTimer;

namespace vantrel {

class ClockPanel;
class AnnouncerSink;
class AudioOut;
class SampleSet;
class CSound;
class CircuitController;
class CircuitPage;
class DragController;
class DragPage;
class EntryListController;
class EntryPanel;
class FlagReviewWindow;
class GymkhanaController;
class GymkhanaPage;
class ListJournal;
class MeetJournal;
struct JournalReadResult;
struct JournalReplay;
class MsClock;
class Prompter;
class ReceiverHub;
class ResultListController;
class ResultPanel;
class SensorHub;
class SerialOutputSink;
class SensorWarningPanel;
class TAboutForm;
class TRecordForm;
class TSetupForm;
class LivePublisher;
class WebServer;
struct ReceivedBlock;
struct WebSettings;

// What the window needs from its surroundings; tests hand in a temporary program folder,
// the scripted Prompter and a fake clock.
struct MainWindowEnvironment {
    // Folder of the settings file "Vantrel.ini" (the program's own, see SettingsFolder).
    std::filesystem::path programDir;
    Prompter* prompter = nullptr;
    MsClock* clock = nullptr;
    // The announcer's sound output; null: the ALSA "default" device.
    AudioOut* audio = nullptr;
    // Opens an exported workbook with the desktop's application; unset: xdg-open.
    std::function<bool(const QString& path)> openDocument{};
    // Where exported workbooks go, a new folder each; empty: the system's temporary folder.
    std::filesystem::path exportTempDir{};
    // Where the journal of the lists is kept; none: no journal (undo still works).
    std::optional<std::filesystem::path> journalFolder{};
};

class TMainForm : public QMainWindow, private SessionHost, private ToneSink {
    Q_OBJECT
public:
    explicit TMainForm(const MainWindowEnvironment& env, QWidget* parent = nullptr);
    ~TMainForm() override;

    std::filesystem::path IniPath() const;
    Meet& Event() { return *meet_; }
    SessionState& State() { return state_; }
    const SetupSettings& Setup() const { return setup_; }
    // Replaces the [Setup] settings in force and applies them at once.
    void ApplySetup(const SetupSettings& settings);
    EntryTable& Entries() { return entries_; }
    ResultTable& Results() { return results_; }
    GymkhanaController& Gymkhana() { return *gymkhana_; }
    SensorHub& Sensors() { return *sensors_; }
    ReceiverHub& Receiver() { return *receiver_; }
    TRecordForm& Record() { return *record_; }
    TSetupForm& SetupForm() { return *setupForm_; }
    TAboutForm& AboutForm() { return *aboutForm_; }
    Standings& RaceStandings() { return standings_; }
    QPrinter& Printer() { return *printer_; }
    // Replays the result list into the standings under the active tab's rule; a text that is
    // no number stops it with the standard error box.
    void RebuildRanking();
    // The same right after `loadedFrom` was loaded: an error names the file and the line.
    void RebuildRanking(const std::filesystem::path& loadedFrom);
    // Empties the standings and the scoreboard.
    void ResetRecord();
    // An entry row picked by mouse or Enter: proposed for the next start and the next drag run.
    void PickEntryRow(int row);
    // The list commands; results of the race modes go through resultList()->commands().
    EntryListController* EntryList() { return entryList_.get(); }
    ResultListController* ResultList() { return resultList_.get(); }

    // Status bar panel 0 (session state), 1 (voice pack) or 2 (sampler interval).
    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString& text);
    bool SessionRunning() const;
    RaceMode ActivePageMode() const;

    // Session control.
    void SpeedButton1Click();
    void StopWithQuestion() { protocol_.StopWithQuestion(); }
    void StopRoutine() override;
    void Timer1Timer();
    // Race modes.
    void PageControl1Change(int index);
    void ModeDependentSetup();
    void ModeReset();
    // Gymkhana start list (the parts the session needs).
    void RefreshWaitingCar();
    void UpdateSplitDisplay();
    // Fonts and layout.
    void FontRoutine();
    void ResizeRoutine();
    void Font2Click();
    void HelpContentsClick();
    void HelpAboutClick();
    // Undo and redo of the lists (Ctrl+Z, Ctrl+Y and the result grid's popup); undoing a booked
    // run or lap asks first. False when nothing was done.
    bool UndoClick();
    bool RedoClick();
    // The review window of marked results. Its "取消" of result row `row` is the undo of the
    // row's booking when that is the next undo (with its question), else the row's delete.
    FlagReviewWindow& FlagReview() { return *flagReview_; }
    void UndoFlaggedResult(int row);
    ListJournal& Journal();
    // File > Print, Ctrl+P and the record window's print button: the Rank page.
    void FilePrintClick();
    // The result grid's spreadsheet item.
    void Grid2ExcelClick();
    // The live results for browsers: started, moved or stopped as the [Web] settings say.
    void ApplyWebSettings(const WebSettings& settings);
    WebServer& Web() { return *webServer_; }
    CSound& Sound() { return *sound_; }

    // Controls, under the names the rest of the program and the tests know them by.
    MainMenu menu;
    EntryPanel* Panel1;
    ResultPanel* Panel2;
    QTabWidget* PageControl1;
    GymkhanaPage* TabSheet1;
    DragPage* TabSheet2;
    CircuitPage* TabSheet3;
    ClockPanel* Panel5;
    QTimer* Timer1;                         // session clock
    std::array<QTimer*, 4> courseTimers{};  // Timer2..Timer5, clocks of positions 1..4

signals:
    // The window accepted its close: the program ends (other windows may still be open).
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void BuildFlagReview();
    FlagReviewWindow* flagReview_ = nullptr;
    void BuildListControllers();
    void ConnectCommands();
    void FirstShow();
    void ReadSettings();
    void WriteSettings();
    // What the session protocol has the window do.
    bool StartRoutine() override;
    bool CarsRunning() const override;
    void LogSessionStart() override;
    void LogSessionStop() override;
    void ShowStartButton(bool down) override;
    void EnterMode(RaceMode mode) override;
    void ShowModeInForce() override;
    bool HandleKey(QKeyEvent* event, bool down);
    bool HandleAltKey(int key);
    bool DigitKeysAllowed() const;
    void EnableSessionControls(bool running);
    void SetStatusPanelWidth(int width);

    void BuildGymkhana();
    void BuildDragAndCircuit();
    // The announcer: made after the sampler, resumed by each session start, paused by the stop.
    void BuildVoice();
    void CheckBox1Click(bool checked);
    void TakeVoicePack();
    void DropVoicePack();
    // The tones the race modes ask for, over the announcer.
    bool Busy() const override;
    void RequestTone(Tone tone) override;
    // The flow of the mode in force.
    ModeFlow& ModeInForce() const { return meet_->ModeInForce(); }
    void BuildSensors();
    // The serial port: the receiver's blocks, the "RS232C" output and its box.
    enum class PortOpening { kNoPort, kOpened, kFailed };
    void BuildReceiver();
    void ComPort1RxChar(const ReceivedBlock& block);
    // Opens the port chosen in the options; a failure shows messages 124/125.
    PortOpening OpenReceiverPort();
    void CheckBox2Click(bool checked);
    // Closes the port; `untick` also unticks "RS232C" (a mode change).
    void CloseReceiverPort(bool untick);
    // Shows on "RS232C" whether the ticked box is really sending.
    void ShowSerialOutput();
    void BuildRecordWindow();
    void ConnectReports();
    void OpenPortDriver();
    bool OpenSessionInput();
    // Every sensor event of the hub, dispatched by kind.
    void OnSensorEvent(const SensorEvent& event);
    void OnUsbReadFailed(const QString& message);
    void OnPortReadFailed(const QString& message);
    void AddResultSinks();
    // Every booked result's outputs, once they are all built, in the event's order.
    void ConnectResultSinks();
    // The journal: built with the lists; begun after the first show has offered to restore
    // what a crash left unsaved.
    void BuildJournal();
    void BeginJournal();
    void RestoreFromJournal(const std::filesystem::path& path, const JournalReadResult& read);
    void ApplyRestore(const JournalReadResult& read, const JournalReplay& seen, bool sameBoot);
    void PollJournal();
    TimeStyle CurrentTimeStyle() const;
    void BuildWeb();

    MainWindowEnvironment env_;
    std::unique_ptr<SensorHub> sensors_;
    // The event and, under their short names, the parts of it the window shows. Everything
    // below views it, so it goes last.
    std::unique_ptr<Meet> meet_;
    SessionState& state_;
    EntryTable& entries_;
    ResultTable& results_;
    Standings& standings_;
    SessionProtocol protocol_;
    SetupSettings setup_;
    MainWindowSettings windowSettings_;
    std::unique_ptr<GymkhanaController> gymkhana_;
    std::unique_ptr<DragController> drag_;
    std::unique_ptr<CircuitController> circuit_;
    std::unique_ptr<AudioOut> ownAudio_;
    AudioOut* audio_ = nullptr;  // ownAudio_ or the environment's
    std::unique_ptr<SampleSet> builtInSamples_;
    std::unique_ptr<CSound> sound_;
    std::unique_ptr<AnnouncerSink> announcerSink_;
    std::unique_ptr<EntryListController> entryList_;
    std::unique_ptr<ResultListController> resultList_;
    // The record window views the standings and entries: declared after them, goes first.
    std::unique_ptr<TRecordForm> record_;
    // Where every booked result goes, in this order; they go before what they write to.
    std::unique_ptr<StandingsSink> standingsSink_;
    std::unique_ptr<SensorLogSink> sensorLogSink_;
    std::unique_ptr<ReceiverHub> receiver_;
    std::unique_ptr<SerialOutputSink> serialOutputSink_;
    // Declared after the lists and state they watch, so they go first.
    std::unique_ptr<MeetJournal> meetJournal_;
    QTimer* journalTimer_ = nullptr;
    bool journalFlushQueued_ = false;
    TSetupForm* setupForm_ = nullptr;
    TAboutForm* aboutForm_ = nullptr;
    // The printer and page the printed standings use; set up with File > Page setup.
    std::unique_ptr<QPrinter> printer_;
    QFont displayFont_;
    QFont printerFont_;
    int resultGridFixedWidth_ = 0;
    int entryCarWidth_ = 30;
    std::array<QLabel*, 3> statusPanels_{};
    SensorWarningPanel* sensorWarnings_ = nullptr;
    bool firstShown_ = false;
    bool closing_ = false;
    bool revertingTab_ = false;
    // Declared last: they watch the tables and read the standings, so they go first.
    std::unique_ptr<WebServer> webServer_;
    std::unique_ptr<LivePublisher> livePublisher_;
    QLabel* webStatus_ = nullptr;
};

}  // namespace vantrel
