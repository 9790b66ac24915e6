// Controls of features that are not built yet stay disabled and say so, whatever the session
// and the mode changes do to the controls around them.
#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include "reports/record_window.h"
#include "support/main_window_fixture.h"
#include "widgets/unbuilt_features.h"

namespace vantrel::test {
namespace {

const QString kNotYet = QStringLiteral("この機能はまだ使えません");

class UnbuiltFeaturesTest : public MainWindowTest {
protected:
    void PressAltS() {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
        QApplication::sendEvent(Find<QTableView>("StringGrid1"), &event);
    }
    // Each control is disabled with a tooltip naming its feature.
    void ExpectAllNotUsable(const char* when) {
        for (const char* name : {"HelpAbout"}) {
            auto* action = Find<QAction>(name);
            EXPECT_FALSE(action->isEnabled()) << name << " " << when;
            EXPECT_TRUE(action->toolTip().startsWith(kNotYet)) << name << " " << when;
        }
        for (const char* name : {"CheckBox2"}) {
            auto* control = Find<QWidget>(name);
            EXPECT_FALSE(control->isEnabled()) << name << " " << when;
            EXPECT_TRUE(control->toolTip().startsWith(kNotYet)) << name << " " << when;
        }
    }
};

TEST_F(UnbuiltFeaturesTest, StayDisabledThroughSessionsAndModeChanges) {
    for (Feature f : {Feature::kAbout, Feature::kSerialOutput}) {
        EXPECT_FALSE(FeatureBuilt(f));
        EXPECT_TRUE(NotBuiltTip(f).size() > kNotYet.size() + 2);
    }
    OpenWindow();
    ExpectAllNotUsable("at first show");
    // The menus show the tooltip of a disabled item.
    EXPECT_TRUE(Find<QMenu>("File1")->toolTipsVisible());
    EXPECT_TRUE(Find<QMenu>("Help1")->toolTipsVisible());
    EXPECT_TRUE(Find<QMenu>("Grid2Popup")->toolTipsVisible());

    PressAltS();
    ASSERT_TRUE(window->SessionRunning());
    ExpectAllNotUsable("during a session");
    // A disabled command ignores a direct trigger.
    int shown = 0;
    QObject::connect(Find<QAction>("HelpAbout"), &QAction::triggered, [&shown] { ++shown; });
    Find<QAction>("HelpAbout")->trigger();
    EXPECT_EQ(shown, 0);
    PressAltS();
    ASSERT_FALSE(window->SessionRunning());
    ExpectAllNotUsable("after the session");

    auto* tabs = Find<QTabWidget>("PageControl1");
    for (int tab : {1, 2, 0}) {
        tabs->setCurrentIndex(tab);
        ASSERT_EQ(static_cast<int>(window->State().currentMode), tab);
        PressAltS();
        PressAltS();
        ExpectAllNotUsable("after a mode change and a session");
    }
    for (int page : {1, 2, 0}) {
        window->Record().PageControl1->setCurrentIndex(page);
    }
    ExpectAllNotUsable("after the record window's page changes");
}

}  // namespace
}  // namespace vantrel::test
