// Renders the main window on each tab at the minimum size and at 1280 x 1024, the record
// window on each page, the about box, the timing self-test and the device health window, into
// PNG files, for looking at the windows as a timekeeper sees them at start-up. With "about"
// after the folder, only the about box (for the run at 200 % scaling). With
// VANTREL_SCREENSHOT_LANGUAGE=en every window speaks English and the files go into the
// folder's en/. Run by tools/screenshots.sh.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include "app/device_health_window.h"
#include "app/held_passings_box.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/timing_self_test_dialog.h"
#include "app/ui_language.h"
#include "common/ms_clock.h"
#include "dialogs/about_box.h"
#include "modes/held_passings_dialog.h"
#include "reports/record_window.h"
#include "reports/standings.h"
#include "widgets/qt_prompter.h"

namespace {
void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

// The timing self-test after a short run, and the device health window, at the smallest size
// and at 1280 x 1024.
void ShootHealthTools(vantrel::TMainForm& window, const QString& outDir) {
    auto* selfTest = window.findChild<vantrel::TimingSelfTestDialog*>();
    auto* health = window.findChild<vantrel::DeviceHealthWindow*>();
    selfTest->SetSeconds(2.0);
    selfTest->show();
    selfTest->StartTest();
    while (selfTest->Running()) {
        Settle();
    }
    health->show();
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        for (QWidget* w : {static_cast<QWidget*>(selfTest), static_cast<QWidget*>(health)}) {
            w->resize(size);
            Settle();
            w->grab().save(QStringLiteral("%1/%2-%3x%4.png")
                               .arg(outDir, w == health ? QStringLiteral("device-health")
                                                        : QStringLiteral("timing-self-test"))
                               .arg(size.width())
                               .arg(size.height()));
        }
    }
    selfTest->hide();
    health->hide();
}

// The help page at the smallest size and at 1280 x 1024.
void ShootHelp(vantrel::TMainForm& window, const QString& outDir) {
    vantrel::ShowHelpWindow(&window);
    auto* help = window.findChild<QDialog*>(QStringLiteral("HelpWindow"));
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        help->resize(size);
        Settle();
        help->grab().save(
            QStringLiteral("%1/help-%2x%3.png").arg(outDir).arg(size.width()).arg(size.height()));
    }
    help->hide();
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vantrel::SubstituteJapaneseFonts();
    QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    if (qgetenv("VANTREL_SCREENSHOT_LANGUAGE") == "en") {
        if (!vantrel::InstallLanguage(vantrel::UiLanguage::kEnglish)) {
            qWarning("The English translation is missing.");
            return 1;
        }
        outDir += QStringLiteral("/en");
    }
    QDir().mkpath(outDir);

    QTemporaryDir programDir;
    // No port on the rendering machine: choose none, so no error box waits for an answer.
    QFile ini(programDir.filePath(QStringLiteral("Vantrel.ini")));
    if (ini.open(QIODevice::WriteOnly)) {
        ini.write("[Setup]\r\nIoAddress=None\r\nSplitPin1=2\r\n");
        ini.close();
    }
    vantrel::QtPrompter prompter;
    vantrel::MonotonicMsClock clock;
    vantrel::MainWindowEnvironment env{programDir.path().toStdString(), &prompter, &clock};
    vantrel::TMainForm window(env);
    window.show();
    Settle();
    {
        vantrel::TAboutForm& about = window.AboutForm();
        about.show();
        Settle();
        about.grab().save(QStringLiteral("%1/about-box.png").arg(outDir));
        about.hide();
    }
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("about")) {
        return 0;
    }
    const char* tabs[] = {"gymkhana", "drag", "circuit"};
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        window.resize(size);
        for (int tab = 0; tab < 3; ++tab) {
            window.PageControl1->setCurrentIndex(tab);
            Settle();
            const QString name = QStringLiteral("%1/main-%2-%3x%4.png")
                                     .arg(outDir, QString::fromLatin1(tabs[tab]))
                                     .arg(size.width())
                                     .arg(size.height());
            window.grab().save(name);
        }
    }
    window.PageControl1->setCurrentIndex(0);
    ShootHealthTools(window, outDir);
    ShootHelp(window, outDir);

    // The record window with a few results, on each page.
    vantrel::Standings standings(window.Entries());
    vantrel::RecordWindowEnvironment recordEnv;
    recordEnv.standings = &standings;
    recordEnv.iniPath = window.IniPath();
    recordEnv.prompter = &prompter;
    recordEnv.session = &window.State();
    recordEnv.clock = &clock;
    vantrel::TRecordForm record(recordEnv);
    const vantrel::TimeStyle style;
    standings.AddResult(8, 62'500, 1, style);
    standings.AddResult(3, 61'234, 2, style);
    standings.AddResult(15, 70'000, 1, style);
    record.Refresh();
    record.ShowSplit1(3, "00:21.004");
    record.ShowSplit2(3, "00:43.120");
    record.ShowResult(3, "Driver Name", "01:01.234");
    record.show();
    const char* pages[] = {"rank", "list", "display"};
    for (const QSize size : {QSize(545, 384), QSize(636, 450), QSize(1280, 1024)}) {
        record.resize(size);
        for (int page = 0; page < 3; ++page) {
            record.PageControl1->setCurrentIndex(page);
            Settle();
            record.grab().save(QStringLiteral("%1/record-%2-%3x%4.png")
                                   .arg(outDir, QString::fromLatin1(pages[page]))
                                   .arg(size.width())
                                   .arg(size.height()));
        }
    }
    // The list of receiver passings held as a flood: forty cars in one block.
    {
        std::vector<uint8_t> flood;
        for (int car = 1; car <= 40; ++car) {
            flood.push_back(static_cast<uint8_t>('0' + car));
        }
        window.Event().Circuit().TakeReceivedBytes(flood.data(),
                                                   static_cast<uint16_t>(flood.size()),
                                                   window.State().sessionStartTick + 83456);
        auto* held = window.findChild<vantrel::HeldPassingsBox*>();
        held->OpenList();
        for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
            held->Dialog().resize(size);
            Settle();
            held->Dialog().grab().save(QStringLiteral("%1/held-passings-%2x%3.png")
                                           .arg(outDir)
                                           .arg(size.width())
                                           .arg(size.height()));
        }
        held->Dialog().hide();
    }
    return 0;
}
