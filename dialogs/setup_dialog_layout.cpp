// Building the controls of the options dialog and arranging its groups.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <utility>

#include "dialogs/setup_dialog.h"
#include "widgets/radio_group.h"
#include "widgets/up_down.h"
#include "widgets/widget_util.h"

namespace vantrel {

// Texts are looked up under the class name without its namespace, the context the
// translation files hold them under (tr() would use the namespaced name).

namespace {

const QStringList kPortItems = {"0x378", "0x3BC", "0x278", "None", "USB"};
const QStringList kSerialItems = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "None"};
const QStringList kSpeedItems = {" 2400", " 4800", " 9600", "19200", "38400"};
const QStringList kStartPinItems = {"Pin#10", "Pin#11", "Pin#12", "Pin#13*", "Pin#15"};
const QStringList kFinishPinItems = {"Pin#10*", "Pin#11", "Pin#12", "Pin#13", "Pin#15"};
const QStringList kSplit1PinItems = {"Pin#10", "Pin#11", "Pin#12*", "Pin#13", "Pin#15", "NC*"};
const QStringList kSplit2PinItems = {"Pin#10", "Pin#11", "Pin#12", "Pin#13", "Pin#15*", "NC*"};
constexpr int kBoxWidth = 64;
constexpr int kSpinWidth = 16;

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption) {
    auto* group = MakeNamed<QGroupBox>(parent, name, caption);
    auto* layout = new QGridLayout(group);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(6);
    layout->setColumnStretch(0, 1);
    return group;
}

QGridLayout* GridOf(QGroupBox* group) {
    return static_cast<QGridLayout*>(group->layout());
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items) {
    auto* combo = MakeNamed<QComboBox>(parent, name);
    combo->addItems(items);
    combo->setMinimumWidth(96);
    return combo;
}

// A number box with its spin control beside it, in one row of a group.
UpDown* AddSpinRow(QGroupBox* group, int row, QLabel* label, QLineEdit* box, const char* name,
                   const SpinRange& range, int initial) {
    auto* upDown = MakeNamed<UpDown>(group, name, box, range.minimum, range.maximum);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFixedWidth(kBoxWidth);
    upDown->setFixedWidth(kSpinWidth);
    upDown->setFixedHeight(box->sizeHint().height());
    upDown->SetPosition(initial);
    auto* cell = new QHBoxLayout;
    cell->setSpacing(0);
    cell->addWidget(box);
    cell->addWidget(upDown);
    GridOf(group)->addWidget(label, row, 0);
    GridOf(group)->addLayout(cell, row, 1, Qt::AlignLeft);
    return upDown;
}

void AddRow(QGroupBox* group, int row, QLabel* label, QWidget* control) {
    GridOf(group)->addWidget(label, row, 0);
    GridOf(group)->addWidget(control, row, 1);
}

}  // namespace

void TSetupForm::BuildWidgets() {
    setObjectName(QStringLiteral("TSetupForm"));
    setWindowTitle(QCoreApplication::translate("TSetupForm", "オプション設定"));
    setModal(true);
    BuildPortGroups();
    BuildSoundAndSpeedGroups();
    BuildDetailGroup();
    BuildWebGroup();
    BuildFlagGroup();
    BuildLanguageRow();
    BitBtn1 =
        MakeNamed<QPushButton>(this, "BitBtn1", QCoreApplication::translate("TSetupForm", "OK"));
    BitBtn2 = MakeNamed<QPushButton>(this, "BitBtn2",
                                     QCoreApplication::translate("TSetupForm", "Cancel"));
    // Enter anywhere in the dialog means OK.
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    BitBtn2->setAutoDefault(false);
    ArrangeGroups();
}

