#pragma once
// TRecordForm: the record window. It shows the standings on the "Rank" and "List" pages and
// the latest result on the "Display" scoreboard, exports a grid page as a CSV file, and passes
// the timing keys on while it has the keyboard. It does not own the standings or the result
// list: the main window feeds the standings and calls Refresh() after every change.
// Thread rule: GUI thread only.

#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/race_mode.h"
#include "reports/export_naming.h"
#include "reports/record_layout.h"
#include "reports/record_page.h"
#include "reports/record_page_control.h"
#include "reports/scoreboard.h"
#include "reports/text_grid.h"
#include "sensors/sensor_event.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QStatusBar;
class QTableView;
class QToolButton;

namespace vantrel {

class ClassStandingsView;
class EntryTable;
class MsClock;
class TableObserver;
class Prompter;
class ScoreboardPage;
class Standings;
class TextGridModel;
struct SessionState;

// What the window needs from the main window; every pointer must outlive the window.
struct RecordWindowEnvironment {
    Standings* standings = nullptr;
    // The entry list, watched so that a class edit re-ranks the class shown at once. Unset:
    // the standings' entry list, read at each Refresh() only.
    EntryTable* entries = nullptr;
    // The scoreboard the window shows and the live pages publish; null: the window's own.
    Scoreboard* scoreboard = nullptr;
    std::filesystem::path iniPath;  // the settings file, "Vantrel.ini" beside the program
    Prompter* prompter = nullptr;
    SessionState* session = nullptr;     // `running` and `currentMode`, see below
    const MsClock* clock = nullptr;      // stamps the digit-key passings
    std::filesystem::path exportFolder;  // folder of the result-list save dialog
    // Whether a session runs (the start button is down) and which tab is active; the digit
    // keys are passings only in a running CIRCUIT session. Unset: the session's `running`
    // flag and `currentMode`.
    std::function<bool()> sessionRunning;
    std::function<RaceMode()> activeTab;
    // "Rebuild": replays the result list into the standings under the active tab's rule
    // (the result list and the tab belong to the main window). The window refreshes after it.
    std::function<void()> rebuild;
    // A sensor key's new level (the main window hands it to the sensors). Unset: ignored.
    std::function<void(SensorInput input, bool down)> sensorKey;
};

class TRecordForm : public QWidget {
    Q_OBJECT

public:
    explicit TRecordForm(const RecordWindowEnvironment& env, QWidget* parent = nullptr);
    ~TRecordForm() override;

    // Empties the standings (headings rewritten), resets the scoreboard and its colours and
    // refreshes the grids.
    void ResetRecord();
    // Shows the standings as they are now; call after AddResult, AddCommonStartLap,
    // RebuildRanking and ClearRecord.
    void Refresh();
    // Between these two, the scoreboard fields and the grids are brought up to date only once,
    // by ReleaseUpdates: a received block books many laps at once and only the last is seen.
    // They nest.
    void HoldUpdates();
    void ReleaseUpdates();

    // Scoreboard fields, as the race modes write them.
    void ShowSplit1(int32_t car, const std::string& timeText);  // `Memo6`, `Memo3`
    void ShowSplit2(int32_t car, const std::string& timeText);  // `Memo7`, `Memo4`
    void ShowCar(int32_t car, const std::string& name);         // `Memo1`, `Memo2`
    void ShowTime(const std::string& timeText);                 // `Memo5`
    void ShowResult(int32_t car, const std::string& name, const std::string& timeText);
    // A finished gymkhana run's split texts (or speed text); empty texts leave a field.
    void ShowSplitTexts(const std::string& split1, const std::string& split2);
    const Scoreboard& Board() const { return scoreboard_; }

    // The hidden "Auto update" box: results are passed on only while it is checked.
    bool AutoUpdate() const;
    // Colours of the scoreboard fields, Windows colour values (0x00BBGGRR).
    int32_t FontColor() const { return scoreboard_.fontColor; }
    int32_t BGColor() const { return scoreboard_.background; }
    RecordPage CurrentPage() const;

    // The class whose standings the Rank and List pages show, "" for all cars; the selector
    // (`classSelector`) offers "全体" and then the classes, and shows only when a car has one.
    const std::string& ChosenClass() const;
    void ChooseClass(const std::string& cls);
    // The pages as shown (the chosen class's or the overall ones), as exported.
    const TextGrid& ShownRank() const;
    const TextGrid& ShownList() const;

    // The main window's placement at its first show from [RecordWindow] Left and Top.
    void PlaceAt(int32_t left, int32_t top);

    // Handlers, also run by tests.
    void ExportPage();             // `SpeedButton1`
    void ChangeFontColorClick();   // `ChangeFontColor`
    void ChangeBackgroundClick();  // `ChangeBackground`
    void ApplyDisplayColors();     // `Memo1` .. `Memo7` take FontColor and BGColor
    void BitBtn2Click();           // "Rebuild"
    void PageControl1Change(int index);
    void FormResize();  // the layout pass

    RecordPageControl* PageControl1;
    QWidget* TabSheet1;         // "Rank"
    QWidget* TabSheet2;         // "List"
    ScoreboardPage* TabSheet3;  // "Display"
    QTableView* StringGrid1;
    QTableView* StringGrid2;
    QPushButton* BitBtn1;       // "Close"
    QPushButton* BitBtn2;       // "Rebuild"
    QCheckBox* CheckBox1;       // "Auto update"
    QToolButton* SpeedButton1;  // export
    QToolButton* SpeedButton2;  // print
    QComboBox* classSelector;
    QStatusBar* StatusBar1;

signals:
    // A digit key in a running CIRCUIT session: the one-byte receiver record `code` ("1".."9",
    // ":" for 0) stamped with `tick`, for the circuit lap processing.
    void circuitPassing(char code, uint32_t tick);
    // `SpeedButton2`: print the Rank page. The printing of the standings connects to this.
    void printRequested();
    // The class shown changed (ChosenClass()), by the selector or because no car has it any more.
    void classChosen();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void BuildGrids();
    void ConnectCommands();
    void ReadSettings();
    void WriteSettings();
    bool HandleKey(QKeyEvent* event, bool down);
    bool CircuitKeysLive() const;
    int FitFieldFont(const RecordLayout& layout) const;
    void ShowScoreboardTexts();
    void UpdateClasses();
    void FillClassSelector();
    void ClassSelectorChanged(int index);

    RecordWindowEnvironment env_;
    std::unique_ptr<Scoreboard> ownScoreboard_;
    Scoreboard& scoreboard_;
    ExportNaming naming_;
    TextGridModel* rankModel_ = nullptr;
    TextGridModel* listModel_ = nullptr;
    std::unique_ptr<ClassStandingsView> shown_;
    std::unique_ptr<TableObserver> entryWatch_;
    int32_t holdDepth_ = 0;
    bool textsHeld_ = false;
    bool gridsHeld_ = false;
};

}  // namespace vantrel
