// The live results through the windows: the options dialog's switch and port, the status
// bar's address, and a port that is already taken.
#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTimer>

#include "common/text_file.h"
#include "lists/result_list_commands.h"
#include "lists/result_list_controller.h"
#include "support/manual_timing_fixture.h"
#include "web/web_server.h"
#include "web/web_settings.h"

namespace vantrel::test {
namespace {

using WebWindowTest = ManualTimingTest;

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

TEST_F(WebWindowTest, OptionsSwitchTheServerOnAndTheStatusBarShowsTheAddress) {
    Open("IoAddress=None\r\n");
    EXPECT_FALSE(window->Web().Serving());  // off by default
    EXPECT_FALSE(Find<QLabel>("WebStatus")->isVisibleTo(window.get()));
    const quint16 port = FreePort();
    QTimer::singleShot(0, window.get(), [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        FindNamed<QCheckBox>(dialog, "CheckBox4")->setChecked(true);
        FindNamed<QLineEdit>(dialog, "Memo5")->setText(QString::number(port));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(dialog->focusWidget() ? dialog->focusWidget() : dialog, &enter);
    });
    Find<QAction>("ToolSetup")->trigger();
    const std::string ini = ReadBytes(IniPath());
    EXPECT_NE(ini.find("[Web]\r\nEnabled=1\r\nPort=" + std::to_string(port) + "\r\n"),
              std::string::npos);
    ASSERT_TRUE(window->Web().Serving());
    EXPECT_EQ(window->Web().Port(), port);
    const QLabel* status = Find<QLabel>("WebStatus");
    EXPECT_TRUE(status->isVisibleTo(window.get()));
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("http://")));
    EXPECT_TRUE(status->text().endsWith(QStringLiteral(":%1").arg(port)));
    // The address a phone types, not the loopback one, where the machine has one.
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
            EXPECT_FALSE(status->text().contains(QStringLiteral("127.0.0.1")));
        }
    }

    // Switched off again: the server stops and the address goes.
    QTimer::singleShot(0, window.get(), [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(FindNamed<QCheckBox>(dialog, "CheckBox4")->isChecked());
        FindNamed<QCheckBox>(dialog, "CheckBox4")->setChecked(false);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(dialog->focusWidget() ? dialog->focusWidget() : dialog, &enter);
    });
    Find<QAction>("ToolSetup")->trigger();
    EXPECT_FALSE(window->Web().Serving());
    EXPECT_FALSE(status->isVisibleTo(window.get()));
    EXPECT_NE(ReadBytes(IniPath()).find("[Web]\r\nEnabled=0\r\n"), std::string::npos);
}

TEST_F(WebWindowTest, APortInUseIsShownAndTimingGoesOn) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, 0));
    const std::string port = std::to_string(taken.serverPort());
    WriteBytes(IniPath(),
               "[Setup]\r\nIoAddress=None\r\n[Web]\r\nEnabled=1\r\nPort=" + port + "\r\n");
    OpenWindow();
    window->Sensors().SetManualTicks(true);
    EXPECT_FALSE(window->Web().Serving());
    const QString text = Find<QLabel>("WebStatus")->text();
    EXPECT_TRUE(text.contains(
        QStringLiteral("ポート %1 で Web公開を開始できません").arg(QString::fromStdString(port))))
        << text.toStdString();
    EXPECT_TRUE(prompter.Calls().empty());  // no box in the way
    // A run is timed as ever.
    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);
    Run(5000);
    Pass(Qt::Key_F12);
    EXPECT_FALSE(Find<QLineEdit>("Memo104")->text().isEmpty());
    Key(Qt::Key_S, true, Qt::AltModifier);
}

TEST_F(WebWindowTest, EachBookingIsPublishedAndAClearedListForgetsTheLastResult) {
    Open("IoAddress=None\r\n");
    window->ApplyWebSettings(WebSettings{true, 0});
    ASSERT_TRUE(window->Web().Serving());
    const uint64_t first = window->Web().Latest()->sequence;
    PressAltS();
    Run(30);
    Pass(Qt::Key_F11);
    QApplication::processEvents();
    ASSERT_EQ(window->Web().Latest()->course.size(), 1u);  // the car on course
    Run(5000);
    Pass(Qt::Key_F12);
    QApplication::processEvents();
    LiveSnapshotPtr shown = window->Web().Latest();
    EXPECT_GT(shown->sequence, first);
    ASSERT_TRUE(shown->last.has_value());
    EXPECT_EQ(shown->last->time, Find<QLineEdit>("Memo104")->text().toStdString());
    EXPECT_EQ(shown->resultCount, 1);
    EXPECT_TRUE(shown->course.empty());
    Key(Qt::Key_S, true, Qt::AltModifier);
    window->ResultList()->Commands().Clear();
    QApplication::processEvents();
    shown = window->Web().Latest();
    EXPECT_FALSE(shown->last.has_value());
    EXPECT_EQ(shown->resultCount, 0);
}

}  // namespace
}  // namespace vantrel::test
