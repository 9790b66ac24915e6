// The options dialog's layout in each language: every control readable, none on top of
// another. With VANTREL_SCREENSHOT_DIR set the dialog is also saved there as
// setup-dialog-<language>.png.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <algorithm>
#include <cstdlib>

#include "setup_dialog_fixture.h"
#include "support/language_fixture.h"
#include "support/layout_check.h"
#include "widgets/up_down.h"

namespace vantrel::test {
namespace {

QList<QWidget*> Controls(QWidget* form) {
    QList<QWidget*> controls;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QSlider*>(w) ||
                             qobject_cast<UpDown*>(w) || qobject_cast<QAbstractButton*>(w);
        // Parts of composite controls (a combo's edit field, the spin arrows) are not
        // separate controls.
        const bool part =
            qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<UpDown*>(w->parentWidget());
        if (control && !part && w->isVisibleTo(form)) {
            controls << w;
        }
    }
    return controls;
}

using SetupDialogLookTest = InEachLanguage<SetupDialogTest>;

TEST_P(SetupDialogLookTest, ControlsDoNotOverlapAndTextsFit) {
    WriteSetup("TimeOut=30\r\n");
    Open();
    form->show();
    QApplication::processEvents();
    const QList<QWidget*> controls = Controls(form.get());
    ASSERT_GT(controls.size(), 30);
    for (const char* name :
         {"ShortLapBox", "ShortLapUpDown", "PlausibleMinBox", "PlausibleMaxBox", "FloodCarsBox"}) {
        EXPECT_TRUE(std::any_of(controls.begin(), controls.end(),
                                [name](const QWidget* w) { return w->objectName() == name; }))
            << name << " is not among the controls checked";
    }
    for (int i = 0; i < controls.size(); ++i) {
        const QRect a(controls[i]->mapTo(form.get(), QPoint(0, 0)), controls[i]->size());
        EXPECT_TRUE(form->rect().contains(a)) << controls[i]->objectName().toStdString();
        for (int j = i + 1; j < controls.size(); ++j) {
            const QRect b(controls[j]->mapTo(form.get(), QPoint(0, 0)), controls[j]->size());
            EXPECT_FALSE(a.intersects(b)) << controls[i]->objectName().toStdString() << " / "
                                          << controls[j]->objectName().toStdString();
        }
        if (auto* label = qobject_cast<QLabel*>(controls[i])) {
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->objectName().toStdString();
        }
    }
    // The check every window shares: texts of buttons, boxes and groups fit too.
    const QStringList faults = LayoutFaults(form.get());
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    if (const char* out = std::getenv("VANTREL_SCREENSHOT_DIR")) {
        form->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/setup-dialog-") +
                          QString::fromStdString(LanguageName({GetParam(), 0})) +
                          QStringLiteral(".png"));
    }
    form->hide();
}

VANTREL_IN_EACH_LANGUAGE(SetupDialogLookTest);

}  // namespace
}  // namespace vantrel::test
