// The options dialog: its controls, loading what is stored and writing it on OK.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "common/ini_file.h"
#include "setup_dialog_fixture.h"
#include "widgets/radio_group.h"
#include "widgets/up_down.h"

namespace vantrel::test {
namespace {

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}

TEST_F(SetupDialogTest, GroupsAndControlsCarryTheirNamesAndTexts) {
    Open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("オプション設定"));
    const std::pair<const char*, QString> groups[] = {
        {"GroupBox1", "入力ポート"}, {"GroupBox2", "シリアルポート"}, {"GroupBox3", "Soound"},
        {"GroupBox4", "詳細設定"},   {"GroupBox5", "速度計測"},
    };
    for (const auto& [name, caption] : groups) {
        auto* group = form->findChild<QGroupBox*>(QString::fromLatin1(name));
        ASSERT_NE(group, nullptr) << name;
        EXPECT_EQ(group->title(), caption) << name;
    }
    EXPECT_EQ(Items(form->findChild<QComboBox*>("ComboBox1")),
              QStringList({"0x378", "0x3BC", "0x278", "None", "USB"}));
    EXPECT_EQ(Items(form->ComboBox2),
              QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "None"}));
    EXPECT_EQ(Items(form->ComboBox3), QStringList({" 2400", " 4800", " 9600", "19200", "38400"}));
    EXPECT_EQ(Items(form->ComboBox4),
              QStringList({"Pin#10", "Pin#11", "Pin#12", "Pin#13*", "Pin#15"}));
    EXPECT_EQ(Items(form->ComboBox5),
              QStringList({"Pin#10*", "Pin#11", "Pin#12", "Pin#13", "Pin#15"}));
    EXPECT_EQ(Items(form->ComboBox6),
              QStringList({"Pin#10", "Pin#11", "Pin#12*", "Pin#13", "Pin#15", "NC*"}));
    EXPECT_EQ(Items(form->ComboBox7),
              QStringList({"Pin#10", "Pin#11", "Pin#12", "Pin#13", "Pin#15*", "NC*"}));
    const std::pair<const char*, QString> labels[] = {
        {"Label1", "ポート選択"},          {"Label2", "ポーリング間隔(ms)"},
        {"Label3", "OFF ディレイ(ms)"},    {"Label4", "ポート番号"},
        {"Label5", "ボーレート"},          {"Label6", "読み上げウェイト(秒)"},
        {"Label7", "START入力ピン"},       {"Label8", "FINISH入力ピン"},
        {"Label9", "中間センサー#1"},      {"Label10", "中間センサー#2"},
        {"Label12", "タイムアウト"},       {"Label13", "分"},
        {"Label14", "センサー間距離 (m)"},
    };
    for (const auto& [name, caption] : labels) {
        auto* label = form->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), caption) << name;
    }
    EXPECT_EQ(form->findChild<QCheckBox*>("CheckBox1")->text(), QStringLiteral("センサー入力反転"));
    EXPECT_EQ(form->findChild<QCheckBox*>("CheckBox2")->text(),
              QStringLiteral("センサー感知時ビープ音"));
    EXPECT_EQ(form->findChild<QCheckBox*>("CheckBox3")->text(),
              QStringLiteral("SensorLog.txt を書き出す"));
    EXPECT_EQ(form->findChild<RadioGroup*>("RadioGroup1")->title(),
              QStringLiteral("タイム出力形式"));
    EXPECT_EQ(form->findChild<QPushButton*>("BitBtn2")->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(form->findChild<QPushButton*>("BitBtn1")->isDefault());
    for (const char* name : {"Memo1", "Memo2", "Memo3", "Memo4", "Label11"}) {
        EXPECT_NE(form->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    }
}

TEST_F(SetupDialogTest, RangesOfTheSpinControlsAndTheTrackBar) {
    Open();
    const std::tuple<const char*, int, int> ranges[] = {
        {"UpDown1", 1, 20}, {"UpDown2", 100, 10000}, {"UpDown3", 0, 10}, {"UpDown4", 0, 50}};
    for (const auto& [name, low, high] : ranges) {
        auto* upDown = form->findChild<UpDown*>(QString::fromLatin1(name));
        ASSERT_NE(upDown, nullptr) << name;
        EXPECT_EQ(upDown->Minimum(), low) << name;
        EXPECT_EQ(upDown->Maximum(), high) << name;
    }
    auto* trackBar = form->findChild<QSlider*>("TrackBar1");
    ASSERT_NE(trackBar, nullptr);
    EXPECT_EQ(trackBar->orientation(), Qt::Horizontal);
    EXPECT_EQ(trackBar->minimum(), 1);
    EXPECT_EQ(trackBar->maximum(), 65);
    EXPECT_EQ(trackBar->tickInterval(), 1);
    EXPECT_NE(trackBar->tickPosition(), QSlider::NoTicks);
    // The OFF delay steps by 500.
    form->Memo2->setText("5000");
    form->UpDown2->StepUp();
    EXPECT_EQ(form->Memo2->text(), "5500");
    form->UpDown2->StepDown();
    form->UpDown2->StepDown();
    EXPECT_EQ(form->Memo2->text(), "4500");
    form->UpDown1->StepUp();
    EXPECT_EQ(form->Memo1->text(), "4");  // from the stored 3
}

TEST_F(SetupDialogTest, EnterOnTheStoredFileWritesAllSixteenKeys) {
    WriteSetup("IoAddress=None\r\nBaudRate=1200\r\nTimeOut=61\r\n");
    Open();
    const int result = RunModal([this] { Type(Qt::Key_Return); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(form->isVisible());
    IniFile ini(IniPath());
    const std::pair<const char*, const char*> expected[] = {
        {"IoAddress", "None"}, {"Resolution", "3"}, {"Delay", "5000"},  {"StartPin", "3"},
        {"FinishPin", "0"},    {"SplitPin1", "5"},  {"SplitPin2", "5"}, {"Invert", "0"},
        {"TimeFormat", "0"},   {"TimeOut", "61"},   {"Logfile", "0"},   {"CommPort", "COM1"},
        {"BaudRate", " 9600"}, {"ReadDelay", "3"},  {"BeepOn", "0"},    {"Distance", "4"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_TRUE(ini.HasKey("Setup", key)) << key;
    }
    // Byte for byte: the stored keys keep their lines, the others follow in order.
    EXPECT_EQ(IniBytes(),
              "[Setup]\r\nIoAddress=None\r\nBaudRate= 9600\r\nTimeOut=61\r\nResolution=3\r\n"
              "Delay=5000\r\nStartPin=3\r\nFinishPin=0\r\nSplitPin1=5\r\nSplitPin2=5\r\n"
              "Invert=0\r\nTimeFormat=0\r\nLogfile=0\r\nCommPort=COM1\r\nReadDelay=3\r\n"
              "BeepOn=0\r\nDistance=4\r\n");
    ASSERT_FALSE(applied.empty());
    EXPECT_EQ(applied.back().port, PortChoice::kNone);
    EXPECT_EQ(applied.back().ioAddress, 0);
    EXPECT_EQ(applied.back().baudRate, 9600);
    EXPECT_EQ(applied.back().timeOut, 61);
    EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(SetupDialogTest, EnterInTheSerialPortBoxAlsoMeansOk) {
    Open();
    const int result = RunModal([this] {
        form->ComboBox2->setFocus();
        form->ComboBox2->setEditText("COM3");
        Type(Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_NE(IniBytes().find("CommPort=COM3\r\n"), std::string::npos);
}

TEST_F(SetupDialogTest, CreatingTheDialogAppliesTheStoredSettings) {
    WriteSetup("SplitPin1=2\r\nDistance=20\r\nTimeFormat=1\r\nBeepOn=1\r\n");
    Open();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_TRUE(applied[0].Split1Connected());
    EXPECT_EQ(applied[0].distanceM, 20);
    EXPECT_EQ(applied[0].timeFormat, TimeFormat::kMilliseconds);
    EXPECT_TRUE(applied[0].beepOn);
    EXPECT_EQ(form->ComboBox6->currentText(), "Pin#12*");
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 1);
    EXPECT_TRUE(form->CheckBox2->isChecked());
    EXPECT_EQ(form->Memo4->text(), "20");
}

// Numbers are held to their boxes' ranges; a pin that is no item of its list is the default.
TEST_F(SetupDialogTest, ValuesOutOfRangeAreShownClampedOrAsTheDefault) {
    WriteSetup(
        "Resolution=50\r\nDelay=20\r\nReadDelay=11\r\nTimeOut=0\r\nDistance=80\r\n"
        "StartPin=9\r\nSplitPin2=-1\r\n");
    Open();
    EXPECT_EQ(form->Memo1->text(), "20");
    EXPECT_EQ(form->Memo2->text(), "100");
    EXPECT_EQ(form->Memo3->text(), "10");
    EXPECT_EQ(form->Memo4->text(), "50");
    EXPECT_EQ(form->TrackBar1->value(), 1);
    EXPECT_EQ(form->Label11->text(), "1");
    EXPECT_EQ(form->ComboBox4->currentIndex(), 3);  // pin 13
    EXPECT_EQ(form->ComboBox7->currentIndex(), kPinNotConnected);
    EXPECT_EQ(applied.back().resolution, 20);
}

TEST_F(SetupDialogTest, AnUnknownPortAddressSelectsNoneWithAddressZero) {
    WriteSetup("IoAddress=0x2F8\r\n");
    Open();
    EXPECT_EQ(form->ComboBox1->currentText(), "None");
    EXPECT_EQ(form->ComboBox1->currentIndex(), 3);
    EXPECT_EQ(applied.back().port, PortChoice::kNone);
    EXPECT_EQ(applied.back().ioAddress, 0);
    form->BitBtn1Click();
    EXPECT_NE(IniBytes().find("IoAddress=None\r\n"), std::string::npos);

    WriteSetup("IoAddress=0x278\r\n");
    form->LoadRoutine();
    EXPECT_EQ(form->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(applied.back().ioAddress, 0x278);
    WriteSetup("IoAddress=USB\r\n");
    form->LoadRoutine();
    EXPECT_EQ(form->ComboBox1->currentIndex(), 4);
    EXPECT_EQ(applied.back().ioAddress, 0);
}

TEST_F(SetupDialogTest, ASerialDeviceOutsideTheListIsKept) {
    WriteSetup("CommPort=/dev/ttyUSB0\r\nBaudRate=19200\r\n");
    Open();
    EXPECT_EQ(form->ComboBox2->currentIndex(), -1);
    EXPECT_EQ(form->ComboBox2->currentText(), "/dev/ttyUSB0");
    EXPECT_TRUE(form->ComboBox3->isEnabled());
    EXPECT_EQ(form->ComboBox3->currentText(), "19200");
    EXPECT_EQ(applied.back().commPort, "/dev/ttyUSB0");
    form->BitBtn1Click();
    EXPECT_NE(IniBytes().find("CommPort=/dev/ttyUSB0\r\n"), std::string::npos);
    EXPECT_NE(IniBytes().find("BaudRate=19200\r\n"), std::string::npos);
}

TEST_F(SetupDialogTest, AFailedSaveIsReportedAndTheDialogStaysOpen) {
    Open(dir / "no-such-folder" / "Vantrel.ini");
    const size_t appliedBefore = applied.size();
    const int result = RunModal([this] {
        form->Memo1->setText("9");
        form->BitBtn1->click();
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->Memo1->text(), "9");  // the edit is still there to retry
        form->BitBtn2->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    const auto errors = prompter.CallsOf(PromptCall::kError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].text.startsWith(QStringLiteral("設定を保存できませんでした。")));
    EXPECT_EQ(errors[0].caption, QStringLiteral("オプション設定"));
    for (size_t i = appliedBefore; i < applied.size(); ++i) {
        EXPECT_EQ(applied[i].resolution, 3) << i;  // nothing unstored was put in force
    }
}

}  // namespace
}  // namespace vantrel::test
