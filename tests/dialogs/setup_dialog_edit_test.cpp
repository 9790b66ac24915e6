// The options dialog while the operator edits: handlers that act at once, OK and Cancel.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "common/ini_file.h"
#include "setup_dialog_fixture.h"
#include "widgets/radio_group.h"

namespace vantrel::test {
namespace {

TEST_F(SetupDialogTest, TrackBarAbove60MeansNeverAndHidesTheUnit) {
    Open();
    EXPECT_EQ(form->Label11->text(), "Never");  // stored default 65
    EXPECT_TRUE(form->Label13->isHidden());
    form->TrackBar1->setValue(61);
    EXPECT_EQ(form->Label11->text(), "Never");
    EXPECT_TRUE(form->Label13->isHidden());
    form->TrackBar1->setValue(60);
    EXPECT_EQ(form->Label11->text(), "60");
    EXPECT_FALSE(form->Label13->isHidden());
    EXPECT_EQ(form->Label13->text(), QStringLiteral("分"));
    form->TrackBar1->setValue(1);
    EXPECT_EQ(form->Label11->text(), "1");
    form->TrackBar1->setValue(61);
    EXPECT_EQ(form->Label11->text(), "Never");
    EXPECT_TRUE(form->Label13->isHidden());
}

TEST_F(SetupDialogTest, StoredTimeOutIsShownOnTheTrackBar) {
    WriteSetup("TimeOut=12\r\n");
    Open();
    EXPECT_EQ(form->TrackBar1->value(), 12);
    EXPECT_EQ(form->Label11->text(), "12");
    EXPECT_FALSE(form->Label13->isHidden());
    form->TrackBar1->setValue(64);
    form->BitBtn1Click();
    EXPECT_NE(IniBytes().find("TimeOut=64\r\n"), std::string::npos);
    EXPECT_FALSE(applied.back().TimeOutEnabled());
}

TEST_F(SetupDialogTest, NoSerialPortDisablesTheSpeedBox) {
    Open();
    EXPECT_TRUE(form->ComboBox3->isEnabled());
    form->ComboBox2->setCurrentIndex(form->ComboBox2->findText("None"));
    EXPECT_FALSE(form->ComboBox3->isEnabled());
    form->ComboBox2->setCurrentIndex(form->ComboBox2->findText("COM2"));
    EXPECT_TRUE(form->ComboBox3->isEnabled());
}

TEST_F(SetupDialogTest, StoredNoSerialPortOpensWithTheSpeedBoxDisabled) {
    WriteSetup("CommPort=None\r\n");
    Open();
    EXPECT_EQ(form->ComboBox2->currentText(), "None");
    EXPECT_FALSE(form->ComboBox3->isEnabled());
    WriteSetup("CommPort=COM6\r\n");
    form->LoadRoutine();
    EXPECT_TRUE(form->ComboBox3->isEnabled());
}

TEST_F(SetupDialogTest, WhileTheSerialPortIsInUseItsBoxesStayDisabled) {
    Open();
    form->SetSerialInUse(true);
    EXPECT_FALSE(form->ComboBox2->isEnabled());
    EXPECT_FALSE(form->ComboBox3->isEnabled());
    form->LoadRoutine();
    EXPECT_FALSE(form->ComboBox3->isEnabled());
    form->SetSerialInUse(false);
    EXPECT_TRUE(form->ComboBox2->isEnabled());
    EXPECT_TRUE(form->ComboBox3->isEnabled());
}

TEST_F(SetupDialogTest, BeepTakesEffectAtOnceAndCancelRestoresIt) {
    WriteSetup("BeepOn=0\r\nResolution=7\r\n");
    Open();
    const std::string before = IniBytes();
    const int result = RunModal([this] {
        form->Memo1->setText("12");
        const size_t count = applied.size();
        form->CheckBox2->setChecked(true);
        EXPECT_EQ(applied.size(), count + 1);
        EXPECT_TRUE(applied.back().beepOn);
        EXPECT_TRUE(form->InForce().beepOn);
        // Only the beep is applied; the other edits wait for OK.
        EXPECT_EQ(applied.back().resolution, 7);
        form->BitBtn2->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(applied.back().beepOn);
    EXPECT_FALSE(form->InForce().beepOn);
    EXPECT_FALSE(form->CheckBox2->isChecked());
    EXPECT_EQ(form->Memo1->text(), "7");
    EXPECT_EQ(IniBytes(), before);
}

TEST_F(SetupDialogTest, EscapeActsAsCancel) {
    WriteSetup("BeepOn=1\r\n");
    Open();
    const int result = RunModal([this] {
        form->CheckBox2->setChecked(false);
        EXPECT_FALSE(applied.back().beepOn);
        Type(Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(applied.back().beepOn);
    EXPECT_TRUE(form->CheckBox2->isChecked());
}

TEST_F(SetupDialogTest, BeepTickedAndOkIsStored) {
    Open();
    form->CheckBox2->setChecked(true);
    form->BitBtn1Click();
    EXPECT_NE(IniBytes().find("BeepOn=1\r\n"), std::string::npos);
    EXPECT_TRUE(applied.back().beepOn);
    EXPECT_TRUE(form->CheckBox2->isChecked());
}

TEST_F(SetupDialogTest, ADistanceThatIsNoNumberIsStoredAsTypedAndMeansFour) {
    WriteSetup("Distance=20\r\n");
    Open();
    EXPECT_EQ(applied.back().distanceM, 20);
    const int result = RunModal([this] {
        form->Memo4->setText("twenty");
        Type(Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_NE(IniBytes().find("Distance=twenty\r\n"), std::string::npos);
    EXPECT_EQ(applied.back().distanceM, 4);
    // Read back from the file, the stored text is no number: the box shows the default.
    EXPECT_EQ(applied.back().distanceText, "4");
    EXPECT_EQ(form->Memo4->text(), "4");
    RunModal([this] { form->BitBtn2->click(); });
    EXPECT_EQ(form->Memo4->text(), "4");
    EXPECT_EQ(applied.back().distanceM, 4);
}

TEST_F(SetupDialogTest, NumberBoxesThatHoldNoNumberAreRewrittenWithTheirFallbacks) {
    WriteSetup("Resolution=7\r\nDelay=800\r\nReadDelay=1\r\n");
    Open();
    form->Memo1->setText("abc");
    form->Memo2->setText("");
    form->Memo3->setText("x1");
    EXPECT_TRUE(form->SaveRoutine());
    EXPECT_EQ(form->Memo1->text(), "5");
    EXPECT_EQ(form->Memo2->text(), "5000");
    EXPECT_EQ(form->Memo3->text(), "3");
    IniFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("Setup", "Resolution", ""), "5");
    EXPECT_EQ(ini.ReadString("Setup", "Delay", ""), "5000");
    EXPECT_EQ(ini.ReadString("Setup", "ReadDelay", ""), "3");

    form->Memo1->setText("none");
    form->BitBtn1Click();
    EXPECT_EQ(form->Memo1->text(), "5");
    EXPECT_EQ(applied.back().resolution, 5);
}

TEST_F(SetupDialogTest, OkStoresEveryEditAndAppliesIt) {
    Open();
    form->ComboBox1->setCurrentIndex(1);
    form->Memo2->setText("2500");
    form->ComboBox4->setCurrentIndex(1);
    form->ComboBox5->setCurrentIndex(4);
    form->ComboBox6->setCurrentIndex(2);
    form->ComboBox7->setCurrentIndex(0);
    form->CheckBox1->setChecked(true);
    form->RadioGroup1->SetItemIndex(1);
    form->CheckBox3->setChecked(true);
    form->ComboBox2->setCurrentIndex(form->ComboBox2->findText("COM2"));
    form->ComboBox3->setCurrentIndex(form->ComboBox3->findText(" 4800"));
    form->Memo3->setText("0");
    form->BitBtn1Click();
    EXPECT_EQ(IniBytes(),
              "[Setup]\r\nIoAddress=0x3BC\r\nResolution=3\r\nDelay=2500\r\nStartPin=1\r\n"
              "FinishPin=4\r\nSplitPin1=2\r\nSplitPin2=0\r\nInvert=1\r\nTimeFormat=1\r\n"
              "TimeOut=65\r\nLogfile=1\r\nCommPort=COM2\r\nBaudRate= 4800\r\nReadDelay=0\r\n"
              "BeepOn=0\r\nDistance=4\r\n");
    const SetupSettings& s = applied.back();
    EXPECT_EQ(s.ioAddress, 0x3BC);
    EXPECT_EQ(s.delay, 2500);
    EXPECT_EQ(PinMask(s.startPin), 0x80);
    EXPECT_TRUE(s.Split1Connected());
    EXPECT_TRUE(s.Split2Connected());
    EXPECT_TRUE(s.invert);
    EXPECT_EQ(s.timeFormat, TimeFormat::kMilliseconds);
    EXPECT_TRUE(s.logfile);
    EXPECT_EQ(s.commPort, "COM2");
    EXPECT_EQ(s.baudRate, 4800);
    EXPECT_EQ(s.readDelay, 0);
}

TEST_F(SetupDialogTest, OpeningAgainShowsWhatIsStoredNotTheLastEdits) {
    WriteSetup("Resolution=7\r\n");
    Open();
    form->Memo1->setText("15");
    form->ComboBox1->setCurrentIndex(4);
    RunModal([this] {
        EXPECT_EQ(form->Memo1->text(), "7");
        EXPECT_EQ(form->ComboBox1->currentText(), "0x378");
        form->BitBtn2->click();
    });
}

}  // namespace
}  // namespace vantrel::test
