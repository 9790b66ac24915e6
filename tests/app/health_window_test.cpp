// The device health window and the timing self-test through the main window: every device
// has its row, counts change live, the warning place opens the window; the self-test refuses
// a running session, runs shortened on a simulated source, saves its figures and can be
// cancelled; both windows keep their layout at the smallest and a large size, in Japanese and
// in English.
#include <gtest/gtest.h>

#include <QAction>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTcpSocket>
#include <QtTest/QTest>

#include "app/device_health_window.h"
#include "app/sensor_warning_panel.h"
#include "app/timing_self_test_dialog.h"
#include "common/text_file.h"
#include "journal/list_journal.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"
#include "support/ui_language_param.h"
#include "web/web_server.h"
#include "web/web_settings.h"

namespace vantrel::test {
namespace {

constexpr const char* kRows[] = {"HealthParallelPort", "HealthUsbAdapter", "HealthReceiver",
                                 "HealthSound",        "HealthJournal",    "HealthWeb"};
constexpr const char* kDevices[] = {"パラレルポート",   "USBアダプター", "受信機",
                                    "サウンドデバイス", "ジャーナル",    "Webサーバー"};

class HealthWindowTest : public MainWindowTest {
protected:
    DeviceHealthWindow* Health() const {
        return window->findChild<DeviceHealthWindow*>(QStringLiteral("DeviceHealthWindow"));
    }
    TimingSelfTestDialog* SelfTest() const {
        return window->findChild<TimingSelfTestDialog*>(QStringLiteral("TimingSelfTestDialog"));
    }
    // The row named `name`, found by its name and not by its place.
    int RowOf(const char* name) const {
        QTableWidget* grid = Health()->HealthGrid;
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (grid->item(row, 0)->data(Qt::UserRole).toString() == QLatin1String(name)) {
                return row;
            }
        }
        return -1;
    }
    QString Cell(const char* name, int column) const {
        return Health()->HealthGrid->item(RowOf(name), column)->text();
    }
    void SaveShot(QWidget* w, const char* name, QSize size, UiLanguage language) {
        if (const QString out = ShotFolder(language); !out.isEmpty()) {
            w->grab().save(QStringLiteral("%1/%2-%3x%4.png")
                               .arg(out, QString::fromLatin1(name))
                               .arg(size.width())
                               .arg(size.height()));
        }
    }
};

TEST_F(HealthWindowTest, ListsEveryDeviceAndFollowsItsCountsLive) {
    OpenWindow();
    ASSERT_NE(Health(), nullptr);
    EXPECT_FALSE(Health()->isVisible());
    Find<QAction>("ToolHealth")->trigger();
    EXPECT_TRUE(Health()->isVisible());
    for (int i = 0; i < 6; ++i) {
        const int row = RowOf(kRows[i]);
        ASSERT_GE(row, 0) << kRows[i];
        EXPECT_EQ(Cell(kRows[i], 0), QString::fromUtf8(kDevices[i]));
        EXPECT_FALSE(Cell(kRows[i], 1).isEmpty()) << kRows[i];
        EXPECT_EQ(Cell(kRows[i], 2).size(), 8) << "HH:MM:SS";
    }
    EXPECT_EQ(Cell("HealthWeb", 1), QStringLiteral("停止"));
    EXPECT_EQ(Cell("HealthReceiver", 1), QStringLiteral("閉じています"));

    // The web server starts and serves a page: the timer shows it without being asked.
    WebSettings web;
    web.enabled = true;
    web.port = 0;
    window->ApplyWebSettings(web);
    QTRY_VERIFY(Cell("HealthWeb", 1).startsWith(QStringLiteral("公開中 ポート ")));
    EXPECT_EQ(Cell("HealthWeb", 4), QStringLiteral("0"));
    QTcpSocket client;
    client.connectToHost(QStringLiteral("127.0.0.1"), window->Web().Port());
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write("GET / HTTP/1.0\r\n\r\n");
    QTRY_VERIFY(client.bytesAvailable() > 0 || client.state() != QAbstractSocket::ConnectedState);
    const uint64_t sent = window->Web().Counters().bytesSent.load();
    EXPECT_GT(sent, 0u);
    QTRY_COMPARE(Cell("HealthWeb", 4), QString::number(sent));
}

TEST_F(HealthWindowTest, TheJournalRowShowsWhatTheWriterMadeDurable) {
    journalFolder = dir / "journal";
    OpenWindow();
    const JournalWriter& writer = window->Journal().Writer();
    QTRY_VERIFY(writer.RecordsDurable() > 0);
    QTRY_COMPARE(Cell("HealthJournal", 3), QString::number(writer.RecordsDurable()));
    QTRY_COMPARE(Cell("HealthJournal", 4), QString::number(writer.BytesDurable()));
    EXPECT_GT(writer.BytesDurable(), 0u);
    EXPECT_LE(writer.BytesDurable(), std::filesystem::file_size(window->Journal().Path()));
    EXPECT_EQ(Cell("HealthJournal", 5), QStringLiteral("0"));
    EXPECT_EQ(Cell("HealthJournal", 1),
              QStringLiteral("記録中 ") +
                  QString::fromStdString(window->Journal().Path().filename().string()));
}

TEST_F(HealthWindowTest, AClickOnTheWarningPlaceOpensTheHealthWindow) {
    OpenWindow();
    auto* warnings = Find<SensorWarningPanel>("SensorWarning");
    warnings->Set(SensorWarning::kJournal, QStringLiteral("ジャーナルに書き込めません"));
    ASSERT_TRUE(warnings->isVisible());
    EXPECT_FALSE(Health()->isVisible());
    QTest::mouseClick(warnings, Qt::LeftButton);
    EXPECT_TRUE(Health()->isVisible());
}

TEST_F(HealthWindowTest, SelfTestRefusesARunningSessionAndRunsShortenedOtherwise) {
    OpenWindow();
    TimingSelfTestDialog* dialog = SelfTest();
    ASSERT_NE(dialog, nullptr);
    window->State().running = true;
    Find<QAction>("ToolTimingTest")->trigger();
    EXPECT_FALSE(dialog->Running());
    ASSERT_EQ(prompter.CallsOf(PromptCall::kWarn).size(), 1u);
    EXPECT_EQ(
        prompter.CallsOf(PromptCall::kWarn)[0].text,
        QStringLiteral("セッション中はタイミング診断を実行できません。セッションを停止してから"
                       "実行してください"));
    window->State().running = false;
    dialog->close();

    // No parallel port here: the test runs on a simulated source.
    dialog->SetSeconds(1.0);
    ASSERT_TRUE(dialog->StartTest());
    EXPECT_TRUE(dialog->Running());
    EXPECT_FALSE(dialog->StartButton->isEnabled());
    EXPECT_TRUE(dialog->CancelButton->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 30000);
    EXPECT_EQ(dialog->SelfTestProgress->value(), 100);
    const std::vector<std::string>& report = dialog->ReportLines();
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back().rfind("このPCは 3 ms の計時を保てます: ", 0), 0u) << report.back();
    EXPECT_TRUE(dialog->ReportText->toPlainText().contains(QStringLiteral("刻時誤差 (ms)")));
    EXPECT_TRUE(dialog->ReportText->toPlainText().contains(QStringLiteral("リアルタイム優先度")));

