#include "modes/gymkhana_page.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>

#include "widgets/lamp_images.h"
#include "widgets/widget_util.h"

namespace vantrel {

// The texts are looked up under the plain class name "GymkhanaPage", the context the translation
// files hold (tr() would look under the namespaced name).

namespace {
constexpr int kRightColumn = 60;  // the lamp column keeps this distance from the right edge
constexpr int kQueueWidth = 32;   // room for "199"
constexpr int kQueuePitch = 33;
constexpr int kMarkWidth = 10;
constexpr int kCourseWidth = 46;
constexpr int kCoursePitch = 51;

QLabel* MakeLamp(QWidget* parent, const char* name) {
    auto* lamp = MakeNamed<QLabel>(parent, name);
    lamp->setPixmap(LampPixmap(Lamp::kOff));
    lamp->setFixedSize(14, 14);
    return lamp;
}

QComboBox* MakePassCombo(QWidget* parent, const char* name) {
    auto* combo = MakeNamed<QComboBox>(parent, name);
    for (int i = 1; i <= 9; ++i) {
        combo->addItem(QString::number(i));
    }
    return combo;
}
}  // namespace

GymkhanaPage::GymkhanaPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));
    BuildStartList();
    BuildCourse();
    BuildLamps();
    BuildResult();
    Relayout(270, 0);
}

void GymkhanaPage::BuildStartList() {
    startListLabel_ =
        new QLabel(QCoreApplication::translate("GymkhanaPage", "スタートリスト"), this);
    Memo114 = MakeNamed<QLineEdit>(this, "Memo114", QStringLiteral("1"));
    Memo114->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetEditingColor(Memo114, true);  // the next-number box is always typed into
    BitBtn2 = MakeNamed<QPushButton>(this, "BitBtn2");
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    BitBtn2->setEnabled(false);
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    Memo100 = MakeBox(this, "Memo100", QStringLiteral("0"));
    Memo111 = MakeBox(this, "Memo111", QStringLiteral("0"));
    Memo112 = MakeBox(this, "Memo112", QStringLiteral("0"));
    Memo113 = MakeBox(this, "Memo113", QStringLiteral("0"));
    startBoxes = {Memo100, Memo111, Memo112, Memo113};
    const char* marks[] = {"1", "2", "3", "4"};
    for (int i = 0; i < 4; ++i) {
        queueMarks_[i] = new QLabel(QString::fromLatin1(marks[i]), this);
        queueMarks_[i]->setAlignment(Qt::AlignCenter);
        startBoxes[i]->setContextMenuPolicy(Qt::CustomContextMenu);
    }
    StartPopup = MakeNamed<QMenu>(this, "StartPopup");
    StartClear = StartPopup->addAction(QCoreApplication::translate("GymkhanaPage", "削除"));
    StartClear->setObjectName(QStringLiteral("StartClear"));
}

void GymkhanaPage::BuildCourse() {
    courseLabel_ = new QLabel(QCoreApplication::translate("GymkhanaPage", "アタック中"), this);
    Memo120 = MakeBox(this, "Memo120");
    Memo107 = MakeBox(this, "Memo107");
    Memo102 = MakeBox(this, "Memo102");
    Memo101 = MakeBox(this, "Memo101");
    Memo121 = MakeBox(this, "Memo121", QStringLiteral("--:--"));
    Memo108 = MakeBox(this, "Memo108", QStringLiteral("--:--"));
    Memo106 = MakeBox(this, "Memo106", QStringLiteral("--:--"));
    Memo105 = MakeBox(this, "Memo105", QStringLiteral("--:--"));
    // The car box's Tag: the position in the on-course record (4 = longest on course).
    Memo120->setProperty("Tag", 4);
    Memo107->setProperty("Tag", 3);
    Memo102->setProperty("Tag", 2);
    Memo101->setProperty("Tag", 1);
    const char* marks[] = {"I", "II", "III", "IV"};
    for (int i = 0; i < 4; ++i) {
        positionMarks_[i] = new QLabel(QString::fromLatin1(marks[i]), this);
        positionMarks_[i]->setAlignment(Qt::AlignCenter);
    }
    for (QLineEdit* box :
         {Memo120, Memo107, Memo102, Memo101, Memo121, Memo108, Memo106, Memo105}) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
    }
    AttackPopup = MakeNamed<QMenu>(this, "AttackPopup");
    Pilontouch11 =
        AttackPopup->addAction(QCoreApplication::translate("GymkhanaPage", "ﾊﾟｲﾛﾝﾀｯﾁ +1"));
    Pilontouch11->setObjectName(QStringLiteral("Pilontouch11"));
    Pilontouch12 =
        AttackPopup->addAction(QCoreApplication::translate("GymkhanaPage", "ﾊﾟｲﾛﾝﾀｯﾁ -1"));
    Pilontouch12->setObjectName(QStringLiteral("Pilontouch12"));
    Misscourse1 = AttackPopup->addAction(QCoreApplication::translate("GymkhanaPage", "ﾐｽｺｰｽ"));
    Misscourse1->setObjectName(QStringLiteral("Misscourse1"));
    Clearpenalty1 =
        AttackPopup->addAction(QCoreApplication::translate("GymkhanaPage", "ﾍﾟﾅﾙﾃｨのｸﾘｱ"));
    Clearpenalty1->setObjectName(QStringLiteral("Clearpenalty1"));
    AttackPopup->addSeparator();
    Clear1 = AttackPopup->addAction(QCoreApplication::translate("GymkhanaPage", "削除"));
    Clear1->setObjectName(QStringLiteral("Clear1"));
}