void TSetupForm::BuildPortGroups() {
    GroupBox1 =
        MakeGroup(this, "GroupBox1", QCoreApplication::translate("TSetupForm", "入力ポート"));
    Label1 = MakeNamed<QLabel>(GroupBox1, "Label1",
                               QCoreApplication::translate("TSetupForm", "ポート選択"));
    ComboBox1 = MakeList(GroupBox1, "ComboBox1", kPortItems);
    AddRow(GroupBox1, 0, Label1, ComboBox1);
    Label2 = MakeNamed<QLabel>(GroupBox1, "Label2",
                               QCoreApplication::translate("TSetupForm", "ポーリング間隔(ms)"));
    Memo1 = MakeNamed<QLineEdit>(GroupBox1, "Memo1");
    UpDown1 = AddSpinRow(GroupBox1, 1, Label2, Memo1, "UpDown1", kResolutionRange, 5);
    Label3 = MakeNamed<QLabel>(GroupBox1, "Label3",
                               QCoreApplication::translate("TSetupForm", "OFF ディレイ(ms)"));
    Memo2 = MakeNamed<QLineEdit>(GroupBox1, "Memo2");
    UpDown2 = AddSpinRow(GroupBox1, 2, Label3, Memo2, "UpDown2", kDelayRange, 5000);
    UpDown2->SetIncrement(kDelayStep);

    GroupBox2 =
        MakeGroup(this, "GroupBox2", QCoreApplication::translate("TSetupForm", "シリアルポート"));
    Label4 = MakeNamed<QLabel>(GroupBox2, "Label4",
                               QCoreApplication::translate("TSetupForm", "ポート番号"));
    ComboBox2 = MakeList(GroupBox2, "ComboBox2", kSerialItems);
    // Editable, so that a device outside the list (a USB serial adapter) can be named and a
    // stored one is kept.
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    AddRow(GroupBox2, 0, Label4, ComboBox2);
    Label5 = MakeNamed<QLabel>(GroupBox2, "Label5",
                               QCoreApplication::translate("TSetupForm", "ボーレート"));
    ComboBox3 = MakeList(GroupBox2, "ComboBox3", kSpeedItems);
    AddRow(GroupBox2, 1, Label5, ComboBox3);
    FloodCarsLabel =
        MakeNamed<QLabel>(GroupBox2, "FloodCarsLabel",
                          QCoreApplication::translate("TSetupForm", "同時受信の上限(台/100ms)"));
    FloodCarsLabel->setToolTip(QCoreApplication::translate(
        "TSetupForm", "100ms の間にこれより多くの車番を受信したときは、記録せずに保留します"));
    FloodCarsBox = MakeNamed<QLineEdit>(GroupBox2, "FloodCarsBox");
    FloodCarsUpDown = AddSpinRow(GroupBox2, 2, FloodCarsLabel, FloodCarsBox, "FloodCarsUpDown",
                                 kFloodCarsRange, SetupSettings::kDefaultFloodCars);
}

void TSetupForm::BuildSoundAndSpeedGroups() {
    GroupBox3 = MakeGroup(this, "GroupBox3", QCoreApplication::translate("TSetupForm", "Soound"));
    Label6 = MakeNamed<QLabel>(GroupBox3, "Label6",
                               QCoreApplication::translate("TSetupForm", "読み上げウェイト(秒)"));
    Memo3 = MakeNamed<QLineEdit>(GroupBox3, "Memo3");
    UpDown3 = AddSpinRow(GroupBox3, 0, Label6, Memo3, "UpDown3", kReadDelayRange, 3);
    CheckBox2 =
        MakeNamed<QCheckBox>(GroupBox3, "CheckBox2",
                             QCoreApplication::translate("TSetupForm", "センサー感知時ビープ音"));
    GridOf(GroupBox3)->addWidget(CheckBox2, 1, 0, 1, 2);

    GroupBox5 = MakeGroup(this, "GroupBox5", QCoreApplication::translate("TSetupForm", "速度計測"));
    Label14 = MakeNamed<QLabel>(GroupBox5, "Label14",
                                QCoreApplication::translate("TSetupForm", "センサー間距離 (m)"));
    Memo4 = MakeNamed<QLineEdit>(GroupBox5, "Memo4");
    UpDown4 = AddSpinRow(GroupBox5, 0, Label14, Memo4, "UpDown4", kDistanceRange, 0);
}

