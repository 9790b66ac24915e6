#include "modes/drag_page.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "widgets/lamp_images.h"
#include "widgets/widget_util.h"

namespace vantrel {

// The texts are looked up under the plain class name "DragPage", the context the translation
// files hold (tr() would look under the namespaced name).

namespace {
constexpr int kSensorLeft = 204;  // the line column at the narrowest tab; it moves by the spread
constexpr int kLinePitch = 15;
constexpr int kTimeWidth = 50;   // room for "88.888"
constexpr int kSpeedWidth = 58;  // room for "888.888"

QLabel* MakeSignal(QWidget* parent, const char* name, Lamp lamp) {
    auto* signal = MakeNamed<QLabel>(parent, name);
    signal->setPixmap(LampPixmap(lamp, 18));
    signal->setFixedSize(18, 18);
    return signal;
}

void SetCaptionColor(QPushButton* button, const QColor& color) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, color);
    button->setPalette(palette);
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
}
}  // namespace

DragPage::DragPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
    Memo204 = MakeNamed<QLineEdit>(this, "Memo204", QStringLiteral("1"));
    Memo204->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SpeedButton200 = MakeNamed<QPushButton>(this, "SpeedButton200");
    SpeedButton200->setCheckable(true);
    SpeedButton200->setEnabled(false);
    SpeedButton200->setFocusPolicy(Qt::NoFocus);
    ShowTreeButtonArmed(false);
    GroupBox2 = MakeNamed<QGroupBox>(this, "GroupBox2",
                                     QCoreApplication::translate("DragPage", "ｽﾀｰﾄ方式"));
    RadioButton1 = MakeNamed<QRadioButton>(GroupBox2, "RadioButton1",
                                           QCoreApplication::translate("DragPage", "Pro"));
    RadioButton2 = MakeNamed<QRadioButton>(GroupBox2, "RadioButton2",
                                           QCoreApplication::translate("DragPage", "Stock"));
    RadioButton2->setChecked(true);

    Memo210 = MakeBox(this, "Memo210");
    Memo205 = MakeBox(this, "Memo205");
    Memo206 = MakeBox(this, "Memo206");
    Memo207 = MakeBox(this, "Memo207");
    Memo208 = MakeBox(this, "Memo208");
    Memo209 = MakeBox(this, "Memo209");
    const char* names[] = {
        QT_TRANSLATE_NOOP("DragPage", "Car#"),  QT_TRANSLATE_NOOP("DragPage", "R/T"),
        QT_TRANSLATE_NOOP("DragPage", "0-18"),  QT_TRANSLATE_NOOP("DragPage", "0-100"),
        QT_TRANSLATE_NOOP("DragPage", "0-200"), QT_TRANSLATE_NOOP("DragPage", "0-300")};
    QLineEdit* boxes[] = {Memo210, Memo205, Memo206, Memo207, Memo208, Memo209};
    for (int i = 0; i < 6; ++i) {
        captions_[i] = {new QLabel(QCoreApplication::translate("DragPage", names[i]), this),
                        boxes[i]};
    }
    resultLabel_ = new QLabel(QCoreApplication::translate("DragPage", "ﾘｻﾞﾙﾄ"), this);
    Memo200 = MakeBox(this, "Memo200");
    Memo201 = MakeBox(this, "Memo201");
    Memo201->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Memo202 = MakeBox(this, "Memo202");
    Memo203 = MakeBox(this, "Memo203");

    SignalAmber = MakeSignal(this, "SignalAmber", Lamp::kAmberOff);
    SignalGreen = MakeSignal(this, "SignalGreen", Lamp::kGreenOff);
    SignalRed = MakeSignal(this, "SignalRed", Lamp::kRedOff);

    const char* lineNames[] = {
        QT_TRANSLATE_NOOP("DragPage", "Amber"), QT_TRANSLATE_NOOP("DragPage", "Start"),
        QT_TRANSLATE_NOOP("DragPage", "18m"),   QT_TRANSLATE_NOOP("DragPage", "100m"),
        QT_TRANSLATE_NOOP("DragPage", "200m"),  QT_TRANSLATE_NOOP("DragPage", "300m"),
        QT_TRANSLATE_NOOP("DragPage", "Speed"), QT_TRANSLATE_NOOP("DragPage", "Finish")};
    const char* labelNames[] = {"Label23", "Label24", "Label25", "Label27",
                                "Label28", "Label29", "Label30", "Label26"};
    for (int i = 0; i < 8; ++i) {
        const QByteArray imageName = "Image" + QByteArray::number(i);
        lineImages[i] = MakeNamed<QLabel>(this, imageName.constData());
        lineImages[i]->setPixmap(LampPixmap(Lamp::kOff, 12));
        lineLabels[i] = MakeNamed<QLabel>(this, labelNames[i],
                                          QCoreApplication::translate("DragPage", lineNames[i]));
    }
    Relayout(270, 0);
}

