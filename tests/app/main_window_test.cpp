#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>

#include "common/messages.h"
#include "lists/entry_panel.h"
#include "reports/record_window.h"
#include "sensors/sensor_hub.h"
#include "support/main_window_fixture.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

void SendKey(QWidget* target, QEvent::Type type, int key, Qt::KeyboardModifiers mods = {}) {
    QKeyEvent event(type, key, mods);
    QApplication::sendEvent(target, &event);
}

TEST_F(MainWindowTest, WithoutSettingsOpensAtTheOriginOnGymkhanaWithEveryControl) {
    OpenWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantrel 2000"));
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_EQ(window->size(), QSize(636, 450));
    EXPECT_EQ(window->minimumSize(), QSize(636, 450));
    EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), 0);
    EXPECT_EQ(window->State().currentMode, RaceMode::kGymkhana);
    for (const char* name :
         {"Panel1",         "Panel2",        "Panel5",        "StringGrid1", "StringGrid2",
          "EntryFile",      "ResultFile",    "TabSheet1",     "TabSheet2",   "TabSheet3",
          "Memo100",        "Memo111",       "Memo112",       "Memo113",     "Memo114",
          "BitBtn2",        "Memo120",       "Memo107",       "Memo102",     "Memo101",
          "Memo121",        "Memo108",       "Memo106",       "Memo105",     "ComboBox100",
          "ComboBox101",    "Memo115",       "Memo116",       "StartLed",    "FinishLed",
          "SplitLed1",      "SplitLed2",     "Label2",        "Label3",      "Label20",
          "Label21",        "Memo103",       "Memo110",       "Memo104",     "Memo204",
          "SpeedButton200", "RadioButton1",  "RadioButton2",  "Memo210",     "Memo205",
          "Memo206",        "Memo207",       "Memo208",       "Memo209",     "Memo200",
          "Memo201",        "Memo202",       "Memo203",       "SignalAmber", "SignalGreen",
          "SignalRed",      "Image0",        "Image7",        "Label23",     "Label26",
          "Label30",        "RadioGroup300", "RadioGroup301", "GroupBox1",   "Label10",
          "Memo302",        "UpDown2",       "Label11",       "Memo300",     "SpeedButton1",
          "Memo301",        "Label19",       "Memo303",       "Memo304",     "CheckBox1",
          "CheckBox2",      "BitBtn3",       "BitBtn4",       "BitBtn5",     "BitBtn6",
          "BitBtn7",        "Timer1",        "Timer2",        "Timer5"}) {
        EXPECT_NE(window->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    }
    // Texts of the first show.
    EXPECT_EQ(Find<QLineEdit>("Memo114")->text(), QStringLiteral("1"));
    EXPECT_EQ(Find<QLineEdit>("Memo100")->text(), QStringLiteral("0"));
    EXPECT_EQ(Find<QLineEdit>("Memo120")->text(), QString());
    EXPECT_EQ(Find<QLineEdit>("Memo121")->text(), QStringLiteral("--:--"));
    EXPECT_EQ(Find<QLineEdit>("Memo303")->text(), QStringLiteral("--:--:--"));
    EXPECT_EQ(Find<QLineEdit>("Memo301")->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(Find<QPushButton>("SpeedButton1")->text(), QStringLiteral("開始(&S)"));
    EXPECT_FALSE(Find<QPushButton>("BitBtn2")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("SpeedButton200")->isEnabled());
    EXPECT_EQ(Find<QLabel>("EntryFile")->text(), QStringLiteral("\"NewEntry.txt\""));
    EXPECT_EQ(Find<QLabel>("ResultFile")->text(), QStringLiteral("\"NewResult.csv\""));
    EXPECT_EQ(window->StatusText(0), Tr(msg::k121));
    // The default port 0x378 does not exist here: the error names it and the program goes on.
    ASSERT_EQ(firstShowCalls.size(), 1u);
    EXPECT_EQ(firstShowCalls[0].kind, PromptCall::kError);
    // Message 123 names the kernel's port driver and what it tried, then the reason.
    const QString tried = firstShowCalls[0].text.section(QChar('('), 1).section(QChar(')'), 0, 0);
    EXPECT_TRUE(tried == QStringLiteral("0x378") ||
                tried.startsWith(QStringLiteral("/dev/parport")))
        << tried.toStdString();
    const QString form = Tr(msg::k123).arg(tried);
    EXPECT_TRUE(firstShowCalls[0].text.startsWith(form));
    EXPECT_GT(firstShowCalls[0].text.size(), form.size());
    EXPECT_TRUE(form.contains(QStringLiteral("ppdev")));
    // Menus with their captions and shortcuts.
    EXPECT_EQ(Find<QAction>("FileSaveResult")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(Find<QAction>("FileLoadResult")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(Find<QAction>("FilePrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(Find<QAction>("FileExit")->text(), QStringLiteral("終了(&X)"));
    EXPECT_EQ(Find<QAction>("ToolRecord")->text(), QStringLiteral("レコード(&R)..."));
    EXPECT_EQ(Find<QAction>("ToolSetup")->text(), QStringLiteral("オプション(&O)..."));
    EXPECT_EQ(Find<QAction>("HelpContents")->shortcut(), QKeySequence(Qt::Key_F1));
    Find<QAction>("FileSetup")->trigger();
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].kind, PromptCall::kPageSetup);
    Find<QAction>("HelpContents")->trigger();
    auto* help = window->findChild<QWidget*>(QStringLiteral("HelpWindow"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("F11")));
    // Result grid in the GYMKHANA layout.
    auto* grid = Find<QTableView>("StringGrid2");
    ASSERT_EQ(grid->model()->columnCount(), 9);
    EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Pen"));
    EXPECT_EQ(grid->model()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Lap"));
    EXPECT_EQ(grid->model()->rowCount(), 1);
}

TEST_F(MainWindowTest, ExitWritesTheWindowSectionsWithCrLfLines) {
    OpenWindow();
    Find<QComboBox>("ComboBox101")->setCurrentIndex(2);
    int closed = 0;
    QObject::connect(window.get(), &TMainForm::closed, [&closed] { ++closed; });
    Find<QAction>("ToolRecord")->trigger();  // an open record window does not keep it going
    Find<QAction>("FileExit")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(window->Record().isVisible());
    const std::string ini = ReadBytes(IniPath());
    for (const char* section : {"[Window]", "[SensorCount]", "[Drag]", "[RecordWindow]",
                                "[DspFont]", "[PrnFont]", "[Printer]"}) {
        EXPECT_NE(ini.find(std::string(section) + "\r\n"), std::string::npos) << section;
    }
    EXPECT_NE(ini.find("Width=636\r\n"), std::string::npos);
    EXPECT_NE(ini.find("Height=450\r\n"), std::string::npos);
    EXPECT_NE(ini.find("Finish=2\r\n"), std::string::npos);
    EXPECT_NE(ini.find("MaskTime=30\r\n"), std::string::npos);
    EXPECT_NE(ini.find("TopMargin=15\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("\n\n"), std::string::npos);
    // Every line ends in CR LF.
    for (size_t i = 0; i < ini.size(); ++i) {
        if (ini[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(ini[i - 1], '\r');
        }
    }
}

TEST_F(MainWindowTest, StoredSettingsAreAppliedAtFirstShow) {
    WriteBytes(IniPath(),
               "[Window]\r\nTop=30\r\nLeft=40\r\nWidth=700\r\nHeight=500\r\nMaskTime=abc\r\n"
               "PortSelect=1\r\n[SensorCount]\r\nStart=2\r\n[Drag]\r\nProStart=1\r\n");
    OpenWindow();
    EXPECT_EQ(window->pos(), QPoint(40, 30));
    EXPECT_EQ(window->size(), QSize(700, 500));
    EXPECT_EQ(Find<QComboBox>("ComboBox100")->currentIndex(), 2);
    EXPECT_TRUE(Find<QLineEdit>("Memo115")->isVisibleTo(window.get()));
    EXPECT_FALSE(Find<QLineEdit>("Memo116")->isVisibleTo(window.get()));
    EXPECT_TRUE(window->findChild<QWidget*>("RadioButton1")->property("checked").toBool());
    // A mask time that is no number reads as the key's default.
    EXPECT_EQ(Find<QLineEdit>("Memo302")->text(), QStringLiteral("30"));
    EXPECT_FALSE(Find<QLabel>("Label11")->isEnabled());

    // Saved as restored, so the window does not creep from one run to the next.
    ASSERT_TRUE(window->close());
    const std::string ini = ReadBytes(IniPath());
    // (The offscreen platform draws a 2-pixel frame, so inner and frame positions differ.)
    EXPECT_NE(ini.find("[Window]\r\nTop=30\r\nLeft=40\r\nWidth=700\r\nHeight=500\r\n"),
              std::string::npos);
}

TEST_F(MainWindowTest, CloseAsksAboutBothListsAndNoKeepsTheWindow) {
    OpenWindow();
    window->State().entryModified = true;
    window->State().resultModified = true;
    prompter.AnswerNo();
    EXPECT_FALSE(window->close());
    ASSERT_EQ(prompter.Calls().size(), 1u);  // "No" at the first leaves the second unasked
    EXPECT_EQ(prompter.Calls()[0].text, Tr(msg::k105));
    EXPECT_EQ(prompter.Calls()[0].caption, Tr(msg::k106));

    prompter.ClearCalls();
    prompter.AnswerYes();
    prompter.AnswerNo();
    EXPECT_FALSE(window->close());
    ASSERT_EQ(prompter.Calls().size(), 2u);
    EXPECT_EQ(prompter.Calls()[1].text, Tr(msg::k107));
    EXPECT_FALSE(std::filesystem::exists(IniPath()));

    prompter.ClearCalls();
    prompter.AnswerYes();
    prompter.AnswerYes();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(std::filesystem::exists(IniPath()));
}

TEST_F(MainWindowTest, SettingsInAReadOnlyPlaceDoNotStopTheProgram) {
    WriteBytes(IniPath(), std::string("\x00\xff[\x81\r\n=\n[Window\nTop=\x82\xa0", 18));
    OpenWindow();
    EXPECT_EQ(window->size(), QSize(636, 450));
    // The settings file is a folder: writing fails, quietly, and closing still works.
    std::filesystem::remove(IniPath());
    std::filesystem::create_directory(IniPath());
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(std::filesystem::is_directory(IniPath()));
}

TEST_F(MainWindowTest, SensorKeysSetAndClearTheSimulatedInputs) {
    OpenWindow();
    QWidget* target = Find<QTableView>("StringGrid1");
    SendKey(target, QEvent::KeyPress, Qt::Key_F11);
    EXPECT_TRUE(window->Sensors().Keys().keyStart);
    SendKey(target, QEvent::KeyPress, Qt::Key_Slash, Qt::KeypadModifier);
    SendKey(target, QEvent::KeyRelease, Qt::Key_Slash, Qt::KeypadModifier);
    // Releasing either of the two start keys releases the simulated start.
    EXPECT_FALSE(window->Sensors().Keys().keyStart);
    SendKey(target, QEvent::KeyRelease, Qt::Key_F11);
    SendKey(target, QEvent::KeyPress, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_TRUE(window->Sensors().Keys().keyFinish);
    SendKey(target, QEvent::KeyRelease, Qt::Key_F12);
    EXPECT_FALSE(window->Sensors().Keys().keyFinish);
    SendKey(target, QEvent::KeyPress, Qt::Key_Minus, Qt::KeypadModifier);
    SendKey(target, QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_TRUE(window->Sensors().Keys().keySplit1);
    EXPECT_TRUE(window->Sensors().Keys().keySplit2);
    // The main keyboard's minus is no sensor.
    SendKey(target, QEvent::KeyRelease, Qt::Key_Minus, Qt::KeypadModifier);
    SendKey(target, QEvent::KeyPress, Qt::Key_Plus);
    EXPECT_FALSE(window->Sensors().Keys().keySplit1);

    // Alt+R and Alt+E move the focus between the grids.
    window->activateWindow();
    SendKey(target, QEvent::KeyPress, Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Find<QTableView>("StringGrid2"));
    SendKey(target, QEvent::KeyPress, Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Find<QTableView>("StringGrid1"));
}

TEST_F(MainWindowTest, DisplayFontAppliesToBothGrids) {
    OpenWindow();
    QFont font(QStringLiteral("IPAGothic"), 14);
    prompter.AnswerFont(font);
    Find<QAction>("Font2")->trigger();
    EXPECT_EQ(Find<QTableView>("StringGrid1")->font().pointSize(), 14);
    EXPECT_EQ(Find<QTableView>("StringGrid2")->font().pointSize(), 14);
    const int rowHeight = Find<QTableView>("StringGrid1")->verticalHeader()->defaultSectionSize();
    EXPECT_GT(rowHeight, 15);
    // Cancelling the dialog changes nothing.
    Find<QAction>("Font2")->trigger();
    EXPECT_EQ(Find<QTableView>("StringGrid1")->font().pointSize(), 14);
    window->close();
    EXPECT_NE(ReadBytes(IniPath()).find("[DspFont]\r\nName=IPAGothic\r\nSize=14\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace vantrel::test
