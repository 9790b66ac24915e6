#include "modes/circuit_page.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "modes/receiver_codes.h"
#include "widgets/line_list.h"
#include "widgets/up_down.h"
#include "widgets/widget_util.h"

namespace vantrel {

// The texts are looked up under the plain class name "CircuitPage", the context the translation
// files hold (tr() would look under the namespaced name).

CircuitPage::CircuitPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    RadioGroup300 = new RadioGroup(QCoreApplication::translate("CircuitPage", "計測方式"),
                                   {QCoreApplication::translate("CircuitPage", "ﾗｯﾌﾟ計測"),
                                    QCoreApplication::translate("CircuitPage", "同時ｽﾀｰﾄ")},
                                   this);
    RadioGroup300->setObjectName(QStringLiteral("RadioGroup300"));
    RadioGroup301 = new RadioGroup(QCoreApplication::translate("CircuitPage", "入力ﾎﾟｰﾄ"),
                                   {QCoreApplication::translate("CircuitPage", "ｼﾘｱﾙﾎﾟｰﾄ"),
                                    QCoreApplication::translate("CircuitPage", "ﾌﾟﾘﾝﾀﾎﾟｰﾄ")},
                                   this);
    RadioGroup301->setObjectName(QStringLiteral("RadioGroup301"));
    GroupBox1 = MakeNamed<QGroupBox>(this, "GroupBox1",
                                     QCoreApplication::translate("CircuitPage", "受信機設定"));
    Label10 = MakeNamed<QLabel>(GroupBox1, "Label10",
                                QCoreApplication::translate("CircuitPage", "ﾏｽｸ時間(秒)"));
    Memo302 = MakeNamed<QLineEdit>(GroupBox1, "Memo302", QStringLiteral("30"));
    Memo302->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    UpDown2 = new UpDown(Memo302, 1, 60, GroupBox1);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    for (QWidget* w : {static_cast<QWidget*>(Memo302), static_cast<QWidget*>(UpDown2)}) {
        w->setToolTip(QCoreApplication::translate("CircuitPage", "1 to 30 (sec.)"));
    }
    Label10->setGeometry(6, 18, 84, 16);
    Memo302->setGeometry(6, 36, 40, 20);
    UpDown2->setGeometry(46, 36, 16, 20);
    Label11 =
        MakeNamed<QLabel>(this, "Label11", QCoreApplication::translate("CircuitPage", "受信ﾃﾞｰﾀ"));
    Memo300 = new LineList(kReceivedListLines, this);
    Memo300->setObjectName(QStringLiteral("Memo300"));
    Relayout(270, 0);
}

void CircuitPage::Relayout(int width, int spread) {
    RadioGroup300->setGeometry(4, 2, 104, 58);
    RadioGroup301->setGeometry(4, 62, 104, 58);
    GroupBox1->setGeometry(112, 2, 96, 64);
    const int listLeft = 212 + spread;
    Label11->setGeometry(listLeft, 2, width - listLeft - 4, 16);
    Memo300->setGeometry(listLeft, 18, std::max(width - listLeft - 4, 40), 120);
}

}  // namespace vantrel
