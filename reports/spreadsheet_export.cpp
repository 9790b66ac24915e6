#include "reports/spreadsheet_export.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>

#include "common/messages.h"
#include "reports/result_sheet.h"
#include "reports/xlsx_workbook.h"
#include "widgets/prompter.h"

namespace vantrel {

namespace {

constexpr const char* kXlsxType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Inform(const SpreadsheetExportJob& job, const char* message, const QString& detail) {
    QString text = QString::fromUtf8(message);
    if (!detail.isEmpty()) {
        text += QLatin1Char('\n') + detail;
    }
    job.prompter->Inform(job.parent, text, QString::fromUtf8(msg::kTitle));
}

// A new folder per export, so nothing the operator keeps is ever overwritten.
std::optional<QString> MakeExportFolder(const SpreadsheetExportJob& job) {
    const QDateTime now = job.now.isValid() ? job.now : QDateTime::currentDateTime();
    const std::string stem =
        ExportFolderStem(job.resultFileName.toStdString(),
                         now.toString(QStringLiteral("yyyyMMdd-hhmmss")).toStdString());
    const QString root =
        job.tempRoot.empty() ? QDir::tempPath() : QString::fromStdString(job.tempRoot.string());
    QTemporaryDir folder(QDir(root).filePath(Q(stem) + QStringLiteral("-XXXXXX")));
    if (!folder.isValid()) {
        return std::nullopt;
    }
    folder.setAutoRemove(false);
    return folder.path();
}

}  // namespace

bool OpenWithDesktop(const QString& path) {
    const QString open = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (open.isEmpty()) {
        return false;
    }
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!mime.isEmpty()) {
        QProcess query;
        query.start(mime, {QStringLiteral("query"), QStringLiteral("default"),
                           QString::fromLatin1(kXlsxType)});
        if (query.waitForFinished(5000) && query.readAllStandardOutput().trimmed().isEmpty()) {
            return false;
        }
    }
    return QProcess::startDetached(open, {path});
}

SpreadsheetExportOutcome ExportToSpreadsheet(const SpreadsheetExportJob& job) {
    SpreadsheetExportOutcome outcome;
    QGuiApplication::clipboard()->setText(Q(ResultSheetText(*job.results)));
    const std::optional<QString> folder = MakeExportFolder(job);
    if (!folder) {
        Inform(job, msg::k127, QDir::tempPath());
        return outcome;
    }
    const QString base = job.resultFileName.isEmpty()
                             ? QStringLiteral("Result")
                             : QFileInfo(job.resultFileName).completeBaseName();
    outcome.path = QDir(*folder).filePath(base + QStringLiteral(".xlsx"));
    const WorkbookOutcome written =
        WriteResultWorkbook(BuildResultSheet(*job.results, job.tab), outcome.path.toStdString());
    if (!written.ok) {
        Inform(job, written.message == 128 ? msg::k128 : msg::k127, Q(written.detail));
        QDir(*folder).removeRecursively();
        outcome.path.clear();
        return outcome;
    }
    outcome.written = true;
    outcome.opened = job.open ? job.open(outcome.path) : OpenWithDesktop(outcome.path);
    if (!outcome.opened) {
        Inform(job, msg::k126, QString::fromUtf8(msg::kWorkbookAt).arg(outcome.path));
    }
    return outcome;
}

}  // namespace vantrel
