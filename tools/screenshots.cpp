// Renders the main window on each tab at the minimum size and at 1280 x 1024 into PNG files,
// for looking at the windows as a timekeeper sees them. Run by tools/screenshots.sh.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include "app/main_window.h"
#include "app/qt_prompter.h"
#include "common/ms_clock.h"

namespace {
void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(outDir);

    QTemporaryDir programDir;
    vantrel::QtPrompter prompter;
    vantrel::MonotonicMsClock clock;
    vantrel::MainWindowEnvironment env{programDir.path().toStdString(), &prompter, &clock};
    vantrel::TMainForm window(env);
    window.show();
    Settle();
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
    return 0;
}
