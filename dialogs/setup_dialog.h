#pragma once
// TSetupForm, the options dialog "オプション設定": a view over the [Setup] settings of the
// settings file. Every load (creation, each showing, Cancel, after OK) fills the controls
// from the file and hands the settings to the program; OK writes the controls to the file.
// Thread rule: GUI thread only.

#include <QDialog>
#include <filesystem>
#include <functional>

#include "common/setup_settings.h"
#include "dialogs/setup_form_values.h"
#include "web/web_settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace vantrel {

class Prompter;
class RadioGroup;
class UpDown;

class TSetupForm : public QDialog {
    Q_OBJECT
public:
    // Receives the settings in force each time the dialog applies them.
    using ApplyFunction = std::function<void(const SetupSettings&)>;
    using WebApplyFunction = std::function<void(const WebSettings&)>;

    // Loads the settings file at `iniPath` and applies it through `apply` at once.
    TSetupForm(std::filesystem::path iniPath, Prompter& prompter, ApplyFunction apply,
               QWidget* parent = nullptr);

    // Opens the dialog modally; QDialog::Accepted after OK, QDialog::Rejected otherwise.
    int Execute();

    // Fills the controls from the settings file and applies what it holds.
    void LoadRoutine();
    // Writes the controls to the settings file; false (reported to the operator, nothing
    // written) when the plausible time window's minimum lies above its maximum, and false when
    // the file could not be written.
    bool SaveRoutine();
    // The settings last handed to the program.
    const SetupSettings& InForce() const { return inForce_; }

    // Receives the [Web] settings with every load, at once with those in force now.
    void SetWebApply(WebApplyFunction apply);
    const WebSettings& WebInForce() const { return webInForce_; }

    // While the serial port is open for result output its port and speed stay as they are.
    void SetSerialInUse(bool inUse);

    SetupFormValues Values() const;
    void ShowValues(const SetupFormValues& values);

    void TrackBar1Change();
    void ComboBox2Change();
    void CheckBox2Click();
    // OK; when the language was changed, tells the operator (in both languages) that it
    // takes effect at the next start.
    void BitBtn1Click();
    void BitBtn2Click();  // Cancel

    // Controls, under the names the program and the tests know them by.
    QGroupBox* GroupBox1;  // "入力ポート"
    QGroupBox* GroupBox2;  // "シリアルポート"
    QGroupBox* GroupBox3;  // "Soound"
    QGroupBox* GroupBox4;  // "詳細設定"
    QGroupBox* GroupBox5;  // "速度計測"
    QGroupBox* GroupBox6;  // "Web公開"
    QComboBox* ComboBox1;  // input port
    QComboBox* ComboBox2;  // serial port, editable: any device name may be typed
    QComboBox* ComboBox3;  // speed
    QComboBox* ComboBox4;  // start pin
    QComboBox* ComboBox5;  // finish pin
    QComboBox* ComboBox6;  // split 1 pin
    QComboBox* ComboBox7;  // split 2 pin
    QLineEdit* Memo1;      // poll period
    QLineEdit* Memo2;      // OFF delay
    QLineEdit* Memo3;      // announcing wait
    QLineEdit* Memo4;      // sensor distance
    QLineEdit* Memo5;      // web port
    UpDown* UpDown1;
    UpDown* UpDown2;
    UpDown* UpDown3;
    UpDown* UpDown4;
    QCheckBox* CheckBox1;  // inversion
    QCheckBox* CheckBox2;  // beep
    QCheckBox* CheckBox3;  // sensor log
    QCheckBox* CheckBox4;  // serve the results to browsers
    RadioGroup* RadioGroup1;
    QSlider* TrackBar1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;  // time-out value
    QLabel* Label12;
    QLabel* Label13;  // "分"
    QLabel* Label14;
    QLabel* Label15;  // "ポート番号" of the web group
    // The receiver flood limit, in the serial port's group.
    QLabel* FloodCarsLabel;
    QLineEdit* FloodCarsBox;
    UpDown* FloodCarsUpDown;
    // Review marks: the short-lap share and the plausible window of gymkhana and drag times.
    QGroupBox* GroupBox7;  // "結果の確認"
    QLabel* ShortLapLabel;
    QLineEdit* ShortLapBox;
    UpDown* ShortLapUpDown;
    QLabel* PlausibleMinLabel;
    QLineEdit* PlausibleMinBox;
    QLabel* PlausibleMaxLabel;
    QLineEdit* PlausibleMaxBox;
    // The language of the windows, in force from the next start.
    QLabel* LanguageLabel;
    QComboBox* LanguageBox;
    QPushButton* BitBtn1;  // OK
    QPushButton* BitBtn2;  // "Cancel"

protected:
    void showEvent(QShowEvent* event) override;
    // Escape and closing the window act as Cancel.
    void reject() override;

private:
    void BuildWidgets();
    void BuildPortGroups();
    void BuildSoundAndSpeedGroups();
    void BuildDetailGroup();
    void BuildWebGroup();
    void BuildFlagGroup();
    void BuildLanguageRow();
    void ArrangeGroups();
    void ConnectHandlers();
    void UpdateSerialEnabling();
    void Apply(const SetupSettings& settings);

    std::filesystem::path iniPath_;
    Prompter& prompter_;
    ApplyFunction apply_;
    SetupSettings inForce_;
    WebApplyFunction webApply_;
    WebSettings webInForce_;
    bool loading_ = false;
    bool serialInUse_ = false;
};

}  // namespace vantrel