    const std::filesystem::path file = dir / "selftest.txt";
    prompter.AnswerFile(QString::fromStdString(file.string()));
    ASSERT_TRUE(dialog->SaveButton->isEnabled());
    dialog->SaveButton->click();
    std::vector<std::string> saved;
    ASSERT_TRUE(ReadCp932Lines(file, saved));
    EXPECT_EQ(saved, report);
}

TEST_F(HealthWindowTest, ACancelledSelfTestSaysSoAndFreesTheWindow) {
    OpenWindow();
    TimingSelfTestDialog* dialog = SelfTest();
    dialog->SetSeconds(600.0);
    ASSERT_TRUE(dialog->StartTest());
    QTest::qWait(100);  // a few busy slices, the window still answering
    EXPECT_FALSE(dialog->CloseButton->isEnabled());
    dialog->CancelButton->click();
    EXPECT_FALSE(dialog->Running());
    EXPECT_EQ(dialog->ReportLines().back(), "診断は中止されました");
    EXPECT_TRUE(dialog->StartButton->isEnabled());
    EXPECT_LT(dialog->SelfTestProgress->value(), 100);
}

class HealthLayoutTest : public HealthWindowTest,
                         public ::testing::WithParamInterface<UiLanguage> {};

TEST_P(HealthLayoutTest, ReportAndHealthWindowFitAtSmallAndLargeSizes) {
    const LanguageScope language(GetParam());
    ASSERT_TRUE(language.Installed());
    OpenWindow();
    TimingSelfTestDialog* dialog = SelfTest();
    dialog->SetSeconds(0.5);
    dialog->show();
    ASSERT_TRUE(dialog->StartTest());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 30000);
    DeviceHealthWindow* health = Health();
    health->show();
    if (GetParam() == UiLanguage::kEnglish) {
        // Every heading and button, and each device with its state as the grid shows them.
        QStringList left = JapaneseLeftIn(dialog) + JapaneseLeftIn(health);
        static const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{9fff}]"));
        for (int row = 0; row < health->HealthGrid->rowCount(); ++row) {
            for (int column = 0; column < 2; ++column) {
                const QString text = health->HealthGrid->item(row, column)->text();
                if (text.contains(japanese)) {
                    left << text;
                }
            }
        }
        EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char('\n')).toStdString();
    }
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        for (QWidget* w : {static_cast<QWidget*>(dialog), static_cast<QWidget*>(health)}) {
            w->resize(size);
            QApplication::processEvents();
            const QStringList faults = LayoutFaults(w);
            EXPECT_TRUE(faults.isEmpty()) << w->objectName().toStdString() << " at " << size.width()
                                          << "x" << size.height() << ":\n"
                                          << faults.join(QLatin1Char('\n')).toStdString();
        }
        SaveShot(dialog, "timing-self-test", size, GetParam());
        SaveShot(health, "device-health", size, GetParam());
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, HealthLayoutTest, ::testing::ValuesIn(kWindowLanguages),
                         LanguageName);

}  // namespace
}  // namespace vantrel::test
