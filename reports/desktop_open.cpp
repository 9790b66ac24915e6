#include "reports/desktop_open.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

namespace vantrel {

namespace {

constexpr const char* kXlsxType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// What is decided once the desktop has answered, failed to, or taken too long.
struct PendingOpen {
    QString open;
    QString path;
    std::function<void(bool)> answer;
    bool done = false;
};

void Decide(QProcess* query, PendingOpen& pending, bool noApplication) {
    if (pending.done) {
        return;
    }
    pending.done = true;
    if (query->state() != QProcess::NotRunning) {
        query->kill();
    }
    query->deleteLater();
    pending.answer(!noApplication && QProcess::startDetached(pending.open, {pending.path}));
}

}  // namespace

void OpenWithDesktop(const QString& path, QObject* context, std::function<void(bool)> answer) {
    const QString open = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (open.isEmpty()) {
        answer(false);
        return;
    }
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (mime.isEmpty()) {
        answer(QProcess::startDetached(open, {path}));
        return;
    }
    auto pending = std::make_shared<PendingOpen>(PendingOpen{open, path, std::move(answer)});
    auto* query = new QProcess(context);
    QObject::connect(query, &QProcess::finished, query, [query, pending] {
        Decide(query, *pending, query->readAllStandardOutput().trimmed().isEmpty());
    });
    // A desktop that cannot be asked, or does not answer in time, still gets the file.
    QObject::connect(query, &QProcess::errorOccurred, query, [query, pending](auto error) {
        if (error == QProcess::FailedToStart) {
            Decide(query, *pending, false);
        }
    });
    QTimer::singleShot(kDesktopQueryMs, query,
                       [query, pending] { Decide(query, *pending, false); });
    query->start(
        mime, {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(kXlsxType)});
}

}  // namespace vantrel