void TSetupForm::BuildDetailGroup() {
    GroupBox4 = MakeGroup(this, "GroupBox4", QCoreApplication::translate("TSetupForm", "詳細設定"));
    Label7 = MakeNamed<QLabel>(GroupBox4, "Label7",
                               QCoreApplication::translate("TSetupForm", "START入力ピン"));
    ComboBox4 = MakeList(GroupBox4, "ComboBox4", kStartPinItems);
    AddRow(GroupBox4, 0, Label7, ComboBox4);
    Label8 = MakeNamed<QLabel>(GroupBox4, "Label8",
                               QCoreApplication::translate("TSetupForm", "FINISH入力ピン"));
    ComboBox5 = MakeList(GroupBox4, "ComboBox5", kFinishPinItems);
    AddRow(GroupBox4, 1, Label8, ComboBox5);
    Label9 = MakeNamed<QLabel>(GroupBox4, "Label9",
                               QCoreApplication::translate("TSetupForm", "中間センサー#1"));
    ComboBox6 = MakeList(GroupBox4, "ComboBox6", kSplit1PinItems);
    AddRow(GroupBox4, 2, Label9, ComboBox6);
    Label10 = MakeNamed<QLabel>(GroupBox4, "Label10",
                                QCoreApplication::translate("TSetupForm", "中間センサー#2"));
    ComboBox7 = MakeList(GroupBox4, "ComboBox7", kSplit2PinItems);
    AddRow(GroupBox4, 3, Label10, ComboBox7);
    CheckBox1 = MakeNamed<QCheckBox>(GroupBox4, "CheckBox1",
                                     QCoreApplication::translate("TSetupForm", "センサー入力反転"));
    GridOf(GroupBox4)->addWidget(CheckBox1, 4, 0, 1, 2);
    RadioGroup1 = new RadioGroup(QCoreApplication::translate("TSetupForm", "タイム出力形式"),
                                 {QCoreApplication::translate("TSetupForm", "時間 (mm:ss.000)"),
                                  QCoreApplication::translate("TSetupForm", "ミリ秒 (ms.)")},
                                 GroupBox4);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    GridOf(GroupBox4)->addWidget(RadioGroup1, 5, 0, 1, 2);

    Label12 = MakeNamed<QLabel>(GroupBox4, "Label12",
                                QCoreApplication::translate("TSetupForm", "タイムアウト"));
    Label11 = MakeNamed<QLabel>(GroupBox4, "Label11", QStringLiteral("65"));
    Label13 =
        MakeNamed<QLabel>(GroupBox4, "Label13", QCoreApplication::translate("TSetupForm", "分"));
    Label11->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label11->setMinimumWidth(Label11->fontMetrics().horizontalAdvance(
        QCoreApplication::translate("TSetupForm", "Never")));
    // The row keeps its place while the unit is hidden.
    QSizePolicy keep = Label13->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Label13->setSizePolicy(keep);
    auto* timeOutRow = new QHBoxLayout;
    timeOutRow->addWidget(Label12);
    timeOutRow->addStretch(1);
    timeOutRow->addWidget(Label11);
    timeOutRow->addWidget(Label13);
    GridOf(GroupBox4)->addLayout(timeOutRow, 6, 0, 1, 2);
    TrackBar1 = MakeNamed<QSlider>(GroupBox4, "TrackBar1", Qt::Horizontal);
    TrackBar1->setRange(kTimeOutMinimum, kTimeOutMaximum);
    TrackBar1->setSingleStep(1);
    TrackBar1->setPageStep(5);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setValue(kTimeOutMaximum);
    GridOf(GroupBox4)->addWidget(TrackBar1, 7, 0, 1, 2);
    CheckBox3 =
        MakeNamed<QCheckBox>(GroupBox4, "CheckBox3",
                             QCoreApplication::translate("TSetupForm", "SensorLog.txt を書き出す"));
    GridOf(GroupBox4)->addWidget(CheckBox3, 8, 0, 1, 2);
}