void GymkhanaPage::BuildLamps() {
    StartLed = MakeLamp(this, "StartLed");
    FinishLed = MakeLamp(this, "FinishLed");
    SplitLed1 = MakeLamp(this, "SplitLed1");
    SplitLed2 = MakeLamp(this, "SplitLed2");
    Label2 =
        MakeNamed<QLabel>(this, "Label2", QCoreApplication::translate("GymkhanaPage", "Start"));
    Label3 =
        MakeNamed<QLabel>(this, "Label3", QCoreApplication::translate("GymkhanaPage", "Finish"));
    Label20 =
        MakeNamed<QLabel>(this, "Label20", QCoreApplication::translate("GymkhanaPage", "Split1"));
    Label21 =
        MakeNamed<QLabel>(this, "Label21", QCoreApplication::translate("GymkhanaPage", "Split2"));
    ComboBox100 = MakePassCombo(this, "ComboBox100");
    ComboBox101 = MakePassCombo(this, "ComboBox101");
    Memo115 = MakeBox(this, "Memo115");
    Memo116 = MakeBox(this, "Memo116");
    Memo115->hide();
    Memo116->hide();
}

void GymkhanaPage::BuildResult() {
    resultLabel_ = new QLabel(QCoreApplication::translate("GymkhanaPage", "リザルト"), this);
    Memo103 = MakeBox(this, "Memo103");
    Memo110 = MakeBox(this, "Memo110");
    Memo110->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Memo104 = MakeBox(this, "Memo104");
}

void GymkhanaPage::Relayout(int width, int spread) {
    Memo114->setGeometry(4, 18, 32, 20);
    BitBtn2->setGeometry(38, 18, 24, 20);
    const int right = width - kRightColumn;
    for (int i = 0; i < 4; ++i) {
        // Place 1 (starts next) rightmost, next to the lamp column; place 4 leftmost. The place
        // marks sit over the right end of their boxes, clear of the list's title.
        const int x = right - 4 - kQueueWidth - i * kQueuePitch;
        startBoxes[i]->setGeometry(x, 18, kQueueWidth, 20);
        queueMarks_[i]->setGeometry(x + kQueueWidth - kMarkWidth, 2, kMarkWidth, 16);
    }
    const int titleWidth = startListLabel_->sizeHint().width();
    startListLabel_->setGeometry(4, 2, titleWidth, 16);

    courseLabel_->setGeometry(4, 40, 90, 16);
    QLineEdit* cars[] = {Memo120, Memo107, Memo102, Memo101};
    QLineEdit* clocks[] = {Memo121, Memo108, Memo106, Memo105};
    for (int i = 0; i < 4; ++i) {
        const int x = 4 + i * (kCoursePitch + spread);
        positionMarks_[i]->setGeometry(x, 56, kCourseWidth, 14);
        cars[i]->setGeometry(x, 70, kCourseWidth, 20);
        clocks[i]->setGeometry(x, 92, kCourseWidth, 20);
    }

    StartLed->move(right, 4);
    Label2->setGeometry(right + 17, 2, 44, 16);
    ComboBox100->setGeometry(right, 19, 36, 20);
    Memo115->setGeometry(right + 38, 19, 20, 20);
    FinishLed->move(right, 44);
    Label3->setGeometry(right + 17, 42, 44, 16);
    ComboBox101->setGeometry(right, 59, 36, 20);
    Memo116->setGeometry(right + 38, 59, 20, 20);
    SplitLed1->move(right, 84);
    Label20->setGeometry(right + 17, 82, 44, 16);
    SplitLed2->move(right, 102);
    Label21->setGeometry(right + 17, 100, 44, 16);

    const int labelWidth = resultLabel_->sizeHint().width();
    resultLabel_->setGeometry(4, 120, labelWidth, 20);
    Memo103->setGeometry(labelWidth + 6, 120, 32, 20);
    const int timeWidth = 74;
    const int nameLeft = labelWidth + 40;
    Memo110->setGeometry(nameLeft, 120, width - nameLeft - timeWidth - 10, 20);
    Memo104->setGeometry(width - timeWidth - 6, 120, timeWidth, 20);
}

void GymkhanaPage::ShowPassCountBoxes() {
    Memo115->setVisible(ComboBox100->currentIndex() > 0);
    Memo116->setVisible(ComboBox101->currentIndex() > 0);
}

}  // namespace vantrel
