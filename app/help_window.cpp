#include "app/help_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The help page lives in a static library: its resources must be registered by hand.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace vantrel {

void ShowHelpWindow(QWidget* parent) {
    InitHelpResources();
    auto* existing = parent->findChild<QDialog*>(QStringLiteral("HelpWindow"));
    if (existing != nullptr) {
        existing->show();
        existing->raise();
        existing->activateWindow();
        return;
    }
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("HelpWindow"));
    window->setWindowTitle(QCoreApplication::translate("HelpWindow", "Vantrel 2000 ヘルプ"));
    auto* layout = new QVBoxLayout(window);
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    // The translation names the page written in its language.
    browser->setSource(QUrl(QCoreApplication::translate("HelpWindow", "qrc:/help/help.html")));
    layout->addWidget(browser);
    window->resize(640, 560);
    window->show();
}

}  // namespace vantrel
