// The main window's side of the live results: the server, the snapshots it publishes after
// each change, and the status bar's address.
#include <QCoreApplication>
#include <QLabel>
#include <QNetworkInterface>
#include <QStatusBar>
#include <QUrl>

#include "app/main_window.h"
#include "dialogs/setup_dialog.h"
#include "lists/result_flag_text.h"
#include "lists/result_list_controller.h"
#include "modes/gymkhana_controller.h"
#include "reports/record_window.h"
#include "web/live_publisher.h"
#include "web/web_server.h"
#include "web/web_settings.h"

namespace vantrel {

namespace {

// The address a phone on the same network types: the first IPv4 address that is not loopback.
QString LanAddress() {
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
            return address.toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

}  // namespace

void TMainForm::BuildWeb() {
    webServer_ = std::make_unique<WebServer>(*env_.clock);
    livePublisher_ = std::make_unique<LivePublisher>(
        [this] {
            SnapshotSources sources = meet_->LiveSources();
            sources.flagReason = [](const std::string& flag) {
                return FlagReasonText(flag).toStdString();
            };
            return sources;
        },
        *webServer_);
    livePublisher_->Watch(results_);
    livePublisher_->Watch(entries_);
    webStatus_ = new QLabel(statusBar());
    webStatus_->setObjectName(QStringLiteral("WebStatus"));
    webStatus_->setFrameShape(QFrame::Panel);
    webStatus_->setFrameShadow(QFrame::Sunken);
    webStatus_->setVisible(false);
    statusBar()->addPermanentWidget(webStatus_);
    setupForm_->SetWebApply([this](const WebSettings& settings) { ApplyWebSettings(settings); });
}

void TMainForm::ApplyWebSettings(const WebSettings& settings) {
    const bool same = webServer_->Serving() == settings.enabled &&
                      (!settings.enabled || webServer_->Port() == settings.port);
    if (same) {
        return;
    }
    livePublisher_->SetActive(false);
    webServer_->Stop();
    if (!settings.enabled) {
        webStatus_->setVisible(false);
        return;
    }
    const QString error = webServer_->Start(static_cast<quint16>(settings.port));
    webStatus_->setVisible(true);
    if (!error.isEmpty()) {
        webStatus_->setText(
            QCoreApplication::translate("TMainForm", "ポート %1 で Web公開を開始できません: %2")
                .arg(settings.port)
                .arg(error));
        return;
    }
    QUrl address;
    address.setScheme(QStringLiteral("http"));
    address.setHost(LanAddress());
    address.setPort(webServer_->Port());
    webStatus_->setText(address.toString());
    livePublisher_->SetActive(true);
}

}  // namespace vantrel