void DragPage::ShowTreeButtonArmed(bool armed) {
    SpeedButton200->setText(armed ? QCoreApplication::translate("DragPage", "Abort")
                                  : QCoreApplication::translate("DragPage", "Amber ON"));
    SetCaptionColor(SpeedButton200, armed ? QColor(255, 0, 0) : QColor(0, 128, 0));
}

void DragPage::Relayout(int width, int spread) {
    const int sensorLeft = kSensorLeft + spread;
    for (int i = 0; i < 8; ++i) {
        lineImages[i]->setGeometry(sensorLeft, 1 + i * kLinePitch + 1, 12, 12);
        lineLabels[i]->setGeometry(sensorLeft + 15, i * kLinePitch, 42, kLinePitch);
    }
    const int right = sensorLeft - 6;  // of the controls left of the line column

    // Car number and tree button; beside them the start method, its choices one under the other.
    Memo204->setGeometry(4, 3, 34, 20);
    SpeedButton200->setGeometry(42, 1, 80, 24);
    GroupBox2->setGeometry(124, 0, right - 124, 56);
    RadioButton1->setGeometry(6, 16, GroupBox2->width() - 10, 18);
    RadioButton2->setGeometry(6, 35, GroupBox2->width() - 10, 18);
    // The run's car and the tree lamps, then R/T and 0-18 on one row.
    captions_[0].label->setGeometry(4, 30, 32, 20);
    Memo210->setGeometry(36, 30, 32, 20);
    SignalAmber->move(70, 31);
    SignalGreen->move(88, 31);
    SignalRed->move(106, 31);
    captions_[1].label->setGeometry(4, 58, 24, 20);
    Memo205->setGeometry(28, 58, kTimeWidth, 20);
    captions_[2].label->setGeometry(84, 58, 30, 20);
    Memo206->setGeometry(114, 58, kTimeWidth, 20);
    // 0-100, 0-200 and 0-300 with their captions above them.
    const int pitch = std::min((right - 2) / 3, 90);
    for (int i = 3; i < 6; ++i) {
        const int x = 4 + (i - 3) * pitch;
        captions_[i].label->setGeometry(x, 80, pitch - 2, 14);
        captions_[i].label->setAlignment(Qt::AlignCenter);
        captions_[i].box->setGeometry(x, 94, pitch - 2, 20);
    }
    // The last result across the page, below the line column.
    const int labelWidth = resultLabel_->sizeHint().width();
    const int end = width - 2;
    resultLabel_->setGeometry(4, 120, labelWidth, 20);
    Memo200->setGeometry(labelWidth + 6, 120, 34, 20);
    Memo203->setGeometry(end - kSpeedWidth, 120, kSpeedWidth, 20);
    Memo202->setGeometry(end - kSpeedWidth - 2 - kTimeWidth, 120, kTimeWidth, 20);
    const int nameLeft = labelWidth + 42;
    Memo201->setGeometry(nameLeft, 120, std::max(Memo202->x() - 2 - nameLeft, 20), 20);
}

}  // namespace vantrel
