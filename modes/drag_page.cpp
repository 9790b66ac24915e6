#include "modes/drag_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "app/lamp_images.h"
#include "app/unbuilt_features.h"
#include "app/widget_util.h"

namespace vantrel {

namespace {
constexpr int kSensorColumn = 64;  // the line column keeps this distance from the right edge

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
    MarkIfNotBuilt(SpeedButton200, Feature::kDragTree);
    SpeedButton200->setFocusPolicy(Qt::NoFocus);
    ShowTreeButtonArmed(false);
    GroupBox2 = MakeNamed<QGroupBox>(this, "GroupBox2", QStringLiteral("ｽﾀｰﾄ方式"));
    RadioButton1 = MakeNamed<QRadioButton>(GroupBox2, "RadioButton1", QStringLiteral("Pro"));
    RadioButton2 = MakeNamed<QRadioButton>(GroupBox2, "RadioButton2", QStringLiteral("Stock"));
    RadioButton2->setChecked(true);
    RadioButton1->setGeometry(6, 16, 44, 18);
    RadioButton2->setGeometry(50, 16, 54, 18);

    Memo210 = MakeBox(this, "Memo210");
    Memo205 = MakeBox(this, "Memo205");
    Memo206 = MakeBox(this, "Memo206");
    Memo207 = MakeBox(this, "Memo207");
    Memo208 = MakeBox(this, "Memo208");
    Memo209 = MakeBox(this, "Memo209");
    const char* names[] = {"Car#", "R/T", "0-18", "0-100", "0-200", "0-300"};
    QLineEdit* boxes[] = {Memo210, Memo205, Memo206, Memo207, Memo208, Memo209};
    for (int i = 0; i < 6; ++i) {
        captions_[i] = {new QLabel(QString::fromLatin1(names[i]), this), boxes[i]};
    }
    resultLabel_ = new QLabel(QStringLiteral("ﾘｻﾞﾙﾄ"), this);
    Memo200 = MakeBox(this, "Memo200");
    Memo201 = MakeBox(this, "Memo201");
    Memo201->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Memo202 = MakeBox(this, "Memo202");
    Memo203 = MakeBox(this, "Memo203");

    SignalAmber = MakeSignal(this, "SignalAmber", Lamp::AmberOff);
    SignalGreen = MakeSignal(this, "SignalGreen", Lamp::GreenOff);
    SignalRed = MakeSignal(this, "SignalRed", Lamp::RedOff);

    const char* lineNames[] = {"Amber", "Start", "18m", "100m", "200m", "300m", "Speed", "Finish"};
    const char* labelNames[] = {"Label23", "Label24", "Label25", "Label27",
                                "Label28", "Label29", "Label30", "Label26"};
    for (int i = 0; i < 8; ++i) {
        const QByteArray imageName = "Image" + QByteArray::number(i);
        lineImages[i] = MakeNamed<QLabel>(this, imageName.constData());
        lineImages[i]->setPixmap(LampPixmap(Lamp::Off, 12));
        lineLabels[i] = MakeNamed<QLabel>(this, labelNames[i], QString::fromLatin1(lineNames[i]));
    }
    Relayout(270, 0);
}

void DragPage::ShowTreeButtonArmed(bool armed) {
    SpeedButton200->setText(armed ? QStringLiteral("Abort") : QStringLiteral("Amber ON"));
    SetCaptionColor(SpeedButton200, armed ? QColor(255, 0, 0) : QColor(0, 128, 0));
}

void DragPage::Relayout(int width, int spread) {
    Memo204->setGeometry(4, 6, 36, 20);
    SpeedButton200->setGeometry(44, 4, 76, 24);
    GroupBox2->setGeometry(4, 30, 108, 38);
    SignalAmber->move(120, 42);
    SignalGreen->move(140, 42);
    SignalRed->move(160, 42);
    for (int i = 0; i < 6; ++i) {
        const int x = 4 + (i % 3) * 62;
        const int y = 72 + (i / 3) * 22;
        captions_[i].label->setGeometry(x, y, 32, 20);
        captions_[i].box->setGeometry(x + 32, y, 28, 20);
    }
    const int sensorLeft = width - kSensorColumn + spread / 2;
    for (int i = 0; i < 8; ++i) {
        lineImages[i]->setGeometry(sensorLeft, 4 + i * 16, 12, 12);
        lineLabels[i]->setGeometry(sensorLeft + 15, 2 + i * 16, 46, 16);
    }
    const int resultRight = sensorLeft - 6;
    resultLabel_->setGeometry(4, 118, 30, 20);
    Memo200->setGeometry(36, 118, 30, 20);
    Memo203->setGeometry(resultRight - 46, 118, 46, 20);
    Memo202->setGeometry(resultRight - 96, 118, 48, 20);
    Memo201->setGeometry(68, 118, std::max(resultRight - 96 - 70, 20), 20);
}

}  // namespace vantrel