void TSetupForm::BuildWebGroup() {
    GroupBox6 = MakeGroup(this, "GroupBox6", QCoreApplication::translate("TSetupForm", "Web公開"));
    CheckBox4 =
        MakeNamed<QCheckBox>(GroupBox6, "CheckBox4",
                             QCoreApplication::translate("TSetupForm", "ブラウザに結果を公開する"));
    GridOf(GroupBox6)->addWidget(CheckBox4, 0, 0, 1, 2);
    Label15 = MakeNamed<QLabel>(GroupBox6, "Label15",
                                QCoreApplication::translate("TSetupForm", "ポート番号"));
    Memo5 = MakeNamed<QLineEdit>(GroupBox6, "Memo5");
    Memo5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Memo5->setMaxLength(5);
    Memo5->setFixedWidth(kBoxWidth);
    GridOf(GroupBox6)->addWidget(Label15, 1, 0);
    GridOf(GroupBox6)->addWidget(Memo5, 1, 1, Qt::AlignLeft);
}

void TSetupForm::BuildFlagGroup() {
    GroupBox7 =
        MakeGroup(this, "GroupBox7", QCoreApplication::translate("TSetupForm", "結果の確認"));
    ShortLapLabel =
        MakeNamed<QLabel>(GroupBox7, "ShortLapLabel",
                          QCoreApplication::translate("TSetupForm", "短すぎる周回(中央値の%)"));
    ShortLapLabel->setToolTip(QCoreApplication::translate(
        "TSetupForm",
        "直近5周の中央値のこの割合に満たない周回に「?」を付けます。0 で判定しません"));
    ShortLapBox = MakeNamed<QLineEdit>(GroupBox7, "ShortLapBox");
    ShortLapUpDown = AddSpinRow(GroupBox7, 0, ShortLapLabel, ShortLapBox, "ShortLapUpDown",
                                kShortLapRange, SetupSettings::kDefaultShortLapPercent);
    const QString limitTip = QCoreApplication::translate(
        "TSetupForm",
        "ジムカーナとドラッグで、この範囲の外のタイムに「?」を付けます。0 で制限しません");
    PlausibleMinLabel =
        MakeNamed<QLabel>(GroupBox7, "PlausibleMinLabel",
                          QCoreApplication::translate("TSetupForm", "タイムの下限(秒)"));
    PlausibleMaxLabel =
        MakeNamed<QLabel>(GroupBox7, "PlausibleMaxLabel",
                          QCoreApplication::translate("TSetupForm", "タイムの上限(秒)"));
    PlausibleMinBox = MakeNamed<QLineEdit>(GroupBox7, "PlausibleMinBox");
    PlausibleMaxBox = MakeNamed<QLineEdit>(GroupBox7, "PlausibleMaxBox");
    int row = 1;
    for (auto [label, box] : {std::pair{PlausibleMinLabel, PlausibleMinBox},
                              std::pair{PlausibleMaxLabel, PlausibleMaxBox}}) {
        label->setToolTip(limitTip);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setFixedWidth(kBoxWidth + kSpinWidth);
        GridOf(GroupBox7)->addWidget(label, row, 0);
        GridOf(GroupBox7)->addWidget(box, row++, 1, Qt::AlignLeft);
    }
}

void TSetupForm::BuildLanguageRow() {
    // The label and the items read the same in every language, so that an operator who cannot
    // read the language in force still finds their own (their translations equal the source).
    LanguageLabel = MakeNamed<QLabel>(this, "LanguageLabel",
                                      QCoreApplication::translate("TSetupForm", "言語 / Language"));
    LanguageBox = MakeNamed<QComboBox>(this, "LanguageBox");
    // In the order of UiLanguage, so an item's index is the language's value.
    LanguageBox->addItems(
        {QCoreApplication::translate("TSetupForm", "日本語"),
         QCoreApplication::translate("TSetupForm", "English"),
         QCoreApplication::translate("TSetupForm", "システムに従う / Follow the system")});
    LanguageLabel->setBuddy(LanguageBox);
}

void TSetupForm::ArrangeGroups() {
    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox1);
    left->addWidget(GroupBox2);
    left->addWidget(GroupBox7);
    left->addWidget(GroupBox3);
    left->addWidget(GroupBox5);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox4);
    right->addWidget(GroupBox6);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LanguageLabel);
    buttons->addWidget(LanguageBox);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace vantrel
