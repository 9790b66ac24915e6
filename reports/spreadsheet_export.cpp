#include "reports/spreadsheet_export.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <optional>

#include "common/messages.h"
#include "reports/desktop_open.h"
#include "reports/result_sheet.h"
#include "reports/result_sheet_classes.h"
#include "reports/xlsx_workbook.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Inform(Prompter* prompter, QWidget* parent, const UiText& message, const QString& detail) {
    QString text = Tr(message);
    if (!detail.isEmpty()) {
        text += QLatin1Char('\n') + detail;
    }
    prompter->Inform(parent, text, Tr(msg::kTitle));
}

void Inform(const SpreadsheetExportJob& job, const UiText& message, const QString& detail) {
    Inform(job.prompter, job.parent, message, detail);
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
    const std::vector<ResultSheet> sheets =
        job.entries != nullptr ? BuildResultWorkbook(*job.results, job.tab, *job.entries)
                               : std::vector<ResultSheet>{BuildResultSheet(*job.results, job.tab)};
    const WorkbookOutcome written = WriteResultWorkbook(sheets, outcome.path.toStdString());
    if (!written.ok) {
        Inform(job, written.message == 128 ? msg::k128 : msg::k127, Q(written.detail));
        QDir(*folder).removeRecursively();
        outcome.path.clear();
        return outcome;
    }
    outcome.written = true;
    // The window may have gone, or be elsewhere, by the time the answer comes.
    auto answer = [prompter = job.prompter, parent = QPointer<QWidget>(job.parent),
                   path = outcome.path](bool opened) {
        if (!opened) {
            Inform(prompter, parent, msg::k126, Tr(msg::kWorkbookAt).arg(path));
        }
    };
    if (job.open) {
        job.open(outcome.path, answer);
    } else {
        OpenWithDesktop(outcome.path, job.parent, answer);
    }
    return outcome;
}

}  // namespace vantrel
