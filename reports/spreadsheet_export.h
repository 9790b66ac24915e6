#pragma once
// Grid2Excel: the result list as an .xlsx workbook in a folder of its own under the temporary
// folder, with one more sheet per class of the entry list holding that class's rows, opened with
// the desktop's spreadsheet application; its tab-separated text also goes to the clipboard, for
// pasting into a sheet that is already open. The export returns once the workbook is written;
// whether it could be opened may be told later (message 126). Thread rule: GUI thread only.

#include <QDateTime>
#include <QString>
#include <filesystem>
#include <functional>

#include "common/race_mode.h"
#include "lists/entry_table.h"
#include "lists/result_table.h"

class QWidget;

namespace vantrel {

class Prompter;

// Opens a file with the desktop's default application and tells `answer` whether one was
// started, at once or later (on the GUI thread).
using DocumentOpener =
    std::function<void(const QString& path, std::function<void(bool opened)> answer)>;

struct SpreadsheetExportJob {
    const ResultTable* results = nullptr;
    const EntryTable* entries = nullptr;  // the cars' classes; null: the result sheet only
    RaceMode tab = RaceMode::kGymkhana;   // the active tab decides the time columns
    QString resultFileName;               // names the export's folder
    Prompter* prompter = nullptr;
    QWidget* parent = nullptr;       // also ends a desktop answer still awaited
    std::filesystem::path tempRoot;  // empty: the system's temporary folder
    DocumentOpener open;             // unset: OpenWithDesktop
    QDateTime now;                   // names the folder; unset: the current time
};

struct SpreadsheetExportOutcome {
    bool written = false;
    QString path;  // the workbook, when written
};

SpreadsheetExportOutcome ExportToSpreadsheet(const SpreadsheetExportJob& job);

}  // namespace vantrel
