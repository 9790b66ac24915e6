#include "app/clock_panel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "common/messages.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

ClockPanel::ClockPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel5"));
    setFrameShape(QFrame::StyledPanel);
    SpeedButton1 = MakeNamed<QPushButton>(this, "SpeedButton1", Tr(msg::kStartCaption));
    SpeedButton1->setCheckable(true);
    // Alt+S belongs to the window's key handler, which toggles the button and runs its click
    // at once; the caption's own mnemonic would click it a moment later instead.
    SpeedButton1->setShortcut(QKeySequence());
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    QFont bold = SpeedButton1->font();
    bold.setBold(true);
    SpeedButton1->setFont(bold);
    QPalette green = SpeedButton1->palette();
    green.setColor(QPalette::ButtonText, QColor(0, 128, 0));
    SpeedButton1->setPalette(green);

    Label18 =
        MakeNamed<QLabel>(this, "Label18", QCoreApplication::translate("ClockPanel", "経過時間"));
    Label18->setAlignment(Qt::AlignCenter);
    Memo301 = MakeBox(this, "Memo301", QStringLiteral("00:00:00"));
    Memo301->setAlignment(Qt::AlignCenter);
    QFont clockFont = Memo301->font();
    clockFont.setBold(true);
    clockFont.setPointSize(10);
    Memo301->setFont(clockFont);
    QPalette blue = Memo301->palette();
    blue.setColor(QPalette::Text, QColor(0, 0, 255));
    Memo301->setPalette(blue);

    Label19 =
        MakeNamed<QLabel>(this, "Label19", QCoreApplication::translate("ClockPanel", "中間タイム"));
    Label19->setAlignment(Qt::AlignCenter);
    Memo304 = MakeBox(this, "Memo304");
    Memo303 = MakeBox(this, "Memo303", QStringLiteral("--:--:--"));
    CheckBox1 = MakeNamed<QCheckBox>(this, "CheckBox1",
                                     QCoreApplication::translate("ClockPanel", "読み上げ"));
    Relayout(89);
}

void ClockPanel::Relayout(int width) {
    const int inner = std::clamp(width - 8, 40, 160);
    const int left = (width - inner) / 2;
    SpeedButton1->setGeometry(left, 6, inner, 30);
    Label18->setGeometry(left, 40, inner, 16);
    Memo301->setGeometry(left, 56, inner, 22);
    Label19->setGeometry(left, 82, inner, 16);
    // The split's car above its time, so that "00:00.000" fits the narrowest panel.
    Memo304->setGeometry(left, 98, std::min(36, inner), 20);
    Memo303->setGeometry(left, 120, inner, 20);
    CheckBox1->setGeometry(left, 144, inner, 20);
}

void ClockPanel::ShowSplitDisplay(bool visible) {
    Label19->setVisible(visible);
    Memo303->setVisible(visible);
    Memo304->setVisible(visible);
}

}  // namespace vantrel
