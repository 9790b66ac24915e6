// The "RS232C" box tells whether the results really go out: with a pseudo-terminal as the
// receiver's cable, a session stop and a cable pulled mid-session show it ticked but not
// sending, and ticking it again (or a write that goes out) shows it sending.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

#include "common/messages.h"
#include "sensors/pty_pair.h"
#include "sensors/receiver_hub.h"
#include "support/manual_timing_fixture.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel::test {
namespace {

class SerialOutputWindowTest : public ManualTimingTest {
protected:
    QCheckBox* Box() { return Find<QCheckBox>("CheckBox2"); }
    bool ShowsSending() { return !IsLabelRed(Box()) && Box()->toolTip().isEmpty(); }
    // One gymkhana run of car 1; its time text as shown.
    std::string OneRun() {
        Pass(Qt::Key_F11);
        Run(2000);
        Pass(Qt::Key_F12);
        return Find<QLineEdit>("Memo104")->text().toStdString();
    }

    PtyPair pty;
};

TEST_F(SerialOutputWindowTest, AStopOrAFailedWriteShowsTheTickedBoxAsNotSending) {
    ASSERT_FALSE(pty.path.empty());
    Open("IoAddress=None\r\nDelay=100\r\nCommPort=" + pty.path + "\r\n");
    EXPECT_TRUE(ShowsSending()) << "unticked, nothing to show";
    Box()->click();
    ASSERT_TRUE(window->Receiver().IsOpen());
    EXPECT_TRUE(ShowsSending());

    // A stop closes the port and leaves the box ticked: it says it is not sending.
    PressAltS();
    Run(30);
    const std::string first = OneRun();
    EXPECT_EQ(pty.Read(first.size() + 1), first + "\r");
    PressAltS();
    ASSERT_TRUE(Box()->isChecked());
    EXPECT_TRUE(IsLabelRed(Box()));
    EXPECT_EQ(Box()->toolTip(), Tr(msg::kSerialPortClosed));
    // Unticked it shows nothing; ticked again it sends.
    Box()->click();
    EXPECT_TRUE(ShowsSending());
    Box()->click();
    ASSERT_TRUE(window->Receiver().IsOpen());
    EXPECT_TRUE(ShowsSending());

    // The cable is pulled: the next result cannot be written, and the box says why.
    PressAltS();
    Run(30);
    pty.CloseMaster();
    OneRun();
    ASSERT_TRUE(Box()->isChecked());
    EXPECT_TRUE(IsLabelRed(Box()));
    const QString failed = Tr(msg::kSerialWriteFailed).arg(QString());
    EXPECT_TRUE(Box()->toolTip().startsWith(failed.left(failed.indexOf(QLatin1Char('(')))))
        << Box()->toolTip().toStdString();
    EXPECT_TRUE(window->SessionRunning()) << "timing goes on";
    PressAltS();
}

}  // namespace
}  // namespace vantrel::test
