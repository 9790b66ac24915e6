#include "dialogs/setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <utility>

#include "common/ini_file.h"
#include "widgets/prompter.h"
#include "widgets/radio_group.h"
#include "widgets/up_down.h"
#include "widgets/widget_util.h"

namespace vantrel {

// Texts are looked up under the class name without its namespace, the context the
// translation files hold them under (tr() would use the namespaced name).

namespace {
constexpr int kLastTimeOutMinute = 60;  // positions above mean no time-out

void SelectText(QComboBox* combo, const std::string& text) {
    combo->setCurrentIndex(combo->findText(ToQ(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}
}  // namespace

TSetupForm::TSetupForm(std::filesystem::path iniPath, Prompter& prompter, ApplyFunction apply,
                       QWidget* parent)
    : QDialog(parent), iniPath_(std::move(iniPath)), prompter_(prompter), apply_(std::move(apply)) {
    BuildWidgets();
    ConnectHandlers();
    LoadRoutine();
}

void TSetupForm::ConnectHandlers() {
    connect(TrackBar1, &QSlider::valueChanged, this, &TSetupForm::TrackBar1Change);
    connect(ComboBox2, &QComboBox::currentTextChanged, this, &TSetupForm::ComboBox2Change);
    connect(CheckBox2, &QCheckBox::toggled, this, &TSetupForm::CheckBox2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TSetupForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSetupForm::BitBtn2Click);
}

int TSetupForm::Execute() {
    return exec();
}

void TSetupForm::showEvent(QShowEvent* event) {
    // The dialog always opens on what is stored, whatever was left in it before.
    LoadRoutine();
    QDialog::showEvent(event);
}

void TSetupForm::LoadRoutine() {
    const SetupSettings stored = SetupSettings::Load(IniFile(iniPath_));
    loading_ = true;
    ShowValues(FormValuesOf(stored));
    webInForce_ = WebSettings::Load(IniFile(iniPath_));
    CheckBox4->setChecked(webInForce_.enabled);
    Memo5->setText(QString::number(webInForce_.port));
    loading_ = false;
    Apply(stored);
    if (webApply_) {
        webApply_(webInForce_);
    }
}

void TSetupForm::SetWebApply(WebApplyFunction apply) {
    webApply_ = std::move(apply);
    webApply_(webInForce_);
}

bool TSetupForm::SaveRoutine() {
    SetupFormValues values = Values();
    const SetupSettings edited = SettingsOfForm(values);
    if (!PlausibleWindowValid(edited)) {
        prompter_.Error(
            this,
            QCoreApplication::translate("TSetupForm", "タイムの下限が上限より大きくなっています。"),
            windowTitle());
        PlausibleMinBox->setFocus();
        return false;
    }
    // The number boxes show what is stored for them.
    Memo1->setText(ToQ(values.resolutionText));
    Memo2->setText(ToQ(values.delayText));
    Memo3->setText(ToQ(values.readDelayText));
    FloodCarsBox->setText(ToQ(values.floodCarsText));
    ShortLapBox->setText(ToQ(values.shortLapText));
    PlausibleMinBox->setText(ToQ(values.plausibleMinText));
    PlausibleMaxBox->setText(ToQ(values.plausibleMaxText));
    IniFile ini(iniPath_);
    edited.Save(ini);
    WebSettings web;
    web.enabled = CheckBox4->isChecked();
    web.port = WebPortOf(Memo5->text().trimmed().toLongLong());
    // [Web] is written only when edited, so a file without it stays as it was.
    if (!(web == webInForce_)) {
        web.Save(ini);
    }
    const IoResult result = ini.Save();
    if (!result) {
        prompter_.Error(this,
                        QCoreApplication::translate("TSetupForm", "設定を保存できませんでした。") +
                            QLatin1Char('\n') + ToQ(result.error),
                        windowTitle());
        return false;
    }
    return true;
}

SetupFormValues TSetupForm::Values() const {
    SetupFormValues v;
    v.portText = FromQ(ComboBox1->currentText());
    v.resolutionText = FromQ(Memo1->text());
    v.delayText = FromQ(Memo2->text());
    v.startPin = ComboBox4->currentIndex();
    v.finishPin = ComboBox5->currentIndex();
    v.splitPin1 = ComboBox6->currentIndex();
    v.splitPin2 = ComboBox7->currentIndex();
    v.invert = CheckBox1->isChecked();
    v.timeFormat = RadioGroup1->ItemIndex();
    v.timeOut = TrackBar1->value();
    v.logfile = CheckBox3->isChecked();
    v.commPort = FromQ(ComboBox2->currentText());
    v.baudRateText = FromQ(ComboBox3->currentText());
    v.readDelayText = FromQ(Memo3->text());
    v.beepOn = CheckBox2->isChecked();
    v.distanceText = FromQ(Memo4->text());
    v.floodCarsText = FromQ(FloodCarsBox->text());
    v.shortLapText = FromQ(ShortLapBox->text());
    v.plausibleMinText = FromQ(PlausibleMinBox->text());
    v.plausibleMaxText = FromQ(PlausibleMaxBox->text());
    v.language = static_cast<UiLanguage>(std::max(LanguageBox->currentIndex(), 0));
    return v;
}

void TSetupForm::ShowValues(const SetupFormValues& v) {
    SelectText(ComboBox1, v.portText);
    Memo1->setText(ToQ(v.resolutionText));
    Memo2->setText(ToQ(v.delayText));
    ComboBox4->setCurrentIndex(v.startPin);
    ComboBox5->setCurrentIndex(v.finishPin);
    ComboBox6->setCurrentIndex(v.splitPin1);
    ComboBox7->setCurrentIndex(v.splitPin2);
    CheckBox1->setChecked(v.invert);
    RadioGroup1->SetItemIndex(v.timeFormat);
    TrackBar1->setValue(v.timeOut);
    CheckBox3->setChecked(v.logfile);
    // A device outside the list selects no item and stays readable in the edit field.
    SelectText(ComboBox2, v.commPort);
    if (ComboBox2->currentIndex() < 0) {
        ComboBox2->setEditText(ToQ(v.commPort));
    }
    SelectText(ComboBox3, v.baudRateText);
    Memo3->setText(ToQ(v.readDelayText));
    CheckBox2->setChecked(v.beepOn);
    Memo4->setText(ToQ(v.distanceText));
    FloodCarsBox->setText(ToQ(v.floodCarsText));
    ShortLapBox->setText(ToQ(v.shortLapText));
    PlausibleMinBox->setText(ToQ(v.plausibleMinText));
    PlausibleMaxBox->setText(ToQ(v.plausibleMaxText));
    LanguageBox->setCurrentIndex(static_cast<int>(v.language));
    TrackBar1Change();
    ComboBox2Change();
}

void TSetupForm::TrackBar1Change() {
    const int position = TrackBar1->value();
    const bool limited = position <= kLastTimeOutMinute;
    Label11->setText(limited ? QString::number(position)
                             : QCoreApplication::translate("TSetupForm", "Never"));
    Label13->setVisible(limited);
}

void TSetupForm::ComboBox2Change() {
    UpdateSerialEnabling();
}

void TSetupForm::SetSerialInUse(bool inUse) {
    serialInUse_ = inUse;
    UpdateSerialEnabling();
}

void TSetupForm::UpdateSerialEnabling() {
    ComboBox2->setEnabled(!serialInUse_);
    ComboBox3->setEnabled(!serialInUse_ &&
                          ComboBox2->currentText() != QLatin1String(kNoSerialPort));
}

void TSetupForm::CheckBox2Click() {
    if (loading_) {
        return;  // the load applies everything together
    }
    SetupSettings changed = inForce_;
    changed.beepOn = CheckBox2->isChecked();
    Apply(changed);
}

void TSetupForm::BitBtn1Click() {
    const UiLanguage before = inForce_.language;
    if (!SaveRoutine()) {
        return;  // the operator may try again or cancel
    }
    LoadRoutine();
    if (inForce_.language != before) {
        // Windows are built once, so the new language can only show from the next start.
        // Both languages: the operator may not read the one in force.
        prompter_.Inform(
            this,
            QCoreApplication::translate("TSetupForm",
                                        "言語の変更は次回の起動から有効になります。\n"
                                        "The language changes when the program starts next."),
            windowTitle());
    }
    accept();
}

void TSetupForm::BitBtn2Click() {
    reject();
}

void TSetupForm::reject() {
    LoadRoutine();
    QDialog::reject();
}

void TSetupForm::Apply(const SetupSettings& settings) {
    inForce_ = settings;
    if (apply_) {
        apply_(settings);
    }
}

}  // namespace vantrel
